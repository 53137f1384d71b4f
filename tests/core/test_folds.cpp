#include <gtest/gtest.h>

#include "base/text.h"
#include "core/picker.h"
#include "core/row_find.h"

namespace qrn {
namespace {

// Each range's first and last letter and its neighbours outside: the picker folds to plain
// letters and drops combining accents typed apart; find keeps œ, ð, ø, þ and combining accents.
TEST(Folds, PickerAndFindFoldLettersAtTheEdgesOfTheirRanges) {
    const struct {
        std::u16string_view text, picker, find;
    } cases[] = {
        {u"@AZ[`az{", u"@az[`az{", u"@az[`az{"},
        {u"\u00BF\u00C0\u00C6\u00D0\u00D7\u00D8\u00DE\u00DF\u00F7\u00FE\u00FF",
         u"\u00BFaaed\u00D7o\u00DEss\u00F7\u00FEy",
         u"\u00BFa\u00E6\u00F0\u00D7\u00F8\u00FEss\u00F7\u00FEy"},
        {u"\u0151\u0152\u0153\u0154\u015F\u0160\u0161\u0162", u"\u0151oeoe\u0154\u015Fss\u0162",
         u"\u0151\u0153\u0153\u0154\u015Fss\u0162"},
        {u"\u0177\u0178\u0179\u017C\u017D\u017E\u017F", u"\u0177y\u0179\u017Czz\u017F",
         u"\u0177y\u0179\u017Czz\u017F"},
        {u"e\u02FF\u0300\u0301\u036F\u0370", u"e\u02FF\u0370", u"e\u02FF\u0300\u0301\u036F\u0370"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(std::u16string(c.text)));
        EXPECT_EQ(foldName(c.text), c.picker);
        EXPECT_EQ(foldForFind(c.text), c.find);
    }
}

}  // namespace
}  // namespace qrn
