// Program sources are UTF-8, and plain string literals of the code compiled
// with -fexec-charset=GB18030 become the program's GBK text. Two mistakes
// compile without a word: a character GBK lacks (GB18030 writes four bytes for
// it, or, like the euro sign, other bytes than GBK's), and a Chinese literal in
// a header, which the UTF-8 code (the wx realisation, the tests) includes as
// UTF-8 bytes. These tests read the sources and name each such literal.
#include <gtest/gtest.h>

#include <iconv.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "common/text/CodePage.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;

struct Literal {
    int line = 0;       // where it opens
    bool plain = true;  // no encoding prefix: written in the execution character set
    std::string body;   // source text between the quotes, escapes as written
};

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The string and character literals of C++ source text, comments skipped.
std::vector<Literal> LiteralsOf(std::string_view s) {
    static const std::set<std::string_view> kPrefixes = {"u8", "u", "U", "L", "u8R", "uR", "UR", "LR"};
    std::vector<Literal> out;
    int line = 1;
    std::size_t i = 0;
    auto countLines = [&](std::size_t from, std::size_t to) {
        for (std::size_t k = from; k < to && k < s.size(); ++k) line += s[k] == '\n';
    };
    while (i < s.size()) {
        const char c = s[i];
        if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
            i = std::min(s.find('\n', i), s.size());
            continue;
        }
        if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            const std::size_t end = std::min(s.find("*/", i + 2), s.size());
            countLines(i, end);
            i = std::min(end + 2, s.size());
            continue;
        }
        if (c != '"' && c != '\'') {
            line += c == '\n';
            ++i;
            continue;
        }
        // The word just before: an encoding prefix, a number (1'000) or nothing.
        std::size_t w = i;
        while (w > 0 && IsWordChar(s[w - 1])) --w;
        const std::string_view word = s.substr(w, i - w);
        if (c == '\'' && !word.empty() && std::isdigit(static_cast<unsigned char>(word[0]))) {
            ++i;
            continue;
        }
        Literal lit;
        lit.line = line;
        lit.plain = !kPrefixes.count(word);
        const bool raw = c == '"' && !word.empty() && word.back() == 'R' && (word == "R" || !lit.plain);
        if (raw) {
            const std::size_t open = std::min(s.find('(', i + 1), s.size());
            const std::string close = ")" + std::string(s.substr(i + 1, open - i - 1)) + "\"";
            const std::size_t end = std::min(s.find(close, open), s.size());
            lit.body = std::string(s.substr(std::min(open + 1, end), end - std::min(open + 1, end)));
            countLines(i, end);
            i = std::min(end + close.size(), s.size());
        } else {
            std::size_t j = i + 1;
            while (j < s.size() && s[j] != c && s[j] != '\n') j += (s[j] == '\\' && j + 1 < s.size()) ? 2 : 1;
            lit.body = std::string(s.substr(i + 1, j - i - 1));
            countLines(i + 1, j);
            i = (j < s.size() && s[j] == c) ? j + 1 : j;
        }
        out.push_back(std::move(lit));
    }
    return out;
}

// The bytes GCC writes for UTF-8 text under -fexec-charset=GB18030: it
// converts through the host's iconv, as this does.
std::optional<std::string> Gb18030Of(std::string_view utf8) {
    iconv_t cd = iconv_open("GB18030", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(utf8), out(utf8.size() * 4 + 8, '\0');
    char* src = in.data();
    char* dst = out.data();
    std::size_t left = in.size(), room = out.size();
    const std::size_t done = iconv(cd, &src, &left, &dst, &room);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || left != 0) return std::nullopt;
    out.resize(out.size() - room);
    return out;
}

std::string Hex(std::string_view bytes) {
    std::string out;
    char buffer[4];
    for (unsigned char b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%s%02X", out.empty() ? "" : " ", b);
        out += buffer;
    }
    return out;
}

// One UTF-8 character's length from its first byte; 0 for a byte that starts none.
std::size_t Utf8Length(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 0;
    if (lead >= 0xC2) return 2;
    return 0;
}

// Characters of plain literals that do not come out as their GBK bytes.
std::vector<std::string> GbkFaults(std::string_view source, const std::string& file) {
    std::vector<std::string> faults;
    for (const Literal& lit : LiteralsOf(source)) {
        if (!lit.plain) continue;
        for (std::size_t k = 0; k < lit.body.size();) {
            const unsigned char b = static_cast<unsigned char>(lit.body[k]);
            if (b < 0x80) {
                ++k;
                continue;
            }
            const std::size_t n = Utf8Length(b);
            const std::string where = file + ":" + std::to_string(lit.line) + ": ";
            if (n == 0 || k + n > lit.body.size()) {
                faults.push_back(where + "a literal holds bytes that are not UTF-8");
                break;
            }
            const std::string ch = lit.body.substr(k, n);
            const Gbk gbk = Utf8ToGbk(ch);
            const std::optional<std::string> compiled = Gb18030Of(ch);
            if (gbk == "?" || GbkToUtf8(gbk) != ch) faults.push_back(where + "\"" + ch + "\" is no GBK character");
            else if (compiled != gbk)
                faults.push_back(where + "\"" + ch + "\" is compiled to " + Hex(compiled.value_or("")) +
                                 ", but GBK writes it " + Hex(gbk));
            k += n;
        }
    }
    return faults;
}

