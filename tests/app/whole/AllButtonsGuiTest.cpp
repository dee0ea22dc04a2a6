// The whole main window on the real toolkit: every button of every page is
// pressed, first with the page's defaults, then with hostile values typed into
// each field in turn. A press gives a script, a message or some other visible
// effect; it gives nothing only on a page whose row list is empty. No handler
// may fail, no dialog may wait for a person, and every script must be GBK with
// CR LF and read cleanly as the router reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/radiobut.h>

#include "DesktopTest.h"
#include "ForwardingUi.h"
#include "PageButtons.h"
#include "RouterOsLexis.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Startup.h"
#include "common/platform/Paths.h"
#include "common/platform/Random.h"
#include "common/text/CodePage.h"
#include "common/text/DateTime.h"
#include "ui/Layout.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::test {
namespace {

const std::string kMainLayout = "main.json";
// The strip every script goes to; what a press does there is the script itself.
const char* const kScriptStrip[] = {"编辑框_代码", "编辑框_行号", "标签_生成时间"};

std::string U(std::string_view gbk) { return GbkToUtf8(gbk); }

// What one press did, besides changing controls of the main window.
struct Press {
    std::vector<Gbk> scripts;
    std::vector<ui::MessageBoxCall> messages;
    std::vector<std::string> effects;  // clipboard, browser, dialogs, windows
    std::vector<std::string> faults;   // handlers that failed
};

// The desktop of one run of the program: message boxes are answered with
// their first button, nothing reaches the clipboard, a browser or a dialog,
// and each run has its own posting gate (the toolkit's own closes for good).
class Desktop final : public ForwardingUi {
public:
    Desktop(ui::Ui& inner, Press*& press) : ForwardingUi(inner), press_(press) {}

    ui::Window& createWindow(const ui::WindowSpec& layout, ui::Window* owner,
                             const std::function<void(ui::Window&)>& onCreated) override {
        if (press_) press_->effects.push_back("opened window " + U(layout.name));
        return ForwardingUi::createWindow(layout, owner, onCreated);
    }
    int messageBox(const ui::MessageBoxCall& call) override {
        if (press_) press_->messages.push_back(call);
        const int buttons = call.flags & 0x0F;
        return buttons == ui::mb::YesNo ? ui::mb::IdYes : ui::mb::IdOk;
    }
    bool setClipboardText(const ui::GbkText& text) override {
        if (press_) press_->effects.push_back("clipboard " + U(text));
        return true;
    }
    std::optional<ui::GbkText> clipboardText() override { return std::nullopt; }
    void openUrl(const ui::GbkText& url) override {
        if (press_) press_->effects.push_back("browser " + U(url));
    }
    std::optional<ui::FontChoice> chooseFont(const ui::FontChoice&) override {
        if (press_) press_->effects.push_back("font dialog");
        return std::nullopt;
    }
    void post(std::function<void()> work) override {
        ForwardingUi::post([open = open_, work = std::move(work)] {
            if (*open) work();
        });
    }
    void stopPosting() override { *open_ = false; }

protected:
    std::optional<std::filesystem::path> showFileDialog(const ui::FileDialogRequest&) override {
        if (press_) press_->effects.push_back("file dialog");
        return std::nullopt;
    }

private:
    Press*& press_;
    std::shared_ptr<std::atomic<bool>> open_ = std::make_shared<std::atomic<bool>>(true);
};

// A dialog shown past the desktop services would wait for a person: it is
// refused at once and counted as a fault of the press.
class DialogGuard final : public wxModalDialogHook {
public:
    explicit DialogGuard(Press*& press) : press_(press) { Register(); }
    ~DialogGuard() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override {
        const std::string title = dialog->GetTitle().utf8_string();
        if (press_) press_->faults.push_back("a dialog nobody answers: " + title);
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}

private:
    Press*& press_;
};

// The state a press may change, control by control (the script strip aside).
std::map<std::string, std::string> StateOf(const ui::Window& w) {
    static const std::set<std::string> strip = [] {
        std::set<std::string> names;
        for (const char* name : kScriptStrip) names.insert(G(name));
        return names;
    }();
    std::map<std::string, std::string> state;
    for (const std::string& name : w.controls()) {
        if (strip.count(name)) continue;
        const ui::Kind kind = w.kind(name);
        std::string s = w.text(name).bytes();
        s += w.visible(name) ? "|v" : "|h";
        s += w.enabled(name) ? "e" : "d";
        switch (kind) {
            case ui::Kind::CheckBox:
            case ui::Kind::Radio:
            case ui::Kind::MenuItem: s += w.checked(name) ? "|x" : "|o"; break;
            case ui::Kind::Combo:
            case ui::Kind::ListBox:
                for (const ui::GbkText& item : w.items(name)) s += "|" + item.bytes();
                s += "|@" + std::to_string(w.currentItem(name));
                break;
            case ui::Kind::ReportList:
                for (int r = 0; r < w.rowCount(name); ++r)
                    for (const ui::GbkText& cell : w.row(name, r)) s += "|" + cell.bytes();
                break;
            case ui::Kind::Tree:
                for (const ui::TreeItem& item : w.treeItems(name)) s += "|" + item.text.bytes();
                break;
            default: break;
        }
        state.emplace(name, std::move(s));
    }
    return state;
}

std::vector<std::string> ChangedControls(const std::map<std::string, std::string>& before,
                                         const std::map<std::string, std::string>& after) {
    std::vector<std::string> changed;
    for (const auto& [name, s] : after) {
        auto it = before.find(name);
        if (it == before.end() || it->second != s) changed.push_back(name);
    }
    return changed;
}

class WholeMainWindow : public DesktopTest {
protected:
    // One run of the program: its desktop, the program state, the main window.
    struct Run {
        Run(ui::WxUi& wx, Press*& press, const Clock& clock, RandomSource& random, RandomSource& secure)
            : desktop(wx, press), app(desktop, clock, random, secure) {
            InitGlobals(app);
            CreateMainWindow(app);
            main = wx.window(ui::BuiltInLayout(kMainLayout).name);
            // Every script a press hands to the script box passes here first.
            auto show = app.page->showScript;
            app.page->showScript = [&press, show](const Gbk& script) {
                if (press) press->scripts.push_back(script);
                show(script);
            };
        }
        Desktop desktop;
        App app;
        ui::WxWindow* main = nullptr;
    };

