#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <regex>
#include <set>

#include "base/text.h"
#include "planfile/temp_name.h"
#include "platform/platform.h"

namespace qrn {
namespace {

// Hands out the scripted numbers, then uniform ones; counts draws and reseeds.
struct ScriptedRandom : platform::Random {
    std::deque<double> numbers;
    std::mt19937_64 engine{7};
    int draws = 0, reseeds = 0;
    double Rnd() override {
        ++draws;
        if (numbers.empty()) return std::uniform_real_distribution<double>(0, 1)(engine);
        const double r = numbers.front();
        numbers.pop_front();
        return r;
    }
    void Randomize(double) override { ++reseeds; }
    double Timer() override { return 1234.5; }
};

TEST(TempName, DrawsADigitOneTimeInThreeAndNeverReseeds) {
    ScriptedRandom random;
    // Per character: the kind (k = r * 3), then the letter or the digit.
    random.numbers = {0.0, 0.999, 0.34, 0.0,  0.67, 0.999, 0.1, 0.5,
                      0.3, 0.5,   0.9,  0.04, 0.5,  0.2,   0.5, 0.0};
    EXPECT_EQ(MakeTempName(random), u"~8AZ44BFA.tmp");
    EXPECT_EQ(random.reseeds, 0);  // a reseed from the clock repeats names within one tick
    EXPECT_EQ(random.draws, 16);
}

TEST(TempName, UsesOnlyDigitsZeroToEightAndCapitals) {
    ScriptedRandom random;
    const std::regex shape("~[0-8A-Z]{8}\\.tmp");
    bool sawDigit = false, sawLetter = false;
    std::set<std::string> names;
    for (int i = 0; i < 500; ++i) {
        const std::string name = toUtf8(MakeTempName(random));
        ASSERT_TRUE(std::regex_match(name, shape)) << name;
        EXPECT_TRUE(names.insert(name).second) << name;
        sawDigit |= name.find_first_of("012345678") != std::string::npos;
        sawLetter |= name.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos;
    }
    EXPECT_TRUE(sawDigit && sawLetter);
}

}  // namespace
}  // namespace qrn
