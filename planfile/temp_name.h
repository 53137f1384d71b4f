#pragma once

#include <string>

namespace qrn {

namespace platform {
class Random;
}

// "~", eight characters each a digit "0" to "8" (one time in three) or a letter "A" to "Z",
// then ".tmp". Letters reseed the generator from the time of day first.
std::u16string MakeTempName(platform::Random& random);
std::u16string RandomLetter(platform::Random& random);
std::u16string RandomDigit(platform::Random& random);

}  // namespace qrn
