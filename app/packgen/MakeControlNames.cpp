// Build step: writes a header of control-name constants for each window
// layout and for each layout file the windows include, so that code naming a
// control that is not there does not compile.
//   trelvix_make_control_names <layout folder> <output folder> <window>... --parts <part>...
// e.g. main.json tools/route_table.json --parts main/system.json. A window's
// header holds the names written in its own file; the names of an included
// file are in that file's header. "tools/route_table.json" becomes
// <output>/names/tools/route_table.h with namespace trelvix::names::tools::route_table,
// whose constants are named as the controls and hold the names as the window
// calls take them: GBK bytes, written as escapes so that they mean the same
// in files compiled to GBK and in UTF-8 ones.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/packgen/BuildStep.h"
#include "common/text/CodePage.h"
#include "ui/Layout.h"

namespace fs = std::filesystem;
using trelvix::packgen::ReadFile;

namespace {

// One layout file as read: every name reachable from it, includes and all,
// and the files it includes at any depth.
struct Reading {
    std::vector<std::string> names;  // GBK, depth first in layout order
    std::set<std::string> includes;
};

// Controls without a name of their own (pages, separators) are named by the
// reader after their place, "parent#2": nothing addresses them by that.
bool IsPlaceName(const std::string& name) { return name.find('#') != std::string::npos; }

Reading Read(const fs::path& folder, const std::string& file, bool window) {
    Reading r;
    const trelvix::ui::LayoutFiles files = [&](std::string_view name) {
        if (name != file) r.includes.insert(std::string(name));
        return ReadFile(folder / fs::path(std::string(name)));
    };
    // An included file holds one control: read it as the only control of a
    // window, by the same rules as where it is included.
    const std::optional<std::string> text = window ? ReadFile(folder / file)
                                                   : R"({"name": "#", "controls": [{"include": ")" + file + R"("}]})";
    if (!text) throw std::runtime_error("no layout " + (folder / file).string());
    const trelvix::ui::WindowSpec spec = trelvix::ui::ParseLayout(*text, files);
    trelvix::ui::ForEachControl(spec.controls, [&](const trelvix::ui::ControlSpec& c, const auto*) {
        if (!IsPlaceName(c.name)) r.names.push_back(c.name);
    });
    return r;
}

bool IsAsciiIdentifierChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The constant's name is the control's, so it must be an identifier: other
// characters than letters (Chinese ones included), digits and "_" stop the build.
std::string Identifier(const std::string& gbkName, const std::string& file) {
    const std::string utf8 = trelvix::GbkToUtf8(gbkName);
    const bool digitFirst = !utf8.empty() && utf8[0] >= '0' && utf8[0] <= '9';
    const bool asciiOk = std::all_of(utf8.begin(), utf8.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x80 || IsAsciiIdentifierChar(c);
    });
    if (utf8.empty() || digitFirst || !asciiOk)
        throw std::runtime_error(file + ": control \"" + utf8 +
                                 "\" cannot be named in code: a name is letters, digits and _");
    return utf8;
}

// "main/ratelimit-small-packet.json" -> {"main", "ratelimit_small_packet"}.
std::vector<std::string> NamespacePath(const std::string& file) {
    std::vector<std::string> parts;
    const fs::path p = fs::path(file).replace_extension();
    for (const fs::path& part : p) {
        std::string s = part.string();
        for (char& c : s)
            if (!IsAsciiIdentifierChar(c)) c = '_';
        if (s.empty() || (s[0] >= '0' && s[0] <= '9'))
            throw std::runtime_error(file + ": no namespace for this file name");
        parts.push_back(s);
    }
    return parts;
}

// Every byte as a hex escape: the literal's bytes are then the same whatever
// the including file's execution character set.
std::string EscapedLiteral(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (unsigned char b : bytes) {
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 15];
    }
    return out + "\"";
}

std::string HeaderText(const std::string& file, const std::vector<std::string>& names) {
    std::string ns = "trelvix::names";
    for (const std::string& part : NamespacePath(file)) ns += "::" + part;
    std::string text = "// Made by trelvix_make_control_names from the layout " + file +
                       "; do not edit.\n"
                       "// The names of the controls written in that file, as the window calls take them.\n"
                       "#pragma once\n\nnamespace " +
                       ns + " {\n\n";
    std::set<std::string> seen;
    for (const std::string& name : names) {
        const std::string id = Identifier(name, file);
        if (!seen.insert(name).second) throw std::runtime_error(file + ": two controls are named " + id);
        text += "inline constexpr char " + id + "[] = " + EscapedLiteral(name) + ";\n";
    }
    return text + "\n}  // namespace " + ns + "\n";
}

// Rewrites the header only when its text changes, so that editing a caption
// recompiles nothing.
void WriteIfChanged(const fs::path& target, const std::string& text) {
    if (ReadFile(target) == text) return;
    fs::create_directories(target.parent_path());
    const fs::path temporary = fs::path(target).concat(".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) throw std::runtime_error("cannot write " + temporary.string());
    }
    fs::rename(temporary, target);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: " << argv[0] << " <layout folder> <output folder> <window>... --parts <part>...\n";
        return 2;
    }
    const fs::path layouts = argv[1], out = argv[2];
    std::vector<std::string> windows, parts;
    bool inParts = false;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--parts") inParts = true;
        else (inParts ? parts : windows).push_back(arg);
    }
    try {
        std::map<std::string, Reading> read;
        std::set<std::string> included;
        for (const std::string& w : windows) {
            read[w] = Read(layouts, w, true);
            included.insert(read[w].includes.begin(), read[w].includes.end());
        }
        for (const std::string& p : parts) {
            if (!included.count(p)) throw std::runtime_error(p + " is listed as a part, but no window includes it");
            read[p] = Read(layouts, p, false);
        }
        for (const std::string& f : included)
            if (!read.count(f))
                throw std::runtime_error(f + " is included but not listed as a part: it would have no header");
        for (const auto& [file, reading] : read) {
            // The file's own names: those of the files it includes have their own headers.
            std::set<std::string> others;
            for (const std::string& inc : reading.includes)
                others.insert(read.at(inc).names.begin(), read.at(inc).names.end());
            std::vector<std::string> own;
            for (const std::string& name : reading.names)
                if (!others.count(name)) own.push_back(name);
            WriteIfChanged(out / "names" / fs::path(file).replace_extension(".h"), HeaderText(file, own));
        }
    } catch (const std::exception& e) {
        std::cerr << argv[0] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