// Plain literals of a header holding anything but ASCII.
std::vector<std::string> HeaderFaults(std::string_view source, const std::string& file) {
    std::vector<std::string> faults;
    for (const Literal& lit : LiteralsOf(source)) {
        if (!lit.plain) continue;
        for (unsigned char b : lit.body) {
            if (b < 0x80) continue;
            faults.push_back(file + ":" + std::to_string(lit.line) +
                             ": a header holds a non-ASCII literal; it belongs in a source compiled to GBK");
            break;
        }
    }
    return faults;
}

std::vector<int> LinesOf(const std::vector<std::string>& faults) {
    std::vector<int> lines;
    for (const std::string& f : faults) lines.push_back(std::stoi(f.substr(f.find(':') + 1)));
    return lines;
}

struct ScanCase {
    const char* what;
    const char* source;
    std::vector<int> gbkFaults;     // lines, as a source compiled to GBK
    std::vector<int> headerFaults;  // lines, as a header
};

const ScanCase kScans[] = {
    {"Chinese in a GBK source, not in a comment", "// 中文\nauto s = \"中文\";", {}, {2}},
    {"a character GBK lacks", "auto a = \"a\";\nauto s = \"a•b\";", {2}, {2}},
    {"the euro sign has other bytes in GBK", "auto s = \"€\";", {1}, {1}},
    {"four-byte characters", "auto s = \"ok\"\n  \"\xF0\x9F\x98\x80\";", {2}, {2}},
    {"an escaped quote does not end the literal", "auto s = \"a\\\"•\";", {1}, {1}},
    {"prefixed literals keep their own encoding", "auto s = u8\"•\"; auto t = L\"中\"; auto r = u8R\"(•)\";", {}, {}},
    {"a digit separator opens no character literal", "int n = 1'000; auto s = \"a'•\";", {1}, {1}},
    {"an escaped apostrophe", "char c = '\\''; auto s = \"a'•\";", {1}, {1}},
    {"raw strings end at their delimiter", "auto s = R\"x(a\"b\n中)\" •)x\"; auto t = \"•\";", {1, 2}, {1, 2}},
    {"block comments", "/* \"•\"\n'\n */ auto s = \"中\";", {}, {3}},
    {"escaped bytes are ASCII source", "auto s = \"\\xD6\\xD0\";", {}, {}},
};

TEST(SourceLiteralScan, FindsEachLiteralThatGbkCannotCarry) {
    for (const ScanCase& c : kScans) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(LinesOf(GbkFaults(c.source, "f.cpp")), c.gbkFaults);
        EXPECT_EQ(LinesOf(HeaderFaults(c.source, "f.h")), c.headerFaults);
    }
    EXPECT_EQ(GbkFaults("auto s = \"€\";", "f.cpp"),
              std::vector<std::string>{"f.cpp:1: \"€\" is compiled to A2 E3, but GBK writes it 80"});
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

const fs::path kSourceDir = TRELVIX_SOURCE_DIR;

// The files the build compiles to GBK, as the build itself records them.
std::vector<fs::path> GbkCompiledSources() {
    const fs::path commands = fs::path(TRELVIX_BINARY_DIR) / "compile_commands.json";
    const auto json = nlohmann::json::parse(ReadFile(commands), nullptr, false);
    if (json.is_discarded()) return {};
    std::set<fs::path> files;
    for (const auto& entry : json) {
        std::string command = entry.value("command", "");
        for (const auto& argument : entry.value("arguments", nlohmann::json::array()))
            command += " " + argument.get<std::string>();
        if (command.find("-fexec-charset=GB18030") == std::string::npos) continue;
        const fs::path file = (fs::path(entry.value("directory", "")) / entry.value("file", "")).lexically_normal();
        const fs::path relative = file.lexically_relative(kSourceDir);
        if (!relative.empty() && *relative.begin() != "..") files.insert(file);  // not generated ones
    }
    return {files.begin(), files.end()};
}

TEST(SourceLiterals, CodeCompiledToGbkHoldsOnlyGbkCharacters) {
    const std::vector<fs::path> sources = GbkCompiledSources();
    ASSERT_FALSE(sources.empty()) << "no source compiled to GBK found in compile_commands.json";
    std::vector<std::string> faults;
    bool sawChinese = false;
    for (const fs::path& file : sources) {
        const std::string text = ReadFile(file);
        sawChinese = sawChinese || !HeaderFaults(text, "").empty();  // any non-ASCII literal
        for (std::string& f : GbkFaults(text, file.lexically_relative(kSourceDir).string()))
            faults.push_back(std::move(f));
    }
    EXPECT_TRUE(sawChinese) << "the sources compiled to GBK hold no Chinese literal at all: were the right files read?";
    EXPECT_TRUE(faults.empty()) << Joined(faults);
}

TEST(SourceLiterals, ProgramHeadersHoldNoGbkLiterals) {
    std::vector<std::string> faults;
    int headers = 0;
    for (const char* folder : {"common", "ui", "app", "generators", "tools"}) {
        if (!fs::exists(kSourceDir / folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(kSourceDir / folder)) {
            const fs::path& path = entry.path();
            if (!entry.is_regular_file() || (path.extension() != ".h" && path.extension() != ".hpp")) continue;
            ++headers;
            for (std::string& f : HeaderFaults(ReadFile(path), path.lexically_relative(kSourceDir).string()))
                faults.push_back(std::move(f));
        }
    }
    EXPECT_GT(headers, 0);
    EXPECT_TRUE(faults.empty()) << Joined(faults);
}

}  // namespace
}  // namespace trelvix
