#pragma once
// Built-in tables too large to embed as they are: "TRZ1", the unpacked size
// (4 bytes, little-endian) and a zlib stream. The MAC-vendor and IP-location
// tables are stored so.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trelvix {

// The unpacked bytes of the built-in file at path; nothing when there is no
// such file or it does not unpack to the size it states.
std::optional<std::string> UnpackedEmbeddedFile(std::string_view path);

// Bounds-checked little-endian reads from an unpacked table: false, and the
// position left where it was, past the end.
struct TableReader {
    std::string_view bytes;
    std::size_t at = 0;

    bool u8(std::uint8_t& v);
    bool u16(std::uint16_t& v);
    bool u32(std::uint32_t& v);
    bool take(std::size_t n, std::string_view& out);
};

}  // namespace trelvix
