#pragma once
// Text crossing the window interface: GBK bytes with CR LF line ends. It is a
// type of its own so that a bare string literal cannot pass for it: a
// literal's bytes depend on how its file is compiled, and a UTF-8 literal
// given as GBK shows as mojibake or breaks a script. Code compiled to GBK
// writes "..."_gbk; UTF-8 code (the wx realisation, the tests) converts first.
// GBK bytes held as a plain string (generator output, layout texts) pass in
// and out unchanged.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/text/Gbk.h"

namespace trelvix::ui {

class GbkText {
public:
    GbkText() = default;
    GbkText(const Gbk& bytes) : bytes_(bytes) {}
    GbkText(Gbk&& bytes) noexcept : bytes_(std::move(bytes)) {}
    // A literal's encoding is its file's: say which with _gbk, or convert.
    GbkText(const char*) = delete;
    GbkText(std::nullptr_t) = delete;

    operator const Gbk&() const noexcept { return bytes_; }
    operator std::string_view() const noexcept { return bytes_; }
    const Gbk& bytes() const noexcept { return bytes_; }
    bool empty() const noexcept { return bytes_.empty(); }
    std::size_t size() const noexcept { return bytes_.size(); }

    friend bool operator==(const GbkText&, const GbkText&) = default;

private:
    Gbk bytes_;
};

// Lists cross as lists of GbkText; a realisation keeps plain bytes inside.
inline std::vector<GbkText> AsTexts(const std::vector<Gbk>& bytes) { return {bytes.begin(), bytes.end()}; }
inline std::vector<Gbk> AsBytes(const std::vector<GbkText>& texts) {
    std::vector<Gbk> out;
    out.reserve(texts.size());
    for (const GbkText& t : texts) out.push_back(t.bytes());
    return out;
}

}  // namespace trelvix::ui

// Only files compiled to GBK (TRELVIX_GBK_LITERALS) see the suffix, so a UTF-8
// file that writes "..."_gbk does not compile.
#ifdef TRELVIX_GBK_SOURCE
namespace trelvix {
inline ui::GbkText operator""_gbk(const char* text, std::size_t length) { return Gbk(text, length); }
}  // namespace trelvix
#endif
