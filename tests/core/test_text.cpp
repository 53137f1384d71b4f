#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/text.h"

namespace qrn {
namespace {

TEST(Text, Utf8RoundTripsEveryCharacterAndReplacesBrokenInput) {
    const std::u16string text = u"Bâtiment € \u0081 \U0001F3F0 fin";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(u"é"), "\xC3\xA9");
    // Broken input becomes replacement characters.
    EXPECT_EQ(fromUtf8("a\xFF"
                       "b"),
              u"a\uFFFDb");
    EXPECT_EQ(fromUtf8("\xC3"), u"\uFFFD");            // cut short
    EXPECT_EQ(fromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
    EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Text, QuotedValuesAreCutAtFortyCharacters) {
    const std::u16string forty(40, u'7');
    EXPECT_EQ(qrn::quoted(forty), u"« " + forty + u" »");
    EXPECT_EQ(qrn::quoted(forty + u"8"), u"« " + forty + u"… »");
    // A character beyond U+FFFF counts as one and is never cut in two.
    const std::u16string castle = u"\U0001F3F0";
    EXPECT_EQ(qrn::quoted(std::u16string(39, u'a') + castle + castle),
              u"« " + std::u16string(39, u'a') + castle + u"… »");
}

TEST(Text, FileNamesKeepTheirBytesAndShowTheUndecodableOnes) {
    // Latin-1 "é", a lone continuation byte, and the UTF-8 form of a surrogate (not valid UTF-8).
    const std::string bytes = "plan-\xE9t\xE9-\x80-\xED\xB3\xA9-\xC3\xA9.qrn";
    const std::u16string name = decodeFileName(bytes);
    EXPECT_EQ(name, u"plan-\xDCE9t\xDCE9-\xDC80-\xDCED\xDCB3\xDCA9-é.qrn");
    EXPECT_EQ(encodeFileName(name), bytes);
    EXPECT_EQ(displayName(name), u"plan-\\xE9t\\xE9-\\x80-\\xED\\xB3\\xA9-é.qrn");
    // Messages name the file in full, however long, as it is shown.
    InvalidArgument error(u"illisible");
    error.file = decodeFileName(std::string(50, 'p') + "\xE9");
    EXPECT_EQ(error.describe(), u"Fichier « " + std::u16string(50, u'p') + u"\\xE9 » : illisible");
}

TEST(Errors, DescribeNamesFileLineRowAndColumn) {
    InvalidArgument error(u"trop long");
    error.file = u"plan.qrn";
    error.line = 4;
    error.row = 2;
    error.column = u"X";
    EXPECT_EQ(error.message(), u"ligne 2 du plan, colonne X : trop long");
    EXPECT_EQ(error.describe(),
              u"Fichier « plan.qrn », ligne 4 : ligne 2 du plan, colonne X : trop long");
    EXPECT_STREQ(error.what(), toUtf8(error.describe()).c_str());
}

}  // namespace
}  // namespace qrn
