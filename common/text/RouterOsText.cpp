#include "common/text/RouterOsText.h"

#include "common/platform/Random.h"
#include "common/text/CodePage.h"

namespace trelvix {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsSafeByte(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.';
}

bool IsBareWordByte(unsigned char c) {
    if (IsSafeByte(c)) return true;
    switch (c) {
        case '_':
        case ':':
        case '/':
        case ',':
        case '@':
        case '+': return true;
        default: return false;
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The byte of `marker` followed by two hex digits at `at`, if that is what stands there.
int EscapedByteAt(std::string_view text, std::size_t at, char marker) {
    if (text[at] != marker || at + 2 >= text.size()) return -1;
    const int high = HexValue(text[at + 1]);
    const int low = HexValue(text[at + 2]);
    return (high < 0 || low < 0) ? -1 : high * 16 + low;
}

void AppendHexByte(Gbk& out, char prefix, unsigned char byte) {
    out.push_back(prefix);
    out.push_back(kHexDigits[byte >> 4]);
    out.push_back(kHexDigits[byte & 0x0F]);
}

// How callers write a double quote inside a marker.
constexpr std::string_view kQuoteWord = "#引号";

}  // namespace

Gbk Quote(std::string_view text) {
    Gbk out;
    out.reserve(text.size() + 2);
    out.push_back('"');
    out.append(text);
    out.push_back('"');
    return out;
}

Gbk EscapeTyped(std::string_view text) {
    Gbk out;
    out.reserve(text.size() + 6);
    for (const char c : text) {
        // A line break would end the command in the middle of its string, and
        // the rest of the value would run as a command of its own.
        if (c == '\r' || c == '\n') {
            out += c == '\r' ? "\\r" : "\\n";
            continue;
        }
        if (c == '\\' || c == '"' || c == '$' || c == '?') out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

Gbk QuoteTyped(std::string_view text) { return '"' + EscapeTyped(text) + '"'; }

bool IsBareWord(std::string_view text) {
    for (const unsigned char c : text)
        if (!IsBareWordByte(c)) return false;
    return true;
}

Gbk TypedWord(std::string_view text) { return IsBareWord(text) ? Gbk(text) : QuoteTyped(text); }

Gbk CommentFromBox(std::string_view boxText) {
    if (boxText.empty()) return {};
    return " comment=" + Quote(EncodeRouterOsEscapes(boxText));
}

Gbk PercentEncode(std::string_view text, bool keepSafe, bool utf8First) {
    if (text.empty()) return {};
    const Gbk bytes = utf8First ? GbkToUtf8(text) : Gbk(text);
    Gbk out;
    out.reserve(bytes.size() * 3);
    for (unsigned char c : bytes) {
        if (keepSafe && IsSafeByte(c)) out.push_back(static_cast<char>(c));
        else AppendHexByte(out, '%', c);
    }
    return out;
}

Gbk EncodeRouterOsEscapes(std::string_view text) {
    Gbk out;
    out.reserve(text.size() * 3);
    for (unsigned char c : text) {
        if (IsSafeByte(c)) out.push_back(static_cast<char>(c));
        else AppendHexByte(out, '\\', c);
    }
    return out;
}

Gbk DecodeRouterOsEscapes(std::string_view text) {
    Gbk out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharLength(text, i);
        const int byte = length == 1 ? EscapedByteAt(text, i, '\\') : -1;
        if (byte >= 0) {
            out.push_back(static_cast<char>(byte));
            i += 3;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

Gbk PercentDecode(std::string_view text, bool fromUtf8) {
    // Percent escapes stand for bytes of whatever encoding, so the walk is byte-wise.
    Gbk out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const int byte = EscapedByteAt(text, i, '%');
        if (byte >= 0) {
            out.push_back(static_cast<char>(byte));
            i += 3;
        } else {
            out.push_back(text[i++]);
        }
    }
    return fromUtf8 ? Utf8ToGbk(out) : out;
}

Gbk BatchReplace(std::string_view text, std::span<const ReplacePair> pairs, const BatchReplaceOptions& options) {
    const long long start = options.start < 1 ? 1 : options.start;
    const long long count = options.count.value_or(-1);
    Gbk out(text);
    for (const ReplacePair& pair : pairs) {
        if (pair.find.empty()) continue;
        out = ReplaceAll(out, pair.find, pair.replacement, options.caseSensitive, start, count < 0 ? -1 : count);
    }
    return out;
}

Gbk BatchReplace(std::string_view text, std::initializer_list<ReplacePair> pairs, const BatchReplaceOptions& options) {
    return BatchReplace(text, std::span<const ReplacePair>(pairs.begin(), pairs.size()), options);
}

Gbk NormalizeRate(std::string_view text) {
    return Find(text, "mb") > 0 ? ReplaceAll(text, "mb", "M") : ReplaceAll(text, "m", "M");
}

Gbk IntToHex(std::int64_t value) {
    if (value < 0) return {};
    if (value == 0) return "0";
    Gbk reversed;
    for (auto v = static_cast<std::uint64_t>(value); v != 0; v >>= 4) reversed.push_back(kHexDigits[v & 0x0F]);
    return Gbk(reversed.rbegin(), reversed.rend());
}

Gbk RandomMacList(RandomSource& random, std::string_view prefix, bool usePrefix, long long count, int separatorKind) {
    const std::string_view separator = separatorKind == 1 ? ":" : separatorKind == 2 ? "-" : "";
    const int octets = usePrefix ? 3 : 6;
    Gbk out;
    for (long long line = 0; line < count; ++line) {
        if (line > 0) out += "\r\n";
        if (usePrefix) out += prefix;
        for (int k = 0; k < octets; ++k) {
            if (k > 0) out += separator;
            const auto octet = static_cast<unsigned char>(random.UniformInt(0, 255));
            out.push_back(kHexDigits[octet >> 4]);
            out.push_back(kHexDigits[octet & 0x0F]);
        }
    }
    return out;
}

Gbk TextBetween(std::string_view text, std::string_view left, std::string_view right, long long start,
                bool ignoreCase) {
    const Gbk leftMarker = ReplaceAll(left, kQuoteWord, "\"");
    const Gbk rightMarker = ReplaceAll(right, kQuoteWord, "\"");
    if (rightMarker.empty()) return {};
    const long long leftAt = Find(text, leftMarker, start < 1 ? 1 : start, !ignoreCase);
    if (leftAt < 0) return {};
    const long long from = leftAt + static_cast<long long>(leftMarker.size());
    const long long rightAt = Find(text, rightMarker, from, !ignoreCase);
    if (rightAt < 0) return {};
    return Mid(text, from, rightAt - from);
}

Gbk IpPrefix3(std::string_view text) {
    const std::vector<Gbk> parts = Split(text, ".");
    if (parts.size() != 3 && parts.size() != 4) return {};
    return parts[0] + "." + parts[1] + "." + parts[2] + ".";
}

}  // namespace trelvix
