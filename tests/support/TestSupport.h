#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace trelvix::test {

// GBK bytes of a UTF-8 literal, so expected scripts can be written readably.
std::string G(std::string_view utf8);

// Bytes made visible: printable ASCII as is, CR as \r, LF as \n, others as \xHH.
std::string Visible(std::string_view bytes);

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
