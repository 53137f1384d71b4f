#pragma once

#include <random>

#include "platform/platform.h"

namespace qrn::platform {

// Random numbers from a 64-bit Mersenne Twister, seeded from the system until the first
// Randomize; the time of day from the system clock.
class StdRandom : public Random {
public:
    StdRandom();
    double Rnd() override;
    // Equal seeds give equal sequences.
    void Randomize(double seed) override;
    double Timer() override;

private:
    std::mt19937_64 engine_;
};

}  // namespace qrn::platform
