#include "tools/ipv6/Ipv6TunnelScript.h"

#include <string>
#include <utility>
#include <vector>

#include "common/EmbeddedData.h"
#include "common/text/RouterOsText.h"

namespace trelvix::ipv6tunnel {
namespace {

// Byte offsets of every occurrence of `what`, left to right, never inside a
// two-byte character nor overlapping one found before. One pass over the text.
std::vector<std::size_t> Occurrences(std::string_view text, std::string_view what) {
    std::vector<std::size_t> found;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, what.size(), what) == 0) {
            found.push_back(i);
            i += what.size();
        } else {
            i += CharLength(text, i);
        }
    }
    return found;
}

Gbk Replaced(std::string_view text, const std::vector<std::size_t>& at, std::size_t findLength,
             std::string_view replacement) {
    Gbk out;
    out.reserve(text.size() + at.size() * replacement.size());
    std::size_t from = 0;
    for (std::size_t i : at) {
        out.append(text.substr(from, i - from)).append(replacement);
        from = i + findLength;
    }
    return out.append(text.substr(from));
}

// The text between placeholders comes from the template and is final; a
// value keeps its typed bytes until every step has run, so that a placeholder
// inside it is filled by the raw value, and it is quoted once as a whole.
struct Piece {
    Gbk text;
    int value = -1;  // index of the placeholder it fills; -1 for template text
};

Gbk Written(const Piece& piece, std::span<const Placeholder> values) {
    if (piece.value < 0) return piece.text;
    if (values[static_cast<std::size_t>(piece.value)].slot == Slot::Bare) return TypedWord(piece.text);
    return EscapeTyped(piece.text);
}

}  // namespace

std::optional<Gbk> FillTemplate(std::string_view text, std::span<const Placeholder> values, std::size_t limit) {
    std::vector<Piece> pieces{{Gbk(text), -1}};
    std::size_t size = text.size();
    for (std::size_t k = 0; k < values.size(); ++k) {
        const std::string placeholder = "{" + std::to_string(k + 1) + "}";
        const std::string_view value = values[k].value;
        std::vector<std::vector<std::size_t>> found(pieces.size());
        std::size_t grown = size;
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            found[p] = Occurrences(pieces[p].text, placeholder);
            grown = grown - found[p].size() * placeholder.size() + found[p].size() * value.size();
            // Checked before anything is built, so a step that would multiply
            // the text past the limit costs no more than the limit.
            if (grown > limit) return std::nullopt;
        }
        size = grown;
        std::vector<Piece> next;
        next.reserve(pieces.size());
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            Piece& piece = pieces[p];
            if (found[p].empty()) {
                next.push_back(std::move(piece));
            } else if (piece.value >= 0) {
                next.push_back({Replaced(piece.text, found[p], placeholder.size(), value), piece.value});
            } else {
                std::size_t from = 0;
                for (std::size_t i : found[p]) {
                    next.push_back({piece.text.substr(from, i - from), -1});
                    next.push_back({Gbk(value), static_cast<int>(k)});
                    from = i + placeholder.size();
                }
                next.push_back({piece.text.substr(from), -1});
            }
        }
        pieces = std::move(next);
    }
    Gbk out;
    out.reserve(size);
    for (const Piece& piece : pieces) {
        out += Written(piece, values);
        if (out.size() > limit) return std::nullopt;
    }
    return out;
}

std::optional<Gbk> BuildIpv6TunnelSetupScript(const SetupFields& f) {
    // Only the comment stands in quotes; names and addresses are bare words.
    const std::array<Placeholder, 8> values{{
        {f.comment, Slot::InQuotes},
        {f.name, Slot::Bare},
        {f.clientIpv4, Slot::Bare},
        {f.serverIpv4, Slot::Bare},
        {f.serverIpv6, Slot::Bare},
        {f.clientIpv6, Slot::Bare},
        {f.lanInterface, Slot::Bare},
        {f.routedPrefix, Slot::Bare},
    }};
    return FillTemplate(StoredText("data/ipv6/setup.rsc"), values);
}

std::optional<Gbk> BuildHeTunnelScript(const UpdateFields& f) {
    // Every value is a ":local" string in quotes the template holds.
    const std::array<Placeholder, 7> values{{
        {f.tunnelInterface, Slot::InQuotes},
        {f.tunnelId, Slot::InQuotes},
        {f.user, Slot::InQuotes},
        {f.updateKey, Slot::InQuotes},
        {f.wanInterface, Slot::InQuotes},
        {f.updateHost, Slot::InQuotes},
        {f.updatePath, Slot::InQuotes},
    }};
    return FillTemplate(StoredText("data/ipv6/he-update.rsc"), values);
}

const Gbk& ScriptTooLongMessage() {
    static const Gbk message = "生成的脚本超过了1MB,请检查填入的内容是否重复引用了{1}这样的占位符.";
    return message;
}

}  // namespace trelvix::ipv6tunnel
