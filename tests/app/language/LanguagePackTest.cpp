// Applying a pack: which control takes which value, Big5 values shown as GBK,
// and the packs the build makes from the layouts of the five windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Big5.h"
#include "ProgramFixture.h"
#include "TestSupport.h"
#include "app/LanguagePackKinds.h"
#include "app/LanguagePacks.h"
#include "app/ToolWindows.h"
#include "common/platform/Ini.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix::test {
namespace {

namespace fs = std::filesystem;

// One control of each kind a pack touches, and one it does not.
constexpr const char* kFakeWindow = R"({"name": "测试窗口", "controls": [
  {"kind": "edit", "name": "编辑框_空值", "text": "原内容"},
  {"kind": "edit", "name": "编辑框_两行", "text": "原内容"},
  {"kind": "edit", "name": "编辑框_无键", "text": "原内容"},
  {"kind": "code", "name": "编辑框_代码", "text": "代码"},
  {"kind": "label", "name": "标签_两行", "text": "标签"},
  {"kind": "label", "name": "标签_空值", "text": "标签"},
  {"kind": "label", "name": "标签_版本", "text": "2.8"},
  {"kind": "label", "name": "版本", "text": "v"},
  {"kind": "group", "name": "分组框_甲", "text": "分组", "controls": [
    {"kind": "button", "name": "按钮_空值", "text": "按钮"},
    {"kind": "button", "name": "按钮_标记", "text": "按钮"},
    {"kind": "button", "name": "按钮_无键", "text": "按钮", "visible": false},
    {"kind": "radio", "name": "单选框_甲", "text": "单选"},
    {"kind": "check", "name": "选择框_无键", "text": "选择"}
  ]},
  {"kind": "tree", "name": "树型框1", "tree": [["一", 0], ["二", 1], ["三", 1]]},
  {"kind": "combo", "name": "组合框_甲", "text": "组合", "items": ["组合"]}
]})";

std::string FakePack() {
    auto line = [](const char* key, const char* value) { return G(key) + "=" + B5(value) + "\r\n"; };
    return "[" + G("编辑框1") + "]\r\n" + line("编辑框_空值", "") + line("编辑框_两行", "第一行><br><第二行") +
           line("编辑框_代码", "程式碼") + "[" + G("标签1") + "]\r\n" + line("标签_两行", "標籤><br><二") +
           line("标签_空值", "") + line("标签_版本", "9.9") + line("版本", "9.9") + "[" + G("按钮1") + "]\r\n" +
           line("按钮_空值", "") + line("按钮_标记", "甲><br><乙") + "[" + G("单选框1") + "]\r\n" +
           line("单选框_甲", "單選") + "[" + G("分组框1") + "]\r\n" + line("分组框_甲", "分組") + "[" + G("树型框1") +
           "]\r\n" + line("树型框0", "壹") + line("树型框2", "參") + "[" + G("组合框1") + "]\r\n" +
           line("组合框_甲", "組合");
}

struct Expected {
    const char* control;
    const char* text;
};

TEST(ApplyLanguagePack, EachKindTakesItsValueAsThePackRulesSay) {
    ui::HeadlessUi ui;
    ui::Window& w = ui.createWindow(ui::ParseLayout(kFakeWindow), nullptr, {});
    ApplyLanguagePack(w, IniText(FakePack()));
    const Expected table[] = {
        {"编辑框_空值", "原内容"},  // an empty value keeps the content
        {"编辑框_两行", "第一行\r\n第二行"},
        {"编辑框_无键", "原内容"},
        {"编辑框_代码", "程式碼"},  // a code box is an edit box
        {"标签_两行", "標籤\r\n二"},
        {"标签_空值", "标签"},
        {"标签_版本", "2.8"},         // the version label is never translated,
        {"版本", "v"},                // nor a label whose name is part of its name
        {"按钮_空值", ""},            // an empty value empties a caption
        {"按钮_标记", "甲><br><乙"},  // buttons keep the marker as it is
        {"按钮_无键", ""},            // and a missing key empties it too
        {"单选框_甲", "單選"},
        {"选择框_无键", ""},
        {"分组框_甲", "分組"},
        {"组合框_甲", "组合"},  // kinds without a section are left alone
    };
    for (const Expected& e : table) EXPECT_EQ(Visible(w.text(G(e.control))), Visible(G(e.text))) << e.control;

    const std::vector<ui::TreeItem> items = w.treeItems(G("树型框1"));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, G("壹"));
    EXPECT_TRUE(items[1].text.empty());  // no key 树型框1
    EXPECT_EQ(items[2].text, G("參"));
    EXPECT_EQ(items[2].parent, 0);  // the tree keeps its shape
}

