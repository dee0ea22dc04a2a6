#include "TestSupport.h"

#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "NeedDisplay.h"

namespace trelvix::test {

// Converted with iconv directly, not with the program's own helpers, so
// expected texts never depend on the code under test.
std::string G(std::string_view utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv GBK");
    std::string in(utf8), out(in.size() * 2 + 4, '\0');
    char* ip = in.data();
    char* op = out.data();
    size_t il = in.size(), ol = out.size();
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) {
        iconv_close(cd);
        throw std::runtime_error("test text not representable in GBK: " + in);
    }
    iconv_close(cd);
    out.resize(out.size() - ol);
    return out;
}

std::vector<std::string> CrLfLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2)
        lines.emplace_back(text.substr(start, end - start));
    lines.emplace_back(text.substr(start));
    return lines;
}

std::optional<std::string> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Visible(std::string_view bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
        else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

int SlowdownFactor() {
#if defined(__SANITIZE_ADDRESS__)
    return 4;
#elif defined(__SANITIZE_THREAD__)
    return 8;
#else
    return 1;
#endif
}

bool InCi() {
    const char* ci = std::getenv("CI");
    return ci && std::strcmp(ci, "true") == 0;
}

TempHome::TempHome() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "trelvix-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp");
    root_ = tmpl;
    std::filesystem::create_directories(root_ / "home");
    setenv("HOME", (root_ / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (root_ / "cache").c_str(), 1);
    // The per-user runtime folder holds the single-instance lock: tests running
    // side by side must not see each other as a first copy.
    const std::filesystem::path runtime = root_ / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

TempHome::~TempHome() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

}  // namespace trelvix::test
