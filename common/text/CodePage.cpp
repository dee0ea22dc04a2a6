#include "common/text/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace trelvix {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

const char* IconvName(int codePage) {
    switch (codePage) {
        case 0:
        case 936: return "CP936";
        case 950: return "CP950";
        default: return nullptr;
    }
}

// Opening a converter loads its tables and closing the last one unloads them
// again, which costs far more than converting a short text: the traditional
// packs convert thousands at start. Each thread keeps its own converters, so
// conversions stay safe on worker threads.
class ConverterCache {
public:
    ConverterCache() = default;
    ~ConverterCache() {
        for (const auto& [names, cd] : open_)
            if (cd != kNone) iconv_close(cd);
    }
    ConverterCache(const ConverterCache&) = delete;
    ConverterCache& operator=(const ConverterCache&) = delete;

    // kNone when the system has no such converter.
    iconv_t get(const char* to, const char* from) {
        auto [it, added] = open_.try_emplace({to, from}, kNone);
        if (added) it->second = iconv_open(to, from);
        return it->second;
    }

    static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);

private:
    std::map<std::pair<std::string, std::string>, iconv_t> open_;
};

iconv_t Converter(const char* to, const char* from) {
    thread_local ConverterCache cache;
    return cache.get(to, from);
}

void AppendUtf32Le(std::string& out, char32_t c) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((c >> shift) & 0xFF));
}

char32_t ReadUtf32Le(const char* p) {
    char32_t c = 0;
    for (int k = 3; k >= 0; --k) c = (c << 8) | static_cast<unsigned char>(p[k]);
    return c;
}

// Runs iconv over `in` into `out`; on a byte it cannot take, `onBad` gets the rest of the
// input and says how many bytes to skip (after appending a stand-in of its own).
template <class OnBad>
void RunIconv(iconv_t cd, std::string_view in, std::string& out, OnBad onBad) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a kept converter starts afresh
    std::string input(in);
    char* ip = input.data();
    std::size_t left = input.size();
    char buffer[4096];
    while (left > 0) {
        char* op = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t r = iconv(cd, &ip, &left, &op, &room);
        out.append(buffer, static_cast<std::size_t>(op - buffer));
        if (r != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ, or EINVAL for a sequence cut off at the end: replace and go on.
        const std::size_t skip = std::min(left, onBad(std::string_view(ip, left), out));
        ip += skip;
        left -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        if (b0 < 0x80) {
            out.push_back(b0);
            ++i;
            continue;
        }
        int need = 0;
        char32_t c = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            need = 1;
            c = b0 & 0x1F;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            need = 2;
            c = b0 & 0x0F;
            if (b0 == 0xE0) lo = 0xA0;
            if (b0 == 0xED) hi = 0x9F;  // no surrogates
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            need = 3;
            c = b0 & 0x07;
            if (b0 == 0xF0) lo = 0x90;
            if (b0 == 0xF4) hi = 0x8F;
        }
        ++i;
        bool whole = need > 0;
        for (int k = 0; k < need; ++k) {
            const auto b = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
            const unsigned char min = k == 0 ? lo : 0x80;
            const unsigned char max = k == 0 ? hi : 0xBF;
            if (i >= text.size() || b < min || b > max) {
                whole = false;
                break;
            }
            c = (c << 6) | (b & 0x3F);
            ++i;
        }
        // The longest valid beginning of a broken sequence counts as one bad character.
        out.push_back(whole ? c : kReplacement);
    }
    return out;
}

