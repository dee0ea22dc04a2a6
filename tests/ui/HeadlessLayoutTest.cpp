#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "TestSupport.h"
#include "ui/ControlState.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix::ui {
namespace {

using test::G;

struct SectionCase {
    const char* outerCaption;
    const char* tab;
};

// The sections in the order of 选择夹1 and their sub-tab controls; each
// section's case file checks its pages' captions.
const SectionCase kSections[] = {
    {"系统", "选择夹2"},         {"安装", "选择夹3"},   {"PPPOE", "选择夹4"},
    {"限速", "选择夹5"},         {"防火墙", "选择夹6"}, {"VPN", "选择夹7"},
    {"DDNS域名解析", "选择夹8"}, {"脚本", "选择夹9"},   {"常用工具", "选择夹10"},
};

TEST(MainLayout, HoldsNineSectionsEachWithItsSubTab) {
    const WindowSpec& spec = BuiltInLayout("main.json");
    HeadlessUi ui;
    Window& w = ui.createWindow(spec, nullptr, {});
    EXPECT_EQ(w.windowRect().w, 965);

    std::vector<GbkText> outer;
    for (const SectionCase& s : kSections) outer.push_back(G(s.outerCaption));
    EXPECT_EQ(w.items(G("选择夹1")), outer);

    // Each sub-tab control sits on its own section's page of the outer tabs.
    for (const SectionCase& s : kSections) {
        bool found = false;
        ForEachControl(spec.controls, [&](const ControlSpec& c, const ControlSpec* parent) {
            if (c.name == G(s.tab)) {
                ASSERT_NE(parent, nullptr);
                EXPECT_EQ(parent->text, G(s.outerCaption));
                EXPECT_FALSE(c.children.empty());
                found = true;
            }
        });
        EXPECT_TRUE(found) << s.tab;
    }
}

// Page 0 of a section is its information page: one read-only text that names
// every working page of the section by its tab caption, so that a renamed
// page shows up here instead of leaving a stale description behind.
TEST(MainLayout, InformationPagesNameTheirSectionsPages) {
    const std::pair<const char*, const char*> introBoxes[] = {
        {"选择夹3", "标签_安装介绍"},      {"选择夹4", "标签_PPPOE介绍"}, {"选择夹5", "标签_限速介绍"},
        {"选择夹6", "标签_防火墙介绍"},    {"选择夹7", "标签_VPN介绍"},   {"选择夹9", "标签_脚本介绍"},
        {"选择夹10", "标签_常用工具介绍"},
    };
    const WindowSpec& spec = BuiltInLayout("main.json");
    for (const auto& [tab, box] : introBoxes) {
        SCOPED_TRACE(box);
        const ControlSpec* subTab = FindControl(spec.controls, G(tab));
        ASSERT_NE(subTab, nullptr);
        ASSERT_FALSE(subTab->children.empty());
        const ControlSpec& firstPage = subTab->children.front();
        ASSERT_EQ(firstPage.children.size(), 1u);
        const ControlSpec& intro = firstPage.children.front();
        EXPECT_EQ(intro.name, G(box));
        EXPECT_EQ(intro.kind, Kind::Label);
        for (std::size_t page = 1; page < subTab->children.size(); ++page) {
            const Gbk& caption = subTab->children[page].text;
            EXPECT_NE(intro.text.find(G("“") + caption + G("”")), std::string::npos) << test::Visible(caption);
        }
    }
}

// Top-level items are the sections' own pages, the rest hang under their section.
TEST(MainLayout, TreeHasItsItemsInTwoLevels) {
    HeadlessUi ui;
    Window& w = ui.createWindow(BuiltInLayout("main.json"), nullptr, {});
    auto items = w.treeItems(G("树型框1"));
    const auto find = [&items](const char* text) {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].text == G(text)) return static_cast<int>(i);
        return -2;
    };
    EXPECT_EQ(items.at(0).text, G("系统"));
    EXPECT_EQ(items.at(0).parent, -1);
    EXPECT_EQ(items.at(static_cast<std::size_t>(find("DDNS动态域名服务"))).parent, -1);
    EXPECT_EQ(items.at(static_cast<std::size_t>(find("推荐防火墙脚本"))).parent, find("防火墙(Firewall)"));
    EXPECT_EQ(items.at(static_cast<std::size_t>(find("快速标记上传下载包"))).parent, find("常用工具"));
}

