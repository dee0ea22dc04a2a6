#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace trelvix::test {

// GBK bytes of a UTF-8 literal, so expected scripts can be written readably.
std::string G(std::string_view utf8);

// Two-byte characters whose second byte is ASCII: 乗 is 81 5C (a backslash), and
// 81 41 and 81 61 are two different characters ending in the letters A and a.
namespace bytes {
inline const std::string kBackslashTrail = "\x81\x5C";
inline const std::string kTrailUpperA = "\x81\x41";
inline const std::string kTrailLowerA = "\x81\x61";
}  // namespace bytes

// Bytes made visible: printable ASCII as is, CR as \r, LF as \n, others as \xHH.
std::string Visible(std::string_view bytes);

// A fresh temporary folder; HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME and
// XDG_RUNTIME_DIR (made private, as the system makes it) point inside it while
// the object lives, so a test never touches the real ones.
class TempHome {
public:
    TempHome();
    ~TempHome();
    const std::filesystem::path& root() const { return root_; }
private:
    std::filesystem::path root_;
};

}  // namespace trelvix::test
