// The script strip on the real main window under a display: a script shown,
// copied to the desktop's clipboard and read back, changed by replace-all,
// selected with Ctrl+A and cleared. Message boxes are answered here, so that
// nothing waits for a person.
#include <gtest/gtest.h>

#include <vector>

#include <wx/button.h>
#include <wx/stc/stc.h>

#include "AnsweringUi.h"
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

void Press(ui::WxWindow& w, const std::string& button) {
    wxWindow* native = w.native(button);
    ASSERT_NE(native, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, native->GetId());
    click.SetEventObject(native);
    native->ProcessWindowEvent(click);
}

class ScriptStripOnScreen : public DesktopTest {};

TEST_F(ScriptStripOnScreen, ShowsCopiesReplacesSelectsAndClears) {
    TempHome home;
    ui::WxUi* wx = wx_;
    AnsweringUi desktop(*wx);
    FixedClock clock(*CivilToOleDate({2017, 8, 8, 14, 5, 9}));
    FixedRandom random({1}), secureRandom({2});
    {
        App app(desktop, clock, random, secureRandom);
        InitGlobals(app);
        CreateMainWindow(app);
        ui::WxWindow* w = wx->window(ui::BuiltInLayout("main.json").name);
        ASSERT_NE(w, nullptr);
        wx->runPending(50);

        const std::string code = G("编辑框_代码");
        const Gbk script = G(
            "/ip address\r\nadd address=192.168.1.1/24 comment=\"\\B2\\E2\\CA\\D4\"\r\n/ip dns set servers=192.168.1.1");
        app.page->showScript(script);
        EXPECT_EQ(Visible(w->text(code)), Visible(script));
        EXPECT_EQ(w->text(G("标签_生成时间")), G("生成:2017-08-08 14:05:09"));

        Press(*w, G("按钮_复制内容"));
        wx->runPending(20);
        EXPECT_EQ(Visible(wx->clipboardText().value_or(G("<none>"))), Visible(script));
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].text, G("已复制到剪辑板"));
        EXPECT_EQ(desktop.messages[0].flags, 48);

        w->setText(G("编辑框_预寻找"), G("192.168.1.1"));
        w->setText(G("编辑框_替换为"), G("10.0.0.1"));
        Press(*w, G("按钮_替换"));
        EXPECT_EQ(
            Visible(w->text(code)),
            Visible(G(
                "/ip address\r\nadd address=10.0.0.1/24 comment=\"\\B2\\E2\\CA\\D4\"\r\n/ip dns set servers=10.0.0.1")));

        auto* box = dynamic_cast<wxStyledTextCtrl*>(w->native(code));
        ASSERT_NE(box, nullptr);
        box->SetSelection(3, 3);
        wxKeyEvent press(wxEVT_KEY_DOWN);
        press.m_keyCode = 'A';
        press.SetControlDown(true);
        press.SetEventObject(box);
        box->ProcessWindowEvent(press);
        EXPECT_EQ(box->GetSelectionStart(), 0);
        EXPECT_EQ(box->GetSelectionEnd(), box->GetLength());

        Press(*w, G("按钮_清空内容"));
        EXPECT_EQ(w->text(code), G(""));
        EXPECT_EQ(w->text(G("编辑框_行号")), G(""));

        wx->destroyWindow(*w);
        wx->runPending(20);
    }
}

}  // namespace
}  // namespace trelvix::test
