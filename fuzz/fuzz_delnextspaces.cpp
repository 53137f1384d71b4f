// delnextspaces: what is left after the first token, the space after it and every space that
// follows; the text whole when it holds no space.

#include "fuzz/fuzz_support.h"
#include "planfile/plan_reader.h"

using namespace qrn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Bytes as characters, with 0x00 standing for a space so that runs of spaces are common.
    std::u16string str;
    fuzz::InputReader in(data, size);
    while (!in.empty()) {
        const std::uint8_t b = in.byte();
        str += b == 0 ? u' ' : b == 0xFF ? in.unit() : char16_t(b);
    }

    const std::u16string_view rest = delnextspaces(str);
    const std::size_t space = str.find(u' ');
    if (space == str.npos) {
        QRN_FUZZ_CHECK(rest == str);
        return 0;
    }
    QRN_FUZZ_CHECK(rest.size() < str.size());
    QRN_FUZZ_CHECK(str.compare(str.size() - rest.size(), rest.size(), rest) == 0);
    QRN_FUZZ_CHECK(rest.empty() || rest.front() != u' ');
    // Only spaces lie between the first space and what is left.
    const std::size_t dropped = str.size() - rest.size();
    QRN_FUZZ_CHECK(dropped > space);
    for (std::size_t i = space; i < dropped; ++i) QRN_FUZZ_CHECK(str[i] == u' ');
    return 0;
}
