#include <gtest/gtest.h>

#include <deque>

#include "planfile/temp_name.h"
#include "platform/platform.h"

namespace qrn {
namespace {

// Hands out the scripted numbers; counts draws and reseeds.
struct ScriptedRandom : platform::Random {
    std::deque<double> numbers;
    int draws = 0, reseeds = 0;
    double Rnd() override {
        ++draws;
        const double r = numbers.front();
        numbers.pop_front();
        return r;
    }
    void Randomize(double) override { ++reseeds; }
    double Timer() override { return 1234.5; }
};

// A digit 0 to 8 one time in three, else a capital; the ends of both ranges included.
TEST(TempName, DrawsADigitOneTimeInThreeAndNeverReseeds) {
    ScriptedRandom random;
    // Per character: the kind (k = r * 3), then the letter or the digit.
    random.numbers = {0.0, 0.999, 0.34, 0.0,  0.67, 0.999, 0.1, 0.0,
                      0.3, 0.5,   0.9,  0.04, 0.5,  0.2,   0.5, 0.0};
    EXPECT_EQ(MakeTempName(random), u"~8AZ04BFA.tmp");
    EXPECT_EQ(random.reseeds, 0);  // a reseed from the clock repeats names within one tick
    EXPECT_EQ(random.draws, 16);
}

}  // namespace
}  // namespace qrn
