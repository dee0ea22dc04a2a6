// The scripts section's link to the expiry page's download on the maker's
// site: opened when the build names a site, shown disabled when it names none.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/ServiceAddresses.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "generators/PageContext.h"
#include "generators/Sections.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::G;

TEST(MakerLinks, TheExpiryPageLinkOpensOnlyAPageOfTheSite) {
    ui::HeadlessUi ui;
    FixedClock clock{0.0};
    FixedRandom random{{}};
    std::optional<PageContext> page;
    auto& w = static_cast<ui::HeadlessWindow&>(
        ui.createWindow(ui::BuiltInLayout("main.json"), nullptr, [&](ui::Window& window) {
            page.emplace(PageContext{ui, window, clock, random, random, [](const Gbk&) {}, {}});
            BindScriptsSection(*page);
        }));
    const std::string link = G("超级链接框1");
    EXPECT_EQ(w.text(link), G("跳转页面html下载地址"));
    EXPECT_EQ(w.enabled(link), kHasMakerSite);
    w.fire(link, ui::Event::Click);  // also a click that reached a disabled link
    const std::vector<std::string> opened =
        kHasMakerSite ? std::vector<std::string>{std::string("https://") + kMakerSite + "/download/expiry-page.html"}
                      : std::vector<std::string>{};
    EXPECT_EQ(ui.openedUrls, opened);
}

}  // namespace
}  // namespace trelvix
