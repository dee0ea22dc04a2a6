// The tool windows that write RouterOS scripts, on the real toolkit and
// opened through the main window's tool chooser as a user opens them. Every
// button is pressed with the window's defaults; each radio and each item of
// each drop-down list is chosen before the writing buttons are pressed; then
// hostile values go into each field in turn. No handler may fail, no dialog
// may wait for a person, a message box always says something, and every
// script a tool writes is GBK with CR LF and reads as the router reads it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <wx/radiobut.h>
#include <wx/stc/stc.h>
#include <wx/textentry.h>

#include "EveryWindow.h"
#include "ForwardingUi.h"
#include "NeedDisplay.h"
#include "PageButtons.h"
#include "RouterOsLexis.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Startup.h"
#include "common/platform/Paths.h"
#include "common/platform/Random.h"
#include "common/text/CodePage.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "ui/Layout.h"
#include "ui/wx/WxText.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::test {
namespace {

using ui::Kind;

std::string U(std::string_view gbk) { return GbkToUtf8(gbk); }

struct Typed {
    const char* field;
    const char* value;  // UTF-8
};

// Radios chosen for one pass of hostile values, and the fields that pass
// types into: those the writers read in that mode (none named: every field).
struct Mode {
    std::vector<const char*> radios;
    std::vector<const char*> fields;
};

// A tool window that writes scripts, and what a user does to make it write.
struct ScriptTool {
    ToolIndex tool;
    const char* output;                // the box the tool writes into
    std::vector<const char*> writers;  // buttons that write into it
    std::vector<Typed> filled;         // typed after each opening, so that the writers write
    std::vector<const char*> prepare;  // pressed before the writers: they fill what the writers read
    std::vector<Mode> modes;           // together they type into every field
    // The output box also holds a list the writers read: this one, unless
    // the box itself is the field being typed into.
    const char* list = nullptr;
    // The fields hold script text the user writes by hand, put into the
    // line as typed: a "$name" there is the user's own variable.
    bool fieldsAreScript = false;
};

const std::vector<ScriptTool>& ScriptTools() {
    static const std::vector<ScriptTool> tools = {
        // A short list of the user's own keeps a press with hostile values
        // cheap; the radio pass writes every built-in list in full.
        {ToolIndex::RouteTable,
         "编辑框_代码",
         {"按钮_参数生成", "按钮_生成2", "按钮_生成3", "按钮_ip生成", "按钮_奇偶生成"},
         {{"编辑框_2", "10.0.0.1"}},
         {},
         {{{"单选框_自定义ip"},
           {"编辑框_代码", "编辑框_2", "组合框_3", "编辑框_5", "编辑框_6", "编辑框_7", "编辑框_8", "编辑框_9",
            "编辑框_前三位"}},
          {{"单选框_自定义ip", "单选框_rule"}, {"编辑框_21", "编辑框_23", "编辑框_24", "编辑框_26"}},
          {{"单选框_自定义ip", "单选框_address"}, {"编辑框_31", "编辑框_33"}}},
         "1.0.1.0/24\r\n1.0.2.0/23"},
        {ToolIndex::ScriptEditor,
         "编辑框_代码",
         {"按钮_delay", "按钮_域名解析", "按钮_beep", "按钮_log"},
         {},
         {},
         {{}},
         nullptr,
         true},
        {ToolIndex::L7Tools,
         "编辑框_代码",
         {"按钮_生成选中的L7协议", "按钮_生成此QQL7协议", "按钮_批量生成QQL7协议", "按钮_所有QQ的L7"},
         {},
         {"按钮_全选", "按钮_添加"},
         {{}, {{"单选框_自定义格式"}, {"编辑框_自定义格式name", "编辑框_QQ号码"}}}},
        {ToolIndex::Ipv6Tunnel, "编辑框_ipv4代码", {"按钮_生成1", "按钮_生成2"}, {}, {}, {{}}},
    };
    return tools;
}

// Typed behind each field's own text, one at a time; the empty value
// empties the field. "•" and the emoji are characters GBK lacks: they reach
// the program as "?", which must come out escaped as any typed "?" does.
struct Hostile {
    std::string utf8;
    bool replaces = false;
};

const std::vector<Hostile>& HostileValues() {
    static const std::vector<Hostile> values = {
        {"", true},
        {" "},
        {"\""},
        {"\\"},
        {"$"},
        {"$x"},
        {"?"},
        {";"},
        {"{"},
        {"}"},
        {"{7}"},
        {"["},
        {"]"},
        {"\r\n"},
        {"淺"},
        {"•😀"},
        {std::string(1000, 'x') + "\"$?\\"},
        {" \"\\$?;{}[]淺\r\n•"},
    };
    return values;
}

// Drop-down lists of a layout: a user can only pick their items.
void DropLists(const std::vector<ui::ControlSpec>& controls, std::vector<const ui::ControlSpec*>& out) {
    for (const ui::ControlSpec& c : controls) {
        if (c.kind == Kind::Combo && !c.editable && c.visible && c.enabled && c.items.size() > 1) out.push_back(&c);
        DropLists(c.children, out);
    }
}

// What one press did besides writing into the output box.
struct Press {
    std::vector<ui::MessageBoxCall> messages;
    std::vector<std::string> faults;
};

// Message boxes answered with their first button and recorded; nothing
// reaches the clipboard, a browser, a font or a file dialog.
class Desktop final : public ForwardingUi {
public:
    Desktop(ui::Ui& inner, Press*& press) : ForwardingUi(inner), press_(press) {}
    int messageBox(const ui::MessageBoxCall& call) override {
        if (press_) press_->messages.push_back(call);
        return (call.flags & 0x0F) == ui::mb::YesNo ? ui::mb::IdYes : ui::mb::IdOk;
    }
    bool setClipboardText(const ui::GbkText&) override { return true; }
    std::optional<ui::GbkText> clipboardText() override { return std::nullopt; }
    void openUrl(const ui::GbkText&) override {}
    std::optional<ui::FontChoice> chooseFont(const ui::FontChoice&) override { return std::nullopt; }

protected:
    std::optional<std::filesystem::path> showFileDialog(const ui::FileDialogRequest&) override { return std::nullopt; }

private:
    Press*& press_;
};

class ToolWindowsHostile : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "app_whole_tools_gui_test";
        static char* argv[] = {name, nullptr};
        if (std::getenv("DISPLAY")) wx_ = ui::WxUi::Create(argc, argv).release();
    }

    static void TearDownTestSuite() {
        delete wx_;
        wx_ = nullptr;
    }

    void SetUp() override {
        TRELVIX_NEED_DISPLAY(wx_ != nullptr);
        SetProgramDirectory(home_.root() / "program");
        std::filesystem::create_directories(home_.root() / "program");
        wx_->onFault = [this](const std::string& what) {
            if (press_) press_->faults.push_back(what);
            else ADD_FAILURE() << "a handler failed between presses: " << what;
        };
        dialogs_ = std::make_unique<RefusedDialogs>([this](const std::string& title) {
            if (press_) press_->faults.push_back("a dialog nobody answers: " + title);
            else ADD_FAILURE() << "a dialog nobody answers: " << title;
        });
        desktop_ = std::make_unique<Desktop>(*wx_, press_);
        app_ = std::make_unique<App>(*desktop_, clock_, random_, secureRandom_);
        InitGlobals(*app_);
        CreateMainWindow(*app_);
        main_ = wx_->window(ui::BuiltInLayout("main.json").name);
        wx_->runPending(20);
    }

    void TearDown() override {
        if (app_) {
            for (const ScriptTool& t : ScriptTools()) closeTool(t);
            if (main_ && !main_->destroyed()) wx_->destroyWindow(*main_);
            wx_->runPending(10);
            FreeGlobals(*app_);
            app_.reset();
            wx_->runPending(0);
        }
        desktop_.reset();
        dialogs_.reset();
        if (wx_) wx_->onFault = nullptr;
        SetProgramDirectory({});
        std::printf("%d presses, %d scripts read as the router reads them\n", presses_, scripts_);
    }

    void closeTool(const ScriptTool& t) {
        if (ui::WxWindow* w = wx_->window(ToolWindowLayout(t.tool).name); w && !w->destroyed()) wx_->destroyWindow(*w);
        wx_->runPending(0);
    }

    // The tool afresh, with its layout's defaults and the values that let it write.
    ui::WxWindow& open(const ScriptTool& t) {
        closeTool(t);
        ui::WxWindow* w = main_ ? OpenFromToolChooser(*wx_, *main_, t.tool) : nullptr;
        if (!w) throw std::runtime_error("the tool chooser opened no " + U(ToolWindowLayout(t.tool).name));
        for (const Typed& f : t.filled) w->setText(G(f.field), G(f.value));
        return *w;
    }

    // Chooses a radio as a user does: the button is set, then its click runs.
    void choose(ui::WxWindow& w, const SectionPage& page, const std::string& radio) {
        for (const PageButton& r : page.radios)
            if (r.name == radio) ShowPath(w, r.path);
        auto* native = dynamic_cast<wxRadioButton*>(w.native(radio));
        ASSERT_NE(native, nullptr) << U(radio);
        native->SetValue(true);
        wxCommandEvent click(wxEVT_RADIOBUTTON, native->GetId());
        click.SetEventObject(native);
        native->ProcessWindowEvent(click);
        wx_->runPending(0);
    }

    // The mode's radios chosen; the words that name it in a failure.
    std::string chooseMode(ui::WxWindow& w, const SectionPage& page, const Mode& mode) {
        std::string words;
        for (const char* radio : mode.radios) {
            choose(w, page, G(radio));
            words += std::string(" ") + radio;
        }
        return words;
    }

    // Presses a button as a user does, on its own page.
    Press press(ui::WxWindow& w, const SectionPage& page, const std::string& button) {
        for (const PageButton& b : page.buttons)
            if (b.name == button) ShowPath(w, b.path);
        Press result;
        press_ = &result;
        wxWindow* native = w.native(button);
        if (!native || !w.visible(button) || !w.enabled(button)) {
            result.faults.push_back("not pressable");
        } else {
            wxCommandEvent click(wxEVT_BUTTON, native->GetId());
            click.SetEventObject(native);
            native->ProcessWindowEvent(click);
            wx_->runPending(0);
        }
        press_ = nullptr;
        ++presses_;
        return result;
    }

    // The press, and what it left in the output box (nothing when the box
    // kept the text it was given just before). `where` names the press.
    struct Written {
        Press press;
        std::optional<Gbk> text;
    };
    Written write(ui::WxWindow& w, const SectionPage& page, const ScriptTool& t, const std::string& button,
                  const Gbk& before = {}) {
        w.setText(G(t.output), before);
        Written r{press(w, page, button), std::nullopt};
        if (Gbk now = w.text(G(t.output)); now != before) r.text = std::move(now);
        return r;
    }

    // The press failed nothing, its boxes say something, and what it wrote is
    // GBK with CR LF; a script also reads cleanly, unless it is the user's
    // own script text.
    void expectSound(const Written& r, const std::string& where, bool usersScript = false) {
        for (const std::string& fault : r.press.faults) ADD_FAILURE() << where << ": " << fault;
        for (const ui::MessageBoxCall& m : r.press.messages)
            if (m.text.empty()) ADD_FAILURE() << where << ": a message box without a text";
        if (!r.text) return;
        const Gbk& script = *r.text;
        if (auto fault = CheckGbkCrLf(script)) {
            ADD_FAILURE() << where << ": " << Describe(*fault, script);
        } else if (!usersScript && LooksLikeScript(script)) {
            ++scripts_;
            if (auto lexis = CheckRouterOsLexis(script)) ADD_FAILURE() << where << ": " << Describe(*lexis, script);
        }
    }

    // The writers, each after the buttons that prepare what it reads. Where
    // the fields are script text, a writer puts the typed field into its
    // line as typed, and that line is the user's; the other writers' lines
    // are the tool's and read cleanly.
    void pressWriters(ui::WxWindow& w, const SectionPage& page, const ScriptTool& t, const std::string& where,
                      const std::string& typedField = {}) {
        for (const char* p : t.prepare) expectSound({press(w, page, G(p)), std::nullopt}, where + " " + p);
        const Gbk before = !t.list ? Gbk() : typedField == G(t.output) ? w.text(typedField).bytes() : G(t.list);
        const Gbk typed = t.fieldsAreScript && !typedField.empty() ? w.text(typedField).bytes() : Gbk();
        bool typedShown = false;
        for (const char* writer : t.writers) {
            const Written r = write(w, page, t, G(writer), before);
            const bool shows = !typed.empty() && r.text && r.text->find(typed) != Gbk::npos;
            typedShown = typedShown || shows;
            expectSound(r, where + " " + writer, shows);
        }
        if (!typed.empty() && !typedShown) ADD_FAILURE() << where << ": no line holds the typed text as typed";
    }

    // Types the value behind the field's text. A character GBK lacks has no
    // GBK form for the window interface to carry, so such a value goes into
    // the native control, where a user's typing or pasting puts it.
    static void typeBehind(ui::WxWindow& w, const std::string& field, const Gbk& original, const Hostile& value) {
        if (value.replaces) {
            w.setText(field, Gbk());
        } else if (GbkToUtf8(Utf8ToGbk(value.utf8)) == value.utf8) {
            w.setText(field, original + Utf8ToGbk(value.utf8));
        } else if (auto* code = dynamic_cast<wxStyledTextCtrl*>(w.native(field))) {
            code->SetText(ui::ToWx(original) + wxString::FromUTF8(value.utf8));
        } else if (auto* entry = dynamic_cast<wxTextEntry*>(w.native(field))) {
            entry->ChangeValue(ui::ToWx(original) + wxString::FromUTF8(value.utf8));
        } else {
            ADD_FAILURE() << U(field) << " takes no typing";
        }
    }

    Press* press_ = nullptr;
    int presses_ = 0;
    int scripts_ = 0;
    TempHome home_;
    FixedClock clock_{42800.5};
    SeededRandom random_{1};
    SeededRandom secureRandom_{2};
    std::unique_ptr<RefusedDialogs> dialogs_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<App> app_;
    ui::WxWindow* main_ = nullptr;
    static ui::WxUi* wx_;
};