std::string EncodeUtf8(const std::u32string& text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (char32_t c : text) {
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = kReplacement;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::optional<std::u32string> Decode(std::string_view text, int codePage) {
    if (codePage == 65001) return DecodeUtf8(text);
    const char* name = IconvName(codePage);
    if (!name) return std::nullopt;
    const iconv_t cd = Converter("UTF-32LE", name);
    if (cd == ConverterCache::kNone) return std::nullopt;
    std::string raw;
    raw.reserve(text.size() * 4);
    RunIconv(cd, text, raw, [](std::string_view, std::string& out) {
        AppendUtf32Le(out, kReplacement);
        return std::size_t{1};
    });
    std::u32string out;
    out.reserve(raw.size() / 4);
    for (std::size_t i = 0; i + 4 <= raw.size(); i += 4) out.push_back(ReadUtf32Le(raw.data() + i));
    return out;
}

std::optional<std::string> Encode(const std::u32string& text, int codePage, std::size_t* lost = nullptr) {
    if (codePage == 65001) return EncodeUtf8(text);
    const char* name = IconvName(codePage);
    if (!name) return std::nullopt;
    const iconv_t cd = Converter(name, "UTF-32LE");
    if (cd == ConverterCache::kNone) return std::nullopt;
    std::string units;
    units.reserve(text.size() * 4);
    for (char32_t c : text) AppendUtf32Le(units, c);
    std::string out;
    out.reserve(text.size() * 2);
    // A character the code page lacks becomes "?", as the Windows conversion writes it.
    RunIconv(cd, units, out, [lost](std::string_view, std::string& o) {
        if (lost) ++*lost;
        o.push_back('?');
        return std::size_t{4};
    });
    return out;
}

std::u32string DecodeUtf16Le(std::string_view buffer) {
    std::u32string out;
    out.reserve(buffer.size() / 2);
    auto unit = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(buffer[i]) |
                                     (static_cast<unsigned char>(buffer[i + 1]) << 8));
    };
    for (std::size_t i = 0; i + 2 <= buffer.size(); i += 2) {
        const char16_t u = unit(i);
        if (u == 0) break;
        if (u >= 0xD800 && u <= 0xDBFF && i + 4 <= buffer.size()) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                out.push_back(0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(low) - 0xDC00));
                i += 2;
                continue;
            }
        }
        out.push_back((u >= 0xD800 && u <= 0xDFFF) ? kReplacement : char32_t(u));
    }
    return out;
}

void AppendUtf16Le(std::string& out, char16_t unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        int need = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (b0 >= 0xC2 && b0 <= 0xDF) need = 1;
        else if (b0 >= 0xE0 && b0 <= 0xEF) {
            need = 2;
            if (b0 == 0xE0) lo = 0xA0;  // no overlong forms
            if (b0 == 0xED) hi = 0x9F;  // no surrogates
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            need = 3;
            if (b0 == 0xF0) lo = 0x90;
            if (b0 == 0xF4) hi = 0x8F;  // nothing past U+10FFFF
        } else {
            return false;
        }
        if (text.size() - i - 1 < static_cast<std::size_t>(need)) return false;
        for (int k = 1; k <= need; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if (b < (k == 1 ? lo : 0x80) || b > (k == 1 ? hi : 0xBF)) return false;
        }
        i += need + 1;
    }
    return true;
}

bool IsValidGbk(std::string_view text) {
    const iconv_t cd = Converter("UTF-32LE", IconvName(936));
    if (cd == ConverterCache::kNone) return false;
    bool valid = true;
    std::string ignored;
    RunIconv(cd, text, ignored, [&valid](std::string_view, std::string&) {
        valid = false;
        return std::size_t{1};
    });
    return valid;
}

Gbk GbkToUtf8(std::string_view gbk) {
    const auto decoded = Decode(gbk, 936);
    return decoded ? EncodeUtf8(*decoded) : Gbk();
}

Gbk Utf8ToGbk(std::string_view utf8) {
    const auto encoded = Encode(DecodeUtf8(utf8), 936);
    return encoded ? *encoded : Gbk();
}

Gbk Utf8ToGbk(std::string_view utf8, std::size_t& lost) {
    lost = 0;
    const auto encoded = Encode(DecodeUtf8(utf8), 936, &lost);
    return encoded ? *encoded : Gbk();
}

bool IsUtf8(std::string_view text) {
    // The decoder stands U+FFFD in for every malformed sequence, which then
    // encodes back to other bytes.
    return EncodeUtf8(DecodeUtf8(text)) == text;
}

std::string MultiByteToUtf16(std::string_view text, int codePage) {
    const auto decoded = Decode(text, codePage);
    if (!decoded) return {};
    std::string out;
    out.reserve(decoded->size() * 2 + 2);
    for (char32_t c : *decoded) {
        if (c >= 0x10000) {
            c -= 0x10000;
            AppendUtf16Le(out, static_cast<char16_t>(0xD800 + (c >> 10)));
            AppendUtf16Le(out, static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            AppendUtf16Le(out, static_cast<char16_t>(c));
        }
    }
    AppendUtf16Le(out, 0);
    return out;
}

std::string Utf16ToMultiByte(std::string_view buffer, int codePage) {
    const auto encoded = Encode(DecodeUtf16Le(buffer), codePage);
    return encoded ? *encoded : std::string();
}

}  // namespace trelvix
