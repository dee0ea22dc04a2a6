#include "tools/iplookup/IpLocationTable.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/PackedData.h"
#include "common/text/CodePage.h"

namespace trelvix {
namespace {

constexpr std::string_view kTable = "data/iplocation/ipv4.bin";
constexpr std::uint16_t kNoPlace = 0xFFFF;

class IpLocationTable {
public:
    static const IpLocationTable& Get() {
        static const IpLocationTable table;
        return table;
    }

    std::optional<IpPlace> find(std::uint32_t address) const {
        if (firsts_.empty()) return std::nullopt;
        // The range that holds the address is the last one starting at or before it.
        const auto next = std::upper_bound(firsts_.begin(), firsts_.end(), address);
        const std::uint16_t place = placeOf_[static_cast<std::size_t>(next - firsts_.begin()) - 1];
        if (place == kNoPlace) return std::nullopt;
        IpPlace out;
        for (std::size_t f = 0; f < out.size(); ++f) out[f] = Utf8ToGbk(texts_[places_[place][f]]);
        return out;
    }

private:
    // A table that is missing or damaged stays empty: every lookup then finds
    // nothing, as for an address the database does not hold.
    IpLocationTable() {
        const std::optional<std::string> bytes = UnpackedEmbeddedFile(kTable);
        if (!bytes || !read(*bytes)) {
            texts_.clear();
            places_.clear();
            firsts_.clear();
            placeOf_.clear();
        }
    }

    bool read(std::string_view bytes) {
        TableReader in{bytes};
        std::string_view magic;
        std::uint32_t count = 0;
        if (!in.take(4, magic) || magic != "TIP1" || !in.u32(count) || count == 0) return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::string_view rest = bytes.substr(in.at);
            const std::size_t end = rest.find('\0');
            std::string_view text;
            if (end == std::string_view::npos || !in.take(end + 1, text)) return false;
            texts_.emplace_back(text.substr(0, end));
        }
        if (!in.u32(count) || count > bytes.size() / 10) return false;
        places_.resize(count);
        for (auto& place : places_)
            for (auto& text : place)
                if (!in.u16(text) || text >= texts_.size()) return false;
        if (!in.u32(count) || count == 0 || count > bytes.size() / 6) return false;
        firsts_.resize(count);
        std::uint64_t first = 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint32_t step = 0;
            if (!in.u32(step)) return false;
            first += step;
            // Ascending from 0.0.0.0 and inside the address space, or binary search lies.
            if ((i == 0 && step != 0) || (i > 0 && step == 0) || first > UINT32_MAX) return false;
            firsts_[i] = static_cast<std::uint32_t>(first);
        }
        placeOf_.resize(count);
        for (auto& place : placeOf_)
            if (!in.u16(place) || (place != kNoPlace && place >= places_.size())) return false;
        return in.at == bytes.size();
    }

    std::vector<std::string> texts_;
    std::vector<std::array<std::uint16_t, 5>> places_;
    std::vector<std::uint32_t> firsts_;
    std::vector<std::uint16_t> placeOf_;
};

// Four decimal numbers of at most three digits, 0 to 255, between dots.
std::optional<std::uint32_t> ParseIpv4(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    std::uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.') return std::nullopt;
            text.remove_prefix(1);
        }
        std::size_t digits = 0;
        unsigned value = 0;
        while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9')
            value = value * 10 + static_cast<unsigned>(text[digits++] - '0');
        if (digits == 0 || digits > 3 || value > 255) return std::nullopt;
        text.remove_prefix(digits);
        address = address << 8 | value;
    }
    if (!text.empty()) return std::nullopt;
    return address;
}

}  // namespace

std::optional<IpPlace> FindIpPlace(std::string_view address) {
    const std::optional<std::uint32_t> ip = ParseIpv4(address);
    if (!ip || *ip == 0) return std::nullopt;
    return IpLocationTable::Get().find(*ip);
}

}  // namespace trelvix
