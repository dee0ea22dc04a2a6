// The RouterBOARD catalogue window on the headless realisation, opened as the
// tool chooser opens it, over databases written for each test and an
// exchange-rate page served on 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "CatalogueFixture.h"
#include "TestSupport.h"
#include "common/EmbeddedData.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tests/support/FakeHttpServer.h"
#include "tools/ToolWindows.h"
#include "tools/catalogue/CatalogueLoader.h"
#include "tools/catalogue/HardwareCatalogueWindow.h"
#include "ui/BackgroundWork.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::Category;
using test::G;
using test::Product;
using test::Text;

const std::string kTree = G("树型框");
const std::string kYuan = G("标签_价格人");
const std::string kGrid = G("高级表格");
const std::string kConverting = G("换算中...");
const std::string kUnavailable = G("汇率暂不可用");

std::string RateRow(const std::string& a, const std::string& b, const std::string& c) {
    return "<tr><td>" + a + "</td><td>" + b + "</td><td>" + c + "</td></tr>";
}

test::FakeReply Reply(int status, std::string body = {}) {
    test::FakeReply r;
    r.status = status;
    r.body = std::move(body);
    return r;
}

class CatalogueWindowTest : public ::testing::Test {
protected:
    CatalogueWindowTest() {
        UsdCnyRate = 0;
        tools.services = [this] {
            ServiceAddresses s;
            s.exchangeRateHost = rateHost;
            s.shoppingSiteHost = shopHost;
            return s;
        };
        tools.catalogueFolder = [this] { return data.folder(); };
        tools.exitProgram = [this] { ++exits; };
        // A page that is served arrives within these on any machine.
        tools.webLimits = {std::chrono::seconds(60), std::chrono::seconds(120), 64 * 1024};
        server.replyAll(Reply(404));
        // 0 路由器, 1 有线 (2 hEX, 3 RB), 4 无线 (5 hAP), 6 空类别
        data.WriteCategories(
            {Category(-1, "路由器"), Category(0, "有线"), Category(0, "无线"), Category(-1, "空类别")});
        data.WriteProducts({
            Product(1, "hEX",
                    {Text("comment", "五个千兆网口"),
                     Text("cost", "$129.00"),
                     Text("state", "1"),
                     Text("imgurl", "http://img.example/hex.png"),
                     Text("url", "https://www.example/hex"),
                     {"img", FieldValue::Bytes("PNG-hEX")},
                     Text("info1", "CPU#MT7621A##内存#"),
                     Text("info2", "256 MB##")}),
            Product(3, "hAP", {Text("cost", "$24.95"), Text("state", "2"), {"img", FieldValue::Bytes("PNG-hAP")}}),
            Product(1, "RB",
                    {Text("cost", "$59.95"), Text("state", "1"), Text("url", "file:///etc/passwd"),
                     Text("imgurl", "calc.exe"), Text("info1", "a#b#c")}),
        });
    }
    ~CatalogueWindowTest() override { UsdCnyRate = 0; }

    ui::HeadlessWindow& open() {
        ShowToolWindow(tools, ToolIndex::HardwareCatalogue);
        ui::HeadlessWindow* w = ui.window("HardwareCatalogueWindow");
        EXPECT_NE(w, nullptr);
        return *w;
    }

