#include "platform/qt/std_random.h"

#include <QTime>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace qrn::platform {

StdRandom::StdRandom() : engine_(std::random_device{}()) {}

double StdRandom::Rnd() {
    // The top 53 bits as a fraction: every value is below 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

void StdRandom::Randomize(double seed) {
    // Values that compare equal seed alike: -0 as 0, every NaN as one NaN.
    if (seed == 0.0) seed = 0.0;
    if (std::isnan(seed)) seed = std::numeric_limits<double>::quiet_NaN();
    engine_.seed(std::bit_cast<std::uint64_t>(seed));
}

double StdRandom::Timer() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace qrn::platform