    void SetUpOnDesktop() override {
        SetProgramDirectory(home.root() / "program");
        std::filesystem::create_directories(home.root() / "program");
        wx_->onFault = [this](const std::string& what) {
            if (press_) press_->faults.push_back(what);
            else ADD_FAILURE() << "a handler failed between presses: " << what;
        };
        guard_ = std::make_unique<DialogGuard>(press_);
        pages_ = SectionPages(ui::BuiltInLayout(kMainLayout), G("选择夹1"));
    }

    void TearDown() override {
        endRun();
        guard_.reset();
        if (wx_) wx_->onFault = nullptr;
        SetProgramDirectory({});
    }

    ui::WxWindow& main() {
        if (!run_) {
            ++runs_;
            run_ = std::make_unique<Run>(*wx_, press_, clock_, random_, secureRandom_);
            wx_->runPending(20);
        }
        return *run_->main;
    }

    void endRun() {
        if (!run_) return;
        if (run_->main && !run_->main->destroyed()) wx_->destroyWindow(*run_->main);
        wx_->runPending(10);
        FreeGlobals(run_->app);
        run_.reset();
        wx_->runPending(0);
    }

    // Presses a button as a user does; what it did is in the result.
    Press press(const PageButton& button) {
        ui::WxWindow& w = main();
        ShowPath(w, button.path);
        Press result;
        press_ = &result;
        if (w.visible(button.name) && w.enabled(button.name)) {
            wxWindow* native = w.native(button.name);
            if (!native) {
                result.faults.push_back("no native button");
            } else {
                wxCommandEvent click(wxEVT_BUTTON, native->GetId());
                click.SetEventObject(native);
                native->ProcessWindowEvent(click);
            }
            // Work a press posts (a lookup's answer, say) arrives here.
            wx_->runPending(0);
        } else {
            result.effects.push_back("not pressable");
        }
        press_ = nullptr;
        return result;
    }

    // The press, and the controls it changed.
    Press press(const PageButton& button, std::vector<std::string>* changed) {
        const auto before = StateOf(main());
        Press result = press(button);
        if (run_ && run_->main && !run_->main->destroyed()) *changed = ChangedControls(before, StateOf(*run_->main));
        else changed->push_back("the main window went");
        return result;
    }

