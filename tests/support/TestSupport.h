#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace trelvix::test {

// GBK bytes of a UTF-8 literal, so expected scripts can be written readably.
std::string G(std::string_view utf8);

// Bytes made visible: printable ASCII as is, CR as \r, LF as \n, others as \xHH.
std::string Visible(std::string_view bytes);

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
