#pragma once
// A lexical check of generated RouterOS scripts, read as the router reads
// them: byte by byte, so the second byte of a two-byte character counts as
// the ASCII byte it is. It catches what breaks a script before any command
// runs: a string that does not close, an escape RouterOS does not know, a
// bare "?" (a terminal takes it as a request for help), "$" naming a variable
// the script never declares, a backslash outside a string that does not end
// its line, brackets and braces that do not pair up, and a bare word among
// the name=value arguments of an `add` command.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace trelvix::test {

struct LexicalFault {
    std::size_t offset = 0;  // byte offset of the fault
    int line = 1;            // 1-based physical line
    std::string reason;
};

// Whether the text holds a command at all: a line that starts, after blanks,
// with a menu path (/) or a global command (:). A list of MAC addresses in
// the script box does not.
bool LooksLikeScript(std::string_view text);

// The first fault of `script`, or nothing when it reads cleanly.
std::optional<LexicalFault> CheckRouterOsLexis(std::string_view script);

// The first fault of the text as a script box holds it: valid GBK, no NUL
// byte, every line ending in CR LF (no lone CR or LF).
std::optional<LexicalFault> CheckGbkCrLf(std::string_view script);

// The fault with its line shown, for a test's failure message.
std::string Describe(const LexicalFault& fault, std::string_view script);

}  // namespace trelvix::test
