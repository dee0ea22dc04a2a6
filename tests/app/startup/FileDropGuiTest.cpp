// Files dropped on the real main window under a display: the desktop's drop
// reaches the control's drop target, and what the file holds is taken in
// only after the drop has returned, so that no message box holds the drag
// source waiting.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include <wx/dnd.h>

#include "AnsweringUi.h"
#include "DesktopTest.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Startup.h"
#include "common/platform/Paths.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "ui/Layout.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::test {
namespace {

class FileDropOnScreen : public DesktopTest {};

TEST_F(FileDropOnScreen, DroppedFilesAreTakenInAfterTheDrop) {
    TempHome home;
    ui::WxUi* wx = wx_;
    AnsweringUi desktop(*wx);
    FixedClock clock(0);
    FixedRandom random({1}), secureRandom({2});
    const std::filesystem::path script = home.root() / "脚本.rsc";
    std::ofstream(script, std::ios::binary) << G("/ip address\r\nadd address=192.168.88.1/24 interface=ether1\r\n");
    const std::filesystem::path accounts = home.root() / "账号.txt";
    std::ofstream(accounts, std::ios::binary) << G("用户一#密码一\r\nuser2#pw2\r\n");
    {
        App app(desktop, clock, random, secureRandom);
        InitGlobals(app);
        CreateMainWindow(app);
        ui::WxWindow* w = wx->window(ui::BuiltInLayout("main.json").name);
        ASSERT_NE(w, nullptr);
        wx->runPending(50);

        const auto drop = [&](const std::string& control, const std::filesystem::path& file) {
            auto* target = dynamic_cast<wxFileDropTarget*>(w->native(control)->GetDropTarget());
            ASSERT_NE(target, nullptr);
            wxArrayString names;
            names.push_back(wxString::FromUTF8(file.string()));
            EXPECT_TRUE(target->OnDropFiles(0, 0, names));
        };
        const std::string code = G("编辑框_代码");
        const Gbk before = w->text(code);
        drop(code, script);
        EXPECT_EQ(Visible(w->text(code)), Visible(before));
        wx->runPending(50);
        EXPECT_EQ(Visible(w->text(code)),
                  Visible(G("/ip address\r\nadd address=192.168.88.1/24 interface=ether1\r\n")));
        EXPECT_EQ(w->text(G("编辑框_行号")), G("1\r\n2\r\n3"));

        drop(code, home.root() / "missing.rsc");
        EXPECT_TRUE(desktop.messages.empty());
        wx->runPending(50);
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].text, G("无法读取文件:") + GbkFromPath(home.root() / "missing.rsc"));
        EXPECT_EQ(desktop.messages[0].flags, 16);
        EXPECT_EQ(Visible(w->text(code)),
                  Visible(G("/ip address\r\nadd address=192.168.88.1/24 interface=ether1\r\n")));

        const std::string list = G("超级列表框_1a");
        drop(list, accounts);
        wx->runPending(50);
        ASSERT_EQ(w->rowCount(list), 2);
        EXPECT_EQ(w->row(list, 0), (std::vector<ui::GbkText>{G("用户一"), G("密码一")}));
        EXPECT_EQ(w->row(list, 1), (std::vector<ui::GbkText>{G("user2"), G("pw2")}));

        wx->destroyWindow(*w);
        wx->runPending(20);
    }
}

}  // namespace
}  // namespace trelvix::test
