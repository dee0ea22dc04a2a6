#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "RateLimitFixture.h"
#include "common/EmbeddedData.h"
#include "generators/ratelimit/L7Packages.h"

namespace trelvix::ratelimit {
namespace {

using trelvix::test::G;
using trelvix::test::Visible;

// A stored script read back as RouterOS reads it: continued lines joined,
// each command under the menu path ("/queue tree") it follows.
struct Command {
    std::string section;
    std::string text;                           // the whole command, continuations joined
    std::map<std::string, std::string> values;  // key=value pairs outside quotes, quotes kept
};

struct ParsedScript {
    std::vector<std::string> sections;  // in order, an empty line as ""
    std::vector<Command> commands;
    std::vector<std::string> comments;  // lines starting with "#"

    int Count(const std::string& section) const {
        int n = 0;
        for (const Command& c : commands) n += c.section == section;
        return n;
    }
    std::vector<const Command*> In(const std::string& section) const {
        std::vector<const Command*> out;
        for (const Command& c : commands)
            if (c.section == section) out.push_back(&c);
        return out;
    }
};

std::map<std::string, std::string> Values(const std::string& command) {
    std::map<std::string, std::string> values;
    std::string word;
    bool quoted = false;
    const auto flush = [&] {
        const std::size_t eq = word.find('=');
        if (eq != std::string::npos) values[word.substr(0, eq)] = word.substr(eq + 1);
        word.clear();
    };
    for (std::size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (quoted && c == '\\' && i + 1 < command.size()) {
            word += c;
            word += command[++i];
            continue;
        }
        if (c == '"') quoted = !quoted;
        if (c == ' ' && !quoted) {
            flush();
            continue;
        }
        word += c;
    }
    flush();
    return values;
}

ParsedScript Parse(std::string_view bytes) {
    std::string text(bytes);
    for (std::size_t at; (at = text.find(" \\\r\n    ")) != std::string::npos;) text.replace(at, 8, " ");
    ParsedScript script;
    std::string section;
    for (const std::string& line : trelvix::test::CrLfLines(text)) {
        if (line.empty()) {
            script.sections.push_back("");
        } else if (line[0] == '/') {
            section = line;
            script.sections.push_back(line);
        } else if (line[0] == '#') {
            script.comments.push_back(line);
        } else {
            script.commands.push_back({section, line, Values(line)});
        }
    }
    return script;
}

struct Expectation {
    const char* path;
    const char* firstLine;                              // UTF-8
    std::vector<std::pair<std::string, int>> sections;  // menu paths in order with their command counts
};

// Counts as the page describes its scripts, except where data/README says
// which real-world entries could not be stated: package 1 ships the games
// whose ports are published (50 of 57 detection rules), package 3 no
// game-server network, package 5 no settings of unnamed built-in types.
const std::vector<Expectation> kScripts = {
    {"data/ratelimit/l7-collected-6x.rsc",
     "## HTB未设置任何限速值, 请按自己的带宽在 /queue tree 的 down 和 up 上填写 max-limit",
     {{"/ip firewall layer7-protocol", 14},
      {"/ip firewall address-list", 1},
      {"/ip firewall filter", 1},
      {"/ip firewall mangle", 32},
      {"/queue type", 2},
      {"/queue tree", 15},
      {"/queue interface", 1}}},
    {"data/ratelimit/l7-package1.rsc", "###包1", {{"/ip firewall filter", 52}}},
    {"data/ratelimit/l7-package2.rsc", "###包2", {{"/ip firewall layer7-protocol", 26}}},
    {"data/ratelimit/l7-package3.rsc", "###包3", {{"/ip firewall address-list", 0}}},
    {"data/ratelimit/l7-package4.rsc", "###包4", {{"/ip firewall mangle", 29}}},
    {"data/ratelimit/l7-package5.rsc", "###包5", {{"/queue type", 21}}},
    {"data/ratelimit/l7-package6.rsc", "###包6", {{"/queue tree", 20}}},
    {"data/ratelimit/l7-classic-5x.rsc",
     "/ip firewall layer7-protocol",
     {{"/ip firewall layer7-protocol", 14},
      {"/ip firewall address-list", 1},
      {"/ip firewall connection tracking", 1},
      {"/ip firewall filter", 3},
      {"/ip firewall mangle", 32},
      {"/ip firewall nat", 3},
      {"/ip firewall service-port", 6},
      {"", 0},
      {"/queue tree", 2},
      {"/queue type", 10},
      {"/queue tree", 14},
      {"/queue interface", 3},
      {"/queue simple", 1}}},
};

TEST(L7Packages, EveryButtonHasItsScript) {
    std::set<std::string> paths;
    for (const StoredScriptButton& b : L7StoredScripts()) paths.insert(b.path);
    paths.insert(kL7ClassicScript);
    std::set<std::string> expected;
    for (const Expectation& e : kScripts) expected.insert(e.path);
    EXPECT_EQ(paths, expected);
}

TEST(L7Packages, ScriptsHaveCrLfLinesAndNoFinalLineEnd) {
    for (const Expectation& e : kScripts) {
        const std::string_view text = StoredText(e.path);
        ASSERT_FALSE(text.empty()) << e.path;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r') {
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << e.path << " at " << i;
            }
            if (text[i] == '\n') {
                EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << e.path << " at " << i;
            }
        }
        EXPECT_NE(text.back(), '\n') << e.path;
        EXPECT_EQ(text.substr(0, text.find("\r\n")), G(e.firstLine)) << e.path;
    }
}

