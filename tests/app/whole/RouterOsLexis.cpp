#include "RouterOsLexis.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "common/text/CodePage.h"

namespace trelvix::test {
namespace {

bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsNameByte(char c) { return IsAsciiAlnum(c) || c == '_'; }
// What an argument's name is made of: ip-address, !disabled, src-address-list.
bool IsKeyByte(char c) { return IsAsciiAlnum(c) || c == '-' || c == '_' || c == '.' || c == '!'; }
bool IsUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
// Bytes that end a word: blanks, line ends, separators, brackets, quotes.
bool EndsWord(char c) {
    return IsBlank(c) || IsLineEnd(c) || c == ';' || c == '=' || c == '"' || c == '$' || c == '[' || c == ']' ||
           c == '{' || c == '}' || c == '(' || c == ')';
}

constexpr std::string_view kDeclaringWords[] = {":global", ":local", ":for", ":foreach", "global", "local"};
// What may follow a backslash inside a string besides two upper-case hex digits.
constexpr std::string_view kEscapedBytes = "\"\\nrt$?_abfv";

class Lexer {
public:
    explicit Lexer(std::string_view s) : s_(s) {}

    std::optional<LexicalFault> run() {
        while (i_ < s_.size() && !fault_) step();
        if (fault_) return fault_;
        if (frames_.size() > 1)
            return fail("\"" + std::string(1, opener(frames_.back().closer)) + "\" never closed",
                        frames_.back().offset);
        for (const auto& [name, offset] : references_)
            if (!declared_.count(name)) return fail("$" + name + " names a variable the script never declares", offset);
        return std::nullopt;
    }

private:
    struct Frame {
        char closer = 0;
        std::size_t offset = 0;
        bool addArguments = false;  // inside an `add` command: only name=value follows
    };

    static char opener(char closer) { return closer == ']' ? '[' : closer == '}' ? '{' : '('; }

    char at(std::size_t i) const { return i < s_.size() ? s_[i] : '\0'; }

    std::optional<LexicalFault> fail(std::string reason, std::size_t offset) {
        LexicalFault f;
        f.offset = offset;
        f.line = 1 + static_cast<int>(std::count(s_.begin(), s_.begin() + std::min(offset, s_.size()), '\n'));
        f.reason = std::move(reason);
        fault_ = f;
        return fault_;
    }

    // Past one line end (CR LF, or a lone CR or LF: CheckGbkCrLf reports those).
    void skipLineEnd() {
        if (at(i_) == '\r' && at(i_ + 1) == '\n') i_ += 2;
        else ++i_;
    }

    void endCommand() { frames_.back().addArguments = false; }

    void step() {
        const char c = s_[i_];
        if (IsLineEnd(c)) {
            skipLineEnd();
            endCommand();
            lineStart_ = tokenStart_ = true;
            return;
        }
        if (IsBlank(c)) {
            tokenStart_ = true;
            ++i_;
            return;
        }
        if (lineStart_ && c == '#') {  // a comment runs to the line end
            while (i_ < s_.size() && !IsLineEnd(s_[i_])) ++i_;
            return;
        }
        lineStart_ = false;
        if (c == '\\') {
            if (!IsLineEnd(at(i_ + 1))) {
                fail("backslash outside a string that does not end its line", i_);
                return;
            }
            // The next line continues this one, its leading blanks dropped:
            // a value may begin there (policy=\ CR LF     ftp,reboot).
            ++i_;
            skipLineEnd();
            while (i_ < s_.size() && IsBlank(s_[i_])) ++i_;
            return;
        }
        if (c == ';') {
            endCommand();
            tokenStart_ = true;
            ++i_;
            return;
        }
        if (tokenStart_) {
            tokenStart_ = false;
            startToken();
            if (fault_) return;
        }
        switch (c) {
            case '"': readString(); return;
            case '$': readVariable(false); return;
            case '?': fail("bare ? outside a string", i_); return;
            case '[':
            case '{':
            case '(':
                frames_.push_back({c == '[' ? ']' : c == '{' ? '}' : ')', i_});
                tokenStart_ = true;
                ++i_;
                return;
            case ']':
            case '}':
            case ')':
                if (frames_.size() == 1 || frames_.back().closer != c) {
                    fail(std::string("\"") + c + "\" closes nothing that is open", i_);
                    return;
                }
                frames_.pop_back();
                ++i_;
                return;
            default: ++i_;
        }
    }

