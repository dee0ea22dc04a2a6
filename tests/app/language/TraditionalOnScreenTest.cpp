// [log] language=1 at start: the real main window shows the traditional texts
// of its pack in its native controls, and the language button offers the way back.
#include <gtest/gtest.h>

#include <fstream>

#include <wx/button.h>
#include <wx/statbox.h>
#include <wx/treectrl.h>

#include "DesktopTest.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Startup.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "ui/Layout.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::test {
namespace {

wxString U(const char* utf8) { return wxString::FromUTF8(utf8); }

class TraditionalOnScreen : public DesktopTest {};

TEST_F(TraditionalOnScreen, TheMainWindowShowsItsPack) {
    TempHome home;
    std::filesystem::create_directories(home.root() / "config" / "vemtu");
    std::ofstream(home.root() / "config" / "vemtu" / "config.ini", std::ios::binary)
        << "[log]\r\nlanguage=1\r\nhide=1\r\n";
    ui::WxUi* wx = wx_;
    FixedClock clock(0);
    FixedRandom random({1}), secureRandom({2});
    {
        App app(*wx, clock, random, secureRandom);
        InitGlobals(app);
        CreateMainWindow(app);
        ui::WxWindow* w = wx->window(ui::BuiltInLayout("main.json").name);
        ASSERT_NE(w, nullptr);
        wx->runPending(50);

        auto* language = dynamic_cast<wxButton*>(w->native(G("按钮_语言")));
        ASSERT_NE(language, nullptr);
        EXPECT_EQ(language->GetLabel(), U("切換簡體"));
        auto* clear = dynamic_cast<wxButton*>(w->native(G("按钮_清空内容")));
        ASSERT_NE(clear, nullptr);
        EXPECT_EQ(clear->GetLabel(), U("清空內容"));
        auto* tree = dynamic_cast<wxTreeCtrl*>(w->native(G("树型框1")));
        ASSERT_NE(tree, nullptr);
        wxTreeItemIdValue cookie;
        const wxTreeItemId first = tree->GetFirstChild(tree->GetRootItem(), cookie);
        ASSERT_TRUE(first.IsOk());
        EXPECT_EQ(tree->GetItemText(first), U("系統"));
        // Read back through the window interface, the texts are GBK.
        EXPECT_EQ(w->text(G("按钮_清空内容")), G("清空內容"));
        EXPECT_EQ(w->text(G("标签_版本")), Gbk("2.8"));

        ExitProgram(app);
        if (app.main) wx->destroyWindow(*app.main);
        wx->runPending();  // the frame is deleted here, before another test starts
        FreeGlobals(app);
    }
}

std::size_t NativeWindows(const wxWindow* w) {
    std::size_t count = 1;
    for (const wxWindow* child : w->GetChildren()) count += NativeWindows(child);
    return count;
}

// The pack's texts wait with the controls of pages not shown yet: the
// traditional start makes no more native windows than the simplified one,
// and a page made later shows its pack's captions.
TEST_F(TraditionalOnScreen, PagesNotShownAreMadeWhenNeededWithTheirPacksTexts) {
    ui::WxUi* wx = wx_;
    FixedClock clock(0);
    FixedRandom random({1}), secureRandom({2});
    std::size_t made[2] = {0, 0};
    for (const bool traditional : {false, true}) {
        SCOPED_TRACE(traditional ? "traditional" : "simplified");
        TempHome home;
        std::filesystem::create_directories(home.root() / "config" / "vemtu");
        std::ofstream(home.root() / "config" / "vemtu" / "config.ini", std::ios::binary)
            << (traditional ? "[log]\r\nlanguage=1\r\n" : "[log]\r\nlanguage=0\r\n");
        App app(*wx, clock, random, secureRandom);
        InitGlobals(app);
        CreateMainWindow(app);
        ui::WxWindow* w = wx->window(ui::BuiltInLayout("main.json").name);
        ASSERT_NE(w, nullptr);
        wx->runPending(20);
        made[traditional] = NativeWindows(w->frame());
        if (traditional) {
            auto* generate = dynamic_cast<wxButton*>(w->native(G("按钮_22生成2")));
            ASSERT_NE(generate, nullptr);
            EXPECT_EQ(generate->GetLabel(), U("5.X/6.X系列腳本生成"));
            EXPECT_EQ(w->text(G("选择框_22账号数字")), G("帳號中隨機添加數字"));
        }
        ExitProgram(app);
        if (app.main) wx->destroyWindow(*app.main);
        wx->runPending();  // the frame is deleted here, before the next start
        FreeGlobals(app);
    }
    EXPECT_EQ(made[1], made[0]);
}

}  // namespace
}  // namespace trelvix::test
