#pragma once
// SHA-256 of a byte string: the record database keeps only a salted hash of
// its password, never the password itself.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace trelvix {

std::array<std::uint8_t, 32> Sha256(std::string_view bytes);

// The digest as 64 lower-case hex digits.
std::string Sha256Hex(std::string_view bytes);

}  // namespace trelvix