    // Runs posted work until `done`, however long a loaded machine takes.
    bool WaitFor(const std::function<bool()>& done) {
        while (!done()) {
            ui.runPosted();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }
    // Runs posted work for a while: long enough for an answer from 127.0.0.1 to arrive.
    void Drain() {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(300) * test::SlowdownFactor();
        while (std::chrono::steady_clock::now() < end) {
            ui.runPosted();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    int RequestsFor(const std::string& amount) {
        int n = 0;
        for (const test::SeenRequest& r : server.requests()) n += r.target == "/hl.asp?from=USD&to=CNY&q=" + amount;
        return n;
    }

    // Opens the window and waits for the loader, its rate request included.
    ui::HeadlessWindow& openLoaded() {
        ui::HeadlessWindow& w = open();
        EXPECT_TRUE(WaitFor([&] { return w.enabled(kTree); }));
        EXPECT_TRUE(WaitFor([&] { return RequestsFor("100") == 1; }));
        Drain();
        return w;
    }

    void choose(ui::HeadlessWindow& w, const std::string& utf8) {
        const std::vector<ui::TreeItem> items = w.treeItems(kTree);
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].text.bytes() == G(utf8)) return w.choose(kTree, static_cast<int>(i));
        ADD_FAILURE() << "no tree item " << utf8;
    }

    std::string text(ui::HeadlessWindow& w, const char* control) { return w.text(G(control)); }
    std::string cell(ui::HeadlessWindow& w, int row, int column) { return w.gridCell(kGrid, row, column); }

    test::FakeHttpServer server;
    std::string rateHost = "127.0.0.1:" + std::to_string(server.port());
    std::string shopHost = "shop.example";
    test::CatalogueFolder data;
    int exits = 0;
    ui::HeadlessUi ui;
    ui::Window* main = &ui.createWindow(ui::ParseLayout(R"({"name": "main", "controls": []})"), nullptr, {});
    FixedClock clock{45000.5};
    SeededRandom random{1}, secureRandom{2};
    std::filesystem::path settings, settingsFile, temp;
    ToolContext tools{ui, main, clock, random, secureRandom, settings, settingsFile, temp};
};

TEST_F(CatalogueWindowTest, OpensWithTheTreeFilledAndItsHiddenToolsHidden) {
    ui::HeadlessWindow& w = open();
    EXPECT_EQ(w.windowRect().w, 884);
    EXPECT_EQ(w.windowRect().h, 576);
    EXPECT_FALSE(w.enabled(kTree));  // until the loader has handed the products over
    ASSERT_TRUE(WaitFor([&] { return w.enabled(kTree); }));

    const std::vector<ui::TreeItem> items = w.treeItems(kTree);
    const std::vector<std::tuple<const char*, int, bool, bool>> expected = {
        {"路由器", -1, true, true}, {"有线", 0, true, true},  {"hEX", 1, false, false},   {"RB", 1, false, false},
        {"无线", 0, true, false},   {"hAP", 4, false, false}, {"空类别", -1, true, false}};
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].text.bytes(), G(std::get<0>(expected[i])));
        EXPECT_EQ(items[i].parent, std::get<1>(expected[i]));
        EXPECT_EQ(items[i].bold, std::get<2>(expected[i]));
        EXPECT_EQ(items[i].expanded, std::get<3>(expected[i]));  // items 0 and 1 only
    }
    for (const char* hidden : {"按钮_采集数据", "按钮1", "按钮_导入", "按钮_查看", "按钮_获取产品规格", "编辑框1",
                               "图片框_new", "标签_汇率", "按钮_购买", "菜单"})
        EXPECT_FALSE(w.visible(G(hidden))) << hidden;
    EXPECT_FALSE(w.enabled(G("按钮_购买")));
    EXPECT_FALSE(w.enabled(G("按钮_获取信息")));
    EXPECT_FALSE(w.enabled(G("按钮_查看大图")));
    EXPECT_TRUE(WaitFor([&] { return RequestsFor("100") == 1; }));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CatalogueWindowTest, AProductShowsItsRecordAndYuanPriceFromAKnownRate) {
    UsdCnyRate = 6.5;  // the loader's request fails and keeps it
    ui::HeadlessWindow& w = openLoaded();
    choose(w, "hEX");
    EXPECT_EQ(text(w, "标签_name"), "hEX");
    EXPECT_EQ(text(w, "编辑框_简介"), G("五个千兆网口"));
    EXPECT_EQ(text(w, "标签_价格美"), "$129.00");
    EXPECT_EQ(w.text(kYuan).bytes(), G("￥838.5"));
    EXPECT_EQ(w.image(G("图片框_图片")), "PNG-hEX");
    EXPECT_FALSE(w.visible(G("图片框_new")));
    EXPECT_TRUE(w.visible(G("标签_汇率")));
    EXPECT_TRUE(w.visible(G("按钮_购买")));
    EXPECT_FALSE(w.enabled(G("按钮_购买")));
    EXPECT_TRUE(w.enabled(G("按钮_获取信息")));
    EXPECT_TRUE(w.enabled(G("按钮_查看大图")));
    // "info1" and "info2" make one text: two rows, the second shaded.
    ASSERT_EQ(w.gridSize(kGrid), std::make_pair(2, 2));
    EXPECT_EQ(cell(w, 0, 0), "CPU");
    EXPECT_EQ(cell(w, 0, 1), "MT7621A");
    EXPECT_EQ(cell(w, 1, 0), G("内存"));
    EXPECT_EQ(cell(w, 1, 1), "256 MB");
    for (int column : {0, 1}) {
        EXPECT_EQ(w.gridCellBackground(kGrid, 0, column), -1);
        EXPECT_EQ(w.gridCellBackground(kGrid, 1, column), 0xE6E6E6);
    }

    choose(w, "hAP");  // new, and without technical data
    EXPECT_TRUE(w.visible(G("图片框_new")));
    EXPECT_FALSE(w.image(G("图片框_new")).empty());
    EXPECT_EQ(w.text(kYuan).bytes(), G("￥162.18"));  // 24.95 x 6.5 = 162.175
    EXPECT_EQ(w.gridSize(kGrid).first, 0);

    choose(w, "RB");
    EXPECT_FALSE(w.visible(G("图片框_new")));
    EXPECT_TRUE(w.image(G("图片框_图片")).empty());  // no picture bytes: an empty box
    ASSERT_EQ(w.gridSize(kGrid).first, 1);
    EXPECT_EQ(cell(w, 0, 0), "a");  // before the first "#", after the last
    EXPECT_EQ(cell(w, 0, 1), "c");
    EXPECT_EQ(w.gridCellBackground(kGrid, 0, 0), -1);
    EXPECT_EQ(RequestsFor("129.00") + RequestsFor("24.95") + RequestsFor("59.95"), 0);
}