TEST(MainLayout, ScriptStripAndFrameControls) {
    HeadlessUi ui;
    Window& w = ui.createWindow(BuiltInLayout("main.json"), nullptr, {});
    const std::pair<const char*, const char*> captions[] = {
        {"按钮_清空内容", "清空内容"},
        {"按钮_复制内容", "复制内容"},
        {"按钮_另存为", "内容另存为"},
        {"按钮_替换", "替换"},
        {"按钮_转换为中文", "转换为中文"},
        {"按钮_转换为ROS文", "转换为ROS文"},
        {"标签_生成时间", "脚本最后生成时间"},
        {"标签_提示", "直接将脚本文件拖曳到上方↑即可显示内容"},
        {"标签_版本", "2.5"},
        {"标签_今天次数", "235"},
        {"标签_昨天次数", "500"},
        {"按钮_打开", "打开"},
    };
    for (auto [name, caption] : captions) EXPECT_EQ(w.text(G(name)), G(caption)) << name;
    EXPECT_EQ(w.text(G("按钮_语言")), G("切換繁體"));
    EXPECT_TRUE(w.readOnly(G("编辑框_行号")));
    EXPECT_FALSE(w.visible(G("按钮_登录")));
    EXPECT_TRUE(w.checked(G("菜单_关闭时隐藏")));
    EXPECT_FALSE(w.checked(G("菜单_关闭时退出")));
    EXPECT_EQ(w.items(G("组合框_工具名")).size(), 7u);
    EXPECT_EQ(w.currentItem(G("组合框_工具名")), -1);
}

// The boxes whose typing the layouts limit; a box the program fills is never cut.
TEST(Layouts, BoxesLimitWhatAUserTypes) {
    struct Limit {
        const char* layout;
        const char* box;
        bool digits;
        int maxLength;
    };
    const Limit limits[] = {
        {"main.json", "编辑框_81生成个数", true, 4},
        {"main.json", "编辑框_83timeout", true, 0},
        {"tools/subnet_calculator.json", "编辑框_ip1", true, 3},
        {"tools/subnet_calculator.json", "编辑框_ip5", true, 3},
        {"tools/subnet_calculator.json", "编辑框_ip6", true, 0},
    };
    for (const Limit& limit : limits) {
        const ControlSpec* found = nullptr;
        ForEachControl(BuiltInLayout(limit.layout).controls, [&](const ControlSpec& c, const ControlSpec*) {
            if (c.name == G(limit.box)) found = &c;
        });
        ASSERT_NE(found, nullptr) << limit.box;
        EXPECT_EQ(found->digitsOnly, limit.digits) << limit.box;
        EXPECT_EQ(found->maxLength, limit.maxLength) << limit.box;
    }
    EXPECT_THROW(ParseLayout(R"({"name":"w","controls":[{"kind":"edit","name":"a","maxlength":-1}]})"),
                 std::runtime_error);

    HeadlessUi ui;
    auto& w = static_cast<HeadlessWindow&>(ui.createWindow(
        ParseLayout(R"({"name":"w","controls":[{"kind":"edit","name":"a","maxlength":3}]})"), nullptr, {}));
    w.type("a", G("中文字符"));
    EXPECT_EQ(w.text("a"), G("中文字"));
    w.setText("a", G("12345"));
    EXPECT_EQ(w.text("a"), G("12345"));
}

TEST(Layout, RejectsUnknownKeysAndKinds) {
    EXPECT_THROW(ParseLayout(R"({"name":"w","controls":[{"kind":"edit","name":"a","colour":1}]})"), std::runtime_error);
    EXPECT_THROW(ParseLayout(R"({"name":"w","controls":[{"kind":"slider","name":"a"}]})"), std::runtime_error);
    EXPECT_THROW(ParseLayout(R"({"name":"w","controls":[{"kind":"edit","name":"a","rect":[1,2]}]})"),
                 std::runtime_error);
    EXPECT_THROW(ParseLayout("{"), std::runtime_error);
}

