#pragma once
// Conversions between the code pages the program meets: GBK (936) inside, UTF-8 (65001)
// on the web and in the toolkit, Big5 (950) for the traditional packs. A byte that
// cannot be decoded becomes U+FFFD, a character the target lacks becomes "?"; the rest
// of the text is always converted.
#include <cstddef>
#include <string>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix {

Gbk GbkToUtf8(std::string_view gbk);
// Whether every byte belongs to a whole character of the code page: text
// from outside (a web reply) that is neither is not text at all.
bool IsValidUtf8(std::string_view text);
bool IsValidGbk(std::string_view text);
Gbk Utf8ToGbk(std::string_view utf8);
// The same, counting in `lost` the characters GBK lacks (each written "?").
Gbk Utf8ToGbk(std::string_view utf8, std::size_t& lost);

// Whether the bytes are well-formed UTF-8: no overlong forms, no surrogates.
bool IsUtf8(std::string_view text);

// The text read in `codePage` (936, 950 or 65001; 0 is the system code page, 936 here)
// as UTF-16LE code units in a byte buffer, a terminating zero unit included.
// An unknown code page gives an empty buffer.
std::string MultiByteToUtf16(std::string_view text, int codePage = 65001);

// The UTF-16LE units of `buffer` up to the first zero unit (an odd last byte is
// ignored) written in `codePage`, without a terminating zero.
std::string Utf16ToMultiByte(std::string_view buffer, int codePage = 0);

}  // namespace trelvix
