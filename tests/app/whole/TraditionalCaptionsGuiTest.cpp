// The traditional-Chinese interface on the real toolkit: with [log]
// language=1 the main window and every tool window that has a pack show the
// pack's texts in their native controls, and the windows without one (the
// Layer-7 tools, the catalogue, the IP lookup) keep their layout's texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/treectrl.h>

#include "DesktopTest.h"
#include "EveryWindow.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/LanguagePackKinds.h"
#include "app/LanguagePacks.h"
#include "app/Startup.h"
#include "app/ToolWindows.h"
#include "common/platform/Ini.h"
#include "common/platform/Paths.h"
#include "common/platform/Random.h"
#include "common/text/CodePage.h"
#include "common/text/DateTime.h"
#include "ui/Layout.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::test {
namespace {

namespace fs = std::filesystem;

// Which pack each window shows in the traditional interface; none for the
// windows that keep their simplified texts.
struct WindowPack {
    std::optional<ToolIndex> tool;  // none: the main window
    const char* pack;               // nullptr: no pack
};
const WindowPack kWindowPacks[] = {
    {std::nullopt, "language1.ini"},
    {ToolIndex::RouteTable, "language2.ini"},
    {ToolIndex::SubnetCalculator, "language3.ini"},
    {ToolIndex::ScriptEditor, "language4.ini"},
    {ToolIndex::L7Tools, nullptr},
    {ToolIndex::Ipv6Tunnel, "language5.ini"},
    {ToolIndex::IpLookup, nullptr},
    {ToolIndex::HardwareCatalogue, nullptr},
};

// Controls the main window's start-up writes after its pack: the language
// button offers the way back, the usage counter shows its counts.
const char* const kWrittenAfterThePack[] = {"按钮_语言", "标签_今天次数", "标签_昨天次数"};

bool WrittenAfterThePack(const std::string& control) {
    for (const char* name : kWrittenAfterThePack)
        if (control == G(name)) return true;
    return false;
}

std::string Big5ToUtf8(std::string_view big5) { return Utf16ToMultiByte(MultiByteToUtf16(big5, 950), 65001); }
std::string Utf8(const wxString& s) { return s.utf8_string(); }
std::string ReplaceUtf8(std::string text, std::string_view find, std::string_view by) {
    for (std::size_t at = text.find(find); at != std::string::npos; at = text.find(find, at + by.size()))
        text.replace(at, find.size(), by);
    return text;
}

// A label shows its text wrapped to its width: a blank where it breaks a line
// goes, so texts are compared without line breaks and blanks.
std::string Unbroken(std::string text) {
    std::erase_if(text, [](char c) { return c == '\n' || c == '\r' || c == ' '; });
    return text;
}

// The native control's text, as the person at the screen sees it; nothing
// for kinds read only through the window interface. A label is the generic
// static text; a group box is a panel with the framed, captioned box inside.
std::optional<std::string> NativeText(ui::WxWindow& w, const std::string& control) {
    wxWindow* native = w.native(control);
    if (auto* t = dynamic_cast<wxTextCtrl*>(native)) return Utf8(t->GetValue());
    if (auto* b = dynamic_cast<wxButton*>(native)) return Utf8(b->GetLabel());
    if (auto* b = dynamic_cast<wxCheckBox*>(native)) return Utf8(b->GetLabel());
    if (auto* b = dynamic_cast<wxRadioButton*>(native)) return Utf8(b->GetLabel());
    if (auto* l = dynamic_cast<wxStaticTextBase*>(native)) return Unbroken(Utf8(l->GetLabel()));
    if (w.kind(control) == ui::Kind::GroupBox && native) {
        for (wxWindow* child : native->GetChildren())
            if (auto* box = dynamic_cast<wxStaticBox*>(child)) return Utf8(box->GetLabel());
        return std::string("(no frame)");
    }
    return std::nullopt;
}

// A tree's item texts on screen, in display order (depth first).
std::vector<std::string> NativeTreeTexts(ui::WxWindow& w, const std::string& control) {
    std::vector<std::string> texts;
    auto* tree = dynamic_cast<wxTreeCtrl*>(w.native(control));
    if (!tree) return texts;
    std::function<void(const wxTreeItemId&)> visit = [&](const wxTreeItemId& parent) {
        wxTreeItemIdValue cookie;
        for (wxTreeItemId id = tree->GetFirstChild(parent, cookie); id.IsOk();
             id = tree->GetNextChild(parent, cookie)) {
            texts.push_back(Utf8(tree->GetItemText(id)));
            visit(id);
        }
    };
    visit(tree->GetRootItem());
    return texts;
}

// Every entry of the pack shows on the window: through the interface as GBK,
// on screen as the traditional characters. Returns how many entries differ
// from the layout's simplified text.
int ExpectPackShown(ui::WxWindow& w, const ui::WindowSpec& layout, std::string_view pack) {
    std::map<std::string, const ui::ControlSpec*> specs;
    ui::ForEachControl(layout.controls, [&](const ui::ControlSpec& c, const ui::ControlSpec*) { specs[c.name] = &c; });
    int changed = 0;
    for (const IniText::Entry& e : IniText(pack).entries()) {
        const std::string where = GbkToUtf8(w.name()) + " [" + GbkToUtf8(e.section) + "] " + GbkToUtf8(e.key);
        Gbk expected = Big5ToGbk(e.value);
        std::string shown = Big5ToUtf8(e.value);
        if (specs.count(e.section) && specs[e.section]->kind == ui::Kind::Tree) {
            const std::size_t item = std::stoul(e.key.substr(G("树型框").size()));
            const auto items = w.treeItems(e.section);
            const auto onScreen = NativeTreeTexts(w, e.section);
            if (item >= items.size() || item >= onScreen.size()) {
                ADD_FAILURE() << where << ": no such item";
                continue;
            }
            EXPECT_EQ(Visible(items[item].text), Visible(expected)) << where;
            EXPECT_EQ(onScreen[item], shown) << where;
            changed += items[item].text.bytes() != specs[e.section]->treeItems[item].text;
            continue;
        }
        if (!specs.count(e.key)) {
            ADD_FAILURE() << where << ": no such control";
            continue;
        }
        if (w.name() == ui::BuiltInLayout("main.json").name && WrittenAfterThePack(e.key)) continue;
        const ui::ControlSpec& spec = *specs[e.key];
        const auto section = PackSectionOf(spec.kind);
        if (section && PackKeepsLineBreaks(*section)) {
            if (expected.empty()) continue;  // an empty value leaves the layout's text
            expected = ReplaceAll(expected, kPackLineBreak, "\r\n");
            shown = ReplaceUtf8(shown, kPackLineBreak, "\n");
        }
        EXPECT_EQ(Visible(w.text(e.key)), Visible(expected)) << where;
        if (const auto native = NativeText(w, e.key)) {
            EXPECT_EQ(spec.kind == ui::Kind::Label ? Unbroken(shown) : shown, *native) << where;
        }
        changed += expected != spec.text;
    }
    return changed;
}

// A window without a pack shows its layout's captions.
void ExpectLayoutShown(ui::WxWindow& w, const ui::WindowSpec& layout) {
    ui::ForEachControl(layout.controls, [&](const ui::ControlSpec& c, const ui::ControlSpec*) {
        switch (c.kind) {
            case ui::Kind::Button:
            case ui::Kind::CheckBox:
            case ui::Kind::Radio:
            case ui::Kind::GroupBox:
            case ui::Kind::Label: {
                const std::string where = GbkToUtf8(w.name()) + " " + GbkToUtf8(c.name);
                if (c.kind == ui::Kind::Label && w.text(c.name) != c.text) break;  // written by the window's own start
                EXPECT_EQ(Visible(w.text(c.name)), Visible(c.text)) << where;
                if (const auto native = NativeText(w, c.name)) {
                    const std::string expected = GbkToUtf8(c.text);
                    EXPECT_EQ(*native, c.kind == ui::Kind::Label ? Unbroken(expected) : expected) << where;
                }
                break;
            }
            default: break;
        }
    });
}

class TraditionalCaptions : public DesktopTest {};

TEST_F(TraditionalCaptions, WindowsWithAPackShowItAndTheOthersKeepTheirLayout) {
    TempHome home;
    const fs::path settings = home.root() / "config" / "vemtu";
    fs::create_directories(settings);
    std::ofstream(settings / "config.ini", std::ios::binary) << "[log]\r\nlanguage=1\r\nhide=1\r\n";
    SampleCatalogueProgram program(home.root() / "program");

    ui::WxUi* wx = wx_;
    QuietDesktop desktop(*wx);
    FixedClock clock(42800.5);
    SeededRandom random(1), secureRandom(2);
    {
        App app(desktop, clock, random, secureRandom);
        InitGlobals(app);
        CreateMainWindow(app);
        const ui::WindowSpec& mainLayout = ui::BuiltInLayout("main.json");
        ui::WxWindow* main = wx->window(mainLayout.name);
        ASSERT_NE(main, nullptr);
        wx->runPending(20);

        for (const WindowPack& wp : kWindowPacks) {
            const ui::WindowSpec& layout = wp.tool ? ToolWindowLayout(*wp.tool) : mainLayout;
            SCOPED_TRACE(GbkToUtf8(layout.name));
            ui::WxWindow* w = wp.tool ? OpenFromToolChooser(*wx, *main, *wp.tool) : main;
            ASSERT_NE(w, nullptr);
            EXPECT_TRUE(w->shown());
            if (wp.pack) {
                const auto pack = BuiltInLanguagePack(wp.pack);
                ASSERT_TRUE(pack);
                EXPECT_GT(ExpectPackShown(*w, layout, *pack), 0) << "nothing turned traditional";
            } else {
                ExpectLayoutShown(*w, layout);
            }
        }
        EXPECT_EQ(main->text(G("按钮_语言")), G("切換簡體"));
        ExitProgram(app);
        wx->runPending(20);
    }
}

}  // namespace
}  // namespace trelvix::test
