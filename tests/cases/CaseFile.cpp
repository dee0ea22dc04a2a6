#include "CaseFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <map>
#include <sstream>

#include "TestSupport.h"
#include "ui/Ui.h"

namespace trelvix::cases {

bool IsExpectation(Op op) { return op >= Op::ExpectScript; }
bool IsSetUp(Op op) {
    switch (op) {
        case Op::Clock:
        case Op::Random:
        case Op::Secure:
        case Op::File:
        case Op::Service:
        case Op::Web:
        case Op::Answer:
        case Op::Dialog: return true;
        default: return false;
    }
}

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (IsSpace(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

// The next whitespace-delimited word of `rest`, which moves past it.
std::string_view NextWord(std::string_view& rest) {
    rest = TrimLeft(rest);
    std::size_t end = 0;
    while (end < rest.size() && !IsSpace(rest[end])) ++end;
    std::string_view word = rest.substr(0, end);
    rest = TrimLeft(rest.substr(end));
    return word;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<long long> ToNumber(std::string_view s) {
    long long v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

// Days from 1 January 1970 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

bool LeapYear(long long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// "2017-03-08" or "2017-03-08 23:59:59" as an OLE date, worked out here
// rather than with the program's own date code.
double ParseClock(std::string_view text, int line) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    const std::string t(text);
    char tail = 0;
    const int n = std::sscanf(t.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail);
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool shapeOk = (n == 3 && t.size() == 10) || n == 6;
    if (!shapeOk || mo < 1 || mo > 12 || d < 1 || d > kDays[mo - 1] + (mo == 2 && LeapYear(y)) || h > 23 || mi > 59 ||
        s > 59 || h < 0 || mi < 0 || s < 0)
        throw ParseError(line, "clock wants a date as 2017-03-08 23:59:59, got: " + t);
    const long long days = DaysFromCivil(y, mo, d) - DaysFromCivil(1899, 12, 30);
    return static_cast<double>(days) + (h * 3600 + mi * 60 + s) / 86400.0;
}

bool OnOff(std::string_view word, int line) {
    if (word == "on") return true;
    if (word == "off") return false;
    throw ParseError(line, "expected on or off, got: " + std::string(word));
}

// Reads a double-quoted value from the front of `rest`; escapes stay
// written (DecodeValue turns them into bytes) so \" does not end it.
std::string QuotedWord(std::string_view& rest, int line, const char* what) {
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != '"')
        throw ParseError(line, std::string(what) + " must be written in double quotes");
    std::size_t i = 1;
    for (; i < rest.size() && rest[i] != '"'; ++i)
        if (rest[i] == '\\') ++i;
    if (i >= rest.size()) throw ParseError(line, std::string(what) + ": the closing quote is missing");
    std::string written(rest.substr(1, i - 1));
    rest = TrimLeft(rest.substr(i + 1));
    return written;
}

// `expect <flag> C on|off`: the control states read as on or off.
const Op* FlagExpectation(std::string_view word) {
    static const std::map<std::string_view, Op> flags{
        {"checked", Op::ExpectChecked},
        {"visible", Op::ExpectVisible},
        {"enabled", Op::ExpectEnabled},
        {"masked", Op::ExpectMasked},
    };
    const auto found = flags.find(word);
    return found == flags.end() ? nullptr : &found->second;
}

const std::map<std::string_view, int>& KeyNames() {
    static const std::map<std::string_view, int> names = {
        {"back", 8},   {"tab", 9},    {"enter", 13}, {"shiftkey", 16}, {"ctrlkey", 17}, {"esc", 27},
        {"space", 32}, {"pgup", 33},  {"pgdn", 34},  {"end", 35},      {"home", 36},    {"left", 37},
        {"up", 38},    {"right", 39}, {"down", 40},  {"insert", 45},   {"delete", 46},  {"f1", 112},
        {"f2", 113},   {"f3", 114},   {"f4", 115},   {"f5", 116},      {"f6", 117},     {"f7", 118},
        {"f8", 119},   {"f9", 120},   {"f10", 121},  {"f11", 122},     {"f12", 123},
    };
    return names;
}

int KeyCode(std::string_view word, int line) {
    if (auto n = ToNumber(word)) return static_cast<int>(*n);
    if (word.size() == 1 && std::isalnum(static_cast<unsigned char>(word[0])))
        return std::toupper(static_cast<unsigned char>(word[0]));
    std::string lower(word);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto it = KeyNames().find(lower);
    if (it == KeyNames().end()) throw ParseError(line, "unknown key: " + std::string(word));
    return it->second;
}

int Modifiers(std::string_view rest, int line) {
    int mods = 0;
    std::string words(rest);
    for (char& c : words)
        if (c == '+') c = ' ';
    std::string_view r = words;
    while (!r.empty()) {
        std::string_view w = NextWord(r);
        if (w == "ctrl") mods |= ui::mod::Ctrl;
        else if (w == "shift") mods |= ui::mod::Shift;
        else if (w == "alt") mods |= ui::mod::Alt;
        else throw ParseError(line, "unknown key modifier: " + std::string(w) + " (ctrl, shift, alt)");
    }
    return mods;
}

unsigned AnswerId(std::string_view word, int line) {
    if (word == "ok") return ui::mb::IdOk;
    if (word == "cancel") return ui::mb::IdCancel;
    if (word == "yes") return ui::mb::IdYes;
    if (word == "no") return ui::mb::IdNo;
    throw ParseError(line, "unknown answer: " + std::string(word) + " (ok, cancel, yes, no)");
}

// The services a case can point at its web server; README.md lists them.
const std::vector<std::string_view>& ServiceNames() {
    static const std::vector<std::string_view> names = {"update", "counter", "mac", "iplookup", "rate"};
    return names;
}

std::optional<int> WholeNumber(std::string_view word) {
    auto n = ToNumber(word);
    if (!n || *n < -1000000000LL || *n > 1000000000LL) return std::nullopt;
    return static_cast<int>(*n);
}

class Parser {
public:
    Parser(std::string_view content, const std::string& path) {
        file_.path = path;
        if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
        std::size_t start = 0;
        while (start <= content.size()) {
            std::size_t end = content.find('\n', start);
            if (end == std::string_view::npos) end = content.size();
            lines_.push_back(TrimRight(content.substr(start, end - start)));
            start = end + 1;
        }
    }

    CaseFile run() {
        while (at_ < lines_.size()) {
            const int line = static_cast<int>(at_) + 1;
            std::string_view text = TrimLeft(lines_[at_++]);
            if (text.empty() || text.front() == '#') continue;
            try {
                command(text, line);
            } catch (const ParseError& e) {
                fault(e);
                skipBlock();
            } catch (const std::exception& e) {
                fault(ParseError(line, e.what()));
                skipBlock();
            }
        }
        return std::move(file_);
    }

private:
    void fault(const ParseError& e) {
        if (file_.cases.empty()) file_.errors.push_back(e);
        else file_.cases.back().errors.push_back(e);
    }

    void add(Step step) {
        if (file_.cases.empty()) file_.preamble.push_back(std::move(step));
        else file_.cases.back().steps.push_back(std::move(step));
    }

    bool blockLineAhead(bool rows) const {
        if (at_ >= lines_.size()) return false;
        std::string_view t = TrimLeft(lines_[at_]);
        if (!t.empty() && t.front() == '|') return true;
        return rows && (t.starts_with("[x]") || t.starts_with("[ ]")) && TrimLeft(t.substr(3)).starts_with("|");
    }

    void skipBlock() {
        while (blockLineAhead(true)) ++at_;
    }

    // `| text` lines: one space after the bar is dropped, the rest is the
    // value, escapes and all; the lines join with nothing between them.
    std::string textBlock(int line) {
        std::string bytes;
        while (blockLineAhead(false)) {
            const int here = static_cast<int>(at_) + 1;
            std::string_view t = TrimLeft(lines_[at_++]).substr(1);
            if (!t.empty() && t.front() == ' ') t.remove_prefix(1);
            try {
                bytes += DecodeValue(t);
            } catch (const std::exception& e) {
                throw ParseError(here, e.what());
            }
        }
        (void)line;
        return bytes;
    }

    // `= value` on the command line, or a block of `|` lines below it.
    std::string value(std::string_view rest, int line, const std::string& what) {
        rest = TrimLeft(rest);
        const bool inline_ = !rest.empty() && rest.front() == '=';
        const bool block = blockLineAhead(false);
        if (inline_ && block) throw ParseError(line, what + ": give either `= value` or `|` lines, not both");
        if (inline_) return DecodeValue(Trim(rest.substr(1)));
        if (!rest.empty()) throw ParseError(line, what + ": expected `= value` after it, got: " + std::string(rest));
        if (!block) throw ParseError(line, what + ": expected `= value` or `|` lines below it");
        return textBlock(line);
    }

    std::vector<Row> rowBlock() {
        std::vector<Row> rows;
        while (blockLineAhead(true)) {
            const int here = static_cast<int>(at_) + 1;
            std::string_view t = TrimLeft(lines_[at_++]);
            Row row;
            if (t.front() == '[') {
                row.checked = t[1] == 'x';
                t = TrimLeft(t.substr(3));
            }
            t.remove_prefix(1);  // the leading bar
            // Cells split at bars not escaped; a bar at the end closes the row.
            std::vector<std::string_view> cells;
            std::size_t from = 0;
            for (std::size_t i = 0; i < t.size(); ++i) {
                if (t[i] == '\\') {
                    ++i;
                    continue;
                }
                if (t[i] == '|') {
                    cells.push_back(t.substr(from, i - from));
                    from = i + 1;
                }
            }
            if (from < t.size() || cells.empty()) cells.push_back(t.substr(from));
            try {
                for (std::string_view c : cells) row.cells.push_back(DecodeValue(Trim(c)));
            } catch (const std::exception& e) {
                throw ParseError(here, e.what());
            }
            rows.push_back(std::move(row));
        }
        return rows;
    }

    Step named(Op op, std::string_view& rest, int line, const char* command) {
        Step s;
        s.op = op;
        s.line = line;
        std::string_view name = NextWord(rest);
        if (name.empty() || name.front() == '=') throw ParseError(line, std::string(command) + " needs a control name");
        s.shownName = std::string(name);
        s.control = test::G(name);
        return s;
    }

    void noMore(std::string_view rest, int line) {
        if (!TrimLeft(rest).empty()) throw ParseError(line, "unexpected text at the end: " + std::string(rest));
    }

    void command(std::string_view text, int line) {
        std::string_view rest = text;
        const std::string word(NextWord(rest));
        if (word == "case") {
            Case c;
            c.name = std::string(Trim(rest));
            c.line = line;
            if (c.name.empty()) throw ParseError(line, "a case needs a name");
            file_.cases.push_back(std::move(c));
            return;
        }
        if (word == "expect") return expectation(rest, line, false);
        if (word == "wait") {
            if (NextWord(rest) != "expect")
                throw ParseError(line, "wait is written before an expectation: wait expect ...");
            return expectation(rest, line, true);
        }

        Step s;
        s.line = line;
        if (word == "clock") {
            s.op = Op::Clock;
            s.date = ParseClock(Trim(rest), line);
        } else if (word == "random" || word == "secure") {
            s.op = word == "random" ? Op::Random : Op::Secure;
            while (!rest.empty()) {
                std::string_view w = NextWord(rest);
                auto n = ToNumber(w);
                if (!n || *n < 0 || *n > 0xFFFFFFFFLL)
                    throw ParseError(line, "random values are whole numbers 0 to 4294967295, got: " + std::string(w));
                s.values.push_back(static_cast<unsigned>(*n));
            }
        } else if (word == "window") {
            s.op = Op::Window;
            s.shownName = std::string(NextWord(rest));
            if (s.shownName.empty()) throw ParseError(line, "window needs a window name");
            s.text = test::G(s.shownName);
            noMore(rest, line);
        } else if (word == "set") {
            s = named(Op::Set, rest, line, "set");
            s.text = value(rest, line, "set " + s.shownName);
        } else if (word == "check") {
            s = named(Op::Check, rest, line, "check");
            s.on = OnOff(NextWord(rest), line);
            noMore(rest, line);
        } else if (word == "choose" || word == "tab") {
            s = named(Op::Choose, rest, line, word.c_str());
            choice(s, rest, line);
        } else if (word == "rows") {
            s = named(Op::Rows, rest, line, "rows");
            noMore(rest, line);
            s.rows = rowBlock();
        } else if (word == "checkrow") {
            s = named(Op::CheckRow, rest, line, "checkrow");
            auto n = ToNumber(NextWord(rest));
            if (!n) throw ParseError(line, "checkrow wants a row number");
            s.index = static_cast<int>(*n);
            s.on = OnOff(NextWord(rest), line);
            noMore(rest, line);
        } else if (word == "cell") {
            s = named(Op::Cell, rest, line, "cell");
            auto r = ToNumber(NextWord(rest));
            auto c = ToNumber(NextWord(rest));
            if (!r || !c) throw ParseError(line, "cell wants a row and a column number");
            s.index = static_cast<int>(*r);
            s.column = static_cast<int>(*c);
            s.text = value(rest, line, "cell");
        } else if (word == "click" || word == "change" || word == "focus" || word == "blur") {
            const Op op = word == "click"    ? Op::Click
                          : word == "change" ? Op::Change
                          : word == "focus"  ? Op::Focus
                                             : Op::Blur;
            s = named(op, rest, line, word.c_str());
            noMore(rest, line);
        } else if (word == "key") {
            s = named(Op::Key, rest, line, "key");
            std::string_view code = NextWord(rest);
            if (code.empty()) throw ParseError(line, "key wants a key code");
            s.index = KeyCode(code, line);
            s.modifiers = Modifiers(rest, line);
        } else if (word == "drop") {
            s = named(Op::Drop, rest, line, "drop");
            while (!rest.empty()) s.paths.emplace_back(NextWord(rest));
            if (s.paths.empty()) throw ParseError(line, "drop wants at least one file");
        } else if (word == "answer") {
            s.op = Op::Answer;
            while (!rest.empty()) s.values.push_back(AnswerId(NextWord(rest), line));
            if (s.values.empty()) throw ParseError(line, "answer wants ok, cancel, yes or no");
        } else if (word == "dialog") {
            s.op = Op::Dialog;
            s.path = std::string(Trim(rest));
            if (s.path.empty()) throw ParseError(line, "dialog wants a path or cancel");
            if (s.path == "cancel") s.path.clear();
        } else if (word == "file") {
            s.op = Op::File;
            s.path = std::string(NextWord(rest));
            if (s.path.empty()) throw ParseError(line, "file wants a path");
            s.text = value(rest, line, "file " + s.path);
        } else if (word == "service") {
            s.op = Op::Service;
            while (!rest.empty()) {
                const std::string_view name = NextWord(rest);
                if (std::find(ServiceNames().begin(), ServiceNames().end(), name) == ServiceNames().end())
                    throw ParseError(line, "unknown service: " + std::string(name) +
                                               " (update, counter, mac, iplookup, rate)");
                s.paths.emplace_back(name);
            }
            if (s.paths.empty()) throw ParseError(line, "service wants a name: update, counter, mac, iplookup, rate");
        } else if (word == "web") {
            webReply(s, rest, line);
        } else if (word == "scroll") {
            s = named(Op::Scroll, rest, line, "scroll");
            auto n = WholeNumber(NextWord(rest));
            if (!n) throw ParseError(line, "scroll wants a position (a code box: its first visible line, 0 = the top)");
            s.index = *n;
            noMore(rest, line);
        } else if (word == "items") {
            s = named(Op::Items, rest, line, "items");
            s.rows = itemLines(rest, line, "items");
        } else if (word == "select") {
            s = named(Op::Select, rest, line, "select");
            byteRange(s, rest, line, "select");
        } else if (word == "close") {
            s.op = Op::Close;
            s.shownName = std::string(NextWord(rest));
            s.text = s.shownName.empty() ? std::string() : test::G(s.shownName);
            noMore(rest, line);
        } else {
            throw ParseError(line, "unknown command: " + word);
        }
        add(std::move(s));
    }

    // `web PATH [status N] [header "Name: value"]... [silent]`, then the body
    // as `= value` or `|` lines, or none.
    void webReply(Step& s, std::string_view rest, int line) {
        s.op = Op::Web;
        s.path = std::string(NextWord(rest));
        if (s.path.empty() || (s.path != "*" && s.path.front() != '/'))
            throw ParseError(line, "web wants a path that starts with / (or * for every path without its own reply)");
        bool body = false, answers = false;
        while (!rest.empty()) {
            if (rest.front() == '=') {
                s.text = value(rest, line, "web " + s.path);
                body = true;
                break;
            }
            const std::string key(NextWord(rest));
            if (key == "status") {
                auto n = WholeNumber(NextWord(rest));
                if (!n || *n < 100 || *n > 599) throw ParseError(line, "status wants an HTTP status, 100 to 599");
                s.status = *n;
                answers = true;
            } else if (key == "header") {
                const std::string h = DecodeValue(QuotedWord(rest, line, "the header"));
                const std::size_t colon = h.find(':');
                if (colon == std::string::npos || colon == 0)
                    throw ParseError(line, "a header is written \"Name: value\"");
                s.headers.emplace_back(std::string(Trim(std::string_view(h).substr(0, colon))),
                                       std::string(Trim(std::string_view(h).substr(colon + 1))));
                answers = true;
            } else if (key == "silent") {
                s.silent = true;
            } else {
                throw ParseError(line, "unknown part of a web reply: " + key + " (status, header, silent, = body)");
            }
        }
        if (!body && blockLineAhead(false)) {
            s.text = textBlock(line);
            body = true;
        }
        if (s.silent && (body || answers))
            throw ParseError(line, "a silent reply sends nothing: no status, header or body");
    }

    // `| item |` lines below the command, or `none` on it.
    std::vector<Row> itemLines(std::string_view rest, int line, const std::string& what) {
        const std::string_view tail = NextWord(rest);
        noMore(rest, line);
        std::vector<Row> rows;
        if (tail == "none") {
            if (blockLineAhead(true)) throw ParseError(line, "none, yet rows follow");
        } else if (!tail.empty()) {
            throw ParseError(line, "unexpected text at the end: " + std::string(tail));
        } else {
            rows = rowBlock();
            if (rows.empty()) throw ParseError(line, what + " wants `|` lines below it, or none");
        }
        for (const Row& r : rows)
            if (r.cells.size() != 1 || r.checked) throw ParseError(line, "an item line holds one text: | item |");
        return rows;
    }

    // Two GBK byte offsets: start and end (`end` = to the end of the text).
    void byteRange(Step& s, std::string_view rest, int line, const char* what) {
        auto a = WholeNumber(NextWord(rest));
        const std::string_view second = NextWord(rest);
        auto b = second == "end" ? std::optional<int>(-1) : WholeNumber(second);
        if (!a || !b || *a < 0 || *b < -1)
            throw ParseError(line, std::string(what) + " wants a start and an end byte offset (or end)");
        s.index = *a;
        s.column = *b;
        noMore(rest, line);
    }

    void choice(Step& s, std::string_view rest, int line) {
        rest = TrimLeft(rest);
        if (!rest.empty() && rest.front() == '"') {
            s.choiceText = DecodeValue(QuotedWord(rest, line, "the item"));
        } else {
            auto n = ToNumber(NextWord(rest));
            if (!n) throw ParseError(line, "wants an index (0 = first) or an item text in double quotes");
            s.index = static_cast<int>(*n);
        }
        noMore(rest, line);
    }

    void expectation(std::string_view rest, int line, bool wait) {
        const std::string what(NextWord(rest));
        Step s;
        s.line = line;
        if (what == "script") {
            s.op = Op::ExpectScript;
            s.text = value(rest, line, "expect script");
        } else if (what == "unchanged") {
            s.op = Op::ExpectUnchanged;
            noMore(rest, line);
        } else if (what == "message") {
            s.op = Op::ExpectMessage;
            s.text = DecodeValue(QuotedWord(rest, line, "the message text"));
            while (!rest.empty()) {
                const std::string key(NextWord(rest));
                if (key == "flags") {
                    auto n = ToNumber(NextWord(rest));
                    if (!n) throw ParseError(line, "flags wants a number");
                    s.number = *n;
                } else if (key == "title") {
                    s.title = DecodeValue(QuotedWord(rest, line, "the title"));
                } else if (key == "focus") {
                    const std::string_view f = NextWord(rest);
                    if (f.empty()) throw ParseError(line, "focus wants a control name or none");
                    s.focus = f == "none" ? std::string() : test::G(f);
                } else {
                    throw ParseError(line, "unknown part of a message: " + key + " (flags, title, focus)");
                }
            }
        } else if (what == "no") {
            const std::string_view thing = NextWord(rest);
            if (thing == "message") s.op = Op::ExpectNoMessage;
            else if (thing == "url") s.op = Op::ExpectNoUrl;
            else if (thing == "request") s.op = Op::ExpectNoRequest;
            else if (thing == "exit") s.op = Op::ExpectExit;
            else throw ParseError(line, "expect no wants message, url, request or exit");
            noMore(rest, line);
        } else if (what == "focus") {
            s.op = Op::ExpectFocus;
            s.shownName = std::string(NextWord(rest));
            if (s.shownName.empty()) throw ParseError(line, "expect focus wants a control name or none");
            if (s.shownName != "none") s.control = test::G(s.shownName);
            noMore(rest, line);
        } else if (what == "text") {
            s = named(Op::ExpectText, rest, line, "expect text");
            s.text = value(rest, line, "expect text " + s.shownName);
        } else if (const Op* op = FlagExpectation(what)) {
            s = named(*op, rest, line, ("expect " + what).c_str());
            s.on = OnOff(NextWord(rest), line);
            noMore(rest, line);
        } else if (what == "current") {
            s = named(Op::ExpectCurrent, rest, line, "expect current");
            auto n = ToNumber(NextWord(rest));
            if (!n) throw ParseError(line, "expect current wants an index (-1 = none)");
            s.index = static_cast<int>(*n);
            noMore(rest, line);
        } else if (what == "scroll") {
            s = named(Op::ExpectScroll, rest, line, "expect scroll");
            auto n = WholeNumber(NextWord(rest));
            if (!n) throw ParseError(line, "expect scroll wants a position");
            s.index = *n;
            noMore(rest, line);
        } else if (what == "selection") {
            s = named(Op::ExpectSelection, rest, line, "expect selection");
            byteRange(s, rest, line, "expect selection");
        } else if (what == "panel") {
            s = named(Op::ExpectPanel, rest, line, "expect panel");
            auto n = WholeNumber(NextWord(rest));
            if (!n || *n < 0) throw ParseError(line, "expect panel wants a panel number (0 = the first)");
            s.index = *n;
            s.text = value(rest, line, "expect panel " + s.shownName);
        } else if (what == "exit") {
            s.op = Op::ExpectExit;
            s.on = true;
            auto n = ToNumber(NextWord(rest));
            if (!n) throw ParseError(line, "expect exit wants the exit code");
            s.number = *n;
            noMore(rest, line);
        } else if (what == "request") {
            s.op = Op::ExpectRequest;
            rest = TrimLeft(rest);
            if (!rest.empty() && rest.front() != '=') s.method = std::string(NextWord(rest));
            s.text = value(rest, line, "expect request");
        } else if (what == "header") {
            s.op = Op::ExpectHeader;
            s.shownName = std::string(NextWord(rest));
            if (s.shownName.empty() || s.shownName.front() == '=')
                throw ParseError(line, "expect header wants a header name");
            s.control = s.shownName;
            s.text = value(rest, line, "expect header " + s.shownName);
        } else if (what == "items" || what == "rows") {
            s = named(what == "items" ? Op::ExpectItems : Op::ExpectRows, rest, line, ("expect " + what).c_str());
            const std::string_view tail = NextWord(rest);
            noMore(rest, line);
            if (tail == "none") {
                if (blockLineAhead(true)) throw ParseError(line, "none, yet rows follow");
            } else if (!tail.empty()) {
                throw ParseError(line, "unexpected text at the end: " + std::string(tail));
            } else {
                s.rows = rowBlock();
                if (s.rows.empty()) throw ParseError(line, "expect " + what + " wants `|` lines below it, or none");
            }
            if (s.op == Op::ExpectItems)
                for (const Row& r : s.rows)
                    if (r.cells.size() != 1 || r.checked)
                        throw ParseError(line, "an item line holds one text: | item |");
        } else if (what == "clipboard") {
            s.op = Op::ExpectClipboard;
            s.text = value(rest, line, "expect clipboard");
        } else if (what == "url") {
            s.op = Op::ExpectUrl;
            s.text = value(rest, line, "expect url");
        } else if (what == "file") {
            s.op = Op::ExpectFile;
            s.path = std::string(NextWord(rest));
            if (s.path.empty()) throw ParseError(line, "expect file wants a path");
            s.text = value(rest, line, "expect file " + s.path);
        } else if (what == "window") {
            s.op = Op::ExpectWindow;
            s.shownName = std::string(NextWord(rest));
            if (s.shownName.empty()) throw ParseError(line, "expect window wants a window name");
            s.text = test::G(s.shownName);
            const std::string_view state = NextWord(rest);
            if (state != "open" && state != "closed") throw ParseError(line, "expect window wants open or closed");
            s.on = state == "open";
            noMore(rest, line);
        } else {
            throw ParseError(line, "unknown expectation: expect " + what);
        }
        if (wait) {
            // Waiting makes sense only for what comes true later.
            const Op never[] = {Op::ExpectUnchanged, Op::ExpectNoMessage, Op::ExpectNoUrl, Op::ExpectNoRequest};
            if (std::find(std::begin(never), std::end(never), s.op) != std::end(never) ||
                (s.op == Op::ExpectExit && !s.on))
                throw ParseError(line, "wait goes with an expectation that comes true, not with one that stays so");
            s.wait = true;
        }
        add(std::move(s));
    }

    CaseFile file_;
    std::vector<std::string_view> lines_;
    std::size_t at_ = 0;
};

}  // namespace

std::string DecodeValue(std::string_view written) {
    std::string bytes, plain;
    auto flush = [&] {
        bytes += test::G(plain);
        plain.clear();
    };
    for (std::size_t i = 0; i < written.size(); ++i) {
        const char c = written[i];
        if (c != '\\') {
            plain += c;
            continue;
        }
        if (i + 1 >= written.size()) throw std::runtime_error("a lone \\ at the end: write \\\\ for a backslash");
        const char e = written[++i];
        char byte;
        switch (e) {
            case 'r': byte = '\r'; break;
            case 'n': byte = '\n'; break;
            case 't': byte = '\t'; break;
            case '\\': byte = '\\'; break;
            case '"': byte = '"'; break;
            case '|': byte = '|'; break;
            case 'x': {
                const int hi = i + 1 < written.size() ? HexDigit(written[i + 1]) : -1;
                const int lo = i + 2 < written.size() ? HexDigit(written[i + 2]) : -1;
                if (hi < 0 || lo < 0) throw std::runtime_error("\\x wants two hex digits");
                byte = static_cast<char>(hi * 16 + lo);
                i += 2;
                break;
            }
            default:
                throw std::runtime_error(std::string("unknown escape \\") + e +
                                         " (\\r \\n \\t \\\\ \\\" \\| \\xHH; write \\\\ for a backslash)");
        }
        flush();
        bytes += byte;
    }
    flush();
    return bytes;
}

CaseFile ParseCaseFile(std::string_view content, const std::string& path) { return Parser(content, path).run(); }

CaseFile LoadCaseFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        CaseFile file;
        file.path = path;
        file.errors.emplace_back(0, "cannot read the file");
        return file;
    }
    std::ostringstream content;
    content << in.rdbuf();
    return ParseCaseFile(content.str(), path);
}

}  // namespace trelvix::cases
