// Windows-1252: every byte sequence decodes to one character a byte and encodes back to the
// same bytes; a 16-bit text either encodes to bytes that decode to it again or fails with
// InvalidArgument, leaving the output it was appending to as it was.

#include "base/codepage.h"
#include "base/errors.h"
#include "fuzz/fuzz_support.h"

using namespace qrn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::u16string decoded = decodeWindows1252(bytes);
    QRN_FUZZ_CHECK(decoded.size() == bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        QRN_FUZZ_CHECK(decoded[i] == decodeByte(static_cast<unsigned char>(bytes[i])));
    QRN_FUZZ_CHECK(encodeWindows1252(decoded) == bytes);

    // The same bytes taken two at a time as 16-bit characters: most have no byte.
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text += char16_t(data[i] | (data[i + 1] << 8));
    std::string out = "prefix";
    try {
        encodeWindows1252(text, out);
        QRN_FUZZ_CHECK(out.size() == 6 + text.size());
        QRN_FUZZ_CHECK(decodeWindows1252(std::string_view(out).substr(6)) == text);
    } catch (const InvalidArgument& error) {
        QRN_FUZZ_CHECK(out == "prefix");
        QRN_FUZZ_CHECK(!error.reason().empty());
    }
    return 0;
}
