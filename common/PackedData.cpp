#include "common/PackedData.h"

#include <zlib.h>

#include "common/EmbeddedData.h"

namespace trelvix {
namespace {

constexpr std::string_view kMagic = "TRZ1";
// Far above either table; a damaged header cannot make us reserve gigabytes.
constexpr std::uint32_t kMaxUnpacked = 64u << 20;

}  // namespace

std::optional<std::string> UnpackedEmbeddedFile(std::string_view path) {
    const std::optional<std::string_view> packed = EmbeddedFile(path);
    if (!packed || packed->substr(0, kMagic.size()) != kMagic) return std::nullopt;
    TableReader header{*packed, kMagic.size()};
    std::uint32_t size = 0;
    if (!header.u32(size) || size > kMaxUnpacked) return std::nullopt;
    std::string out(size, '\0');
    uLongf outSize = size;
    const std::string_view stream = packed->substr(header.at);
    if (uncompress(reinterpret_cast<Bytef*>(out.data()), &outSize, reinterpret_cast<const Bytef*>(stream.data()),
                   static_cast<uLong>(stream.size())) != Z_OK ||
        outSize != size)
        return std::nullopt;
    return out;
}

bool TableReader::take(std::size_t n, std::string_view& out) {
    if (n > bytes.size() - at) return false;
    out = bytes.substr(at, n);
    at += n;
    return true;
}

bool TableReader::u8(std::uint8_t& v) {
    std::string_view b;
    if (!take(1, b)) return false;
    v = static_cast<unsigned char>(b[0]);
    return true;
}

bool TableReader::u16(std::uint16_t& v) {
    std::string_view b;
    if (!take(2, b)) return false;
    v = static_cast<std::uint16_t>(static_cast<unsigned char>(b[0]) | static_cast<unsigned char>(b[1]) << 8);
    return true;
}

bool TableReader::u32(std::uint32_t& v) {
    std::string_view b;
    if (!take(4, b)) return false;
    v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[i]);
    return true;
}

}  // namespace trelvix