// A pack file that cannot be read holds no entries: edit boxes and labels keep
// their texts, every caption goes.
TEST(ApplyLanguageFile, AMissingFileLeavesTextsAndEmptiesCaptions) {
    TempHome home;
    ui::HeadlessUi ui;
    ui::Window& w = ui.createWindow(ui::ParseLayout(kFakeWindow), nullptr, {});
    ApplyLanguageFile(w, home.root() / "missing.ini");
    EXPECT_EQ(w.text(G("编辑框_两行")), G("原内容"));
    EXPECT_EQ(w.text(G("标签_两行")), G("标签"));
    EXPECT_TRUE(w.text(G("按钮_标记")).empty());
    EXPECT_TRUE(w.text(G("分组框_甲")).empty());

    const fs::path file = home.root() / "pack.ini";
    std::ofstream(file, std::ios::binary) << FakePack();
    ApplyLanguageFile(w, file);
    EXPECT_EQ(w.text(G("标签_两行")), G("標籤\r\n二"));
    EXPECT_EQ(w.text(G("分组框_甲")), G("分組"));
}

// Big5's second bytes take in "[", "\" and "]": 加 A5 5B, 功 A5 5C, 包 A5 5D.
TEST(ApplyLanguagePack, BigFiveValuesWithBracketAndBackslashBytesReadWhole) {
    ASSERT_EQ(B5("加功包"), "\xA5\x5B\xA5\x5C\xA5\x5D");
    const std::string pack = "[" + G("按钮1") + "]\r\n" + G("按钮_空值") + "=" + B5("加功包") + "\r\n" +
                             G("按钮_标记") + "= " + B5("功") + "\r\n" + G("按钮_无键") + "=" + B5("也") + "\r\n" +
                             "[" + G("分组框1") + "]\r\n" + G("分组框_甲") + "=" + B5("包") + "\r\n";
    ui::HeadlessUi ui;
    ui::Window& w = ui.createWindow(ui::ParseLayout(kFakeWindow), nullptr, {});
    ApplyLanguagePack(w, IniText(pack));
    EXPECT_EQ(w.text(G("按钮_空值")), G("加功包"));
    EXPECT_EQ(w.text(G("按钮_标记")), G("功"));  // ends in a backslash byte
    EXPECT_EQ(w.text(G("按钮_无键")), G("也"));  // ends in "]"
    EXPECT_EQ(w.text(G("分组框_甲")), G("包"));
}

TEST(ApplyLanguagePack, AValueIsCutAtItsLastWholeCharacterWithinTheReadBuffer) {
    const std::string big5 = std::string(10238, 'a') + B5("功功");  // 10,242 bytes
    const std::string pack = "[" + G("标签1") + "]\r\n" + G("标签_两行") + "=" + big5 + "\r\n";
    ui::HeadlessUi ui;
    ui::Window& w = ui.createWindow(ui::ParseLayout(kFakeWindow), nullptr, {});
    ApplyLanguagePack(w, IniText(pack));
    EXPECT_EQ(w.text(G("标签_两行")), std::string(10238, 'a'));
}

TEST(Big5ToGbk, TheSwitchCaptionsBytesReadAsTheirCharacters) {
    EXPECT_EQ(Big5ToGbk("\xA4\xC1\xB4\xAB\xC2\xB2\xC5\xE9"), G("切換簡體"));
    EXPECT_EQ(Big5ToGbk(B5("切換繁體")), G("切換繁體"));
}

// The packs the build made: an entry for every control of their kinds in the
// window's layout (hidden ones and other pages' too), none for the version
// label, and every value in Big5.
struct PackWindow {
    const char* pack;
    const char* layout;
};
constexpr PackWindow kPackWindows[] = {
    {"language1.ini", "main.json"},
    {"language2.ini", "tools/route_table.json"},
    {"language3.ini", "tools/subnet_calculator.json"},
    {"language4.ini", "tools/script_editor.json"},
    {"language5.ini", "tools/ipv6_tunnel.json"},
};

