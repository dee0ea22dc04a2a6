#include "generators/tools/MacVendor.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/PackedData.h"
#include "common/regex/RegexObject.h"
#include "common/text/CodePage.h"
#include "common/text/RouterOsText.h"

namespace trelvix::tools {
namespace {

// The service's two-row table; the line feeds are the page's own.
constexpr std::string_view kVendorTable =
    "厂商</td>\n<td bgcolor=\"#FFFFFF\" align=\"center\" style=\"font-size:16px;\">(.*?)</td>\n</tr>\n\n<tr>\n"
    "<td bgcolor=\"#F5F5F5\" align=\"center\">厂址</td>\n"
    "<td bgcolor=\"#FFFFFF\" align=\"center\" style=\"font-size:16px;\">(.*?)</td>";

constexpr std::string_view kRegistryTable = "macvendor/ieee-registry.bin";

// Blocks of the registry, sorted by prefix length and then first address.
class Registry {
public:
    static const Registry& Get() {
        static const Registry registry;
        return registry;
    }

    MacVendor find(std::uint64_t mac) const {
        for (const int bits : {36, 28, 24}) {
            const Block key{static_cast<std::uint8_t>(bits), mac >> (48 - bits) << (48 - bits), 0, 0};
            const auto it = std::lower_bound(blocks_.begin(), blocks_.end(), key, Before);
            if (it != blocks_.end() && it->bits == key.bits && it->first == key.first)
                return {Utf8ToGbk(text(it->name)), Utf8ToGbk(text(it->address))};
        }
        return {};
    }

private:
    struct Block {
        std::uint8_t bits;
        std::uint64_t first;
        std::uint32_t name, address;
    };

    static bool Before(const Block& a, const Block& b) {
        return a.bits != b.bits ? a.bits < b.bits : a.first < b.first;
    }

    // A table that is missing or damaged leaves the registry empty: every
    // lookup then finds nothing, as one the service does not know.
    Registry() {
        std::optional<std::string> bytes = UnpackedEmbeddedFile(kRegistryTable);
        if (!bytes) return;
        TableReader in{*bytes};
        std::string_view magic;
        std::uint32_t count = 0;
        if (!in.take(4, magic) || magic != "TMV1" || !in.u32(count)) return;
        std::vector<Block> blocks;
        blocks.reserve(std::min<std::size_t>(count, bytes->size() / 14));
        for (std::uint32_t i = 0; i < count; ++i) {
            Block b{};
            std::string_view first;
            if (!in.u8(b.bits) || !in.take(6, first) || !in.u32(b.name) || !in.u32(b.address)) return;
            for (const char c : first) b.first = b.first << 8 | static_cast<unsigned char>(c);
            blocks.push_back(b);
        }
        std::uint32_t textSize = 0;
        std::string_view texts;
        if (!in.u32(textSize) || !in.take(textSize, texts) || !std::is_sorted(blocks.begin(), blocks.end(), Before))
            return;
        texts_ = std::string(texts);
        blocks_ = std::move(blocks);
    }

    std::string_view text(std::uint32_t offset) const {
        if (offset >= texts_.size()) return {};
        const std::string_view rest = std::string_view(texts_).substr(offset);
        return rest.substr(0, rest.find('\0'));
    }

    std::vector<Block> blocks_;
    std::string texts_;
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "XX:XX:XX:XX:XX:XX" or "XX-XX-XX-XX-XX-XX" as a 48-bit number.
std::optional<std::uint64_t> ParseMac(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (text.size() != 17 || (text[2] != ':' && text[2] != '-')) return std::nullopt;
    std::uint64_t mac = 0;
    for (std::size_t i = 0; i < text.size(); i += 3) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0 || (i + 2 < text.size() && text[i + 2] != text[2])) return std::nullopt;
        mac = mac << 8 | static_cast<std::uint64_t>(high << 4 | low);
    }
    return mac;
}

}  // namespace

MacVendor FindRegisteredVendor(std::string_view mac) {
    const std::optional<std::uint64_t> address = ParseMac(mac);
    return address ? Registry::Get().find(*address) : MacVendor{};
}

std::string MacVendorUrl(std::string_view host, std::string_view mac) {
    std::string path;
    path.reserve(mac.size() * 3);
    std::size_t from = 0;
    // Percent-encode the runs between separators so a separator stays itself.
    for (std::size_t i = 0; i <= mac.size(); ++i) {
        if (i == mac.size() || mac[i] == ':' || mac[i] == '-') {
            path += PercentEncode(mac.substr(from, i - from), true);
            if (i < mac.size()) path += mac[i];
            from = i + 1;
        }
    }
    return "http://" + std::string(host) + "/" + path + "__mac/";
}

MacVendor ParseMacVendorPage(std::string_view utf8Page) {
    RegexObject regex;
    if (!regex.Create(kVendorTable, Utf8ToGbk(utf8Page), true, false, true, false)) return {};
    return {regex.SubMatchText(1, 1), regex.SubMatchText(1, 2)};
}

MacVendor LookupMacVendor(const MacVendorService& service, std::string_view mac) {
    if (service.host.empty()) return FindRegisteredVendor(mac);
    const std::string body = HttpGet(MacVendorUrl(service.host, mac), service.limits);
    return ParseMacVendorPage(body);
}

}  // namespace trelvix::tools