TEST_F(CatalogueWindowTest, ACategoryEmptiesTheView) {
    UsdCnyRate = 7;
    ui::HeadlessWindow& w = openLoaded();
    choose(w, "hAP");
    choose(w, "有线");
    for (const char* emptied : {"标签_name", "编辑框_简介", "标签_价格美", "标签_价格人", "标签_状态"})
        EXPECT_EQ(text(w, emptied), "") << emptied;
    EXPECT_TRUE(w.image(G("图片框_图片")).empty());
    EXPECT_EQ(w.gridSize(kGrid).first, 0);
    for (const char* hidden : {"图片框_new", "标签_汇率", "按钮_购买"}) EXPECT_FALSE(w.visible(G(hidden))) << hidden;
    EXPECT_FALSE(w.enabled(G("按钮_获取信息")));
    EXPECT_FALSE(w.enabled(G("按钮_查看大图")));
    w.click(G("按钮_获取信息"));
    EXPECT_TRUE(ui.openedUrls.empty());
}

TEST_F(CatalogueWindowTest, WithoutARateThePageIsAskedForTheProductsAmount) {
    server.reply("/hl.asp?from=USD&to=CNY&q=129.00",
                 Reply(200, RateRow("USD", "rate", "CNY") + RateRow("129.00", "6.5", "838.499")));
    ui::HeadlessWindow& w = openLoaded();
    choose(w, "hEX");
    EXPECT_EQ(w.text(kYuan).bytes(), kConverting);  // the window goes on while the page answers
    ASSERT_TRUE(WaitFor([&] { return w.text(kYuan) != kConverting; }));
    EXPECT_EQ(w.text(kYuan).bytes(), G("￥838.5"));  // the page's own amount, rounded
    EXPECT_EQ(UsdCnyRate, 6.5);
    choose(w, "RB");
    EXPECT_EQ(w.text(kYuan).bytes(), G("￥389.68"));  // 59.95 x 6.5 = 389.675, from the rate now known
    EXPECT_EQ(RequestsFor("59.95"), 0);
}

