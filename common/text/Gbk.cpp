#include "common/text/Gbk.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace trelvix {

namespace {

bool IsAsciiBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

unsigned char FoldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// Does `what` stand at 0-based `at` of `text`, character for character? Comparing whole
// characters keeps a match from ending half-way into one and keeps case folding off
// second bytes.
bool MatchesAt(std::string_view text, std::size_t at, std::string_view what, bool caseSensitive) {
    std::size_t i = at;
    std::size_t j = 0;
    while (j < what.size()) {
        if (i >= text.size()) return false;
        const std::size_t lengthInText = CharLength(text, i);
        const std::size_t lengthInWhat = CharLength(what, j);
        if (lengthInText != lengthInWhat) return false;
        if (lengthInText == 1) {
            const auto a = static_cast<unsigned char>(text[i]);
            const auto b = static_cast<unsigned char>(what[j]);
            if (caseSensitive ? a != b : FoldAscii(a) != FoldAscii(b)) return false;
        } else if (text[i] != what[j] || text[i + 1] != what[j + 1]) {
            return false;
        }
        i += lengthInText;
        j += lengthInWhat;
    }
    return true;
}

// The first character boundary at or after 0-based `at`. Whatever follows a byte outside
// 0x81-0xFE starts a character, and the lead-range bytes after it pair up, so only the
// run of such bytes just before `at` needs reading, not the text from its start: a
// caller that searches on from its last match stays linear.
std::size_t BoundaryAtOrAfter(std::string_view text, std::size_t at) {
    std::size_t run = 0;
    while (run < at && IsLeadByte(static_cast<unsigned char>(text[at - run - 1]))) ++run;
    return run % 2 == 0 ? at : at + 1;
}

// 0-based index of the first match at a character boundary at or after `from`, or npos.
std::size_t FindIndex(std::string_view text, std::string_view what, std::size_t from, bool caseSensitive) {
    if (from >= text.size()) return std::string_view::npos;
    for (std::size_t i = BoundaryAtOrAfter(text, from); i < text.size(); i += CharLength(text, i)) {
        if (MatchesAt(text, i, what, caseSensitive)) return i;
    }
    return std::string_view::npos;
}

std::size_t StartIndex(long long start) { return start < 1 ? 0 : static_cast<std::size_t>(start - 1); }

template <class IsBlankAt>
Gbk TrimWith(std::string_view text, IsBlankAt blankLength) {
    // Walk forward: a trailing A1 A1 can only be told from a second byte A1 followed by
    // a lead byte A1 by reading from the front.
    std::size_t begin = 0;
    std::size_t end = 0;
    bool seenContent = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t blank = blankLength(text, i);
        const std::size_t step = blank ? blank : CharLength(text, i);
        if (!blank) {
            if (!seenContent) begin = i;
            seenContent = true;
            end = i + step;
        }
        i += step;
    }
    return seenContent ? Gbk(text.substr(begin, end - begin)) : Gbk();
}

std::size_t FullWidthBlankAt(std::string_view text, std::size_t at) {
    return (at + 1 < text.size() && static_cast<unsigned char>(text[at]) == 0xA1 &&
            static_cast<unsigned char>(text[at + 1]) == 0xA1)
               ? 2
               : 0;
}

// Decimal digits and exponent of a finite nonzero |value| rounded to `digits`
// significant digits, halves away from zero. The value is first written with 15
// significant digits, its shortest faithful decimal form for ordinary input, so that
// 2.675 counts as the half it was typed as.
struct DecimalDigits {
    std::string digits;  // no leading zero
    int exponent = 0;    // value = 0.d1d2d3... * 10^(exponent + 1)
};

DecimalDigits RoundedDigits(double magnitude, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    DecimalDigits out;
    for (const char* p = buffer; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') out.digits.push_back(*p);
    }
    const char* e = buffer;
    while (*e && *e != 'e') ++e;
    out.exponent = *e ? std::atoi(e + 1) : 0;
    if (static_cast<int>(out.digits.size()) > digits) {
        const bool roundUp = out.digits[digits] >= '5';
        out.digits.resize(digits);
        if (roundUp) {
            int k = digits - 1;
            while (k >= 0 && out.digits[k] == '9') out.digits[k--] = '0';
            if (k >= 0) {
                ++out.digits[k];
            } else {
                out.digits.insert(out.digits.begin(), '1');
                out.digits.pop_back();
                ++out.exponent;
            }
        }
    }
    while (out.digits.size() > 1 && out.digits.back() == '0') out.digits.pop_back();
    return out;
}

}  // namespace

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

std::size_t CharLength(std::string_view text, std::size_t at) {
    return (at + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[at]))) ? 2 : 1;
}

long long Find(std::string_view text, std::string_view what, long long start, bool caseSensitive) {
    if (text.empty()) return -1;
    if (what.empty()) return 1;
    const std::size_t at = FindIndex(text, what, StartIndex(start), caseSensitive);
    return at == std::string_view::npos ? -1 : static_cast<long long>(at) + 1;
}

