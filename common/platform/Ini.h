#pragma once
// Settings files in the INI format, read and written the way the program has
// always expected: section and key names match without regard to ASCII case
// (the second byte of a GBK character is never folded), values lose the blanks
// around them and one pair of enclosing double quotes. Writing a value changes
// only its own line, or adds the key (and its section) when missing; every
// other byte of the file, line ends included, stays as it was.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text/Gbk.h"

namespace trelvix {

// Settings are a few hundred bytes; a larger file is not one the program
// wrote, and is neither read nor replaced.
inline constexpr std::uintmax_t kSettingsFileLimit = 64u << 10;

class IniText {
public:
    IniText() = default;
    explicit IniText(std::string_view bytes);

    // The file's text; nothing when it is missing, cannot be read, is no
    // regular file (a link counts when it leads to a file of this user) or
    // holds more than `limit` bytes.
    static std::optional<IniText> Load(const std::filesystem::path& file, std::uintmax_t limit = kSettingsFileLimit);

    // The value of the first `key` in the first section named `section`;
    // nothing when either is missing.
    std::optional<Gbk> value(std::string_view section, std::string_view key) const;

    // Sets the value as given (no quotes added). False, and nothing changed,
    // for names or values that would not read back as themselves: an empty
    // key, a key with "=", a section with "]", or a line break anywhere.
    bool set(std::string_view section, std::string_view key, std::string_view value);

    // Every value that `value` finds, read once, in file order: the first key
    // of each name in the first section of each name (keys before the first
    // header are in no section and left out).
    struct Entry {
        std::string section, key;
        Gbk value;
    };
    std::vector<Entry> entries() const;

    std::string bytes() const;

    // Replaces the file atomically (temporary file, then rename).
    bool save(const std::filesystem::path& file, std::string* error = nullptr) const;

private:
    struct Line {
        std::string body;  // without its line end
        std::string end;   // "\r\n", "\n" or "" (a last line without one)
    };
    std::optional<std::size_t> findSection(std::string_view section) const;
    std::string lineEnd() const;

    std::vector<Line> lines_;
};

// One value read from a file; nothing when the file, section or key is missing
// or the file cannot be read.
std::optional<Gbk> ReadIniValue(const std::filesystem::path& file, std::string_view section, std::string_view key);

// Sets one value in a file, creating the file when missing. False when the
// file exists but cannot be read, the value cannot be set or the write fails;
// the file is then unchanged.
bool WriteIniValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                   std::string_view value, std::string* error = nullptr);

}  // namespace trelvix
