#pragma once

#include <deque>

#include "platform/qt/std_random.h"

namespace qrn::test {

// Random numbers that can be scripted: the scripted ones come first (reseeding does nothing
// meanwhile), then those of a real generator.
struct ScriptedRandom : platform::StdRandom {
    std::deque<double> script;
    double Rnd() override {
        if (script.empty()) return StdRandom::Rnd();
        const double r = script.front();
        script.pop_front();
        return r;
    }
    void Randomize(double seed) override {
        if (script.empty()) StdRandom::Randomize(seed);
    }
};

}  // namespace qrn::test