TEST_F(CatalogueWindowTest, AProductChosenWhileTheLoaderAsksWaitsForThatAnswer) {
    test::FakeReply silent;
    silent.silent = true;
    server.reply("/hl.asp?from=USD&to=CNY&q=100", silent);  // given up after the total time-out
    server.reply("/hl.asp?from=USD&to=CNY&q=129.00",
                 Reply(200, RateRow("USD", "rate", "CNY") + RateRow("129.00", "6.5", "838.5")));
    tools.webLimits.total = std::chrono::milliseconds(700);
    ui::HeadlessWindow& w = open();
    ASSERT_TRUE(WaitFor([&] { return w.enabled(kTree); }));
    choose(w, "hEX");
    EXPECT_EQ(w.text(kYuan).bytes(), kConverting);
    EXPECT_EQ(RequestsFor("129.00"), 0);  // one request at a time
    ASSERT_TRUE(WaitFor([&] { return w.text(kYuan) != kConverting; }));
    EXPECT_EQ(w.text(kYuan).bytes(), G("￥838.5"));
    EXPECT_EQ(RequestsFor("129.00"), 1);
}

TEST_F(CatalogueWindowTest, AFailedRateRequestIsNotRepeatedAtOnce) {
    ui::HeadlessWindow& w = openLoaded();
    choose(w, "hEX");
    ASSERT_TRUE(WaitFor([&] { return RequestsFor("129.00") == 1; }));
    ASSERT_TRUE(WaitFor([&] { return w.text(kYuan) != kConverting; }));
    EXPECT_EQ(w.text(kYuan).bytes(), kUnavailable);  // no longer claims to convert
    EXPECT_EQ(text(w, "标签_价格美"), "$129.00");
    choose(w, "RB");
    EXPECT_EQ(w.text(kYuan).bytes(), kUnavailable);  // nothing is asked, so nothing is pending
    choose(w, "hEX");
    Drain();
    EXPECT_EQ(RequestsFor("59.95") + RequestsFor("129.00"), 1);
    clock.Set(clock.Now() + 2 * kRateRetryPause);
    choose(w, "RB");
    EXPECT_EQ(w.text(kYuan).bytes(), kConverting);
    EXPECT_TRUE(WaitFor([&] { return RequestsFor("59.95") == 1; }));
    EXPECT_EQ(UsdCnyRate, 0);
}

TEST_F(CatalogueWindowTest, APageWithoutARateCountsAsAFailure) {
    server.reply("/hl.asp?from=USD&to=CNY&q=129.00",
                 Reply(200, RateRow("USD", "rate", "CNY") + RateRow("129.00", "n/a", "838.5")));
    ui::HeadlessWindow& w = openLoaded();
    choose(w, "hEX");
    ASSERT_TRUE(WaitFor([&] { return w.text(kYuan) != kConverting; }));
    EXPECT_EQ(w.text(kYuan).bytes(), kUnavailable);
    choose(w, "RB");
    Drain();
    EXPECT_EQ(w.text(kYuan).bytes(), kUnavailable);
    EXPECT_EQ(RequestsFor("129.00") + RequestsFor("59.95"), 1);
}

