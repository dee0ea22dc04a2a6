#include "Runner.h"

#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>

#include "Driver.h"
#include "FakeHttpServer.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Startup.h"
#include "common/platform/Paths.h"

namespace trelvix::cases {

namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------- showing bytes

bool IsGbkLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsGbkTrail(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

std::size_t UnitLength(std::string_view b, std::size_t i) {
    if (i + 1 < b.size() && IsGbkLead(b[i]) && IsGbkTrail(b[i + 1])) return 2;
    return 1;
}

std::string Hex(unsigned char c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02X", c);
    return buf;
}

// A two-byte GBK character in UTF-8, converted here so reports never rely on
// the program's own code pages.
std::optional<std::string> GbkPairToUtf8(std::string_view pair) {
    static iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(pair);
    char out[8];
    char* ip = in.data();
    char* op = out;
    size_t il = in.size(), ol = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return std::nullopt;
    return std::string(out, static_cast<std::size_t>(op - out));
}

struct Unit {
    std::string shown;
    int width;
};

Unit ShowUnit(std::string_view b, std::size_t i, std::size_t len) {
    const unsigned char c = static_cast<unsigned char>(b[i]);
    if (len == 2) {
        if (auto u = GbkPairToUtf8(b.substr(i, 2))) return {*u, 2};
        const std::string h = Hex(c) + Hex(static_cast<unsigned char>(b[i + 1]));
        return {h, static_cast<int>(h.size())};
    }
    switch (c) {
        case '\r': return {"\\r", 2};
        case '\n': return {"\\n", 2};
        case '\t': return {"\\t", 2};
        case '\\': return {"\\\\", 2};
        default: break;
    }
    if (c >= 0x20 && c < 0x7F) return {std::string(1, static_cast<char>(c)), 1};
    return {Hex(c), 4};
}

struct Shown {
    std::string text;
    int caret = 0;  // display column where `mark` starts
};

Shown Show(std::string_view b, std::size_t from, std::size_t to, std::size_t mark) {
    Shown s;
    int width = 0;
    bool marked = false;
    for (std::size_t i = from; i < to;) {
        const std::size_t len = UnitLength(b, i);
        if (!marked && mark < i + len) {
            s.caret = width;
            marked = true;
        }
        Unit u = ShowUnit(b, i, len);
        s.text += u.shown;
        width += u.width;
        i += len;
    }
    if (!marked) s.caret = width;
    return s;
}

std::string ByteName(std::string_view b, std::size_t at) {
    if (at >= b.size()) return "the end";
    const unsigned char c = static_cast<unsigned char>(b[at]);
    const std::size_t len = UnitLength(b, at);
    const Unit u = ShowUnit(b, at, len);
    if (len == 2 && u.width == 2) return Hex(c) + " (the first byte of " + u.shown + ")";
    if (c < 0x80) return Hex(c) + " (" + u.shown + ")";
    return Hex(c);
}

std::string Quoted(std::string_view gbk) { return "\"" + ShowBytes(gbk) + "\""; }

std::string Utf8(std::string_view gbk) { return ShowBytes(gbk); }

std::string OnOffWord(bool on) { return on ? "on" : "off"; }

// ---------------------------------------------------------------- running

// A step that did not hold, with what to say about it.
struct Failure {
    int line;
    std::string detail;
};

// A random source whose values a case can replace halfway.
class CaseRandom final : public RandomSource {
public:
    void set(std::vector<unsigned> values) {
        std::vector<std::uint32_t> v(values.begin(), values.end());
        source_ = std::make_unique<FixedRandom>(std::move(v));
    }
    std::uint32_t Next() override { return source_->Next(); }

private:
    std::unique_ptr<FixedRandom> source_ = std::make_unique<FixedRandom>(std::vector<std::uint32_t>{});
};

// 1 January 2000, midnight: what a case sees unless it sets the clock.
constexpr double kDefaultDate = 36526.0;

// How long a `wait expect` line keeps trying: longer than any time-out or
// retry pause of the program's web requests.
constexpr auto kWaitBound = std::chrono::seconds(30);

// The key the IP-location service is sent when a case serves it.
constexpr char kTestApiKey[] = "0123456789abcdef0123456789abcdef";

// Every written occurrence of key replaced by `by`.
void ReplaceAll(std::string& text, std::string_view key, std::string_view by) {
    for (std::size_t at = 0; (at = text.find(key, at)) != std::string::npos; at += by.size())
        text.replace(at, key.size(), by);
}

std::string ShowMessage(const std::string& text, long long flags, const std::string& title,
                        const std::optional<std::string>& focus) {
    std::string s = Quoted(text) + " flags " + std::to_string(flags) + " title " + Quoted(title);
    if (focus) s += " focus " + (focus->empty() ? std::string("none") : Utf8(*focus));
    return s;
}

std::string ShowRow(const std::vector<std::string>& cells, std::optional<bool> checked) {
    std::string s = checked ? (*checked ? "[x] |" : "[ ] |") : "|";
    for (const std::string& c : cells) s += " " + ShowBytes(c) + " |";
    return s;
}

std::vector<std::string> WithoutTrailingEmpties(std::vector<std::string> cells) {
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

class CaseRun {
public:
    CaseRun(const CaseFile& file, const Case& c, const RunOptions& options)
        : file_(file), case_(c), options_(options), mainName_(test::G("主窗口")), scriptBox_(test::G("编辑框_代码")),
          defaultTitle_(test::G("信息：")) {
        windowName_ = mainName_;
        // What the program writes beside its executable stays in the case's folder.
        SetProgramDirectory(home_.root() / "program");
    }
    ~CaseRun() { SetProgramDirectory({}); }
    CaseRun(const CaseRun&) = delete;
    CaseRun& operator=(const CaseRun&) = delete;

    // The failures of the case; none when it passed.
    std::vector<Failure> run() {
        std::vector<Failure> failures;
        for (const ParseError& e : case_.errors) failures.push_back({e.line, e.what()});
        if (!failures.empty()) return failures;

        // The set-up lines that open the file's common steps and the case come
        // first, so that they hold while the program starts; then the rest of the
        // common steps, then the rest of the case.
        std::vector<const Step*> steps;
        auto leading = [](const std::vector<Step>& list) {
            return static_cast<std::size_t>(
                std::find_if(list.begin(), list.end(), [](const Step& s) { return !IsSetUp(s.op); }) - list.begin());
        };
        const std::size_t commonLead = leading(file_.preamble), caseLead = leading(case_.steps);
        for (std::size_t i = 0; i < commonLead; ++i) steps.push_back(&file_.preamble[i]);
        for (std::size_t i = 0; i < caseLead; ++i) steps.push_back(&case_.steps[i]);
        for (std::size_t i = commonLead; i < file_.preamble.size(); ++i) steps.push_back(&file_.preamble[i]);
        for (std::size_t i = caseLead; i < case_.steps.size(); ++i) steps.push_back(&case_.steps[i]);
        const bool checksSomething = std::any_of(steps.begin(), steps.end(),
                                                 [](const Step* s) { return IsExpectation(s->op); });
        if (!checksSomething) return {{case_.line, "the case checks nothing: add an expect line"}};

        try {
            for (const Step* s : steps) {
                const Step filled = withPlaceholders(*s);
                guarded(filled, [&] { apply(filled); });
            }
            if (!created_) guarded(Step{}, [&] { create(); });
            finish();
        } catch (const Failure& f) {
            failures.push_back(f);
        }
        tearDown(failures);
        return failures;
    }

private:
    template <class F>
    void guarded(const Step& step, F&& f) {
        const int line = step.line ? step.line : case_.line;
        try {
            f();
        } catch (const Failure&) {
            throw;
        } catch (const ui::UnknownControl& e) {
            if (!step.control.empty() && e.control == step.control)
                throw Failure{line, "window " + Utf8(e.window) + " has no control " + Utf8(e.control)};
            throw Failure{line,
                          "a handler named a control that window " + Utf8(e.window) + " lacks: " + Utf8(e.control)};
        } catch (const std::exception& e) {
            throw Failure{line, "stopped by an exception: " + Utf8(e.what())};
        }
    }

    void create() {
        driver_ = options_.driver ? options_.driver() : MakeHeadlessDriver();
        // Answers written first in the case are there for the boxes of the start-up.
        records().messageAnswers = std::move(earlyAnswers_);
        records().dialogAnswers = std::move(earlyDialogs_);
        app_ = std::make_unique<App>(driver_->ui(), clock_, random_, secure_);
        // A case reaches no web service but its own server, whatever the build names.
        app_->tools.ipLookup.host.clear();
        pointServicesAtTheWebServer();
        // The process-wide objects, as the program's entry makes them before its window.
        InitGlobals(*app_);
        if (options_.createWindows) options_.createWindows(*app_);
        else CreateMainWindow(*app_);
        created_ = true;
        driver_->runPending();
        ui::Window* main = driver_->window(mainName_);
        snapshot_ = main && main->has(scriptBox_) ? main->text(scriptBox_).bytes() : std::string();
    }

    // The services the case named reach its server; the others stay as built.
    void pointServicesAtTheWebServer() {
        if (services_.empty()) return;
        const std::string host = "127.0.0.1:" + std::to_string(server().port());
        ServiceAddresses& to = app_->services;
        for (const std::string& name : services_) {
            if (name == "update") to.updateService = server().url("/update");
            else if (name == "counter") to.usageCounter = server().url("/counter");
            else if (name == "mac") to.macVendorHost = host;
            else if (name == "rate") to.exchangeRateHost = host;
            else if (name == "iplookup") {
                to.ipLocationHost = host;
                to.ipLocationKey = kTestApiKey;
                app_->tools.ipLookup = {host, kTestApiKey};
            }
        }
    }

    // The case's web server, started when a case first needs it.
    test::FakeHttpServer& server() {
        if (!server_) server_ = std::make_unique<test::FakeHttpServer>();
        return *server_;
    }

    // {tmp} {here} {config} {cache} {web} in a step's texts and paths.
    Step withPlaceholders(const Step& written) {
        Step s = written;
        auto fill = [this](std::string& text) {
            if (text.find('{') == std::string::npos) return;
            ReplaceAll(text, "{tmp}", home_.root().string());
            ReplaceAll(text, "{here}", fs::absolute(fs::path(file_.path)).parent_path().string());
            ReplaceAll(text, "{config}", (home_.root() / "config" / "vemtu").string());
            ReplaceAll(text, "{cache}", (home_.root() / "cache" / "vemtu").string());
            if (text.find("{web}") != std::string::npos) ReplaceAll(text, "{web}", server().url(""));
        };
        fill(s.text);
        fill(s.path);
        for (std::string& p : s.paths) fill(p);
        for (auto& [name, value] : s.headers) fill(value);
        for (Row& r : s.rows)
            for (std::string& c : r.cells) fill(c);
        return s;
    }

    void tearDown(std::vector<Failure>& failures) {
        try {
            if (driver_) driver_->closeAll();  // destroy handlers run while the App they use still lives
        } catch (const std::exception& e) {
            failures.push_back({case_.line, std::string("closing the windows threw: ") + e.what()});
        }
        app_.reset();
        driver_.reset();
    }

    ServiceRecords& records() { return driver_->records(); }

    std::string scriptText(int line) {
        ui::Window* main = driver_->window(mainName_);
        if (!main) throw Failure{line, "the main window is not open"};
        return main->text(scriptBox_);
    }

    ui::Window& window(int line) {
        ui::Window* w = driver_->window(windowName_);
        if (!w) throw Failure{line, "no window named " + Utf8(windowName_) + " is open"};
        return *w;
    }

    // A path of the case (placeholders already filled): relative ones are in its folder.
    fs::path resolve(const std::string& written) const {
        fs::path path(written);
        return path.is_absolute() ? path : home_.root() / path;
    }

    // No user reaches a control that is greyed out or hidden.
    void requireUsable(ui::Window& w, const Step& s) {
        const std::string why = driver_->unusable(w, s.control);
        if (!why.empty()) throw Failure{s.line, s.shownName + " is " + why + ": a user cannot use it"};
    }

    void compareText(const Step& s, const std::string& what, std::string_view expected, std::string_view actual) {
        const std::string diff = DescribeDifference(expected, actual);
        if (!diff.empty()) throw Failure{s.line, what + " differs " + diff};
    }

    void compareFlag(const Step& s, const char* what, bool actual) {
        if (actual != s.on)
            throw Failure{s.line, "expected " + s.shownName + " " + what + " " + OnOffWord(s.on) + ", it is " +
                                      OnOffWord(actual)};
    }

    std::string pendingMessages() const {
        std::string list;
        const std::vector<ui::ShownMessage>& messages = driver_->records().messages;
        for (std::size_t i = messagesSeen_; i < messages.size(); ++i) {
            const ui::ShownMessage& m = messages[i];
            list += "\n    " + std::to_string(i - messagesSeen_ + 1) + ". " +
                    ShowMessage(m.text, m.flags, m.title, m.focusAtShow);
        }
        return list;
    }

    int choiceIndex(ui::Window& w, const Step& s) {
        std::vector<std::string> texts;
        switch (w.kind(s.control)) {
            case ui::Kind::Tree:
                for (const ui::TreeItem& t : w.treeItems(s.control)) texts.push_back(t.text);
                break;
            case ui::Kind::ReportList:
                for (int r = 0; r < w.rowCount(s.control); ++r) {
                    const auto row = w.row(s.control, r);
                    texts.push_back(row.empty() ? std::string() : row[0].bytes());
                }
                break;
            default: texts = ui::AsBytes(w.items(s.control));
        }
        if (s.choiceText) {
            auto it = std::find(texts.begin(), texts.end(), *s.choiceText);
            if (it == texts.end()) {
                std::string have;
                for (const std::string& t : texts) have += " " + Quoted(t);
                throw Failure{s.line, s.shownName + " has no item " + Quoted(*s.choiceText) +
                                          "; it has:" + (have.empty() ? " none" : have)};
            }
            return static_cast<int>(it - texts.begin());
        }
        if (s.index < 0 || s.index >= static_cast<int>(texts.size()))
            throw Failure{s.line, s.shownName + " has " + std::to_string(texts.size()) + " items; there is no item " +
                                      std::to_string(s.index) + " (the first is 0)"};
        return s.index;
    }

    void apply(const Step& s) {
        if (!created_ && !IsSetUp(s.op)) create();
        switch (s.op) {
            case Op::Clock: clock_.Set(s.date); break;
            case Op::Random:
                random_.set(s.values);
                secure_.set(s.values);
                break;
            case Op::Secure: secure_.set(s.values); break;
            case Op::Service:
                if (created_)
                    throw Failure{s.line,
                                  "a service is pointed at the web server before the program starts: "
                                  "write it first in the case, before any other step"};
                services_.insert(services_.end(), s.paths.begin(), s.paths.end());
                break;
            case Op::Web: {
                test::FakeReply reply;
                reply.status = s.status;
                reply.body = s.text;
                reply.headers = s.headers;
                reply.silent = s.silent;
                if (s.path == "*") server().replyAll(std::move(reply));
                else server().reply(s.path, std::move(reply));
                break;
            }
            case Op::Window:
                if (!driver_->window(s.text)) throw Failure{s.line, "no window named " + s.shownName + " is open"};
                windowName_ = s.text;
                break;
            case Op::Set: {
                ui::Window& w = window(s.line);
                driver_->type(w, s.control, s.text);
                if (w.kind(s.control) == ui::Kind::Combo && w.text(s.control) != s.text)
                    throw Failure{s.line, s.shownName + " holds no item " + Quoted(s.text) + " to choose"};
                break;
            }
            case Op::Check: {
                ui::Window& w = window(s.line);
                if (w.checked(s.control) == s.on) break;
                if (!s.on && w.kind(s.control) == ui::Kind::Radio)
                    throw Failure{s.line, "a radio button is turned off by choosing another of its group"};
                requireUsable(w, s);
                driver_->click(w, s.control);
                break;
            }
            case Op::Choose: {
                ui::Window& w = window(s.line);
                driver_->choose(w, s.control, choiceIndex(w, s));
                break;
            }
            case Op::Rows: {
                ui::Window& w = window(s.line);
                w.clearRows(s.control);
                for (const Row& r : s.rows) {
                    const int at = w.addRow(s.control, ui::AsTexts(r.cells));
                    if (r.checked) w.setRowChecked(s.control, at, *r.checked);
                }
                break;
            }
            case Op::CheckRow: {
                ui::Window& w = window(s.line);
                if (s.index < 0 || s.index >= w.rowCount(s.control))
                    throw Failure{s.line, s.shownName + " has no row " + std::to_string(s.index)};
                driver_->checkRow(w, s.control, s.index, s.on);
                break;
            }
            case Op::Cell: window(s.line).setGridCell(s.control, s.index, s.column, s.text); break;
            case Op::Click: {
                ui::Window& w = window(s.line);
                requireUsable(w, s);
                driver_->click(w, s.control);
                break;
            }
            case Op::Change: driver_->change(window(s.line), s.control); break;
            case Op::Focus: driver_->focusTo(window(s.line), s.control); break;
            case Op::Blur: driver_->blur(window(s.line), s.control); break;
            case Op::Key: driver_->keyDown(window(s.line), s.control, s.index, s.modifiers); break;
            case Op::Drop: {
                std::vector<fs::path> files;
                for (const std::string& p : s.paths) files.push_back(resolve(p));
                driver_->dropFiles(window(s.line), s.control, files);
                break;
            }
            case Op::Answer:
                for (unsigned v : s.values)
                    (created_ ? records().messageAnswers : earlyAnswers_).push_back(static_cast<int>(v));
                break;
            case Op::Dialog: {
                auto& queue = created_ ? records().dialogAnswers : earlyDialogs_;
                if (s.path.empty()) queue.push_back(std::nullopt);
                else queue.push_back(resolve(s.path));
                break;
            }
            case Op::File: {
                const fs::path p = resolve(s.path);
                fs::create_directories(p.parent_path());
                std::ofstream f(p, std::ios::binary);
                f.write(s.text.data(), static_cast<std::streamsize>(s.text.size()));
                if (!f) throw Failure{s.line, "cannot write " + p.string()};
                break;
            }
            case Op::Scroll: scroll(s); break;
            case Op::Items: {
                ui::Window& w = window(s.line);
                const ui::Kind kind = w.kind(s.control);
                if (kind != ui::Kind::ListBox && kind != ui::Kind::Combo)
                    throw Failure{s.line, "items fills a list box or a combo box; " + s.shownName + " is neither"};
                std::vector<std::string> items;
                for (const Row& r : s.rows) items.push_back(r.cells[0]);
                w.setItems(s.control, ui::AsTexts(items));
                break;
            }
            case Op::Select: {
                ui::Window& w = window(s.line);
                const ui::Kind kind = w.kind(s.control);
                if (kind != ui::Kind::Edit && kind != ui::Kind::CodeBox)
                    throw Failure{s.line, "select wants an edit box or a code box; " + s.shownName + " is neither"};
                const int size = static_cast<int>(w.text(s.control).size());
                if (s.index > size || s.column > size)
                    throw Failure{s.line, s.shownName + " holds " + std::to_string(size) +
                                              " bytes; the selection goes beyond them"};
                w.setSelection(s.control, s.index, s.column);
                break;
            }
            case Op::Close: {
                const std::string name = s.text.empty() ? windowName_ : s.text;
                ui::Window* w = driver_->window(name);
                if (!w) throw Failure{s.line, "no window named " + Utf8(name) + " is open to close"};
                driver_->closeBox(*w);
                break;
            }
            default:
                if (s.wait) waitFor(s);
                else expect(s);
                return;
        }
        // Set-up written first runs before there is a program to post anything.
        if (created_) driver_->runPending();
    }

    void scroll(const Step& s) {
        ui::Window& w = window(s.line);
        const ui::Kind kind = w.kind(s.control);
        requireUsable(w, s);
        int reached;
        if (kind == ui::Kind::HScroll) {
            driver_->choose(w, s.control, s.index);
            reached = w.currentItem(s.control);
        } else if (kind == ui::Kind::CodeBox || kind == ui::Kind::Edit) {
            w.scrollToLine(s.control, s.index);
            reached = w.firstVisibleLine(s.control);
        } else {
            throw Failure{s.line, "scroll wants a scroll bar or a code box; " + s.shownName + " is neither"};
        }
        if (reached != s.index)
            throw Failure{s.line, s.shownName + " cannot go to " + std::to_string(s.index) + ": it stops at " +
                                      std::to_string(reached)};
    }

    // An expectation that other threads make true: tried again, with the work
    // they post run in between, until it holds or the bound is reached.
    void waitFor(const Step& s) {
        const auto deadline = std::chrono::steady_clock::now() + kWaitBound;
        for (;;) {
            driver_->runPending();
            try {
                expect(s);
                return;
            } catch (const Failure& f) {
                if (std::chrono::steady_clock::now() >= deadline)
                    throw Failure{f.line, f.detail + "\n  (still so after waiting " +
                                              std::to_string(kWaitBound.count()) + " s)"};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    int scrollPosition(const Step& s) {
        ui::Window& w = window(s.line);
        switch (w.kind(s.control)) {
            case ui::Kind::HScroll: return w.currentItem(s.control);
            case ui::Kind::CodeBox:
            case ui::Kind::Edit: return w.firstVisibleLine(s.control);
            default:
                throw Failure{s.line, "expect scroll wants a scroll bar or a code box; " + s.shownName + " is neither"};
        }
    }

    void expect(const Step& s) {
        switch (s.op) {
            case Op::ExpectScript: {
                const std::string actual = scriptText(s.line);
                snapshot_ = actual;
                compareText(s, "the script box", s.text, actual);
                break;
            }
            case Op::ExpectUnchanged: {
                const std::string actual = scriptText(s.line);
                const std::string before = snapshot_;
                snapshot_ = actual;
                const std::string diff = DescribeDifference(before, actual);
                if (!diff.empty()) throw Failure{s.line, "the script box changed (expected = as it was) " + diff};
                break;
            }
            case Op::ExpectMessage: {
                const std::string title = s.title.value_or(defaultTitle_);
                const std::string& text = s.text;
                const std::string expected = ShowMessage(text, s.number, title, s.focus);
                if (messagesSeen_ >= records().messages.size())
                    throw Failure{s.line, "expected a message box, none was shown\n    expected: " + expected};
                const ui::ShownMessage& m = records().messages[messagesSeen_];
                const bool same = m.text == text && m.flags == s.number && m.title == title &&
                                  (!s.focus || m.focusAtShow == *s.focus);
                if (!same) {
                    std::string detail = "message box differs\n    expected: " + expected + "\n    actual:   " +
                                         ShowMessage(m.text, m.flags, m.title,
                                                     s.focus ? std::optional(m.focusAtShow) : std::nullopt);
                    if (m.text != text) detail += "\n  its text differs " + DescribeDifference(text, m.text);
                    detail += "\n  boxes shown since the last check:" + pendingMessages();
                    throw Failure{s.line, detail};
                }
                ++messagesSeen_;
                break;
            }
            case Op::ExpectNoMessage:
                if (messagesSeen_ < records().messages.size())
                    throw Failure{s.line, "expected no message box; shown:" + pendingMessages()};
                break;
            case Op::ExpectFocus: {
                const std::string focus = window(s.line).focus();
                if (focus != s.control)
                    throw Failure{s.line, "expected the focus on " + s.shownName + ", it is on " +
                                              (focus.empty() ? std::string("no control") : Utf8(focus))};
                break;
            }
            case Op::ExpectText: compareText(s, s.shownName, s.text, window(s.line).text(s.control)); break;
            case Op::ExpectChecked: compareFlag(s, "checked", window(s.line).checked(s.control)); break;
            case Op::ExpectVisible: compareFlag(s, "visible", window(s.line).visible(s.control)); break;
            case Op::ExpectEnabled: compareFlag(s, "enabled", window(s.line).enabled(s.control)); break;
            case Op::ExpectMasked: compareFlag(s, "masked", window(s.line).masked(s.control)); break;
            case Op::ExpectCurrent: {
                const int current = window(s.line).currentItem(s.control);
                if (current != s.index)
                    throw Failure{s.line, "expected item " + std::to_string(s.index) + " of " + s.shownName +
                                              " current, it is " + std::to_string(current)};
                break;
            }
            case Op::ExpectItems: {
                const std::vector<std::string> actual = ui::AsBytes(window(s.line).items(s.control));
                std::vector<std::string> expected;
                for (const Row& r : s.rows) expected.push_back(r.cells[0]);
                if (actual != expected) {
                    std::string detail = s.shownName + " holds other items\n  expected:";
                    for (const std::string& e : expected) detail += "\n    | " + ShowBytes(e) + " |";
                    detail += "\n  actual:";
                    for (const std::string& a : actual) detail += "\n    | " + ShowBytes(a) + " |";
                    throw Failure{s.line, detail};
                }
                break;
            }
            case Op::ExpectRows: expectRows(s); break;
            case Op::ExpectClipboard:
                if (!records().clipboard) throw Failure{s.line, "nothing was put on the clipboard"};
                compareText(s, "the clipboard", s.text, *records().clipboard);
                break;
            case Op::ExpectUrl:
                if (urlsSeen_ >= records().openedUrls.size())
                    throw Failure{s.line, "expected " + Quoted(s.text) + " to be opened; no more addresses were"};
                compareText(s, "the address opened", s.text, records().openedUrls[urlsSeen_]);
                ++urlsSeen_;
                break;
            case Op::ExpectNoUrl:
                if (urlsSeen_ < records().openedUrls.size())
                    throw Failure{s.line,
                                  "expected no address opened; opened: " + Quoted(records().openedUrls[urlsSeen_])};
                break;
            case Op::ExpectFile: {
                const fs::path p = resolve(s.path);
                std::ifstream f(p, std::ios::binary);
                if (!f) throw Failure{s.line, "no file " + p.string()};
                std::ostringstream content;
                content << f.rdbuf();
                compareText(s, "file " + s.path, s.text, content.str());
                break;
            }
            case Op::ExpectWindow: {
                const bool open = driver_->window(s.text) != nullptr;
                if (open != s.on)
                    throw Failure{s.line, "expected window " + s.shownName + (s.on ? " open" : " closed") + ", it is " +
                                              (open ? "open" : "closed")};
                break;
            }
            case Op::ExpectScroll: {
                const int at = scrollPosition(s);
                if (at != s.index)
                    throw Failure{s.line, "expected " + s.shownName + " at " + std::to_string(s.index) + ", it is at " +
                                              std::to_string(at)};
                break;
            }
            case Op::ExpectSelection: {
                ui::Window& w = window(s.line);
                const auto [start, end] = w.selection(s.control);
                const int wantEnd = s.column < 0 ? static_cast<int>(w.text(s.control).size()) : s.column;
                if (start != s.index || end != wantEnd)
                    throw Failure{s.line, "expected bytes " + std::to_string(s.index) + " to " +
                                              std::to_string(wantEnd) + " of " + s.shownName +
                                              " selected, the selection is " + std::to_string(start) + " to " +
                                              std::to_string(end)};
                break;
            }
            case Op::ExpectPanel: {
                ui::Window& w = window(s.line);
                if (w.kind(s.control) != ui::Kind::StatusBar)
                    throw Failure{s.line, "expect panel wants a status bar; " + s.shownName + " is none"};
                const std::vector<std::string> panels = ui::AsBytes(w.items(s.control));
                if (s.index >= static_cast<int>(panels.size()))
                    throw Failure{s.line, s.shownName + " has " + std::to_string(panels.size()) +
                                              " panels; there is no panel " + std::to_string(s.index) +
                                              " (the first is 0)"};
                compareText(s, "panel " + std::to_string(s.index) + " of " + s.shownName, s.text, panels[s.index]);
                break;
            }
            case Op::ExpectExit: {
                const bool ended = app_->ending || records().quitRequested;
                const long long code = app_->ending ? app_->exitCode : records().exitCode;
                if (!s.on && ended)
                    throw Failure{s.line, "expected the program to run on; it ended with " + std::to_string(code)};
                if (s.on && !ended)
                    throw Failure{s.line,
                                  "expected the program to end with " + std::to_string(s.number) + "; it runs on"};
                if (s.on && code != s.number)
                    throw Failure{s.line, "expected the program to end with " + std::to_string(s.number) +
                                              "; it ended with " + std::to_string(code)};
                break;
            }
            case Op::ExpectRequest: {
                const std::vector<test::SeenRequest> seen = server().requests();
                if (requestsSeen_ >= seen.size())
                    throw Failure{s.line,
                                  "expected a request for " + Quoted(s.text) + "; no more came" + requestList(seen)};
                const test::SeenRequest& r = seen[requestsSeen_];
                if (!s.method.empty() && r.method != s.method)
                    throw Failure{s.line,
                                  "expected a " + s.method + " request, it was " + r.method + " " + Quoted(r.target)};
                compareText(s, "the address asked for", s.text, r.target);
                lastRequest_ = r;
                ++requestsSeen_;
                break;
            }
            case Op::ExpectNoRequest: {
                const std::vector<test::SeenRequest> seen = server_ ? server_->requests()
                                                                    : std::vector<test::SeenRequest>{};
                if (requestsSeen_ < seen.size())
                    throw Failure{s.line, "expected no request; asked:" + requestList(seen)};
                break;
            }
            case Op::ExpectHeader:
                if (!lastRequest_)
                    throw Failure{s.line, "expect header reads the request of the last expect request; there is none"};
                compareText(s, "header " + s.shownName, s.text, lastRequest_->header(s.control));
                break;
            default: break;
        }
    }

    // The requests not yet taken by an expectation.
    std::string requestList(const std::vector<test::SeenRequest>& seen) const {
        std::string list;
        for (std::size_t i = requestsSeen_; i < seen.size(); ++i)
            list += "\n    " + seen[i].method + " " + Quoted(seen[i].target);
        return list;
    }

    void expectRows(const Step& s) {
        ui::Window& w = window(s.line);
        const int count = w.rowCount(s.control);
        bool same = count == static_cast<int>(s.rows.size());
        for (int r = 0; same && r < count; ++r) {
            same = WithoutTrailingEmpties(ui::AsBytes(w.row(s.control, r))) ==
                       WithoutTrailingEmpties(s.rows[r].cells) &&
                   (!s.rows[r].checked || *s.rows[r].checked == w.rowChecked(s.control, r));
        }
        if (same) return;
        std::string detail = s.shownName + " holds other rows\n  expected:";
        for (const Row& r : s.rows) detail += "\n    " + ShowRow(r.cells, r.checked);
        detail += "\n  actual:";
        for (int r = 0; r < count; ++r)
            detail += "\n    " +
                      ShowRow(WithoutTrailingEmpties(ui::AsBytes(w.row(s.control, r))), w.rowChecked(s.control, r));
        throw Failure{s.line, detail};
    }

    // What must hold when the steps are done: every box shown was expected,
    // every answer queued was used.
    void finish() {
        if (messagesSeen_ < records().messages.size())
            throw Failure{case_.line, "message boxes shown that the case does not expect:" + pendingMessages()};
        if (!records().messageAnswers.empty())
            throw Failure{case_.line,
                          std::to_string(records().messageAnswers.size()) + " queued message-box answer(s) not used"};
        if (!records().dialogAnswers.empty())
            throw Failure{case_.line,
                          std::to_string(records().dialogAnswers.size()) + " queued dialog answer(s) not used"};
    }

    const CaseFile& file_;
    const Case& case_;
    const RunOptions& options_;
    const std::string mainName_, scriptBox_, defaultTitle_;
    test::TempHome home_;
    // Declared before the program: it outlives the program's requests to it.
    std::unique_ptr<test::FakeHttpServer> server_;
    std::vector<std::string> services_;
    std::deque<int> earlyAnswers_;
    std::deque<std::optional<fs::path>> earlyDialogs_;
    std::size_t requestsSeen_ = 0;
    std::optional<test::SeenRequest> lastRequest_;
    FixedClock clock_{kDefaultDate};
    CaseRandom random_, secure_;
    std::unique_ptr<Driver> driver_;
    std::unique_ptr<App> app_;
    bool created_ = false;
    std::string windowName_;
    std::size_t messagesSeen_ = 0, urlsSeen_ = 0;
    std::string snapshot_;
};

}  // namespace

std::string ShowBytes(std::string_view gbk) { return Show(gbk, 0, gbk.size(), gbk.size()).text; }

std::string DescribeDifference(std::string_view expected, std::string_view actual) {
    const std::size_t common = std::min(expected.size(), actual.size());
    std::size_t at = 0;
    while (at < common && expected[at] == actual[at]) ++at;
    if (at == common && expected.size() == actual.size()) return "";

    // Both sides share every byte before `at`, so they share where the shown part starts.
    constexpr std::size_t kAround = 30;
    std::size_t from = 0;
    while (from + kAround < at) from += UnitLength(expected, from);
    auto end = [&](std::string_view b) {
        std::size_t i = from;
        while (i < b.size() && i < at + kAround) i += UnitLength(b, i);
        return i;
    };
    const std::size_t line = static_cast<std::size_t>(std::count(expected.begin(), expected.begin() + at, '\n')) + 1;
    const std::size_t lineStart = expected.substr(0, at).rfind('\n');
    const std::size_t column = at - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;

    const std::string lead = from > 0 ? "..." : "";
    const Shown e = Show(expected, from, end(expected), at);
    const Shown a = Show(actual, from, end(actual), at);
    std::ostringstream out;
    out << "at byte " << at << " (line " << line << ", column " << column << "): expected " << ByteName(expected, at)
        << ", actual " << ByteName(actual, at) << "\n";
    out << "    expected: " << lead << e.text << (end(expected) < expected.size() ? "..." : "") << "\n";
    out << "    actual:   " << lead << a.text << (end(actual) < actual.size() ? "..." : "") << "\n";
    out << "              " << std::string(lead.size() + static_cast<std::size_t>(e.caret), ' ') << "^\n";
    out << "    (expected " << expected.size() << " bytes, actual " << actual.size() << ")";
    return out.str();
}

Totals RunCaseFile(const CaseFile& file, std::ostream& out, const RunOptions& options) {
    Totals totals;
    for (const ParseError& e : file.errors) {
        out << "ERROR " << file.path << ":" << e.line << ": " << e.what() << "\n";
        ++totals.failed;
    }
    for (const Case& c : file.cases) {
        if (!options.filter.empty() && c.name.find(options.filter) == std::string::npos) continue;
        std::vector<Failure> failures;
        try {
            failures = CaseRun(file, c, options).run();
        } catch (const std::exception& e) {
            failures.push_back({c.line, std::string("could not run: ") + e.what()});
        }
        if (failures.empty()) {
            ++totals.passed;
            if (options.verbose) out << "ok   " << c.name << "\n";
            continue;
        }
        ++totals.failed;
        out << "FAIL " << c.name << " (" << file.path << ":" << c.line << ")\n";
        for (const Failure& f : failures) out << "  " << file.path << ":" << f.line << ": " << f.detail << "\n";
    }
    return totals;
}

}  // namespace trelvix::cases