TEST(BuiltInLanguagePacks, HoldEveryControlOfTheirWindowsLayout) {
    for (const PackWindow& pw : kPackWindows) {
        SCOPED_TRACE(pw.pack);
        const auto bytes = BuiltInLanguagePack(pw.pack);
        ASSERT_TRUE(bytes.has_value());
        ASSERT_FALSE(bytes->empty());
        EXPECT_NE(bytes->substr(0, 3), "\xEF\xBB\xBF");
        EXPECT_EQ(bytes->substr(bytes->size() - 2), "\r\n");
        const IniText pack{*bytes};
        int entries = 0;
        ui::ForEachControl(ui::BuiltInLayout(pw.layout).controls, [&](const ui::ControlSpec& c,
                                                                      const ui::ControlSpec*) {
            const std::optional<PackSection> section = PackSectionOf(c.kind);
            if (!section) return;
            if (*section == PackSection::TreeItems) {
                for (std::size_t i = 0; i < c.treeItems.size(); ++i, ++entries)
                    EXPECT_TRUE(pack.value(c.name, TreeItemKey(i)).has_value()) << Visible(c.name) << " " << i;
                return;
            }
            const std::optional<Gbk> value = pack.value(PackSectionName(*section), c.name);
            if (*section == PackSection::Labels && c.name == G("标签_版本")) {
                EXPECT_FALSE(value.has_value());
                return;
            }
            ++entries;
            ASSERT_TRUE(value.has_value()) << Visible(c.name);
            // Big5 all through: decoded and written again, the bytes come back.
            EXPECT_EQ(B5(Utf8FromGbk(Big5ToGbk(*value))), *value) << Visible(c.name);
        });
        EXPECT_GT(entries, 0);
    }
}

TEST(BuiltInLanguagePacks, TheMainWindowsTextsInTraditionalCharacters) {
    const IniText pack{*BuiltInLanguagePack("language1.ini")};
    EXPECT_EQ(pack.value(G("树型框1"), G("树型框0")), B5("系統"));
    EXPECT_EQ(pack.value(G("树型框1"), G("树型框41")), B5("快速標記上傳下載包"));
    EXPECT_EQ(pack.value(G("按钮1"), G("按钮_清空内容")), B5("清空內容"));
    EXPECT_EQ(pack.value(G("分组框1"), G("分组框1")), B5("系統"));
}

// The start-up in traditional mode, on the headless main window.
TEST(TraditionalStart, TheMainWindowShowsThePackAndOffersTheWayBack) {
    Program p;
    p.writeConfig("[log]\r\nlanguage=1\r\n");
    ui::HeadlessWindow& w = p.start();
    EXPECT_EQ(w.text(G("按钮_语言")), G("切換簡體"));
    EXPECT_EQ(w.text(G("按钮_清空内容")), G("清空內容"));
    EXPECT_EQ(w.text(G("标签_版本")), Gbk("2.8"));
    EXPECT_EQ(w.treeItems(G("树型框1")).at(0).text, G("系統"));
    EXPECT_FALSE(fs::exists(p.settingsDir() / "language1.ini"));  // applied from memory
}

// A tool with a pack applies it in its created event, once.
struct ToolPack {
    ToolIndex tool;
    const char* pack;
    const char* group;
    const char* traditional;
    const char* simplified;
};
constexpr ToolPack kToolPacks[] = {
    {ToolIndex::RouteTable, "language2.ini", "分组框1", "運營商列表", "运营商列表"},
    {ToolIndex::SubnetCalculator, "language3.ini", "分组框1", "子網可用IP地址:", "子网可用IP地址:"},
};

TEST(TraditionalStart, ToolWindowsApplyTheirOwnPack) {
    for (const ToolPack& t : kToolPacks) {
        for (const bool traditional : {true, false}) {
            SCOPED_TRACE(std::string(t.pack) + (traditional ? " traditional" : " simplified"));
            Program p;
            p.writeConfig(traditional ? "[log]\r\nlanguage=1\r\n" : "[log]\r\nlanguage=0\r\n");
            p.start();
            p.steps.clear();
            ui::Window* tool = ShowToolWindow(p.app, static_cast<int>(t.tool));
            ASSERT_NE(tool, nullptr);
            EXPECT_EQ(tool->text(G(t.group)), G(traditional ? t.traditional : t.simplified));
            if (traditional) {
                EXPECT_EQ(p.steps, std::vector<std::string>{"apply pack " + std::string(t.pack)});
            } else {
                EXPECT_TRUE(p.steps.empty());
            }
        }
    }
}

}  // namespace
}  // namespace trelvix::test
