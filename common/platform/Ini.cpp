#include "common/platform/Ini.h"

#include <set>
#include <system_error>

#include "common/platform/AtomicFile.h"

namespace trelvix {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Spaces and tabs only: neither is ever the second byte of a GBK character.
std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// The name of a section header line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view body) {
    std::string_view t = TrimBlanks(body);
    if (t.empty() || t.front() != '[') return std::nullopt;
    t.remove_prefix(1);
    // "]" can be the second byte of a GBK character, so search by characters.
    const long long close = Find(t, "]");
    if (close > 0) t = t.substr(0, static_cast<std::size_t>(close - 1));
    return TrimBlanks(t);
}

struct KeyLine {
    std::string_view key;
    std::size_t valueStart;  // byte index just after "="
};

std::optional<KeyLine> ParseKeyLine(std::string_view body) {
    const long long eq = Find(body, "=");
    if (eq < 1) return std::nullopt;
    std::string_view key = TrimBlanks(body.substr(0, static_cast<std::size_t>(eq - 1)));
    if (key.empty() || key.front() == ';') return std::nullopt;
    return KeyLine{key, static_cast<std::size_t>(eq)};
}

Gbk CleanValue(std::string_view raw) {
    std::string_view v = TrimBlanks(raw);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return Gbk(v);
}

}  // namespace

IniText::IniText(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = lf == std::string_view::npos ? bytes : bytes.substr(0, lf);
        Line l;
        if (lf == std::string_view::npos) {
            l.body = std::string(line);
            bytes = {};
        } else {
            const bool cr = !line.empty() && line.back() == '\r';
            l.body = std::string(cr ? line.substr(0, line.size() - 1) : line);
            l.end = cr ? "\r\n" : "\n";
            bytes.remove_prefix(lf + 1);
        }
        lines_.push_back(std::move(l));
    }
}

std::optional<IniText> IniText::Load(const std::filesystem::path& file, std::uintmax_t limit) {
    auto bytes = ReadFileBytes(file, limit, Links::FollowOwnFile);
    if (!bytes) return std::nullopt;
    return IniText(*bytes);
}

std::optional<std::size_t> IniText::findSection(std::string_view section) const {
    const std::string_view wanted = TrimBlanks(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionName(lines_[i].body);
        if (name && EqualsNoCase(*name, wanted)) return i;
    }
    return std::nullopt;
}

std::optional<Gbk> IniText::value(std::string_view section, std::string_view key) const {
    auto header = findSection(section);
    if (!header) return std::nullopt;
    const std::string_view wanted = TrimBlanks(key);
    for (std::size_t i = *header + 1; i < lines_.size(); ++i) {
        const std::string& body = lines_[i].body;
        if (SectionName(body)) break;
        auto kl = ParseKeyLine(body);
        if (kl && EqualsNoCase(kl->key, wanted)) return CleanValue(std::string_view(body).substr(kl->valueStart));
    }
    return std::nullopt;
}

std::vector<IniText::Entry> IniText::entries() const {
    std::vector<Entry> out;
    std::set<std::string> sections, keys;  // ASCII case folded
    std::string section;
    bool counts = false;
    for (const Line& l : lines_) {
        if (auto name = SectionName(l.body)) {
            section = std::string(*name);
            counts = sections.insert(ToLowerAscii(section)).second;
            keys.clear();
            continue;
        }
        if (!counts) continue;
        auto kl = ParseKeyLine(l.body);
        if (kl && keys.insert(ToLowerAscii(kl->key)).second)
            out.push_back({section, std::string(kl->key), CleanValue(std::string_view(l.body).substr(kl->valueStart))});
    }
    return out;
}

// New lines follow the file's own line ends; a new file gets CR LF.
std::string IniText::lineEnd() const {
    for (const Line& l : lines_)
        if (!l.end.empty()) return l.end;
    return "\r\n";
}

bool IniText::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view s = TrimBlanks(section), k = TrimBlanks(key);
    if (k.empty() || k.front() == ';' || k.front() == '[' || Find(k, "=") > 0 || Find(s, "]") > 0 ||
        HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        return false;
    const std::string eol = lineEnd();
    auto header = findSection(s);
    if (!header) {
        if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = eol;
        lines_.push_back({"[" + std::string(s) + "]", eol});
        lines_.push_back({std::string(k) + "=" + std::string(value), eol});
        return true;
    }
    std::size_t lastFilled = *header;
    for (std::size_t i = *header + 1; i < lines_.size(); ++i) {
        std::string& body = lines_[i].body;
        if (SectionName(body)) break;
        if (!TrimBlanks(body).empty()) lastFilled = i;
        auto kl = ParseKeyLine(body);
        if (kl && EqualsNoCase(kl->key, k)) {
            body = body.substr(0, kl->valueStart) + std::string(value);
            return true;
        }
    }
    Line& before = lines_[lastFilled];
    if (before.end.empty()) before.end = eol;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastFilled) + 1,
                  Line{std::string(k) + "=" + std::string(value), eol});
    return true;
}

std::string IniText::bytes() const {
    std::size_t size = 0;
    for (const Line& l : lines_) size += l.body.size() + l.end.size();
    std::string out;
    out.reserve(size);
    for (const Line& l : lines_) {
        out += l.body;
        out += l.end;
    }
    return out;
}

bool IniText::save(const std::filesystem::path& file, std::string* error) const {
    return WriteFileAtomically(file, bytes(), error);
}

std::optional<Gbk> ReadIniValue(const std::filesystem::path& file, std::string_view section, std::string_view key) {
    auto ini = IniText::Load(file);
    if (!ini) return std::nullopt;
    return ini->value(section, key);
}

bool WriteIniValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                   std::string_view value, std::string* error) {
    std::error_code ec;
    IniText ini;
    if (std::filesystem::symlink_status(file, ec).type() != std::filesystem::file_type::not_found) {
        auto loaded = IniText::Load(file);
        if (!loaded) {
            if (error) *error = file.string() + ": cannot be read";
            return false;
        }
        ini = std::move(*loaded);
    }
    if (!ini.set(section, key, value)) {
        if (error) *error = "not a value this file can hold";
        return false;
    }
    return ini.save(file, error);
}

}  // namespace trelvix
