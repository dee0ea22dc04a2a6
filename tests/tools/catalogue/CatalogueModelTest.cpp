#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestSupport.h"
#include "tools/catalogue/CatalogueModel.h"

namespace trelvix {
namespace {

using test::G;

// "text<parent" for every item in display order, to compare a whole tree at once.
std::vector<std::string> Shape(const CatalogueTree& tree) {
    std::vector<std::string> out;
    for (const CatalogueTreeItem& item : tree.Items())
        out.push_back(item.text + "<" + std::to_string(item.parent) + (item.bold ? " b" : ""));
    return out;
}

TEST(CatalogueTreeTest, NegativeParentsAreRootsInOrderAndZeroIsTheFirstItem) {
    CatalogueTree tree;
    EXPECT_EQ(tree.Add("A", -1, true), 0);
    EXPECT_EQ(tree.Add("B", -1, true), 1);
    EXPECT_EQ(tree.Add("A1", 0, true), 1);  // last child of the first item: B moves to 2
    EXPECT_EQ(tree.Add("A2", 0, true), 2);
    EXPECT_EQ(Shape(tree), (std::vector<std::string>{"A<-1 b", "A1<0 b", "A2<0 b", "B<-1 b"}));
}

TEST(CatalogueTreeTest, ParentsThatNameNoItemGiveRootItems) {
    CatalogueTree tree;
    tree.Add("A", -1, true);
    tree.Add("B", 0, true);
    EXPECT_EQ(tree.Add("past", 2, false), 2);  // equal to the count
    EXPECT_EQ(tree.Add("far", 1000000, false), 3);
    EXPECT_EQ(tree.Add("below", -7, false), 4);
    EXPECT_EQ(Shape(tree), (std::vector<std::string>{"A<-1 b", "B<0 b", "past<-1", "far<-1", "below<-1"}));
}

TEST(CatalogueTreeTest, ProductsRenumberTheItemsAfterThem) {
    // Root R with categories X (1) and Y (2); Y moves each time X gets a product.
    CatalogueTree tree;
    tree.Add("R", -1, true);
    tree.Add("X", 0, true);
    tree.Add("Y", 0, true);
    EXPECT_EQ(tree.Add("x1", 1, false), 2);
    EXPECT_EQ(tree.Add("x2", 1, false), 3);
    EXPECT_EQ(tree.Add("y1", 4, false), 5);  // Y is item 4 by now
    EXPECT_EQ(tree.Add("x3", 1, false), 4);
    EXPECT_EQ(tree.Add("under x1", 2, false), 3);  // nesting under a product works as well
    EXPECT_EQ(tree.Add("y2", 6, false), 8);
    EXPECT_EQ(Shape(tree), (std::vector<std::string>{"R<-1 b", "X<0 b", "x1<1", "under x1<2", "x2<1", "x3<1", "Y<0 b",
                                                     "y1<6", "y2<6"}));
}

TEST(CatalogueTreeTest, AnEmptyTreeHasNoItems) {
    CatalogueTree tree;
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_TRUE(tree.Items().empty());
    EXPECT_EQ(tree.Add("only", 0, false), 0);  // 0 names nothing yet
    EXPECT_EQ(Shape(tree), (std::vector<std::string>{"only<-1"}));
}

TEST(CatalogueNumbersTest, StoredNumbersBecomeItemNumbers) {
    struct Case {
        FieldValue value;
        long long number;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {FieldValue::Number(3), 3},
        {FieldValue::Number(3.99), 3},  // truncated
        {FieldValue::Number(-0.5), 0},  // toward zero
        {FieldValue::Number(-1), -1},
        {FieldValue::Number(-3.7), -1},
        {FieldValue::Number(1e300), -1},  // beyond any item: the root
        {FieldValue::Number(inf), -1},
        {FieldValue::Number(-inf), -1},
        {FieldValue::Number(std::nan("")), -1},
        {FieldValue::Text(" 12abc"), 12},
        {FieldValue::Text("-1"), -1},
        {FieldValue::Text("7.5"), 7},
        {FieldValue::Text("1e2"), 100},
        {FieldValue::Text("abc"), 0},
        {FieldValue::Text(""), 0},
        {FieldValue::Text("1e999"), -1},
        {FieldValue::Bytes("5"), 0},
        {FieldValue{}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ItemNumberOf(FieldNumber(c.value)), c.number) << c.value.bytes << " " << c.value.number;
}

TEST(CatalogueTextTest, TextAroundSeparators) {
    EXPECT_EQ(TextAfterLast("$1$29.00", "$"), "29.00");
    EXPECT_EQ(TextAfterLast("129", "$"), "");
    EXPECT_EQ(TextAfterLast("a#", "#"), "");
    EXPECT_EQ(TextBeforeFirst("CPU#x#y", "#"), "CPU");
    EXPECT_EQ(TextBeforeFirst("#y", "#"), "");
    EXPECT_EQ(TextBeforeFirst("xy", "#"), "");
    // 乗 is 81 5C: a backslash byte inside a character is no separator.
    EXPECT_EQ(TextBeforeFirst(test::bytes::kBackslashTrail + "a\\b", "\\"), test::bytes::kBackslashTrail + "a");
    EXPECT_EQ(TextAfterLast("a\\b" + test::bytes::kBackslashTrail, "\\"), "b" + test::bytes::kBackslashTrail);
}

TEST(CatalogueSpecTest, TechnicalDataTextSplitsIntoRows) {
    struct Case {
        std::string spec;
        std::vector<ProductSpecRow> rows;
    };
    const Case cases[] = {
        {"a#1##b#2##", {{"a", "1"}, {"b", "2"}}},
        {"", {}},
        {"a#b#c", {{"a", "c"}}},            // key before the first "#", value after the last
        {"x", {{"", ""}}},                  // no "#": an empty row
        {"##a#1", {{"", ""}, {"a", "1"}}},  // a leading "##" gives an empty first part
        {"a#1####b#2", {{"a", "1"}, {"", ""}, {"b", "2"}}},
        {"a#1##b#2##c#3", {{"a", "1"}, {"b", "2"}, {"c", "3"}}},  // an odd count
        {"a#1####", {{"a", "1"}, {"", ""}}},                      // only the very last "##" adds nothing
        {G("内存#128 MB##CPU#QCA9533"), {{G("内存"), "128 MB"}, {"CPU", "QCA9533"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(ProductSpecRows(c.spec), c.rows) << c.spec;
    EXPECT_FALSE(SpecRowShaded(0));
    EXPECT_TRUE(SpecRowShaded(1));
    EXPECT_FALSE(SpecRowShaded(2));
    EXPECT_TRUE(SpecRowShaded(3));
}

std::string Row(const std::string& a, const std::string& b, const std::string& c) {
    return "<tr><td>" + a + "</td><td>" + b + "</td><td>" + c + "</td></tr>\n";
}

TEST(RatePageTest, OnlyExactlyTwoRowsGiveTheSecondRow) {
    const std::string head = Row(G("美元"), G("汇率"), G("人民币"));
    const auto two = ParseRatePage(head + Row("100", "6.4512", "645.12"));
    ASSERT_TRUE(two);
    EXPECT_EQ(two->rate, "6.4512");
    EXPECT_EQ(two->amount, "645.12");
    EXPECT_FALSE(ParseRatePage(head));
    EXPECT_FALSE(ParseRatePage(head + Row("1", "2", "3") + Row("4", "5", "6")));
    EXPECT_FALSE(ParseRatePage(""));
    // A zero byte ends the page: the row after it is not read.
    EXPECT_FALSE(ParseRatePage(head + std::string(1, '\0') + Row("100", "6.4512", "645.12")));
    const auto words = ParseRatePage(head + Row("100", "n/a", "-"));
    ASSERT_TRUE(words);
    EXPECT_EQ(LeadingNumber(words->rate), 0);  // a cell without a number is rate 0: none known
}

TEST(CataloguePriceTest, YuanPricesRoundHalvesAwayFromZero) {
    EXPECT_EQ(YuanPrice("$129.00", 6.5), G("￥838.5"));
    EXPECT_EQ(YuanPrice("$59.95", 6.9), G("￥413.66"));  // 413.655
    EXPECT_EQ(YuanPrice("$1.005", 1), G("￥1.01"));
    EXPECT_EQ(YuanPrice("$-1.005", 1), G("￥-1.01"));
    EXPECT_EQ(YuanPrice("129", 6.5), G("￥0"));  // no "$": price 0
    EXPECT_EQ(YuanPrice("", 6.5), G("￥0"));
    EXPECT_EQ(YuanPrice("US$ 24.95", 7), G("￥174.65"));
    EXPECT_EQ(YuanPrice("$1000000", 7.1234), G("￥7123400"));  // no separators, no exponent
    EXPECT_EQ(YuanText(LeadingNumber("645.125")), G("￥645.13"));
    EXPECT_EQ(DollarAmountText("$129.00"), "129.00");
}

}  // namespace
}  // namespace trelvix
