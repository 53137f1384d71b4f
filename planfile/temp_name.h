#pragma once

#include <string>

namespace qrn {

namespace platform {
class Random;
}

// "~", eight characters each a digit "0" to "8" (one time in three) or a letter "A" to "Z",
// then ".tmp". The generator is seeded once, when it is made: reseeding it from a clock before
// each letter gave the same name to every draw within one clock tick.
std::u16string MakeTempName(platform::Random& random);
std::u16string RandomLetter(platform::Random& random);
std::u16string RandomDigit(platform::Random& random);

}  // namespace qrn