Gbk Left(std::string_view text, long long length) {
    if (length <= 0) return {};
    return Gbk(text.substr(0, static_cast<std::size_t>(length)));
}

Gbk Right(std::string_view text, long long length) {
    if (length <= 0) return {};
    const auto n = std::min(text.size(), static_cast<std::size_t>(length));
    return Gbk(text.substr(text.size() - n));
}

Gbk Mid(std::string_view text, long long start, long long length) {
    if (length == 0) return {};
    const std::size_t from = StartIndex(start);
    if (from >= text.size()) return {};
    return Gbk(length < 0 ? text.substr(from) : text.substr(from, static_cast<std::size_t>(length)));
}

std::vector<Gbk> Split(std::string_view text, std::string_view separator) {
    std::vector<Gbk> pieces;
    if (text.empty()) return pieces;
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t pieceStart = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (MatchesAt(text, i, separator, true)) {
            pieces.emplace_back(text.substr(pieceStart, i - pieceStart));
            i += separator.size();
            pieceStart = i;
        } else {
            i += CharLength(text, i);
        }
    }
    if (pieceStart < text.size()) pieces.emplace_back(text.substr(pieceStart));
    return pieces;
}

Gbk Trim(std::string_view text) {
    return TrimWith(text, [](std::string_view t, std::size_t at) -> std::size_t {
        return IsAsciiBlank(static_cast<unsigned char>(t[at])) ? 1 : FullWidthBlankAt(t, at);
    });
}

Gbk TrimSpaces(std::string_view text) {
    return TrimWith(text, [](std::string_view t, std::size_t at) -> std::size_t {
        return t[at] == ' ' ? 1 : FullWidthBlankAt(t, at);
    });
}

std::int64_t ToInt64(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsAsciiBlank(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulate as a negative number: its range holds the minimum.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    bool saturated = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (saturated) continue;
        if (value < (kMin + digit) / 10) {
            saturated = true;
            continue;
        }
        value = value * 10 - digit;
    }
    if (saturated) return negative ? kMin : std::numeric_limits<std::int64_t>::max();
    if (negative) return value;
    return value == kMin ? std::numeric_limits<std::int64_t>::max() : -value;
}

Gbk NumberToText(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    if (value == 0) return "0";
    const DecimalDigits d = RoundedDigits(std::fabs(value), 13);
    Gbk out = value < 0 ? "-" : "";
    const int e = d.exponent;
    const int n = static_cast<int>(d.digits.size());
    if (e >= 21 || e < -9) {
        out += d.digits[0];
        if (n > 1) out += "." + d.digits.substr(1);
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
        return out + exponent;
    }
    if (e < 0) return out + "0." + std::string(static_cast<std::size_t>(-e - 1), '0') + d.digits;
    if (n <= e + 1) return out + d.digits + std::string(static_cast<std::size_t>(e + 1 - n), '0');
    return out + d.digits.substr(0, e + 1) + "." + d.digits.substr(e + 1);
}

double RoundHalfAway(double value, int decimals) {
    if (!std::isfinite(value) || value == 0) return value;
    const DecimalDigits d = RoundedDigits(std::fabs(value), 15);
    // Keep the digits down to 10^-decimals, rounding the first dropped one.
    const int keep = d.exponent + 1 + decimals;
    if (keep <= 0) {
        // Only when the value is at least half of the last kept place does it round up.
        const bool roundUp = keep == 0 && d.digits[0] >= '5';
        return roundUp ? std::copysign(std::pow(10.0, -decimals), value) : std::copysign(0.0, value);
    }
    const DecimalDigits r = RoundedDigits(std::fabs(value), keep);
    const std::string text = "0." + r.digits + "e" + std::to_string(r.exponent + 1);
    return std::copysign(std::strtod(text.c_str(), nullptr), value);
}

Gbk ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement, bool caseSensitive,
               long long start, long long count) {
    if (find.empty() || count == 0) return Gbk(text);
    Gbk out;
    out.reserve(text.size());
    const std::size_t from = StartIndex(start);
    long long done = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (i >= from && (count < 0 || done < count) && MatchesAt(text, i, find, caseSensitive)) {
            out += replacement;
            i += find.size();
            ++done;
        } else {
            const std::size_t step = CharLength(text, i);
            out.append(text.substr(i, step));
            i += step;
        }
    }
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && MatchesAt(a, 0, b, false); }

Gbk ToLowerAscii(std::string_view text) {
    Gbk out(text);
    for (std::size_t i = 0; i < out.size(); i += CharLength(out, i)) {
        if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] + ('a' - 'A'));
    }
    return out;
}

Gbk ToUpperAscii(std::string_view text) {
    Gbk out(text);
    for (std::size_t i = 0; i < out.size(); i += CharLength(out, i)) {
        if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - ('a' - 'A'));
    }
    return out;
}

}  // namespace trelvix
