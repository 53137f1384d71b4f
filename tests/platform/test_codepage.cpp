#include <gtest/gtest.h>

#include "base/codepage.h"
#include "base/errors.h"
#include "base/text.h"
#include "tests/support/failure.h"

namespace qrn::platform {
namespace {

TEST(Codepage, DecodesTheWindowsCharactersAndTheFiveHoles) {
    EXPECT_EQ(decodeWindows1252("\x80\x8A\x9F\xE9\xFF"), u"€ŠŸéÿ");
    EXPECT_EQ(decodeWindows1252("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(encodeWindows1252(u"‚„…‹›™"), "\x82\x84\x85\x8B\x9B\x99");
}

TEST(Codepage, AnUnencodableCharacterIsNamedAndTheOutputLeftAlone) {
    const struct {
        std::u16string text, code, position;
    } cases[] = {
        {u"ab\u0100c", u"« \u0100 » (U+0100)", u"3"},
        // 0x80 is the euro sign, so the control character U+0080 has no byte
        {u"\u0080", u"(U+0080)", u"1"},
        {u"x\U0001F600", u"« \U0001F600 » (U+1F600)", u"2"},
        {std::u16string(u"abc") + char16_t(0xD800), u"(U+D800)", u"4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.code));
        std::string out = "kept";
        const Error error = test::failureOf([&] { encodeWindows1252(c.text, out); });
        EXPECT_EQ(error.kind(), Error::Kind::InvalidArgument);
        EXPECT_NE(error.reason().find(c.code), std::u16string::npos);
        EXPECT_NE(error.reason().find(u"position " + c.position), std::u16string::npos);
        EXPECT_EQ(out, "kept");
    }
}

}  // namespace
}  // namespace qrn::platform
