#pragma once
// Form values into RouterOS command text: quoting, byte escapes, comments, rates.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix {

class RandomSource;

// A double quote, the text, a double quote; nothing inside is escaped, because callers
// also wrap text that is already escaped.
Gbk Quote(std::string_view text);

// For values the user typed (passwords, account and list names, times), in double
// quotes. RouterOS reads a quoted string byte by byte and expands $ inside it, so every
// 0x5C, 0x22 and 0x24 byte gets a backslash, also the second byte of a two-byte
// character (9C 5C becomes 9C 5C 5C, which the router stores as 9C 5C). A "?" becomes
// \? because a router terminal takes a pasted "?" as a request for help, even inside
// quotes; no GBK trail byte is 0x3F, so no character loses a byte to that. A CR or
// LF becomes \r or \n, so a line break pasted into a box cannot end the command.
Gbk QuoteTyped(std::string_view text);
// QuoteTyped's escapes without its quotes, for a typed value that a stored
// template already writes between quotes.
Gbk EscapeTyped(std::string_view text);

// A typed value that the script writes outside quotes (a queue or interface name, a
// rate, a host number): bare while every byte is an ASCII letter or digit or one of
// - _ . : / , @ +, so ordinary values read as before; otherwise the whole value goes
// through QuoteTyped, since a blank, quote, $ or Chinese character would break the
// command line. An empty value stays empty.
Gbk TypedWord(std::string_view text);
// True when TypedWord leaves the text as it is (also for the empty text), so that
// long lists can be written without a copy per value.
bool IsBareWord(std::string_view text);

// " comment=" and the quoted, escaped box text; empty for an empty box.
Gbk CommentFromBox(std::string_view boxText);

// Every byte other than 0-9 A-Z a-z - . as "\" and two upper-case hex digits.
Gbk EncodeRouterOsEscapes(std::string_view text);

// "\" and two hex digits (either case) become that byte; any other "\" and every "%"
// stay as they are; two-byte characters are taken whole, so 乗 (81 5C) survives.
Gbk DecodeRouterOsEscapes(std::string_view text);

// "%" and two upper-case hex digits for every byte, or with keepSafe for every byte
// other than 0-9 A-Z a-z - .; with utf8First the UTF-8 form of the text is encoded.
Gbk PercentEncode(std::string_view text, bool keepSafe = false, bool utf8First = false);

// "%" and two hex digits (either case) become that byte; a "%" without two hex digits
// after it stays as it is. fromUtf8: the decoded bytes are UTF-8, converted to GBK.
Gbk PercentDecode(std::string_view text, bool fromUtf8 = false);

struct ReplacePair {
    std::string_view find;
    std::string_view replacement;
};

struct BatchReplaceOptions {
    std::optional<long long> count;  // replacements per pair; none (or below 0): all
    long long start = 1;             // 1-based; 0 or below counts as 1
    bool caseSensitive = false;
};

// The pairs in order, each over the result of the one before (the forms pass up to
// five). An empty find changes nothing.
Gbk BatchReplace(std::string_view text, std::span<const ReplacePair> pairs, const BatchReplaceOptions& options = {});
Gbk BatchReplace(std::string_view text, std::initializer_list<ReplacePair> pairs,
                 const BatchReplaceOptions& options = {});

// "mb" becomes "M" when the text holds it, otherwise every "m" does (case-sensitive).
Gbk NormalizeRate(std::string_view text);

// Upper-case hexadecimal without leading zeros; empty for a negative value.
Gbk IntToHex(std::int64_t value);

// `count` lines joined by CR LF, each of 6 random octets (3 after `prefix` when
// usePrefix), two upper-case hex digits each, joined by ":" (kind 1), "-" (kind 2) or
// nothing (any other kind). count 0 or less gives the empty text.
Gbk RandomMacList(RandomSource& random, std::string_view prefix, bool usePrefix, long long count, int separatorKind);

// The text between the first `left` found from `start` and the next `right` after it;
// "#引号" in a marker stands for a double quote. Empty when either is missing or
// `right` is empty.
Gbk TextBetween(std::string_view text, std::string_view left, std::string_view right, long long start = 1,
                bool ignoreCase = false);

// The first three dotted parts of an address typed with 3 or 4 parts, each followed
// by "."; otherwise empty ("192.168.1" and "192.168.1.0" give "192.168.1.").
Gbk IpPrefix3(std::string_view text);

}  // namespace trelvix
