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