ui::WxUi* ToolWindowsHostile::wx_ = nullptr;

// Every button of the window, one after the other, from the layout's
// defaults; then each writer of a fresh window writes something.
TEST_F(ToolWindowsHostile, EveryButtonWithTheDefaults) {
    for (const ScriptTool& t : ScriptTools()) {
        const SectionPage page = WindowPage(ToolWindowLayout(t.tool));
        const std::string tool = U(page.caption);
        ui::WxWindow& w = open(t);
        for (const PageButton& b : page.buttons) expectSound(write(w, page, t, b.name), tool + " " + U(b.name));
        ui::WxWindow& fresh = open(t);
        for (const char* p : t.prepare) press(fresh, page, G(p));
        for (const char* writer : t.writers) {
            const Written r = write(fresh, page, t, G(writer));
            expectSound(r, tool + " " + writer);
            EXPECT_TRUE(r.text && !r.text->empty()) << tool << " " << writer << " wrote nothing";
        }
    }
    EXPECT_GT(scripts_, 0);
}

// Each radio not chosen at the start, alone in a fresh window; then, in each
// mode of the hostile pass, every item of every drop-down list.
TEST_F(ToolWindowsHostile, EachRadioAndEachDropDownItem) {
    for (const ScriptTool& t : ScriptTools()) {
        const ui::WindowSpec& layout = ToolWindowLayout(t.tool);
        const SectionPage page = WindowPage(layout);
        const std::string tool = U(page.caption);
        for (const PageButton& radio : page.radios) {
            ui::WxWindow& w = open(t);
            choose(w, page, radio.name);
            pressWriters(w, page, t, tool + " " + U(radio.name));
        }
        std::vector<const ui::ControlSpec*> drops;
        DropLists(layout.controls, drops);
        for (const Mode& mode : t.modes) {
            ui::WxWindow& w = open(t);
            const std::string where = tool + chooseMode(w, page, mode);
            for (const ui::ControlSpec* drop : drops) {
                for (std::size_t i = 0; i < drop->items.size(); ++i) {
                    w.setCurrentItem(drop->name, static_cast<int>(i));
                    pressWriters(w, page, t, where + " " + U(drop->name) + "=" + U(drop->items[i]));
                }
                w.setCurrentItem(drop->name, drop->current);
            }
        }
    }
}