TEST_F(CatalogueWindowTest, WithoutARatePageNoConversionIsClaimed) {
    rateHost.clear();
    ui::HeadlessWindow& w = open();
    ASSERT_TRUE(WaitFor([&] { return w.enabled(kTree); }));
    choose(w, "hEX");
    EXPECT_EQ(w.text(kYuan).bytes(), kUnavailable);
    EXPECT_EQ(text(w, "标签_价格美"), "$129.00");
    Drain();  // the loader's end changes nothing
    EXPECT_EQ(w.text(kYuan).bytes(), kUnavailable);
    EXPECT_TRUE(server.requests().empty());
    UsdCnyRate = 6.5;  // a rate known from elsewhere still prices
    choose(w, "RB");
    EXPECT_EQ(w.text(kYuan).bytes(), G("￥389.68"));
}

// The program's end destroys the hidden window: the loader's request, which
// would wait out its long time-out, is abandoned and its worker joined.
TEST_F(CatalogueWindowTest, DestroyingTheWindowAbandonsARequestStillRunning) {
    test::FakeReply silent;
    silent.silent = true;
    server.replyAll(silent);
    // Longer than any test: only the window's end can end the request.
    tools.webLimits = {std::chrono::hours(24), std::chrono::hours(24), 64 * 1024};
    const int workersBefore = ui::BackgroundWork::LiveWorkers();
    ui::HeadlessWindow& w = open();
    ASSERT_TRUE(WaitFor([&] { return RequestsFor("100") == 1; }));
    ui.destroyWindow(w);
    while (ui::BackgroundWork::LiveWorkers() > workersBefore) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    Drain();
}

TEST_F(CatalogueWindowTest, TheMenuComesUpOnlyForItemsWithoutChildren) {
    ui::HeadlessWindow& w = openLoaded();
    w.fire(kTree, ui::Event::RowRightClick, ui::EventArgs::Index(2));  // nothing selected yet
    EXPECT_EQ(w.lastPopupMenu(), "");
    choose(w, "有线");
    w.fire(kTree, ui::Event::RowRightClick, ui::EventArgs::Index(2));  // the selection counts, not the mouse
    EXPECT_EQ(w.lastPopupMenu(), "");
    choose(w, "空类别");
    w.fire(kTree, ui::Event::RowRightClick);
    EXPECT_EQ(w.lastPopupMenu(), G("菜单"));
}

TEST_F(CatalogueWindowTest, TheMenuCopiesTheNameAndSearchesTheShop) {
    ui::HeadlessWindow& w = openLoaded();
    choose(w, "空类别");
    w.click(G("菜单_复制名称"));
    EXPECT_EQ(ui.clipboard, G("空类别"));
    w.fire(kTree, ui::Event::RowRightClick);
    EXPECT_TRUE(w.enabled(G("菜单_淘宝搜索此硬件")));
    w.click(G("菜单_淘宝搜索此硬件"));
    ASSERT_EQ(ui.openedUrls.size(), 1u);
    EXPECT_EQ(ui.openedUrls[0], "https://shop.example/search?q=%BF%D5%C0%E0%B1%F0");  // the GBK bytes
    shopHost.clear();  // no shop configured: the item is shown disabled and nothing opens
    w.fire(kTree, ui::Event::RowRightClick);
    EXPECT_EQ(w.lastPopupMenu(), G("菜单"));
    EXPECT_FALSE(w.enabled(G("菜单_淘宝搜索此硬件")));
    EXPECT_TRUE(w.enabled(G("菜单_复制名称")));
    w.click(G("菜单_淘宝搜索此硬件"));
    EXPECT_EQ(ui.openedUrls.size(), 1u);
}

