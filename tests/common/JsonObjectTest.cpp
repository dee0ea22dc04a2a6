#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/json/JsonObject.h"
#include "tests/support/TestSupport.h"

using namespace trelvix;
using trelvix::test::G;
using trelvix::test::Visible;

namespace {

JsonObject Parsed(const std::string& text) {
    JsonObject json;
    EXPECT_TRUE(json.Parse(text)) << Visible(text);
    return json;
}

const char kReply[] = R"({"retData":{"city":"X","ok":true,"no":false,"n":1.5,"i":3,"z":null,)"
                      R"("list":[1,"a",true,null],"o":{}},"errNum":0})";

TEST(JsonObject, GetTextReadsMembersAsText) {
    const JsonObject json = Parsed(kReply);
    const std::pair<const char*, const char*> cases[] = {
        {"retData.city", "X"},
        {"retData.country", ""},  // missing member
        {"errData.city", ""},     // through a missing member
        {"retData.city.x", ""},   // a member of a string
        {"retData.z.x", ""},      // through null
        {"retData.ok", "-1"},
        {"retData.no", "0"},
        {"retData.n", "1.5"},
        {"retData.i", "3"},
        {"retData.z", ""},
        {"errNum", "0"},
        {"retData.list[1]", "a"},
        {"retData.list[4]", ""},
        {"retData.list", "1,a,true,"},
        {"retData.o", "[object Object]"},
        {"", "[object Object]"},
        {" retData . city ", "X"},
        // Not member paths: refused, never half read.
        {"retData..city", ""},
        {"retData city", ""},
        {"retData.list[01]", ""},
        {"retData.list[1", ""},
        {"retData.list['1']", ""},
        {"retData.1", ""},
        {"retData.city;x()", ""},
    };
    for (const auto& [path, text] : cases) EXPECT_EQ(json.GetText(path), text) << path;

    EXPECT_EQ(json.GetText("retData.list", true), R"([1,"a",true,null])");
    EXPECT_EQ(json.GetText("retData.city", true), R"("X")");
    EXPECT_EQ(json.GetText("retData.z", true), "null");
    EXPECT_EQ(json.GetText("retData.country", true), "");
}

TEST(JsonObject, OnlyGetTextGetObjectAndCountReadAPathBeginningWithABracket) {
    const JsonObject json = Parsed(R"([{"ip":"1.2.3.4","n":7},5])");
    EXPECT_EQ(json.GetText("[0].ip"), "1.2.3.4");
    EXPECT_EQ(json.GetText("[1]"), "5");
    EXPECT_EQ(json.GetText("[0]", true), R"({"ip":"1.2.3.4","n":7})");
    EXPECT_EQ(json.GetObject("[0]").GetText("ip"), "1.2.3.4");
    EXPECT_EQ(json.Count("[0]"), 2);

    EXPECT_EQ(json.GetNumber("[1]"), 0);
    EXPECT_EQ(json.GetNumber("[0].n"), 0);
    EXPECT_EQ(json.GetJson("[0]"), "");
    EXPECT_FALSE(json.Has("[0]"));
    EXPECT_EQ(json.TypeOf("[0]"), JsonObject::kNull);
    std::vector<Gbk> names{"stale"};
    EXPECT_EQ(json.MemberNames(names, "[0]"), 0);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(json.GetArrayItem(0, "[0]"), "");

    JsonObject writable = Parsed(R"([{"ip":"1.2.3.4"}])");
    writable.SetProperty("[0].ip", "x");
    writable.SetNumber("[0].ip", 1);
    writable.SetJson("[0]", "1");
    writable.AddArrayItem("x", "[0]");
    EXPECT_EQ(writable.ToText(), R"([{"ip":"1.2.3.4"}])");
}

TEST(JsonObject, ParseTakesStrictJsonOnly) {
    const char* refused[] = {
        "",     " ",       "{",        "garbage", "null",  "1);x(",       "{'a':1}",   R"({"a":1} x)", R"({"a":1,})",
        "[1,]", "/*c*/{}", R"({a:1})", "NaN",     "1e400", R"({"a":01})", R"(["\x"])", "[\"a\tb\"]",   R"(["\ud800"])",
    };
    for (const char* text : refused) {
        JsonObject json = Parsed(R"({"old":1})");
        EXPECT_FALSE(json.Parse(text)) << text;
        EXPECT_EQ(json.ToText(), "null") << text;
        EXPECT_EQ(json.GetText("old"), "") << text;
    }

    const std::pair<std::string, std::string> accepted[] = {
        {"1", "1"},
        {R"("")", R"("")"},
        {" [ ] ", "[]"},
        {"\r\n{\"a\" : [ true , false ] }\r\n", R"({"a":[true,false]})"},
        {"\xEF\xBB\xBF{}", "{}"},                        // a byte-order mark in front
        {R"({"a":1,"b":2,"a":3})", R"({"a":3,"b":2})"},  // the last value, the first place
    };
    for (const auto& [text, back] : accepted) {
        JsonObject json;
        EXPECT_TRUE(json.Parse(text)) << Visible(text);
        EXPECT_EQ(json.ToText(), back) << Visible(text);
    }
}

TEST(JsonObject, RepliesInUtf8OrGbkComeBackAsGbk) {
    JsonObject utf8 = Parsed(R"({"city":"北京","u":"\u5317\u4eac","pair":"\ud83d\ude00","城市":"深圳","e":"😀"})");
    EXPECT_EQ(utf8.GetText("city"), G("北京"));
    EXPECT_EQ(utf8.GetText("u"), G("北京"));
    EXPECT_EQ(utf8.GetText("pair"), "?");  // GBK has no emoji
    EXPECT_EQ(utf8.GetText("e"), "?");
    EXPECT_EQ(utf8.GetText(G("城市")), G("深圳"));
    std::vector<Gbk> names;
    utf8.MemberNames(names);
    EXPECT_EQ(names, (std::vector<Gbk>{"city", "u", "pair", G("城市"), "e"}));

    // Not UTF-8, so read as GBK: 乗 ends in the byte 5C, which must not escape the quote.
    JsonObject gbk = Parsed(G(R"({"city":"北京","t":"乗","城市":"x"})"));
    EXPECT_EQ(gbk.GetText("city"), G("北京"));
    EXPECT_EQ(gbk.GetText("t"), G("乗"));
    EXPECT_EQ(gbk.GetText(G("城市")), "x");
    EXPECT_EQ(gbk.ToText(), G(R"({"city":"北京","t":"乗","城市":"x"})"));
}

TEST(JsonObject, SetValuesAreStoredAsTheExactText) {
    const std::string tricky = "it's \"q\" $x \\ '); x('" + G("乗") + "\r\n";
    JsonObject json;
    json.SetProperty("a", tricky);
    EXPECT_EQ(json.GetText("a"), tricky);
    EXPECT_EQ(json.ToText(), "{\"a\":\"it's \\\"q\\\" $x \\\\ '); x('" + G("乗") + "\\r\\n\"}");

    json.SetValue(tricky);
    EXPECT_EQ(json.GetText(""), tricky);
    json.Create(5);
    json.SetArrayItem(0, tricky);
    json.AddArrayItem(tricky);
    EXPECT_EQ(json.GetArrayItem(0), tricky);
    EXPECT_EQ(json.GetArrayItem(1), tricky);

    // JSON given by the program is GBK and must be JSON; anything else changes nothing.
    JsonObject doc = Parsed(R"({"a":1})");
    doc.SetProperty("b", G(R"({"c":["乗",2]})"), true);
    doc.SetProperty("e", "", true);
    doc.SetJson("f", "[true]");
    EXPECT_EQ(doc.ToText(), G(R"({"a":1,"b":{"c":["乗",2]},"e":{},"f":[true]})"));
    const std::string before = doc.ToText();
    for (const char* bad : {"1);x(", "", "{'a':1}", "eval(1)"}) {
        doc.SetJson("a", bad);
        if (*bad) doc.SetProperty("a", bad, true);
        doc.SetValue(bad, true);
        doc.SetArrayItem(0, bad, true);
        doc.AddArrayItem(bad, "a", true);
        EXPECT_EQ(doc.ToText(), before) << bad;
    }
}

TEST(JsonObject, WritesNeedAnOwnerThatCanHoldThem) {
    JsonObject json = Parsed(R"({"a":1,"s":"str","z":null,"o":{"k":1},"l":[0]})");
    json.SetProperty("a", "2");  // an existing member keeps its place
    json.SetProperty("o.k2", "x");
    json.SetProperty("l[2]", "y");   // an element past the end leaves a gap
    json.SetNumber("n", 0.1 + 0.2);  // written in decimal: 15 digits
    json.SetProperty("missing.x", "1");
    json.SetProperty("z.x", "1");
    json.SetProperty("s.x", "1");
    json.SetProperty("l.x", "1");
    json.SetNumber("a", std::numeric_limits<double>::quiet_NaN());
    json.SetNumber("a", std::numeric_limits<double>::infinity());
    json.SetProperty("l[-1]", "1");
    json.SetProperty("l[70000]", "1");  // too far past the end
    EXPECT_EQ(json.ToText(), R"({"a":"2","s":"str","z":null,"o":{"k":1,"k2":"x"},"l":[0,null,"y"],"n":0.3})");
    EXPECT_EQ(json.Count("l"), 2);  // the gap is no element

    json.Create(7);
    EXPECT_EQ(json.Count(), 6);
    json.Create(5);
    EXPECT_EQ(json.ToText(), "[]");
    json.Create(4);
    EXPECT_EQ(json.ToText(), "{}");
    json.SetValue("[1]", true);
    json.Create(0);
    EXPECT_EQ(json.ToText(), "{}");
    json.SetValue("x");
    json.Clear();
    EXPECT_EQ(json.ToText(), "{}");
}

TEST(JsonObject, ArrayOperations) {
    JsonObject json = Parsed(R"({"list":"not yet"})");
    json.AddArrayItem("a", "list");  // not an array: becomes one
    json.AddArrayItem(R"({"k":1})", "list", true);
    json.AddArrayItem("b", "fresh");
    json.AddArrayItem("c", "missing.deeper");
    EXPECT_EQ(json.ToText(), R"({"list":["a",{"k":1}],"fresh":["b"]})");
    EXPECT_EQ(json.GetArrayItem(1, "list", true), R"({"k":1})");
    EXPECT_EQ(json.GetArrayItem(0, "list"), "a");
    EXPECT_EQ(json.GetArrayItem(5, "list"), "");
    EXPECT_EQ(json.GetArrayItem(-1, "list"), "");
    EXPECT_EQ(json.GetArrayObject(1, "list").GetText("k"), "1");
    EXPECT_EQ(json.GetArrayObject(9, "list").ToText(), "null");

    JsonObject items = Parsed(R"(["a","b"])");
    items.SetArrayItem(4, "e");
    items.SetArrayItem(0, "A");
    EXPECT_EQ(items.ToText(), R"(["A","b",null,null,"e"])");
    EXPECT_EQ(items.Count(), 3);
    std::vector<Gbk> names;
    EXPECT_EQ(items.MemberNames(names), 3);
    EXPECT_EQ(names, (std::vector<Gbk>{"0", "1", "4"}));
    EXPECT_EQ(items.GetObject("").Count(), 5);  // the gaps come back as nulls
    items.RemoveArrayItem(-1);
    items.RemoveArrayItem(9);
    items.RemoveArrayItem(1);
    EXPECT_EQ(items.ToText(), R"(["A",null,null])");
    items.RemoveArrayItem(-7);
    EXPECT_EQ(items.ToText(), "[null,null]");

    JsonObject object = Parsed(R"({"1":"x"})");
    object.RemoveArrayItem(0);  // not an array
    object.SetArrayItem(2, "y");
    EXPECT_EQ(object.ToText(), R"({"1":"x","2":"y"})");
    EXPECT_EQ(object.GetArrayItem(1), "x");
    EXPECT_EQ(object.GetText("[1]"), "x");
}

TEST(JsonObject, CountMemberNamesAndTypeOf) {
    const JsonObject json = Parsed(R"({"a":1,"b,c":"s","xtoJSONString":{"p":null},"parseJSON":[1],"t":true,"n":null})");
    EXPECT_EQ(json.Count(), 6);
    std::vector<Gbk> names;
    EXPECT_EQ(json.MemberNames(names), 6);
    EXPECT_EQ(names, (std::vector<Gbk>{"a", "b,c", "xtoJSONString", "parseJSON", "t", "n"}));
    EXPECT_EQ(json.Count("xtoJSONString"), 1);
    EXPECT_EQ(json.Count("b,c"), 0);  // no member path
    EXPECT_EQ(json.Count("a"), 0);
    EXPECT_EQ(json.Count("missing"), 0);
    EXPECT_EQ(json.MemberNames(names, "a"), 0);
    EXPECT_TRUE(names.empty());

    const std::pair<const char*, int> types[] = {
        {"", JsonObject::kObject},
        {"a", JsonObject::kNumber},
        {"xtoJSONString", JsonObject::kObject},
        {"parseJSON", JsonObject::kArray},
        {"t", JsonObject::kOther},
        {"n", JsonObject::kNull},
        {"missing", JsonObject::kNull},
        {"xtoJSONString.p", JsonObject::kNull},
        {"xtoJSONString.p.q", JsonObject::kNull},
    };
    for (const auto& [path, type] : types) EXPECT_EQ(json.TypeOf(path), type) << path;
    EXPECT_EQ(Parsed("[1]").TypeOf(), JsonObject::kArray);
    EXPECT_EQ(Parsed(R"("s")").TypeOf(), JsonObject::kString);

    EXPECT_TRUE(json.Has("a"));
    EXPECT_TRUE(json.Has("t"));
    EXPECT_FALSE(json.Has("n"));
    EXPECT_FALSE(json.Has("missing"));
}

TEST(JsonObject, NumbersAsTextAndAsJson) {
    const JsonObject json = Parsed(
        R"({"a":1.0,"b":1e16,"c":123456789012345678,"d":0.30000000000000004,"e":1e-5,"f":0.0001,)"
        R"("g":-0.0,"h":-2,"i":1e21,"j":1e-7,"k":1.5e-6,"l":12345678901234567890,"m":100})");
    const std::pair<const char*, const char*> text[] = {
        {"a", "1"},   {"b", "1E+16"}, {"c", "1.23456789012346E+17"},
        {"d", "0.3"}, {"e", "1E-05"}, {"f", "0.0001"},
        {"g", "0"},   {"h", "-2"},    {"i", "1E+21"},
        {"m", "100"},
    };
    for (const auto& [path, shown] : text) EXPECT_EQ(json.GetText(path), shown) << path;
    EXPECT_EQ(json.ToText(),
              R"({"a":1,"b":10000000000000000,"c":123456789012345680,"d":0.30000000000000004,"e":0.00001,)"
              R"("f":0.0001,"g":0,"h":-2,"i":1e+21,"j":1e-7,"k":0.0000015,"l":12345678901234567000,"m":100})");

    const JsonObject values =
        Parsed(R"({"n":2.5,"s":" -2.5e1 ","bad":"2x","empty":"","t":true,"f":false,"l":[7],"o":{}})");
    const std::pair<const char*, double> numbers[] = {
        {"n", 2.5}, {"s", -25}, {"bad", 0}, {"empty", 0}, {"t", -1}, {"f", 0}, {"l", 7}, {"o", 0}, {"missing", 0},
    };
    for (const auto& [path, number] : numbers) EXPECT_EQ(values.GetNumber(path), number) << path;
}

TEST(JsonObject, StringsAreEscapedInJsonText) {
    const std::string text = R"({"s":"a\"b\\c\/\n\t\u0001\u001F\b\f"})";
    EXPECT_EQ(Parsed(text).ToText(), R"({"s":"a\"b\\c/\n\t\u0001\u001f\b\f"})");
    EXPECT_EQ(Parsed(text).GetText("s"), "a\"b\\c/\n\t\x01\x1F\b\f");
}

