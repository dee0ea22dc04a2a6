// The build step that makes the packs, run on a small set of layout files:
// sections in their order, every kind's entries (hidden controls and included
// pages too), line breaks as the marker where a pack keeps them, Taiwan's
// character forms in Big5, and no entry for the version label.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Big5.h"
#include "TestSupport.h"

namespace trelvix::test {
namespace {

namespace fs = std::filesystem;

int RunGenerator(const fs::path& layouts, const fs::path& out, const std::string& packs) {
    const std::string command = std::string("'") + TRELVIX_PACK_GENERATOR + "' '" + layouts.string() + "' '" +
                                out.string() + "' " + packs + " 2>" + (out.parent_path() / "errors.txt").string();
    return std::system(command.c_str());
}

TEST(PackGenerator, WritesEveryEntryOfTheWindowInSectionOrder) {
    TempHome home;
    const fs::path layouts = home.root() / "layouts", out = home.root() / "packs";
    WriteBytes(layouts / "main.json", R"({"name": "窗口", "controls": [
      {"kind": "tree", "name": "树型框1", "tree": [["系统", 0], ["添加管理员", 1]]},
      {"kind": "label", "name": "标签_版本", "text": "2.8"},
      {"kind": "tab", "name": "选择夹1", "pages": [{"include": "main/page.json"}]},
      {"kind": "button", "name": "按钮_语言", "text": "切換繁體"},
      {"kind": "combo", "name": "组合框1", "items": ["简体"]}
    ]})");
    WriteBytes(layouts / "main/page.json", R"({"kind": "page", "name": "页1", "text": "系统", "controls": [
      {"kind": "edit", "name": "编辑框_备注", "text": ["第一行", "启动后"]},
      {"kind": "label", "name": "标签_说明", "text": "为设置"},
      {"kind": "group", "name": "分组框_组", "text": "网络", "visible": false, "controls": [
        {"kind": "check", "name": "选择框_开", "text": "开启"},
        {"kind": "radio", "name": "单选框_里", "text": "里面"}
      ]}
    ]})");
    ASSERT_EQ(RunGenerator(layouts, out, "language1.ini=main.json"), 0)
        << ReadBytes(home.root() / "errors.txt").value_or("");

    auto section = [](const char* name) { return "[" + G(name) + "]\r\n"; };
    auto entry = [](const char* key, const char* value) { return G(key) + "=" + B5(value) + "\r\n"; };
    const std::string expected = section("编辑框1") + entry("编辑框_备注", "第一行><br><啟動後") + section("标签1") +
                                 entry("标签_说明", "為設置") + section("按钮1") + entry("按钮_语言", "切換繁體") +
                                 section("单选框1") + entry("单选框_里", "裡面") + section("选择框1") +
                                 entry("选择框_开", "開啟") + section("分组框1") + entry("分组框_组", "網絡") +
                                 section("树型框1") + entry("树型框0", "系統") + entry("树型框1", "添加管理員");
    EXPECT_EQ(Visible(ReadBytes(out / "language1.ini").value_or("")), Visible(expected));
}

// A caption on several lines has no form in a pack: the build says which.
TEST(PackGenerator, RefusesALineBreakInACaption) {
    TempHome home;
    const fs::path layouts = home.root() / "layouts", out = home.root() / "packs";
    WriteBytes(layouts / "w.json",
               R"({"name": "w", "controls": [{"kind": "button", "name": "按钮1", "text": ["a", "b"]}]})");
    EXPECT_NE(RunGenerator(layouts, out, "language9.ini=w.json"), 0);
    EXPECT_FALSE(fs::exists(out / "language9.ini"));
    EXPECT_NE(ReadBytes(home.root() / "errors.txt").value_or("").find("按钮1"), std::string::npos);
}

}  // namespace
}  // namespace trelvix::test