// A button is enabled only when its address is one the browser may open.
TEST_F(CatalogueWindowTest, OnlyWebAddressesOpenInTheBrowser) {
    ui::HeadlessWindow& w = openLoaded();
    const auto buttonsEnabled = [&] {
        return std::make_pair(w.enabled(G("按钮_获取信息")), w.enabled(G("按钮_查看大图")));
    };
    choose(w, "hEX");
    EXPECT_EQ(buttonsEnabled(), std::make_pair(true, true));
    w.click(G("按钮_获取信息"));
    w.click(G("按钮_查看大图"));
    EXPECT_EQ(ui.openedUrls, (std::vector<std::string>{"https://www.example/hex", "http://img.example/hex.png"}));
    for (const char* product : {"RB", "hAP"}) {  // a file and a program; no addresses at all
        SCOPED_TRACE(product);
        choose(w, product);
        EXPECT_EQ(buttonsEnabled(), std::make_pair(false, false));
        w.fire(G("按钮_获取信息"), ui::Event::Click);  // even a click that got through opens nothing
        w.fire(G("按钮_查看大图"), ui::Event::Click);
    }
    EXPECT_EQ(ui.openedUrls.size(), 2u);
}

TEST_F(CatalogueWindowTest, ExpandAndCollapseFindTheCategoriesInTheTree) {
    UsdCnyRate = 7;
    ui::HeadlessWindow& w = openLoaded();
    auto expanded = [&] {
        std::vector<int> open;
        const std::vector<ui::TreeItem> items = w.treeItems(kTree);
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].expanded) open.push_back(static_cast<int>(i));
        return open;
    };
    choose(w, "hEX");
    w.click(G("按钮_展开"));
    EXPECT_EQ(expanded(), (std::vector<int>{0, 1, 4, 6}));  // 无线 has moved to 4 with the products before it
    EXPECT_EQ(text(w, "标签_name"), "hEX");                 // the view stays
    w.click(G("按钮_收缩"));
    EXPECT_TRUE(expanded().empty());
    EXPECT_EQ(text(w, "标签_name"), "");
    EXPECT_EQ(w.gridSize(kGrid).first, 0);
}

TEST_F(CatalogueWindowTest, HidingKeepsTheWindowAndTheLoaderRunsOnce) {
    UsdCnyRate = 7;
    ui::HeadlessWindow& w = openLoaded();
    choose(w, "hEX");
    EXPECT_FALSE(w.close());
    EXPECT_FALSE(w.shown());
    EXPECT_EQ(&open(), &w);
    EXPECT_TRUE(w.shown());
    Drain();
    EXPECT_EQ(text(w, "标签_name"), "hEX");
    EXPECT_EQ(w.treeItems(kTree).size(), 7u);
    EXPECT_EQ(RequestsFor("100"), 1);
}

TEST_F(CatalogueWindowTest, ADatabaseThatDoesNotOpenEndsTheProgram) {
    data.WriteProducts({Product(0, "p")}, "another password");
    ui::HeadlessWindow& w = open();
    ASSERT_TRUE(WaitFor([&] { return !ui.messages.empty(); }));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.bytes(), G("数据库打开失败"));
    EXPECT_EQ(ui.messages[0].flags, 16);
    EXPECT_EQ(ui.messages[0].title.bytes(), G("信息："));
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(w.enabled(kTree));
    EXPECT_EQ(RequestsFor("100"), 0);
}

TEST_F(CatalogueWindowTest, ALoaderThatEndsAfterTheWindowReachesNothing) {
    std::filesystem::remove(data.files().categories);  // the loader would report a failure
    open().close(false);
    ASSERT_EQ(ui.window("HardwareCatalogueWindow"), nullptr);
    Drain();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(exits, 0);
}

TEST(CatalogueWindowPictures, TheBadgeAndPlaceholderAreBuiltIn) {
    for (const char* name : {"data/catalogue-window/new.png", "data/catalogue-window/placeholder.png"}) {
        const auto bytes = EmbeddedFile(name);
        ASSERT_TRUE(bytes) << name;
        EXPECT_EQ(bytes->substr(0, 8), "\x89PNG\r\n\x1a\n") << name;
    }
}

}  // namespace
}  // namespace trelvix
