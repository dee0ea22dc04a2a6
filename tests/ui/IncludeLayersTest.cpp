// The program is built in layers, common < ui < tools < generators < app: a
// page may open a tool window, but no tool knows a page, and nothing below
// app knows the program's start-up. Every library's sources share one include
// root, so an include that reaches upwards compiles without a word and only
// shows when a library has to be linked alone. These tests read each
// source's quoted includes and name every one that reaches above its layer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace trelvix {
namespace {

namespace fs = std::filesystem;

// The folders that form the layers, the lowest first. The wx realisation and
// the language-pack maker sit inside their layer's folder but are private to
// it: only `users` (a folder, or one file) may include them.
struct Layer {
    const char* folder;
    int rank;
    std::vector<const char*> users;  // empty: everything at this rank and above
};

const Layer kLayers[] = {
    {"common", 0, {}},     {"ui/wx", 1, {"ui/wx", "app/main.cpp"}}, {"ui", 1, {}},  {"tools", 2, {}},
    {"generators", 3, {}}, {"app/packgen", 4, {"app/packgen"}},     {"app", 4, {}},
};

bool IsWithin(const fs::path& path, const fs::path& folder) {
    auto p = path.begin();
    for (const auto& part : folder) {
        if (p == path.end() || *p != part) return false;
        ++p;
    }
    return true;
}

// The innermost layer holding the path, or null.
const Layer* LayerOf(const fs::path& path) {
    for (const Layer& layer : kLayers)
        if (IsWithin(path, layer.folder)) return &layer;
    return nullptr;
}

// Why `file` (a path from the source root) may not include `included` (as
// resolved, from the source root), or nothing when it may. Paths in no layer
// (the tests, generated headers) are not judged.
std::optional<std::string> LayerFault(const fs::path& file, const fs::path& included) {
    const Layer* from = LayerOf(file);
    const Layer* to = LayerOf(included);
    if (!from || !to || from == to) return std::nullopt;
    if (!to->users.empty()) {
        const bool allowed = std::any_of(to->users.begin(), to->users.end(),
                                         [&](const char* user) { return IsWithin(file, user); });
        if (allowed) return std::nullopt;
        return std::string(to->folder) + "/ is private to " + to->users.front();
    }
    if (to->rank > from->rank) return std::string(from->folder) + "/ is below " + to->folder + "/";
    return std::nullopt;
}

struct FaultCase {
    const char* file;
    const char* included;
    bool fault;
};

const FaultCase kFaultCases[] = {
    // Downwards and within a layer.
    {"generators/PageContext.h", "tools/ToolIndex.h", false},
    {"generators/vpn/VpnSection.cpp", "ui/Ui.h", false},
    {"tools/l7/L7Tools.cpp", "common/text/Gbk.h", false},
    {"app/MainFrame.cpp", "generators/Sections.h", false},
    {"common/EmbeddedData.cpp", "common/EmbeddedIndex.h", false},
    // Upwards.
    {"generators/tools/ToolsSection.cpp", "app/Maker.h", true},
    {"tools/ToolWindows.cpp", "generators/PageContext.h", true},
    {"common/http/HttpRequest.cpp", "ui/Ui.h", true},
    {"ui/Layout.cpp", "tools/ToolIndex.h", true},
    {"ui/wx/WxUi.cpp", "tools/ToolWindows.h", true},
    // The wx realisation: its own files and the executable only.
    {"ui/wx/WxWindow.cpp", "ui/wx/WxText.h", false},
    {"ui/wx/WxUi.cpp", "ui/Window.h", false},
    {"app/main.cpp", "ui/wx/WxUi.h", false},
    {"ui/Ui.cpp", "ui/wx/WxUi.h", true},
    {"app/Program.cpp", "ui/wx/WxUi.h", true},
    {"generators/Outcome.cpp", "ui/wx/WxText.h", true},
    // The pack maker is a build tool: it uses app/, nothing uses it.
    {"app/packgen/PackExport.cpp", "app/LanguagePackKinds.h", false},
    {"app/LanguagePacks.cpp", "app/packgen/PackExport.h", true},
    // Outside the layers.
    {"tests/app/frame/MainFrameTest.cpp", "app/App.h", false},
    {"app/App.h", "EmbeddedIndex.h", false},
};

TEST(IncludeLayerRule, JudgesEachIncludeByTheLayersOfBothFiles) {
    for (const FaultCase& c : kFaultCases) {
        SCOPED_TRACE(std::string(c.file) + " includes " + c.included);
        EXPECT_EQ(LayerFault(c.file, c.included).has_value(), c.fault);
    }
    EXPECT_EQ(LayerFault("tools/a.cpp", "app/App.h"), "tools/ is below app/");
    EXPECT_EQ(LayerFault("app/Program.cpp", "ui/wx/WxUi.h"), "ui/wx/ is private to ui/wx");
}

struct Include {
    int line;
    std::string text;  // as written between the quotes
};

std::vector<Include> QuotedIncludes(const std::string& source) {
    static const std::regex kInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<Include> out;
    std::istringstream lines(source);
    std::string line;
    for (int n = 1; std::getline(lines, line); ++n) {
        std::smatch m;
        if (std::regex_search(line, m, kInclude)) out.push_back({n, m[1]});
    }
    return out;
}

TEST(IncludeLayerRule, ReadsQuotedIncludesOnly) {
    const std::string source =
        "#include <vector>\n"
        "#include \"common/text/Gbk.h\"\n"
        "  #  include  \"app/App.h\"  // spaced\n"
        "// #include \"app/Maker.h\"\n"
        "auto s = \"#include \\\"app/Maker.h\\\"\";\n"
        "#include \"Local.h\"\n";
    const std::vector<Include> found = QuotedIncludes(source);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].line, 2);
    EXPECT_EQ(found[0].text, "common/text/Gbk.h");
    EXPECT_EQ(found[1].line, 3);
    EXPECT_EQ(found[1].text, "app/App.h");
    EXPECT_EQ(found[2].text, "Local.h");
}

const fs::path kSourceDir = TRELVIX_SOURCE_DIR;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Where the compiler finds a quoted include: beside the including file first,
// then under the source root, the one include directory the libraries share.
fs::path Resolve(const fs::path& file, const std::string& included) {
    const fs::path beside = (file.parent_path() / included).lexically_normal();
    if (fs::exists(kSourceDir / beside)) return beside;
    return fs::path(included).lexically_normal();
}

TEST(IncludeLayers, NoProgramSourceIncludesAboveItsLayer) {
    std::vector<std::string> faults;
    int judged = 0;
    for (const char* folder : {"common", "ui", "tools", "generators", "app"}) {
        for (const auto& entry : fs::recursive_directory_iterator(kSourceDir / folder)) {
            const fs::path& path = entry.path();
            const fs::path ext = path.extension();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h" && ext != ".hpp")) continue;
            const fs::path file = path.lexically_relative(kSourceDir);
            for (const Include& inc : QuotedIncludes(ReadFile(path))) {
                const fs::path included = Resolve(file, inc.text);
                judged += LayerOf(included) != nullptr;
                if (const auto why = LayerFault(file, included))
                    faults.push_back(file.string() + ":" + std::to_string(inc.line) + ": includes \"" + inc.text +
                                     "\": " + *why);
            }
        }
    }
    EXPECT_GT(judged, 0) << "no include of the program's own headers found: was the right tree read?";
    std::string report;
    for (const std::string& f : faults) report += f + "\n";
    EXPECT_TRUE(faults.empty()) << report;
}

}  // namespace
}  // namespace trelvix
