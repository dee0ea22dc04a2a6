#pragma once
// Big5 (code page 950) bytes of a UTF-8 literal, made with iconv on its own so
// that expected pack texts do not come from the program's converter.
#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace trelvix::test {

inline std::string Iconv(const char* to, const char* from, std::string_view text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("no ") + to);
    std::string out(text.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size(), outLeft = out.size();
    char* o = out.data();
    const std::size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1))
        throw std::runtime_error(std::string("not ") + to + ": " + std::string(text));
    out.resize(out.size() - outLeft);
    return out;
}

inline std::string B5(std::string_view utf8) { return Iconv("CP950", "UTF-8", utf8); }
inline std::string Utf8FromGbk(std::string_view gbk) { return Iconv("UTF-8", "GBK", gbk); }

}  // namespace trelvix::test
