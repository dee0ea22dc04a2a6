// The line-number column on real code boxes: it keeps to the editor's first
// visible line whether the editor moved by wheel, by Page Down or by code.
#include <gtest/gtest.h>

#include <wx/stc/stc.h>

#include "DesktopTest.h"
#include "TestSupport.h"
#include "app/StartupParts.h"
#include "ui/Layout.h"
#include "ui/LineNumbers.h"
#include "ui/wx/WxWindow.h"

namespace trelvix {
namespace {

using test::G;

class GutterOnTheDesktop : public test::DesktopTest {};

TEST_F(GutterOnTheDesktop, ColumnFollowsWheelPageDownAndCode) {
    ui::WxUi* ui = wx_;
    auto& w = static_cast<ui::WxWindow&>(ui->createWindow(ui::ParseLayout(R"({"name":"w","w":400,"h":300,"controls":[
        {"kind":"code","name":"col","rect":[0,0,50,200],"readonly":true},
        {"kind":"code","name":"ed","rect":[50,0,300,200]},
        {"kind":"code","name":"col2","rect":[0,210,50,60],"readonly":true},
        {"kind":"code","name":"ed2","rect":[50,210,300,60]}]})"),
                                                          nullptr, {}));
    w.show();
    AttachLineNumberGutter(w, "ed", "col");
    AttachLineNumberGutter(w, "ed2", "col2");
    Gbk script;
    for (int i = 1; i <= 5000; ++i) script += (i > 1 ? "\r\n" : "") + ("/log info " + std::to_string(i));
    w.setText("ed", script);
    w.setText("ed2", G("a\r\nb"));
    ui->runPending(50);
    EXPECT_EQ(EditorLineCount(w.text("col")), 5000);
    EXPECT_EQ(w.text("col2"), G("1\r\n2"));

    auto* editor = static_cast<wxStyledTextCtrl*>(w.native("ed"));
    auto* column = static_cast<wxStyledTextCtrl*>(w.native("col"));
    auto aligned = [&] {
        ui->runPending(50);
        return column->GetFirstVisibleLine() == editor->GetFirstVisibleLine();
    };

    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = -120 * 3;
    wheel.m_wheelDelta = 120;
    wheel.m_linesPerAction = 3;
    wheel.SetEventObject(editor);
    editor->GetEventHandler()->ProcessEvent(wheel);
    EXPECT_GT(editor->GetFirstVisibleLine(), 0);
    EXPECT_TRUE(aligned()) << "wheel";

    const int before = editor->GetFirstVisibleLine();
    editor->PageDown();
    EXPECT_GT(editor->GetFirstVisibleLine(), before);
    EXPECT_TRUE(aligned()) << "page down";

    editor->GotoLine(4000);
    EXPECT_TRUE(aligned()) << "caret";

    w.scrollToLine("ed", 1234);
    EXPECT_TRUE(aligned()) << "code";
    EXPECT_EQ(column->GetFirstVisibleLine(), 1234);
    // The other column stays with its own editor.
    EXPECT_EQ(static_cast<wxStyledTextCtrl*>(w.native("col2"))->GetFirstVisibleLine(), 0);
    ui->destroyWindow(w);
    ui->runPending();
}

}  // namespace
}  // namespace trelvix
