// The windows as the toolkit draws them, in both languages: every window's
// client area holds its controls, every tab page has the room the layouts
// count on, every caption fits its control as the toolkit measures the text,
// and the script box's line numbers show whole however many digits they have.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/control.h>
#include <wx/dcclient.h>
#include <wx/stc/stc.h>

#include "DesktopTest.h"
#include "EveryWindow.h"
#include "LayoutGeometry.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Startup.h"
#include "app/ToolWindows.h"
#include "common/platform/Paths.h"
#include "common/platform/Random.h"
#include "common/text/CodePage.h"
#include "common/text/DateTime.h"
#include "ui/Layout.h"
#include "ui/LineNumbers.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::test {
namespace {

namespace fs = std::filesystem;
using ui::Kind;

const ToolIndex kTools[] = {ToolIndex::RouteTable,       ToolIndex::SubnetCalculator, ToolIndex::ScriptEditor,
                            ToolIndex::L7Tools,          ToolIndex::Ipv6Tunnel,       ToolIndex::IpLookup,
                            ToolIndex::HardwareCatalogue};

std::string Where(const ui::WxWindow& w, const std::string& control) {
    return GbkToUtf8(w.name()) + " " + GbkToUtf8(control);
}

// What a button keeps around its caption, as the toolkit sizes a button.
int ButtonFurniture(wxWindow* parent) {
    auto* probe = new wxButton(parent, wxID_ANY, wxString::FromUTF8("按钮的文字按钮的文字按钮的文字"));
    const int furniture = probe->GetBestSize().x - probe->GetTextExtent(probe->GetLabelText()).x;
    probe->Destroy();
    return furniture;
}

// The caption's room against the room it needs; empty when it fits.
std::string CaptionFault(wxWindow* native, Kind kind, int buttonFurniture) {
    const wxSize room = native->GetClientSize();
    wxSize need;
    if (kind == Kind::Label) {
        // The label shows its text wrapped to its width.
        wxClientDC dc(native);
        dc.SetFont(native->GetFont());
        wxCoord w = 0, h = 0;
        dc.GetMultiLineTextExtent(native->GetLabel(), &w, &h);
        need = {w, h};
    } else if (kind == Kind::Button) {
        need = {native->GetTextExtent(wxControl::RemoveMnemonics(native->GetLabel())).x + buttonFurniture, 0};
    } else {
        native->InvalidateBestSize();
        need = {native->GetBestSize().x, 0};  // the box or circle, the gap and the text
    }
    if (need.x <= room.x && need.y <= room.y) return {};
    return "\"" + wxControl::RemoveMnemonics(native->GetLabel()).utf8_string() + "\" needs " + std::to_string(need.x) +
           "x" + std::to_string(need.y) + " in " + std::to_string(room.x) + "x" + std::to_string(room.y);
}

class ControlsFit : public DesktopTest {
protected:
    void SetUpOnDesktop() override { program_.emplace(home_.root() / "program"); }

    // Runs the program in one language with every window open, and hands
    // each window to `check`.
    void withEveryWindow(bool traditional, const std::function<void(ui::WxWindow&, const ui::WindowSpec&)>& check) {
        const fs::path settings = home_.root() / "config" / "vemtu";
        fs::create_directories(settings);
        std::ofstream(settings / "config.ini", std::ios::binary)
            << "[log]\r\nlanguage=" << (traditional ? "1" : "0") << "\r\nhide=1\r\n";
        QuietDesktop desktop(*wx_);
        App app(desktop, clock_, random_, secureRandom_);
        InitGlobals(app);
        CreateMainWindow(app);
        const ui::WindowSpec& mainLayout = ui::BuiltInLayout("main.json");
        ui::WxWindow* main = wx_->window(mainLayout.name);
        ASSERT_NE(main, nullptr);
        wx_->runPending(20);
        check(*main, mainLayout);
        for (const ToolIndex tool : kTools) {
            const ui::WindowSpec& layout = ToolWindowLayout(tool);
            ui::WxWindow* w = OpenFromToolChooser(*wx_, *main, tool);
            ASSERT_NE(w, nullptr) << GbkToUtf8(layout.name);
            check(*w, layout);
        }
        // Every window goes with this run, so that the next one opens them afresh.
        std::vector<std::string> windows = {mainLayout.name};
        for (const ToolIndex tool : kTools) windows.push_back(ToolWindowLayout(tool).name);
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            if (ui::WxWindow* w = wx_->window(*it); w && !w->destroyed()) wx_->destroyWindow(*w);
        wx_->runPending(10);
        FreeGlobals(app);
        wx_->runPending(0);
    }