// In each mode, each field in turn holds each hostile value; the writers
// are pressed, then the field and the window's lists are put back.
TEST_F(ToolWindowsHostile, WritersWithHostileValuesInEveryField) {
    for (const ScriptTool& t : ScriptTools()) {
        const SectionPage page = WindowPage(ToolWindowLayout(t.tool));
        const std::string tool = U(page.caption);
        std::set<std::string> untyped;  // the window's fields no mode types into
        for (const std::string& f : page.textFields)
            if (f != G(t.output)) untyped.insert(f);
        if (t.list) untyped.insert(G(t.output));
        const std::set<std::string> everyField = untyped;
        for (const Mode& mode : t.modes) {
            std::vector<std::string> fields;
            for (const char* f : mode.fields) fields.push_back(G(f));
            if (mode.fields.empty()) fields.assign(everyField.begin(), everyField.end());
            for (const std::string& f : fields) untyped.erase(f);
            ui::WxWindow& w = open(t);
            const std::string where = tool + chooseMode(w, page, mode);
            std::map<std::string, std::vector<ui::GbkText>> lists;  // list boxes as they start
            for (const std::string& list : page.rowLists)
                if (w.kind(list) == Kind::ListBox) lists[list] = w.items(list);
            for (const std::string& field : fields) {
                const Gbk original = w.text(field);
                for (const Hostile& value : HostileValues()) {
                    typeBehind(w, field, original, value);
                    const std::string shown = value.utf8.size() > 40 ? value.utf8.substr(0, 40) + "..." : value.utf8;
                    pressWriters(w, page, t, where + " " + U(field) + "+" + Visible(shown), field);
                    w.setText(field, original);
                    for (const auto& [list, items] : lists) w.setItems(list, items);
                }
            }
        }
        for (const std::string& f : untyped) ADD_FAILURE() << tool << " " << U(f) << ": no mode types into it";
    }
    EXPECT_GT(scripts_, 0);
}

}  // namespace
}  // namespace trelvix::test