TEST(L7Packages, SectionsInOrderWithTheirCounts) {
    for (const Expectation& e : kScripts) {
        const ParsedScript script = Parse(StoredText(e.path));
        std::vector<std::string> expected;
        for (const auto& [section, count] : e.sections) expected.push_back(section);
        EXPECT_EQ(script.sections, expected) << e.path;
        // Sections that appear twice (the classic script's two queue trees) count together.
        std::map<std::string, int> counts;
        for (const auto& [section, count] : e.sections) counts[section] += count;
        for (const auto& [section, count] : counts)
            if (!section.empty()) {
                EXPECT_EQ(script.Count(section), count) << e.path << " " << section;
            }
    }
}

TEST(L7Packages, CollectedScriptHasTheExportHeaderBeforeTheQueues) {
    const std::string text(StoredText("data/ratelimit/l7-collected-6x.rsc"));
    const std::size_t header = text.find("\r\n# ");
    ASSERT_NE(header, std::string::npos);
    EXPECT_LT(text.find("/ip firewall mangle"), header);
    EXPECT_LT(header, text.find("/queue type"));
    EXPECT_EQ(Parse(text).comments.size(), 4u);  // the remark and three header lines
}

// Every rule refers to things the script (or the packages before it) defines:
// protocols, packet marks and queue types. A misspelt name is a queue that
// never fills.
TEST(L7Packages, NamesReferredToAreDefined) {
    const auto defined = [](const ParsedScript& s, const std::string& section, const std::string& key) {
        std::set<std::string> names;
        for (const Command* c : s.In(section))
            if (c->values.count(key)) names.insert(c->values.at(key));
        return names;
    };
    const auto unquote = [](std::string s) {
        return s.size() >= 2 && s.front() == '"' ? s.substr(1, s.size() - 2) : s;
    };

    for (const char* path : {"data/ratelimit/l7-collected-6x.rsc", "data/ratelimit/l7-classic-5x.rsc"}) {
        const ParsedScript s = Parse(StoredText(path));
        const std::set<std::string> protocols = defined(s, "/ip firewall layer7-protocol", "name");
        const std::set<std::string> marks = defined(s, "/ip firewall mangle", "new-packet-mark");
        std::set<std::string> types = defined(s, "/queue type", "name");
        types.insert("default");
        std::set<std::string> usedProtocols;
        for (const Command* c : s.In("/ip firewall mangle"))
            if (c->values.count("layer7-protocol")) {
                EXPECT_TRUE(protocols.count(c->values.at("layer7-protocol"))) << path << ": " << c->text;
                usedProtocols.insert(c->values.at("layer7-protocol"));
            }
        EXPECT_GE(usedProtocols.size(), 13u) << path;
        std::set<std::string> queued;
        for (const Command* c : s.In("/queue tree")) {
            EXPECT_TRUE(types.count(c->values.at("queue"))) << path << ": " << c->text;
            if (c->values.count("packet-mark")) {
                EXPECT_TRUE(marks.count(c->values.at("packet-mark"))) << path << ": " << c->text;
                queued.insert(c->values.at("packet-mark"));
            }
        }
        EXPECT_GE(queued.size(), 13u) << path;
    }

    // Packages 4 to 6 build on each other: marks, then types, then the tree.
    const ParsedScript marking = Parse(StoredText("data/ratelimit/l7-package4.rsc"));
    const ParsedScript typing = Parse(StoredText("data/ratelimit/l7-package5.rsc"));
    const ParsedScript tree = Parse(StoredText("data/ratelimit/l7-package6.rsc"));
    const std::set<std::string> marks = defined(marking, "/ip firewall mangle", "new-packet-mark");
    std::set<std::string> types = defined(typing, "/queue type", "name");
    types.insert("default");
    std::set<std::string> queues;
    for (const Command* c : tree.In("/queue tree")) queues.insert(unquote(c->values.at("name")));
    std::set<std::string> queued;
    for (const Command* c : tree.In("/queue tree")) {
        EXPECT_TRUE(types.count(c->values.at("queue"))) << c->text;
        const std::string parent = unquote(c->values.at("parent"));
        EXPECT_TRUE(parent == "global-in" || parent == "global-out" || queues.count(parent)) << c->text;
        if (c->values.count("packet-mark")) queued.insert(c->values.at("packet-mark"));
    }
    EXPECT_EQ(queued, marks);
    for (const std::string& mark : marks) EXPECT_EQ(mark.find('\\'), std::string::npos) << mark;
}