// Included files stand for one control each, read as strictly as the window's own.
TEST(Layout, IncludesReadTheirFileInPlace) {
    const std::map<std::string, std::string> files = {
        {"part.json", R"({"text": "page", "controls": [{"include": "deeper.json"}, {"kind": "edit", "name": "b"}]})"},
        {"deeper.json", R"({"kind": "check", "name": "a", "checked": true})"},
        {"loop.json", R"({"controls": [{"include": "loop.json"}]})"},
        {"unknown.json", R"({"kind": "edit", "name": "x", "colour": 1})"},
        {"broken.json", "{"},
        {"list.json", R"([{"kind": "edit", "name": "x"}])"},
    };
    const LayoutFiles reader = [&files](std::string_view name) -> std::optional<std::string> {
        const auto it = files.find(std::string(name));
        if (it == files.end()) return std::nullopt;
        return it->second;
    };
    const auto parse = [&reader](const std::string& include) {
        return ParseLayout(R"({"name": "w", "controls": [{"kind": "tab", "name": "t", "pages": [{"text": "first"}, )" +
                               include + "]}]}",
                           reader);
    };
    const WindowSpec w = parse(R"({"include": "part.json", "comment": "the second page"})");
    const ControlSpec& page = w.controls.at(0).children.at(1);
    EXPECT_EQ(page.kind, Kind::Page);
    EXPECT_EQ(page.name, "t#1");  // named as if it stood there
    ASSERT_EQ(page.children.size(), 2u);
    EXPECT_EQ(page.children[0].name, "a");
    EXPECT_TRUE(page.children[0].checked);
    EXPECT_EQ(page.children[1].name, "b");

    const std::pair<const char*, const char*> faults[] = {
        {R"({"include": "missing.json"})", "missing.json"},
        {R"({"include": "part.json", "text": "x"})", "\"text\""},
        {R"({"include": 3})", "include"},
        {R"({"include": "loop.json"})", "includes itself"},
        {R"({"include": "unknown.json"})", "unknown.json: x: unknown key \"colour\""},
        {R"({"include": "broken.json"})", "broken.json is not valid JSON"},
        {R"({"include": "list.json"})", "list.json: an included file holds one control"},
    };
    for (const auto& [include, says] : faults) {
        SCOPED_TRACE(include);
        try {
            parse(include);
            ADD_FAILURE() << "no fault";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
        }
    }
}

// The tree comes before the tab it mirrors, as in the main window; an item
// takes its page's "treeitem", or the page's caption without one.
TEST(Layout, AMirroringTreeListsTheSubTabPagesOfItsTab) {
    const auto window = [](const std::string& tree, const std::string& sections) {
        return R"({"name": "w", "controls": [{"kind": "tree", "name": "nav", "tree": )" + tree +
               R"(}, {"kind": "group", "name": "g", "controls": [{"kind": "tab", "name": "outer", "pages": [)" +
               sections + "]}]}]}";
    };
    const std::string sections =
        R"({"text": "A", "controls": [{"kind": "tab", "name": "a", "pages": [{"text": "A0", "treeitem": "Alpha"}, {"text": "A1"}]}]},)"
        R"({"text": "B", "controls": [{"kind": "label", "name": "l"}, {"kind": "tab", "name": "b", "pages": [{"text": "B0"}]}]},)"
        R"({"text": "C", "controls": [{"kind": "pages", "name": "c", "pages": [{"text": "C0"}, {"text": "C1", "treeitem": "Gamma 1"}, {"text": "C2"}]}]})";
    const WindowSpec w = ParseLayout(window(R"({"tab": "outer"})", sections));
    const std::vector<std::pair<std::string, int>> expected = {{"Alpha", 0}, {"A1", 1},      {"B0", 0},
                                                               {"C0", 0},    {"Gamma 1", 1}, {"C2", 1}};
    std::vector<std::pair<std::string, int>> items;
    for (const TreeItemSpec& item : w.controls.at(0).treeItems) items.emplace_back(item.text, item.level);
    EXPECT_EQ(items, expected);
    EXPECT_EQ(SubTabOf(FindControl(w.controls, "outer")->children.at(1)).name, "b");

    const std::pair<std::string, const char*> faults[] = {
        {window(R"({"tab": "missing"})", sections), "no tab missing"},
        {window(R"({"tab": "g"})", sections), "no tab g"},
        {window(R"({"tab": "outer", "level": 1})", sections), "nothing but"},
        {window(R"({})", sections), "names the \"tab\""},
        {window(R"({"tab": "outer"})", R"({"text": "A", "controls": [{"kind": "label", "name": "l"}]})"), "no sub-tab"},
        {window(R"({"tab": "outer"})", R"({"text": "A", "controls": [{"kind": "tab", "name": "a", "pages": []}]})"),
         "a has no pages"},
        {window(R"({"tab": "outer"})", R"({"text": "A", "treeitem": 1})"), "treeitem"},
        {R"({"name": "w", "controls": [{"kind": "label", "name": "l", "treeitem": "x"}]})", "only a page"},
    };
    for (const auto& [layout, says] : faults) {
        SCOPED_TRACE(layout);
        try {
            ParseLayout(layout);
            ADD_FAILURE() << "no fault";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
        }
    }
}

