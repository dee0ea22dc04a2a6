// The build step that writes the control-name headers, run on a small set of
// layout files: each file's own names in its own header and namespace, names
// as GBK escapes, and the faults that stop the build. Then one header of the
// real build, included by this UTF-8 file, against the window it describes.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "TestSupport.h"
#include "names/tools/subnet_calculator.h"
#include "ui/Layout.h"

namespace trelvix::test {
namespace {

namespace fs = std::filesystem;

struct GeneratorRun {
    int status;
    std::string errors;
};

GeneratorRun RunGenerator(const fs::path& root, const std::string& layouts) {
    const fs::path errors = root / "errors.txt";
    const std::string command = std::string("'") + TRELVIX_NAMES_GENERATOR + "' '" + (root / "layouts").string() +
                                "' '" + (root / "out").string() + "' " + layouts + " 2>'" + errors.string() + "'";
    const int status = std::system(command.c_str());
    return {status, ReadBytes(errors).value_or("")};
}

// A window with an unnamed tab and page, a page in a file of its own, and a
// control that page includes from a third file.
void WriteThreeFiles(const fs::path& layouts) {
    WriteBytes(layouts / "main.json", R"({"name": "主窗口", "controls": [
      {"kind": "button", "name": "按钮1", "text": "生成"},
      {"kind": "tab", "pages": [{"include": "main/page.json"}, {"text": "空页"}]}
    ]})");
    WriteBytes(layouts / "main/page.json", R"({"text": "页", "controls": [
      {"kind": "edit", "name": "编辑框_甲"},
      {"include": "main/small-part.json"},
      {"kind": "label", "name": "标签_乙"}
    ]})");
    WriteBytes(layouts / "main/small-part.json", R"({"kind": "check", "name": "选择框_丙"})");
}

std::string Header(const std::string& file, const std::string& ns, const std::string& constants) {
    return "// Made by trelvix_make_control_names from the layout " + file +
           "; do not edit.\n"
           "// The names of the controls written in that file, as the window calls take them.\n"
           "#pragma once\n\nnamespace " +
           ns + " {\n\n" + constants + "\n}  // namespace " + ns + "\n";
}

TEST(ControlNames, EachFileHasItsOwnNamesInItsOwnHeader) {
    TempHome home;
    WriteThreeFiles(home.root() / "layouts");
    const GeneratorRun run = RunGenerator(home.root(), "main.json --parts main/page.json main/small-part.json");
    ASSERT_EQ(run.status, 0) << run.errors;

    const fs::path out = home.root() / "out" / "names";
    EXPECT_EQ(ReadBytes(out / "main.h").value_or(""),
              Header("main.json", "trelvix::names::main",
                     "inline constexpr char 按钮1[] = \"\\xB0\\xB4\\xC5\\xA5\\x31\";\n"));
    EXPECT_EQ(ReadBytes(out / "main/page.h").value_or(""),
              Header("main/page.json", "trelvix::names::main::page",
                     "inline constexpr char 编辑框_甲[] = \"\\xB1\\xE0\\xBC\\xAD\\xBF\\xF2\\x5F\\xBC\\xD7\";\n"
                     "inline constexpr char 标签_乙[] = \"\\xB1\\xEA\\xC7\\xA9\\x5F\\xD2\\xD2\";\n"));
    EXPECT_EQ(ReadBytes(out / "main/small-part.h").value_or(""),
              Header("main/small-part.json", "trelvix::names::main::small_part",
                     "inline constexpr char 选择框_丙[] = \"\\xD1\\xA1\\xD4\\xF1\\xBF\\xF2\\x5F\\xB1\\xFB\";\n"));
}

// A header whose text stays the same keeps its time, so that editing a caption
// recompiles nothing; a new name rewrites it.
TEST(ControlNames, RewritesAHeaderOnlyWhenItsNamesChange) {
    TempHome home;
    const fs::path layouts = home.root() / "layouts", header = home.root() / "out" / "names" / "w.h";
    WriteBytes(layouts / "w.json",
               R"({"name": "w", "controls": [{"kind": "button", "name": "按钮1", "text": "生成"}]})");
    ASSERT_EQ(RunGenerator(home.root(), "w.json").status, 0);
    const fs::file_time_type old = fs::last_write_time(header) - std::chrono::hours(1);
    fs::last_write_time(header, old);

    WriteBytes(layouts / "w.json",
               R"({"name": "w", "controls": [{"kind": "button", "name": "按钮1", "text": "另存"}]})");
    ASSERT_EQ(RunGenerator(home.root(), "w.json").status, 0);
    EXPECT_EQ(fs::last_write_time(header), old);

    WriteBytes(layouts / "w.json", R"({"name": "w", "controls": [{"kind": "button", "name": "按钮2"}]})");
    ASSERT_EQ(RunGenerator(home.root(), "w.json").status, 0);
    EXPECT_NE(fs::last_write_time(header), old);
    EXPECT_NE(ReadBytes(header).value_or("").find("按钮2"), std::string::npos);
}

// What cannot become a constant, or would leave code without a header, stops
// the build with a message that says where.
TEST(ControlNames, RefusesWhatCodeCouldNotName) {
    struct Case {
        const char* what;
        const char* window;
        const char* part;  // main/page.json, or nullptr
        const char* layouts;
        const char* named;  // in the message
    };
    const Case cases[] = {
        {"a blank in a name", R"({"name": "w", "controls": [{"kind": "button", "name": "按钮 1"}]})", nullptr,
         "main.json", "按钮 1"},
        {"a name starting with a digit", R"({"name": "w", "controls": [{"kind": "button", "name": "1按钮"}]})", nullptr,
         "main.json", "1按钮"},
        {"a name twice in one file",
         R"({"name": "w", "controls": [{"kind": "button", "name": "按钮1"}, {"kind": "label", "name": "按钮1"}]})",
         nullptr, "main.json", "按钮1"},
        {"a part no window includes", R"({"name": "w", "controls": []})", R"({"text": "页"})",
         "main.json --parts main/page.json", "main/page.json"},
        {"an included file not listed as a part",
         R"({"name": "w", "controls": [{"kind": "tab", "pages": [{"include": "main/page.json"}]}]})",
         R"({"text": "页"})", "main.json", "main/page.json"},
        {"a window that is not there", R"({"name": "w"})", nullptr, "main.json other.json", "other.json"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempHome home;
        WriteBytes(home.root() / "layouts" / "main.json", c.window);
        if (c.part) WriteBytes(home.root() / "layouts" / "main" / "page.json", c.part);
        const GeneratorRun run = RunGenerator(home.root(), c.layouts);
        EXPECT_NE(run.status, 0);
        EXPECT_NE(run.errors.find(c.named), std::string::npos) << run.errors;
    }
}

// This file is UTF-8, the program's code GBK: the constants hold the GBK
// bytes either way, and they are the names the built-in window has.
TEST(ControlNames, TheBuildsHeadersHoldTheBuiltInWindowsNamesInGbk) {
    namespace subnet = names::tools::subnet_calculator;
    EXPECT_BYTES(subnet::标签_网络掩码十进制, G("标签_网络掩码十进制"));
    const ui::WindowSpec& window = ui::BuiltInLayout("tools/subnet_calculator.json");
    bool found = false;
    ui::ForEachControl(window.controls, [&](const ui::ControlSpec& c, const ui::ControlSpec*) {
        found = found || c.name == subnet::标签_网络掩码十进制;
    });
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace trelvix::test
