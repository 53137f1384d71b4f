#include "planfile/temp_name.h"

#include <algorithm>

#include "base/text.h"
#include "platform/platform.h"

namespace qrn {

namespace {

// The integer part of r * n, kept below n should a generator ever return 1.
int scaled(double r, int n) {
    return std::clamp(int(r * n), 0, n - 1);
}

}  // namespace

std::u16string RandomLetter(platform::Random& random) {
    return std::u16string(1, char16_t(u'A' + scaled(random.Rnd(), 26)));
}

std::u16string RandomDigit(platform::Random& random) {
    return decimal(scaled(random.Rnd(), 9));
}

std::u16string MakeTempName(platform::Random& random) {
    std::u16string name = u"~";
    for (int i = 0; i < 8; ++i)
        name += scaled(random.Rnd(), 3) == 0 ? RandomDigit(random) : RandomLetter(random);
    return name + u".tmp";
}

}  // namespace qrn