TEST(HeadlessUi, ChildrenAreTheControlsAControlHoldsItself) {
    HeadlessUi ui;
    Window& w = ui.createWindow(ParseLayout(R"({"name":"w","controls":[
        {"kind":"group","name":"g","controls":[{"kind":"edit","name":"e"},
          {"kind":"group","name":"inner","controls":[{"kind":"edit","name":"deep"}]},{"kind":"check","name":"c"}]},
        {"kind":"tab","name":"t","pages":[{"name":"p0","controls":[{"kind":"edit","name":"onPage"}]}]},
        {"kind":"edit","name":"alone"}]})"),
                                nullptr, {});
    EXPECT_EQ(w.children("g"), (std::vector<std::string>{"e", "inner", "c"}));
    EXPECT_EQ(w.children("t"), (std::vector<std::string>{"p0"}));
    EXPECT_EQ(w.children("p0"), (std::vector<std::string>{"onPage"}));
    EXPECT_TRUE(w.children("alone").empty());
    EXPECT_THROW(w.children("nope"), UnknownControl);
}

TEST(Layout, TextAsLinesJoinsWithCrLf) {
    WindowSpec w = ParseLayout(R"({"name":"w","controls":[{"kind":"edit","name":"a","text":["一","二"]}]})");
    EXPECT_EQ(w.controls[0].text, G("一\r\n二"));
}

TEST(HeadlessUi, UnknownControlIsAClearError) {
    HeadlessUi ui;
    Window& w = ui.createWindow(ParseLayout(R"({"name":"w","controls":[{"kind":"edit","name":"a"}]})"), nullptr, {});
    try {
        w.text("nope");
        FAIL();
    } catch (const UnknownControl& e) {
        EXPECT_EQ(e.control, "nope");
    }
}

TEST(HeadlessUi, RadioGroupsAndDropDownLists) {
    HeadlessUi ui;
    auto& w = static_cast<HeadlessWindow&>(ui.createWindow(ParseLayout(R"({"name":"w","controls":[
        {"kind":"radio","name":"r1","checked":true},{"kind":"radio","name":"r2"},
        {"kind":"radio","name":"x1","group":"other","checked":true},
        {"kind":"combo","name":"c","editable":false,"items":["full","read"],"text":"ignored"}]})"),
                                                           nullptr, {}));
    w.click("r2");
    EXPECT_FALSE(w.checked("r1"));
    EXPECT_TRUE(w.checked("r2"));
    EXPECT_TRUE(w.checked("x1"));
    EXPECT_EQ(w.text("c"), G("full"));
    w.setText("c", G("nothing like it"));
    EXPECT_EQ(w.text("c"), G("full"));
    w.choose("c", 1);
    EXPECT_EQ(w.text("c"), G("read"));
}

