#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The lines of a script, split at CR LF; the piece after the last CR LF is a
// line too, also when it is empty.
std::vector<std::string> CrLfLines(std::string_view text);

// A file's bytes as the test reads them (not through the program's own
// reader); nothing when it cannot be opened.
std::optional<std::string> ReadBytes(const std::filesystem::path& file);

// Writes the bytes as they stand, making the folders on the way.
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// Compares two scripts byte for byte; a failure prints both with Visible().
#define EXPECT_BYTES(actual, expected) EXPECT_EQ(::trelvix::test::Visible(actual), ::trelvix::test::Visible(expected))

// How many times slower than a plain Debug build this test build runs. Bounds
// on how fast the code is (not time-outs the program promises) are multiplied
// by it: AddressSanitizer and UBSan slow everything down several times.
int SlowdownFactor();

// A fresh temporary folder; HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR point inside it
// while the object lives, so a test never touches the real ones.
class TempHome {
public:
    TempHome();
    ~TempHome();
    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
};

}  // namespace trelvix::test