    void startToken() {
        if (frames_.back().addArguments) {
            std::size_t j = i_;
            while (j < s_.size() && IsKeyByte(s_[j])) ++j;
            if (j == i_ || at(j) != '=') {
                std::size_t end = i_;
                while (end < s_.size() && !IsBlank(s_[end]) && !IsLineEnd(s_[end])) ++end;
                fail("bare word after add: " + Visible(s_.substr(i_, end - i_)), i_);
                return;
            }
        }
        if (declareNext_) {
            declareNext_ = false;
            std::size_t j = i_;
            while (j < s_.size() && IsNameByte(s_[j])) ++j;
            declared_.insert(std::string(s_.substr(i_, j - i_)));
        }
        std::size_t end = i_;
        while (end < s_.size() && !EndsWord(s_[end])) ++end;
        const std::string_view word = s_.substr(i_, end - i_);
        if (word == "add") frames_.back().addArguments = true;
        if (std::find(std::begin(kDeclaringWords), std::end(kDeclaringWords), word) != std::end(kDeclaringWords))
            declareNext_ = true;
    }

    void readString() {
        const std::size_t start = i_++;
        while (!fault_) {
            if (i_ >= s_.size()) {
                fail("string never closed", start);
                return;
            }
            const char c = s_[i_];
            if (c == '"') {
                ++i_;
                return;
            }
            if (IsLineEnd(c)) {
                fail("string not closed before its line ends", start);
                return;
            }
            if (c == '$') {
                readVariable(true);
                continue;
            }
            if (c == '?') {
                fail("bare ? in a string (write \\?)", i_);
                return;
            }
            if (c != '\\') {
                ++i_;
                continue;
            }
            const char next = at(i_ + 1);
            if (IsLineEnd(next)) {  // the string goes on on the next line
                ++i_;
                skipLineEnd();
            } else if (IsUpperHex(next) && IsUpperHex(at(i_ + 2))) {
                i_ += 3;
            } else if (next != '\0' && kEscapedBytes.find(next) != std::string_view::npos) {
                i_ += 2;
            } else {
                fail("escape RouterOS does not know: " + Visible(s_.substr(i_, 2)), i_);
                return;
            }
        }
    }

    void readVariable(bool inString) {
        const std::size_t start = i_;
        std::size_t j = i_ + 1;
        while (j < s_.size() && IsNameByte(s_[j])) ++j;
        if (j == start + 1) {
            fail(inString ? "$ in a string that names no variable (write \\$)" : "$ that names no variable", start);
            return;
        }
        references_.emplace_back(std::string(s_.substr(start + 1, j - start - 1)), start);
        i_ = j;
    }

    std::string_view s_;
    std::size_t i_ = 0;
    std::vector<Frame> frames_{Frame{}};
    bool tokenStart_ = true;  // the next byte that is not blank starts a token
    bool lineStart_ = true;   // nothing but blanks since the line began
    bool declareNext_ = false;
    std::set<std::string> declared_;
    std::vector<std::pair<std::string, std::size_t>> references_;
    std::optional<LexicalFault> fault_;
};

LexicalFault FaultAt(std::string_view s, std::size_t offset, std::string reason) {
    LexicalFault f;
    f.offset = offset;
    f.line = 1 + static_cast<int>(std::count(s.begin(), s.begin() + std::min(offset, s.size()), '\n'));
    f.reason = std::move(reason);
    return f;
}

}  // namespace

std::optional<LexicalFault> CheckRouterOsLexis(std::string_view script) { return Lexer(script).run(); }

bool LooksLikeScript(std::string_view text) {
    bool lineStart = true;
    for (char c : text) {
        if (IsLineEnd(c)) lineStart = true;
        else if (IsBlank(c)) continue;
        else if (lineStart && (c == '/' || c == ':')) return true;
        else lineStart = false;
    }
    return false;
}

std::optional<LexicalFault> CheckGbkCrLf(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b == 0) return FaultAt(s, i, "NUL byte");
        if (b == '\r' && (i + 1 >= s.size() || s[i + 1] != '\n')) return FaultAt(s, i, "CR without LF");
        if (b == '\n' && (i == 0 || s[i - 1] != '\r')) return FaultAt(s, i, "LF without CR");
        if (b < 0x80) continue;
        const auto trail = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
        if (b == 0x80 || b == 0xFF || trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return FaultAt(s, i, "not a GBK character: " + Visible(s.substr(i, 2)));
        ++i;
    }
    // Well-formed pairs can still be unassigned.
    if (GbkToUtf8(s).find("\xEF\xBF\xBD") != std::string::npos) return FaultAt(s, 0, "a character GBK does not assign");
    return std::nullopt;
}

std::string Describe(const LexicalFault& fault, std::string_view script) {
    std::size_t begin = script.rfind('\n', fault.offset == 0 ? 0 : fault.offset - 1);
    begin = (begin == std::string_view::npos || fault.offset == 0) ? 0 : begin + 1;
    std::size_t end = script.find('\r', fault.offset);
    if (end == std::string_view::npos) end = script.size();
    return "line " + std::to_string(fault.line) + ", byte " + std::to_string(fault.offset) + ": " + fault.reason +
           "\n    " + Visible(script.substr(begin, end - begin));
}

}  // namespace trelvix::test