// The same protocol has the same regexp in every script of the page, and the
// one the Layer-7 catalogue gives it once the catalogue is built in.
TEST(L7Packages, Layer7RegexpsAgreeWithEachOtherAndTheCatalogue) {
    std::map<std::string, std::string> regexps;
    for (const char* path :
         {"data/ratelimit/l7-collected-6x.rsc", "data/ratelimit/l7-package2.rsc", "data/ratelimit/l7-classic-5x.rsc"}) {
        const ParsedScript script = Parse(StoredText(path));
        for (const Command* c : script.In("/ip firewall layer7-protocol")) {
            const std::string& name = c->values.at("name");
            const std::string& regexp = c->values.at("regexp");
            const auto [it, added] = regexps.emplace(name, regexp);
            EXPECT_EQ(it->second, regexp) << path << " " << name;
        }
    }
    EXPECT_EQ(regexps.at("qq"), "\"^.\\?\\02.+\\03\\$\"");

    const std::optional<std::string_view> catalogue = EmbeddedFile("data/l7tools/catalogue.rsc");
    if (!catalogue) GTEST_SKIP() << "the Layer-7 catalogue is not built in";
    int shared = 0;
    const ParsedScript catalogueScript = Parse(*catalogue);
    for (const Command* c : catalogueScript.In("/ip firewall layer7-protocol")) {
        if (!c->values.count("name") || !c->values.count("regexp")) continue;
        const auto it = regexps.find(c->values.at("name"));
        if (it == regexps.end()) continue;
        ++shared;
        EXPECT_EQ(it->second, c->values.at("regexp")) << it->first;
    }
    EXPECT_EQ(shared, static_cast<int>(regexps.size()) - 1);  // all but "Web", which the catalogue lacks
}

// The stored file as it lies in the source tree, read without the program's
// embedded copy, so the page is checked against what was written down.
std::string SourceFile(const std::string& relative) {
    std::ifstream in(std::string(TRELVIX_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    EXPECT_TRUE(in.good() || in.eof()) << relative;
    return bytes.str();
}

// The classic script with its one LAN line as the page must write it.
std::string ClassicWithLanLine(const std::string& lanLine) {
    std::string script = SourceFile("data/ratelimit/l7-classic-5x.rsc");
    const std::string placeholder = "\r\nadd address={lanip} disabled=no list=OnLineClient\r\n";
    const std::size_t at = script.find(placeholder);
    EXPECT_NE(at, std::string::npos);
    EXPECT_EQ(script.find("{lanip}", at + placeholder.size()), std::string::npos);
    if (at != std::string::npos) script.replace(at, placeholder.size(), "\r\n" + lanLine + "\r\n");
    return script;
}

TEST(L7QosClassic, LanRangeFillsTheOnePlaceholder) {
    EXPECT_BYTES(BuildL7QosClassic({""}),
                 ClassicWithLanLine("add address=192.168.1.0/24 disabled=no list=OnLineClient"));
    EXPECT_BYTES(BuildL7QosClassic({"10.8.0.0/16"}),
                 ClassicWithLanLine("add address=10.8.0.0/16 disabled=no list=OnLineClient"));
    // A range typed with a blank or a quote cannot end the command early.
    EXPECT_BYTES(BuildL7QosClassic({"10.0.0.0/8 \""}),
                 ClassicWithLanLine("add address=\"10.0.0.0/8 \\\"\" disabled=no list=OnLineClient"));
}

TEST(L7PackagesPage, ButtonsShowTheirScripts) {
    const std::pair<const char*, const char*> buttons[] = {
        {"按钮_35生成1", "data/ratelimit/l7-collected-6x.rsc"}, {"按钮_35生成21", "data/ratelimit/l7-package1.rsc"},
        {"按钮_35生成22", "data/ratelimit/l7-package2.rsc"},    {"按钮_35生成23", "data/ratelimit/l7-package3.rsc"},
        {"按钮_35生成24", "data/ratelimit/l7-package4.rsc"},    {"按钮_35生成25", "data/ratelimit/l7-package5.rsc"},
        {"按钮_35生成26", "data/ratelimit/l7-package6.rsc"},
    };
    test::RateLimitWindow w;
    for (const auto& [button, file] : buttons) {
        w.click(button);
        ASSERT_FALSE(w.scripts.empty());
        EXPECT_BYTES(w.scripts.back(), SourceFile(file)) << file;
    }
    w.click("按钮_35生成3");
    EXPECT_BYTES(w.scripts.back(), ClassicWithLanLine("add address=192.168.1.0/24 disabled=no list=OnLineClient"));
    w.type("编辑框_35内网ip段", "172.16.0.0/12");
    w.click("按钮_35生成3");
    EXPECT_BYTES(w.scripts.back(), ClassicWithLanLine("add address=172.16.0.0/12 disabled=no list=OnLineClient"));
    EXPECT_EQ(w.scripts.size(), std::size(buttons) + 2);
    EXPECT_EQ(w.text("编辑框_35内网ip段"), "172.16.0.0/12");
}

}  // namespace
}  // namespace trelvix::ratelimit