    TempHome home_;
    std::optional<SampleCatalogueProgram> program_;
    FixedClock clock_{42800.5};
    SeededRandom random_{1}, secureRandom_{2};
};

// The window's room, after its creation has sized it, holds each control
// placed on it; each tab page has at least the room the layout checks give it.
TEST_F(ControlsFit, WindowsAndPagesHoldTheirControls) {
    withEveryWindow(false, [](ui::WxWindow& w, const ui::WindowSpec& layout) {
        const wxSize room = w.frame()->GetClientSize();
        for (const PlacedControl& c : PlaceControls(layout)) {
            if (!c.spec->visible || c.holders.size() != 1) continue;  // top level only
            const ui::Rect r = w.rect(c.spec->name);
            EXPECT_TRUE(Holds({0, 0, room.x, room.y}, r)) << Where(w, c.spec->name) << " ends at " << r.x + r.w << ","
                                                          << r.y + r.h << " in " << room.x << "x" << room.y;
        }
        for (const PlacedControl& c : PlaceControls(layout)) {
            if (c.spec->kind != Kind::Tab) continue;
            auto* book = dynamic_cast<wxBookCtrlBase*>(w.native(c.spec->name));
            ASSERT_NE(book, nullptr) << Where(w, c.spec->name);
            const ui::Rect area = PageArea(*c.spec, w.rect(c.spec->name));
            // The toolkit sizes a page once it shows.
            for (const auto& [tab, page] : c.pages) w.setCurrentItem(tab, static_cast<int>(page));
            for (std::size_t page = 0; page < book->GetPageCount(); ++page) {
                w.setCurrentItem(c.spec->name, static_cast<int>(page));
                wx_->runPending(0);
                const wxSize got = book->GetPage(page)->GetSize();
                EXPECT_GE(got.x, area.w) << Where(w, c.spec->name) << " page " << page;
                EXPECT_GE(got.y, area.h) << Where(w, c.spec->name) << " page " << page;
            }
        }
    });
}

// Labels, check boxes, radio buttons and buttons show their whole caption,
// the layout's simplified texts and the traditional packs alike.
TEST_F(ControlsFit, CaptionsFitTheirControlsInBothLanguages) {
    for (const bool traditional : {false, true}) {
        SCOPED_TRACE(traditional ? "traditional" : "simplified");
        withEveryWindow(traditional, [](ui::WxWindow& w, const ui::WindowSpec& layout) {
            const int furniture = ButtonFurniture(w.frame());
            for (const PlacedControl& c : PlaceControls(layout)) {
                const Kind kind = c.spec->kind;
                if (kind != Kind::Label && kind != Kind::Button && kind != Kind::CheckBox && kind != Kind::Radio)
                    continue;
                if (!c.shown || w.text(c.spec->name).empty()) continue;
                wxWindow* native = w.native(c.spec->name);
                ASSERT_NE(native, nullptr) << Where(w, c.spec->name);
                const std::string fault = CaptionFault(native, kind, furniture);
                EXPECT_TRUE(fault.empty()) << Where(w, c.spec->name) << ": " << fault;
            }
        });
    }
}

// The column beside the script box and the script editor's code box: five-
// and six-digit line numbers show whole, their last digit not cut.
TEST_F(ControlsFit, LineNumberColumnsShowLongNumbersWhole) {
    struct Column {
        const char* layout;
        const char* editor;
        const char* column;
    };
    const Column columns[] = {
        {"main.json", "编辑框_代码", "编辑框_行号"},
        {"tools/script_editor.json", "编辑框_代码", "编辑框_行号"},
    };
    withEveryWindow(false, [&](ui::WxWindow& w, const ui::WindowSpec& layout) {
        for (const Column& c : columns) {
            if (layout.name != ui::BuiltInLayout(c.layout).name) continue;
            for (const int lines : {12345, 123456}) {
                SCOPED_TRACE(lines);
                w.setText(G(c.editor), Gbk(LineNumberText(lines)));
                wx_->runPending(0);
                const Gbk shown = w.text(G(c.column)).bytes();
                const std::string last = std::to_string(lines);
                ASSERT_GE(shown.size(), last.size());
                EXPECT_EQ(shown.substr(shown.size() - last.size()), last) << "the column follows the box";
                w.scrollToLine(G(c.column), lines - 1);
                wx_->runPending(0);
                auto* stc = dynamic_cast<wxStyledTextCtrl*>(w.native(G(c.column)));
                ASSERT_NE(stc, nullptr);
                const int need = stc->TextWidth(wxSTC_STYLE_DEFAULT, last) + stc->GetMarginLeft() +
                                 stc->GetMarginRight();
                EXPECT_LE(need, stc->GetClientSize().x) << Where(w, G(c.column));
            }
        }
    });
}

}  // namespace
}  // namespace trelvix::test