    // Every script of the press is GBK with CR LF and reads cleanly. A text
    // that holds no command (a list of MAC addresses) is only GBK with CR LF.
    void ExpectSound(const Press& p, const std::string& where) {
        for (const std::string& fault : p.faults) ADD_FAILURE() << where << ": handler failed: " << fault;
        for (const Gbk& script : p.scripts) {
            if (auto fault = CheckGbkCrLf(script)) {
                ADD_FAILURE() << where << ": " << Describe(*fault, script);
            } else if (!LooksLikeScript(script)) {
                notScripts_.insert(where.substr(0, where.find('=')));
            } else if (auto lexis = CheckRouterOsLexis(script)) {
                ADD_FAILURE() << where << ": " << Describe(*lexis, script);
            }
        }
        for (const ui::MessageBoxCall& m : p.messages)
            if (m.text.empty()) ADD_FAILURE() << where << ": a message box without a text";
    }

    // A list a user fills (rows or items) that is empty or has nothing chosen:
    // a press may then rightly do nothing.
    bool hasUnfilledList(const SectionPage& page) {
        ui::WxWindow& w = main();
        for (const std::string& list : page.rowLists) {
            const int count = w.kind(list) == ui::Kind::ReportList ? w.rowCount(list)
                                                                   : static_cast<int>(w.items(list).size());
            if (count == 0 || w.currentItem(list) < 0) return true;
        }
        return false;
    }

    // A press that did nothing with the defaults: with a different value typed
    // into every field of the page it must do something (copy, clear, build).
    bool actsOnTypedValues(const SectionPage& page, const PageButton& button) {
        endRun();
        ui::WxWindow& w = main();
        for (std::size_t i = 0; i < page.textFields.size(); ++i)
            w.setText(page.textFields[i], Gbk("1") + std::to_string(i + 2));
        std::vector<std::string> changed;
        const Press p = press(button, &changed);
        ExpectSound(p, U(page.caption) + " " + U(button.name) + " (typed)");
        endRun();
        return !p.scripts.empty() || !p.messages.empty() || !p.effects.empty() || !changed.empty();
    }

    struct Roles {
        std::vector<PageButton> generators;  // gave only a script or a message
        std::vector<PageButton> rowAdders;   // filled a list
        std::vector<PageButton> waiting;     // gave nothing while a list was unfilled
    };

    // Presses every button of the page once with its defaults.
    Roles pressAllWithDefaults(const SectionPage& page) {
        Roles roles;
        for (const PageButton& button : page.buttons) {
            const std::string where = U(page.caption) + " " + U(button.name);
            const bool unfilledList = hasUnfilledList(page);
            std::vector<std::string> changed;
            const Press p = press(button, &changed);
            ExpectSound(p, where);
            ++presses_;
            const bool gaveOutcome = !p.scripts.empty() || !p.messages.empty();
            const bool otherEffect = !p.effects.empty() || !changed.empty();
            if (gaveOutcome && !otherEffect) roles.generators.push_back(button);
            for (const std::string& list : page.rowLists)
                if (std::find(changed.begin(), changed.end(), list) != changed.end()) {
                    roles.rowAdders.push_back(button);
                    break;
                }
            // The next press meets the defaults again.
            if (otherEffect) endRun();
            if (!gaveOutcome && !otherEffect) {
                if (unfilledList) roles.waiting.push_back(button);
                else if (!actsOnTypedValues(page, button)) ADD_FAILURE() << where << ": gives nothing";
            }
        }
        return roles;
    }