TEST(JsonObject, CopiesShareTheDocumentPartsDoNot) {
    JsonObject json = Parsed(R"({"o":{"k":1}})");
    JsonObject copy = json.Copy();
    copy.SetProperty("added", "1");
    EXPECT_EQ(json.GetText("added"), "1");

    JsonObject part = json.GetObject("o");
    part.SetProperty("k", "changed");
    EXPECT_EQ(json.GetText("o.k"), "1");
    EXPECT_EQ(part.ToText(), R"({"k":"changed"})");
    EXPECT_EQ(json.GetObject("missing").ToText(), "null");
    EXPECT_EQ(json.GetObject("o..k").ToText(), "null");
}

std::string Nested(std::size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); }

TEST(JsonObject, NestingIsBounded) {
    JsonObject json;
    EXPECT_TRUE(json.Parse(Nested(512)));
    EXPECT_EQ(json.GetText("[0][0]", true).size(), 2u * 510);
    EXPECT_FALSE(json.Parse(Nested(513)));
    EXPECT_FALSE(json.Parse(std::string(200000, '[')));

    // No write may take a document past the same depth.
    json.Parse(R"({"a":{"b":0}})");
    json.SetJson("a.b", Nested(510));
    EXPECT_EQ(json.TypeOf("a.b"), JsonObject::kArray);
    json.SetJson("a.b", Nested(511));
    json.AddArrayItem(Nested(510), "a.b", true);
    EXPECT_EQ(json.GetJson("a.b"), Nested(510));
}

TEST(JsonObject, ManyMembersStayCheap) {
    // Each name looked up once per member: a lookup that walked the members would take
    // minutes here.
    const int count = 100000;
    std::string text = "{";
    for (int i = 0; i < count; ++i) text += "\"m" + std::to_string(i) + "\":" + std::to_string(i) + ",";
    text += "\"m0\":\"again\"}";
    JsonObject json = Parsed(text);
    EXPECT_EQ(json.Count(), count);
    EXPECT_EQ(json.GetText("m0"), "again");
    EXPECT_EQ(json.GetNumber("m99999"), 99999);
    for (int i = 0; i < count; ++i) json.SetNumber("m" + std::to_string(i), 1);
    EXPECT_EQ(json.Count(), count);
}

}  // namespace