// Both realisations start their controls from ControlState, so a combo box
// shows the same text on the desktop as here.
TEST(ControlState, ComboBoxesStartWithTheTextTheirItemsGive) {
    struct Row {
        const char* what;
        bool editable;
        const char* text;
        int current;
        const char* shows;
        int currentAfter;
    };
    const Row rows[] = {
        {"editable, no text, item chosen", true, "", 0, "qq.com", 0},
        {"editable, a text of its own", true, "own", 1, "own", 1},
        {"editable, nothing chosen", true, "", -1, "", -1},
        {"editable, a choice past its items", true, "", 7, "", 7},
        {"drop-down list, nothing chosen", false, "ignored", -1, "qq.com", 0},
        {"drop-down list, second chosen", false, "ignored", 1, "163.com", 1},
    };
    for (const Row& r : rows) {
        ControlSpec spec;
        spec.kind = Kind::Combo;
        spec.editable = r.editable;
        spec.text = r.text;
        spec.items = {"qq.com", "163.com"};
        spec.current = r.current;
        ControlState c;
        c.start(spec, "");
        EXPECT_EQ(c.text, r.shows) << r.what;
        EXPECT_EQ(c.current, r.currentAfter) << r.what;
    }
}

// The desktop's address box hands over its four fields, a missing one as
// empty; the headless one splits its text. Both read the same address.
TEST(ControlState, AnAddressReadsEachFieldAsANumberUpTo255) {
    struct Row {
        std::vector<Gbk> fields;
        const char* reads;
    };
    const Row rows[] = {
        {{}, "0.0.0.0"},
        {{"192", "168", "", ""}, "192.168.0.0"},
        {{"300", "-5", "1"}, "255.0.1.0"},
        {{"010", "99999999999999999999", "x", "7", "8"}, "10.255.0.7"},
    };
    for (const Row& r : rows) EXPECT_EQ(AddressText(r.fields), r.reads) << r.reads;
}

}  // namespace
}  // namespace trelvix::ui

namespace trelvix::ui {
namespace {

TEST(HeadlessUi, ReadsControlsAsTheDesktopDoes) {
    HeadlessUi ui;
    auto& w = static_cast<HeadlessWindow&>(ui.createWindow(ParseLayout(R"({"name":"w","controls":[
        {"kind":"ip","name":"ip"},{"kind":"hscroll","name":"s","min":1,"max":32},
        {"kind":"combo","name":"c","items":["a","b"],"current":1},
        {"kind":"report","name":"r","columns":["x"]},
        {"kind":"tab","name":"t","pages":[{"name":"p0","text":"one"},{"name":"p1","text":"two"}]}]})"),
                                                           nullptr, {}));
    EXPECT_EQ(w.text("ip"), G("0.0.0.0"));
    w.setText("ip", G("192.168..300"));
    EXPECT_EQ(w.text("ip"), G("192.168.0.255"));
    EXPECT_EQ(w.currentItem("s"), 1);
    EXPECT_EQ(w.text("c"), G("b"));
    for (const char* cell : {"0", "1", "2"}) w.addRow("r", {G(cell)});
    w.setCurrentItem("r", 2);
    w.removeRow("r", 0);
    EXPECT_EQ(w.currentItem("r"), 1);
    w.removeRow("r", 1);
    EXPECT_EQ(w.currentItem("r"), -1);
    w.setText("p1", G("deux"));
    EXPECT_EQ(w.items("t"), (std::vector<GbkText>{G("one"), G("deux")}));
}

}  // namespace
}  // namespace trelvix::ui

namespace trelvix::ui {
namespace {

TEST(TreeItemsOf, EachItemHangsUnderTheNearestHigherItemBeforeIt) {
    const std::vector<TreeItemSpec> spec = {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 1}, {"e", 0}, {"f", 2}};
    std::vector<int> parents;
    for (const TreeItem& t : TreeItemsOf(spec)) parents.push_back(t.parent);
    EXPECT_EQ(parents, (std::vector<int>{-1, 0, 1, 0, -1, 4}));
}

}  // namespace
}  // namespace trelvix::ui
