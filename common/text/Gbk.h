#pragma once
// GBK text: the bytes every window field, template and generated script is made of.
// Positions and lengths count bytes and are 1-based where a position is asked for;
// every search steps over two-byte characters so that it never matches inside one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trelvix {

using Gbk = std::string;

// 0x81-0xFE opens a two-byte character (whatever byte follows it).
bool IsLeadByte(unsigned char byte);

// Bytes taken by the character at 0-based byte index `at`: 2 for a lead byte with a
// byte after it, otherwise 1 (a lone lead byte at the end counts as one byte).
std::size_t CharLength(std::string_view text, std::size_t at);

// 1-based position of `what` at or after byte position `start` (below 1 counts as 1),
// -1 when there is none. A match starts and ends on character boundaries. An empty
// `what` gives 1 in any non-empty text; nothing is found in an empty text.
// caseSensitive false folds ASCII letters only, never the second byte of a character.
long long Find(std::string_view text, std::string_view what, long long start = 1, bool caseSensitive = true);

// Byte parts; a length of 0 or less gives the empty text, lengths past the end are cut.
Gbk Left(std::string_view text, long long length);
Gbk Right(std::string_view text, long long length);
// From 1-based byte position `start`; length below 0 means "to the end".
// Length 0, or a start past the end, gives the empty text.
Gbk Mid(std::string_view text, long long start, long long length = -1);

// Every piece between separators, empty ones included; the piece after the last
// separator only when it is not empty; no piece for an empty text. An empty separator
// gives the whole text as one piece.
std::vector<Gbk> Split(std::string_view text, std::string_view separator);

// Removes ASCII blanks (space, tab, CR, LF) and full-width blanks (A1 A1) at both ends.
Gbk Trim(std::string_view text);
// Removes ASCII spaces and full-width blanks only (tabs, CR and LF stay), for header
// and cookie texts.
Gbk TrimSpaces(std::string_view text);

// The leading decimal integer: leading blanks and one sign allowed, reading stops at
// the first non-digit, no digits gives 0; saturates at the 64-bit limits.
std::int64_t ToInt64(std::string_view text);

// At most 13 significant digits, halves away from zero, no trailing zeros, no
// exponent for magnitudes from 1e-9 to below 1e21 (an exponent "E+NN" outside).
Gbk NumberToText(double value);

// Rounds to `decimals` places (negative: tens, hundreds...), halves away from zero,
// judged on the value's shortest decimal form so 1.005 rounds to 1.01.
double RoundHalfAway(double value, int decimals);

// Replaces `find` by `replacement` from byte position `start`, left to right; at most
// `count` times (below 0: all). Replaced text is not searched again. An empty `find`
// changes nothing.
Gbk ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement, bool caseSensitive = true,
               long long start = 1, long long count = -1);

// ASCII letters folded, only where they stand as one-byte characters.
bool EqualsNoCase(std::string_view a, std::string_view b);
Gbk ToLowerAscii(std::string_view text);
Gbk ToUpperAscii(std::string_view text);

}  // namespace trelvix
