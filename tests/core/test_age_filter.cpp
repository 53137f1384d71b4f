#include <gtest/gtest.h>

#include "base/errors.h"
#include "core/age_filter.h"
#include "core/catalogue.h"
#include "core/input_area.h"
#include "tests/support/catalogue_text.h"

namespace qrn {
namespace {

using test::record;

class AgeFilterTest : public ::testing::Test {
protected:
    // Entries 1 to 3 Stone, Tool, Tool; 4 listed "L"; 5 Iron written " 8"; 6 Bronze and "L";
    // 7 Iron; 8 of no age.
    AgeFilterTest() {
        catalogue.assign({record(u"0", u"99"), record(u"1", u"15"), record(u"2", u"14"),
                          record(u"3", u"14"), record(u"4", u"99", u"L"), record(u"5", u" 8"),
                          record(u"6", u"12", u"L"), record(u"7", u"8"), record(u"8", u"x")});
    }
    std::vector<int> offered(AgeChecks checks) {
        Blist(catalogue, checks, picker);
        std::vector<int> data;
        for (const auto& e : picker.entries()) {
            data.push_back(e.itemData);
            EXPECT_EQ(e.text, catalogue.field(e.itemData, Field::DisplayName));
        }
        EXPECT_EQ(picker.listIndex(), picker.count() > 0 ? 0 : -1);
        return data;
    }

    Catalogue catalogue;
    Picker picker;
};

TEST_F(AgeFilterTest, OffersEntryZeroTheListedEntriesAndTheCheckedAges) {
    using V = std::vector<int>;
    EXPECT_EQ(offered({false, true, false, false}), (V{0, 2, 3, 4, 6}));
    EXPECT_EQ(offered({false, false, false, false}), (V{0, 4, 6}));
    EXPECT_EQ(offered({false, false, true, false}), (V{0, 4, 6}));
    EXPECT_EQ(offered({false, false, false, true}), (V{0, 4, 6, 7}));
    EXPECT_EQ(offered({}), (V{0, 1, 2, 3, 4, 6, 7}));
    EXPECT_EQ(picker.text(), u"Name 0");
}

TEST_F(AgeFilterTest, WholeLoadFillOffersEveryEntryAndAnEmptyCatalogueNone) {
    fillPicker(catalogue, picker);
    EXPECT_EQ(picker.count(), 9);
    EXPECT_EQ(picker.listIndex(), 0);
    EXPECT_EQ(picker.entry(8).itemData, 8);
    catalogue.assign({});
    EXPECT_TRUE(offered({}).empty());
    fillPicker(catalogue, picker);
    EXPECT_EQ(picker.count(), 0);
    EXPECT_EQ(picker.listIndex(), -1);
}

TEST_F(AgeFilterTest, AHiddenNameSaysWhichAgeHidesIt) {
    catalogue.assign({record(u"0", u"99"), record(u"Temple", u"12"), record(u"Écurie", u"8"),
                      record(u"Silo", u"12", u"L")});
    EXPECT_EQ(hiddenByAge(catalogue, {true, true, false, true}, u"name temple"),
              u"« Name Temple » est masqué : Age du bronze");
    EXPECT_EQ(hiddenByAge(catalogue, {true, true, true, false}, u"NAME ECURIE"),
              u"« Name Écurie » est masqué : Age du fer");
    // Shown, listed whatever the ages, only part of a name, or nothing typed: nothing to say.
    for (const char16_t* typed : {u"name ecurie", u"name silo", u"temple", u""})
        EXPECT_EQ(hiddenByAge(catalogue, {true, true, false, true}, typed), u"");
}

TEST_F(AgeFilterTest, ListMatchesComparesExactly) {
    EXPECT_EQ(ListMatches(catalogue, 5, u"14"), u"2;3;");
    EXPECT_EQ(ListMatches(catalogue, 5, u"8"), u"7;");
    EXPECT_EQ(ListMatches(catalogue, 1, u"l"), u"");
    EXPECT_EQ(ListMatches(catalogue, 2, u"ID_6"), u"6;");
    EXPECT_EQ(ListMatches(catalogue, 7, u"Name 7"), u"7;");
    EXPECT_THROW(ListMatches(catalogue, 0, u""), IndexError);
    EXPECT_THROW(ListMatches(catalogue, 8, u""), IndexError);
}

TEST_F(AgeFilterTest, ClassThemSortsAndDropsRepeats) {
    catalogue.assign(std::vector<test::Record>(18, record(u"r")));
    EXPECT_EQ(ClassThem(catalogue, u"17;3;3;0;9;"), u"0;3;9;17;");
    EXPECT_EQ(ClassThem(catalogue, u"18;1000;2;"), u"2;");  // above the count: dropped
    EXPECT_THROW(ClassThem(catalogue, u"1001;"), IndexError);
    for (const char16_t* list : {u"a;", u"/;", u":;", u";"})
        EXPECT_THROW(ClassThem(catalogue, list), TypeMismatch);
    EXPECT_EQ(ClassThem(catalogue, u"4;2;"), u"2;4;");  // the marks were cleared after a failure
}

}  // namespace
}  // namespace qrn