    // Each field of the page in turn holds its default followed by each hostile
    // value; the page's lists get a row made from it, then every generate
    // button is pressed. Afterwards the page is put back as it was.
    void pressWithHostileValues(const SectionPage& page, Roles roles, const std::vector<Gbk>& values) {
        // A button that waited for a list's row generates once the page's
        // row buttons have added one made from the defaults.
        for (const PageButton& button : roles.waiting) {
            if (roles.rowAdders.empty()) break;
            const std::string where = U(page.caption) + " " + U(button.name) + " (after a row)";
            for (const PageButton& adder : roles.rowAdders) ExpectSound(press(adder), where + " " + U(adder.name));
            std::vector<std::string> changed;
            const Press p = press(button, &changed);
            ExpectSound(p, where);
            if ((!p.scripts.empty() || !p.messages.empty()) && p.effects.empty() && changed.empty())
                roles.generators.push_back(button);
            endRun();
        }
        if (roles.generators.empty()) return;
        generators_ += static_cast<int>(roles.generators.size());
        std::vector<std::string> emptyLists;  // report lists without rows at the start
        std::map<std::string, std::pair<std::vector<ui::GbkText>, int>> listBoxes;  // items and choice at the start
        auto settle = [&] {
            ui::WxWindow& w = main();
            ShowPath(w, page.path);
            emptyLists.clear();
            listBoxes.clear();
            for (const std::string& list : page.rowLists) {
                if (w.kind(list) != ui::Kind::ReportList) listBoxes[list] = {w.items(list), w.currentItem(list)};
                else if (w.rowCount(list) == 0) emptyLists.push_back(list);
            }
            return StateOf(w);
        };
        auto baseline = settle();
        for (const std::string& field : page.textFields) {
            for (const Gbk& value : values) {
                ui::WxWindow& w = main();
                const Gbk original = w.text(field).bytes();
                const std::string where = U(page.caption) + " " + U(field) + "=" + U(original + value);
                w.setText(field, original + value);
                for (const PageButton& button : roles.rowAdders)
                    ExpectSound(press(button), where + " " + U(button.name));
                for (const PageButton& button : roles.generators) {
                    ExpectSound(press(button), where + " " + U(button.name));
                    ++presses_;
                }
                if (run_) {
                    ui::WxWindow& after = main();
                    after.setText(field, original);
                    for (const std::string& list : emptyLists) after.clearRows(list);
                    for (const auto& [list, start] : listBoxes) {
                        after.setItems(list, start.first);
                        after.setCurrentItem(list, start.second);
                    }
                    if (StateOf(after) == baseline) continue;
                    endRun();
                }
                baseline = settle();
            }
        }
    }

    test::TempHome home;
    FixedClock clock_{42800.5};
    SeededRandom random_{1};
    SeededRandom secureRandom_{2};
    Press* press_ = nullptr;
    std::unique_ptr<DialogGuard> guard_;
    std::unique_ptr<Run> run_;
    std::vector<SectionPage> pages_;
    int presses_ = 0;
    int runs_ = 0;
    int generators_ = 0;
    std::set<std::string> notScripts_;  // presses that gave a text without commands
};

TEST_F(WholeMainWindow, EveryButtonOfEveryPageWithItsDefaults) {
    ASSERT_GT(pages_.size(), 30u);
    int generators = 0;
    for (const SectionPage& page : pages_) generators += static_cast<int>(pressAllWithDefaults(page).generators.size());
    EXPECT_GT(generators, 0);
    std::printf("%d presses, %d of generate buttons, on %zu pages\n", presses_, generators, pages_.size());
    for (const std::string& where : notScripts_) std::printf("not a script: %s\n", where.c_str());
}

// A radio changes what a page's buttons write (a DDNS provider, a queue
// kind): each one not chosen at the start is chosen as a user does, then
// every button of its page is pressed, each in a fresh run.
TEST_F(WholeMainWindow, EveryButtonOfEveryPageWithEachOfItsRadiosChosen) {
    int variants = 0;
    for (const SectionPage& page : pages_) {
        for (const PageButton& radio : page.radios) {
            bool chosen = false;
            for (const PageButton& button : page.buttons) {
                endRun();
                ui::WxWindow& w = main();
                ShowPath(w, radio.path);
                auto* native = dynamic_cast<wxRadioButton*>(w.native(radio.name));
                if (!native || !w.visible(radio.name) || !w.enabled(radio.name)) break;
                native->SetValue(true);
                wxCommandEvent click(wxEVT_RADIOBUTTON, native->GetId());
                click.SetEventObject(native);
                native->ProcessWindowEvent(click);
                wx_->runPending(0);
                chosen = true;
                ExpectSound(press(button), U(page.caption) + " " + U(radio.name) + " " + U(button.name));
                ++presses_;
            }
            if (chosen) ++variants;
        }
    }
    EXPECT_GT(variants, 10);
    std::printf("%d presses with %d radios chosen\n", presses_, variants);
}

// Hostile values: a blank, a double quote, a backslash, a dollar sign, a
// question mark, 淺 (its second byte is a backslash), and all of them at once.
TEST_F(WholeMainWindow, GenerateButtonsWithHostileValuesInEveryField) {
    const std::vector<Gbk> values = {" ", "\"", "\\", "$", "?", G("淺"), G(" \"\\$?淺")};
    for (const SectionPage& page : pages_) pressWithHostileValues(page, pressAllWithDefaults(page), values);
    std::printf("%d presses of %d generate buttons on %zu pages, %d runs of the program\n", presses_, generators_,
                pages_.size(), runs_);
    for (const std::string& where : notScripts_) std::printf("not a script: %s\n", where.c_str());
}

}  // namespace
}  // namespace trelvix::test
