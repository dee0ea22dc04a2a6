// The script editor on real controls: an operator is one step of the code
// box's own undo, and a character GBK lacks reaches the saved file as "?"
// instead of emptying it.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include <wx/button.h>
#include <wx/stc/stc.h>

#include "DesktopTest.h"
#include "ForwardingUi.h"
#include "TestSupport.h"
#include "ToolWindowTest.h"
#include "common/platform/AtomicFile.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "ui/wx/WxWindow.h"

namespace trelvix {
namespace {

using test::G;

// The desktop realisation with the file dialog answered by the test.
class AnsweredDialogs final : public test::ForwardingUi {
public:
    using ForwardingUi::ForwardingUi;
    std::deque<std::optional<std::filesystem::path>> answers;

    int messageBox(const ui::MessageBoxCall&) override { return ui::mb::IdOk; }
    void openUrl(const ui::GbkText&) override {}
    std::optional<ui::FontChoice> chooseFont(const ui::FontChoice&) override { return std::nullopt; }
    bool trayAvailable() const override { return false; }

protected:
    std::optional<std::filesystem::path> showFileDialog(const ui::FileDialogRequest&) override {
        if (answers.empty()) return std::nullopt;
        auto next = answers.front();
        answers.pop_front();
        return next;
    }
};

class ScriptEditorOnTheDesktop : public test::DesktopTest {};

TEST_F(ScriptEditorOnTheDesktop, OperatorUndoesInOneStepAndNonGbkSavesAsQuestionMark) {
    test::TempHome home;
    ui::WxUi* wx = wx_;
    AnsweredDialogs desk(*wx);
    test::ToolHost host(desk);
    ToolContext& tools = host.tools;

    ShowToolWindow(tools, ToolIndex::ScriptEditor);
    ui::WxWindow* w = wx->window("ScriptEditorWindow");
    ASSERT_NE(w, nullptr);
    wx->runPending(50);
    auto* code = static_cast<wxStyledTextCtrl*>(w->native(G("编辑框_代码")));
    auto click = [&](const char* button) {
        auto* b = static_cast<wxButton*>(w->native(G(button)));
        wxCommandEvent event(wxEVT_BUTTON, b->GetId());
        event.SetEventObject(b);
        b->ProcessWindowEvent(event);
        wx->runPending(20);
    };

    code->SetText(wxString::FromUTF8(":if ($a word $b)"));
    code->EmptyUndoBuffer();
    code->SetSelection(7, 13);
    click("按钮_相加");
    EXPECT_EQ(code->GetText().utf8_string(), ":if ($a + $b)");
    code->Undo();
    EXPECT_EQ(code->GetText().utf8_string(), ":if ($a word $b)");
    EXPECT_FALSE(code->CanUndo());

    code->SetText(wxString::FromUTF8(":put \"\xF0\x9F\x98\x80 中\""));
    const std::filesystem::path out = home.root() / "out.rsc";
    desk.answers.push_back(out);
    click("按钮_另存为");
    EXPECT_EQ(test::ReadBytes(out), G(":put \"? 中\""));
}

}  // namespace
}  // namespace trelvix
