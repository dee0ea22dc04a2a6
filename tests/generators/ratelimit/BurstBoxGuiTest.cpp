// The burst check boxes of the rate-limit pages on the real main window under
// a display, clicked with the pointer as a person clicks them: each sits on
// its group's top edge and must take a click anywhere on its box, with the
// group folded under it and with the group open.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>

#include <wx/uiaction.h>

#include "DesktopTest.h"
#include "TestSupport.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "generators/Sections.h"
#include "ui/Layout.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::test {
namespace {

struct BurstBox {
    const char* page;  // of 选择夹5
    const char* box;
    const char* group;
};

const BurstBox kBoxes[] = {
    {"Queues简单限速", "选择框_31开启Burst功能", "分组框_31burst"},
    {"PCQ简单分组限速", "选择框_33开启Burst功能", "分组框_33burst"},
};

class BurstBoxOnScreen : public DesktopTest {};

TEST_F(BurstBoxOnScreen, TakesAClickAnywhereOnItsBoxFoldedOrOpen) {
    ui::WxUi* wx = wx_;
    FixedClock clock(45000.0);
    SeededRandom random{1}, secureRandom{2};
    std::optional<PageContext> page;
    ui::Window& w = wx->createWindow(ui::BuiltInLayout("main.json"), nullptr, [&](ui::Window& created) {
        page.emplace(PageContext{*wx, created, clock, random, secureRandom, [](const Gbk&) {}, {}});
        BindRateLimitSection(*page);
    });
    auto& window = static_cast<ui::WxWindow&>(w);
    w.show();
    w.setCurrentItem(G("选择夹1"), 3);

    wxUIActionSimulator pointer;
    for (const BurstBox& b : kBoxes) {
        SCOPED_TRACE(b.box);
        const std::vector<ui::GbkText> pages = w.items(G("选择夹5"));
        w.setCurrentItem(G("选择夹5"),
                         static_cast<int>(std::find(pages.begin(), pages.end(), G(b.page)) - pages.begin()));
        wx->runPending(200);
        EXPECT_EQ(w.text(G(b.box)), G("开启爆发-Burst-限速功能"));
        const wxRect r = window.native(G(b.box))->GetScreenRect();
        // Folded, the group's rule crosses the centre rows; open, the group
        // lies under every row from the seventh down.
        const int rows[] = {r.height / 2, r.height - 2, 1, r.height / 2};
        bool open = false;
        for (const int row : rows) {
            SCOPED_TRACE("row " + std::to_string(row));
            pointer.MouseMove(r.x + r.width / 2, r.y + row);
            wx->runPending(30);
            pointer.MouseClick();
            wx->runPending(100);
            open = !open;
            EXPECT_EQ(w.checked(G(b.box)), open);
            EXPECT_EQ(w.rect(G(b.group)).h, open ? 103 : 4);
        }
    }
    wx->destroyWindow(w);
    wx->runPending(20);
}

}  // namespace
}  // namespace trelvix::test
