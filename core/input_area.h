#pragma once

#include <array>
#include <string>

#include "core/picker.h"

namespace qrn {

// The input area: the picker and the six input fields Text1 to Text6 (X, Y, N, S, E, O).
struct InputArea {
    Picker picker;
    std::array<std::u16string, 6> fields{u"0", u"0", u"0", u"0", u"0", u"0"};
};

}  // namespace qrn
