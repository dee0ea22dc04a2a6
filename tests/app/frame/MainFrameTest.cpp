// The main window's frame, driven as a user would: the navigation tree, the
// tool chooser and its windows, the tray icon and its menu, the hidden login form.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "app/App.h"
#include "app/MainFrame.h"
#include "app/ToolWindows.h"
#include "common/ServiceAddresses.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::G;
using test::Visible;

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(programDir());
        SetCatalogueRoot(programDir());
        CreateMainWindow(app);
        main = ui.window(G("主窗口"));
        ASSERT_NE(main, nullptr);
    }

    std::filesystem::path programDir() const { return home.root() / "program"; }

    void putCatalogueFile(const char* name) {
        std::filesystem::create_directories(programDir() / "data");
        std::ofstream(programDir() / "data" / name) << "db";
    }

    // Chooses a tool by its chooser index and presses 打开.
    void openTool(int index) {
        main->choose(G("组合框_工具名"), index);
        main->click(G("按钮_打开"));
    }

    // The navigation tree's item with that text.
    int itemOf(const char* text) const {
        const std::vector<ui::TreeItem> items = main->treeItems(G("树型框1"));
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].text == G(text)) return static_cast<int>(i);
        ADD_FAILURE() << "no tree item " << text;
        return -1;
    }

    test::TempHome home;
    ui::HeadlessUi ui;
    FixedClock clock{42800.5};
    SeededRandom random{1};
    SeededRandom secureRandom{2};
    App app{ui, clock, random, secureRandom};
    ui::HeadlessWindow* main = nullptr;
};

// ---------------------------------------------------------------- navigation

// Each section's case file walks its own items by their texts; here the page
// shown is read back by its caption.

TEST_F(MainFrameTest, ItemsShowTheNamedSectionAndPage) {
    struct Case {
        const char* item;
        const char* section;
        const char* subTab;
        const char* page;
    };
    const Case cases[] = {
        {"DDNS动态域名服务", "DDNS域名解析", "选择夹8", "DDNS动态域名服务"},
        {"推荐防火墙脚本", "防火墙", "选择夹6", "常用防火墙生成"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        main->choose(G("树型框1"), itemOf(c.item));
        const auto sections = main->items(G("选择夹1"));
        const auto pages = main->items(G(c.subTab));
        EXPECT_EQ(Visible(sections.at(main->currentItem(G("选择夹1")))), Visible(G(c.section)));
        EXPECT_EQ(Visible(pages.at(main->currentItem(G(c.subTab)))), Visible(G(c.page)));
        EXPECT_EQ(Visible(main->text(G("分组框1"))), Visible(G(c.item)));
    }
}

// The tree and the navigation both come from the section layouts: walking the
// pages of every section, the next tree item carries that page's tree text
// and opens that very page.
TEST_F(MainFrameTest, EveryItemOpensThePageItsTextCameFrom) {
    const ui::WindowSpec& layout = ui::BuiltInLayout("main.json");
    const ui::ControlSpec* sections = ui::FindControl(layout.controls, G("选择夹1"));
    ASSERT_NE(sections, nullptr);
    const std::vector<ui::TreeItem> items = main->treeItems(G("树型框1"));
    int item = 0;
    for (std::size_t section = 0; section < sections->children.size(); ++section) {
        const ui::ControlSpec& subTab = ui::SubTabOf(sections->children[section]);
        for (std::size_t page = 0; page < subTab.children.size(); ++page, ++item) {
            const ui::ControlSpec& spec = subTab.children[page];
            SCOPED_TRACE("item " + std::to_string(item) + " " + Visible(spec.text));
            ASSERT_LT(item, static_cast<int>(items.size()));
            EXPECT_EQ(Visible(items[static_cast<std::size_t>(item)].text), Visible(spec.treeItem));
            EXPECT_EQ(items[static_cast<std::size_t>(item)].parent < 0, page == 0);

            main->choose(G("树型框1"), item);
            EXPECT_EQ(main->currentItem(G("选择夹1")), static_cast<int>(section));
            const int shown = main->currentItem(subTab.name);
            ASSERT_GE(shown, 0);
            EXPECT_EQ(Visible(main->items(subTab.name).at(static_cast<std::size_t>(shown))), Visible(spec.text));
            EXPECT_EQ(Visible(main->text(G("分组框1"))), Visible(spec.treeItem));
        }
    }
    EXPECT_EQ(item, static_cast<int>(items.size()));
}

TEST_F(MainFrameTest, TreeEventWithoutAnItemChangesNothing) {
    main->choose(G("树型框1"), itemOf("Queues简单限速"));
    main->choose(G("树型框1"), -1);
    EXPECT_EQ(Visible(main->text(G("分组框1"))), Visible(G("Queues简单限速")));
    EXPECT_EQ(main->currentItem(G("选择夹1")), 3);
    EXPECT_EQ(main->currentItem(G("选择夹5")), 1);
}

// ---------------------------------------------------------------- tool windows

struct ToolRow {
    int index;
    const char* title;
    int width, height;
    bool hides;  // false: closing destroys it
};

const ToolRow kTools[] = {
    {0, "路由表生成器", 945, 372, true},
    {1, "子网计算工具", 637, 342, true},
    {2, "RouterOS官方脚本编辑器", 779, 643, true},
    {3, "_L7协议相关工具", 656, 639, true},  // laid out 670 high, made 639 when created
    {4, "Update Hurricane Electric IPv6 Tunnel Client IPv4 address", 996, 626, false},
    {5, "IP查询器", 191, 215, false},
    {6, "routerboard 硬件资料", 884, 576, true},  // its layout is 884 x 605; it sets its own size
};

TEST_F(MainFrameTest, EachToolOpensAndClosesByItsRule) {
    putCatalogueFile("Menu.edb");
    putCatalogueFile("data.edb");
    for (const ToolRow& tool : kTools) {
        SCOPED_TRACE("tool " + std::to_string(tool.index));
        ui::Window* window = ShowToolWindow(app, tool.index);
        ASSERT_NE(window, nullptr);
        const std::string name = window->name();
        EXPECT_EQ(Visible(window->title()), Visible(G(tool.title)));
        EXPECT_EQ(window->windowRect().w, tool.width);
        EXPECT_EQ(window->windowRect().h, tool.height);
        EXPECT_TRUE(window->shown());

        EXPECT_EQ(window->close(), !tool.hides);
        if (tool.hides) {
            ASSERT_EQ(ui.findWindow(name), window);
            EXPECT_FALSE(window->shown());
            // The program ending cannot be refused: the hidden window goes.
            EXPECT_TRUE(window->close(false));
        }
        EXPECT_EQ(ui.findWindow(name), nullptr);
    }
    EXPECT_TRUE(ui.messages.empty());
}

// The chooser's items are the one list of tools: each item, wherever it
// stands, opens the window it names, and the tool index follows the items.
TEST_F(MainFrameTest, EachChooserItemOpensTheToolItNames) {
    struct Named {
        const char* item;
        ToolIndex tool;
        const char* window;
    };
    const Named kNamed[] = {
        {"路由表IP工具", ToolIndex::RouteTable, "RouteTableWindow"},
        {"子网计算工具", ToolIndex::SubnetCalculator, "SubnetCalculatorWindow"},
        {"脚本编辑器", ToolIndex::ScriptEditor, "ScriptEditorWindow"},
        {"L7协议相关工具", ToolIndex::L7Tools, "L7ToolsWindow"},
        {"IPv6toIPv4", ToolIndex::Ipv6Tunnel, "Ipv6TunnelWindow"},
        {"IP查询器", ToolIndex::IpLookup, "IpLookupWindow"},
        {"routerboard硬件", ToolIndex::HardwareCatalogue, "HardwareCatalogueWindow"},
    };
    putCatalogueFile("Menu.edb");
    putCatalogueFile("data.edb");
    const auto items = main->items(G("组合框_工具名"));
    ASSERT_EQ(items.size(), static_cast<std::size_t>(kToolCount));
    ASSERT_EQ(items.size(), std::size(kNamed));
    for (std::size_t index = 0; index < items.size(); ++index) {
        SCOPED_TRACE(Visible(items[index].bytes()));
        const Named* named = nullptr;
        for (const Named& n : kNamed)
            if (G(n.item) == items[index].bytes()) named = &n;
        ASSERT_NE(named, nullptr) << "a chooser item that names no tool";
        EXPECT_EQ(static_cast<int>(named->tool), static_cast<int>(index));
        EXPECT_EQ(ToolWindowLayout(named->tool).name, named->window);

        openTool(static_cast<int>(index));
        ui::HeadlessWindow* opened = ui.window(named->window);
        ASSERT_NE(opened, nullptr);
        EXPECT_TRUE(opened->shown());
        EXPECT_EQ(ui.activeWindow, named->window);
        opened->close(false);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainFrameTest, SubnetCalculatorIsOneWindowThatKeepsItsValues) {
    openTool(1);
    ui::HeadlessWindow* first = ui.window("SubnetCalculatorWindow");
    ASSERT_NE(first, nullptr);
    first->type(G("编辑框_ip1"), "192");

    openTool(1);  // while shown
    EXPECT_EQ(ui.window("SubnetCalculatorWindow"), first);

    EXPECT_FALSE(first->close());
    openTool(1);  // after closing
    EXPECT_EQ(ui.window("SubnetCalculatorWindow"), first);
    EXPECT_TRUE(first->shown());
    EXPECT_EQ(first->text(G("编辑框_ip1")), G("192"));
}

TEST_F(MainFrameTest, IpLookupComesBackWithItsDefaults) {
    openTool(5);
    ui::HeadlessWindow* first = ui.window("IpLookupWindow");
    ASSERT_NE(first, nullptr);
    first->type(G("IP编辑框"), "8.8.8.8");
    const std::weak_ptr<const void> firstLife = first->lifetime();
    EXPECT_TRUE(first->close());

    openTool(5);
    ui::HeadlessWindow* second = ui.window("IpLookupWindow");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(firstLife.expired());
    EXPECT_FALSE(second->lifetime().expired());
    EXPECT_TRUE(second->shown());
    EXPECT_EQ(second->text(G("IP编辑框")), G("0.0.0.0"));
}

TEST_F(MainFrameTest, ChooserWithoutAToolOpensNothing) {
    main->type(G("组合框_工具名"), "");  // the chooser is editable: no item chosen
    main->click(G("按钮_打开"));
    main->type(G("组合框_工具名"), G("子网"));
    main->click(G("按钮_打开"));
    EXPECT_EQ(ShowToolWindow(app, 7), nullptr);
    EXPECT_EQ(ui.window("SubnetCalculatorWindow"), nullptr);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainFrameTest, CatalogueNeedsBothDatabasesAndChecksAtEveryOpening) {
    // Without a site the message names none and points to the full program.
    const std::string expected =
        kHasMakerSite ? G("无法使用此功能,若要使用此功能请去") + kMakerSite + G("官网下载最新完整版(包含data文件夹)!")
                      : G("无法使用此功能:程序目录下缺少data文件夹中的硬件资料库,请重新安装完整版(包含data文件夹)!");
    putCatalogueFile("Menu.edb");

    openTool(6);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Visible(ui.messages[0].text), Visible(expected));
    EXPECT_EQ(ui.messages[0].flags, 16);
    EXPECT_EQ(Visible(ui.messages[0].title), Visible(G("信息：")));
    EXPECT_EQ(ui.window("HardwareCatalogueWindow"), nullptr);

    putCatalogueFile("data.edb");
    openTool(6);
    EXPECT_EQ(ui.messages.size(), 1u);
    ui::HeadlessWindow* catalogue = ui.window("HardwareCatalogueWindow");
    ASSERT_NE(catalogue, nullptr);
    EXPECT_TRUE(catalogue->shown());

    // A loaded window is shown again before any check: it needs no files any more.
    EXPECT_FALSE(catalogue->close());
    std::filesystem::remove(programDir() / "data" / "Menu.edb");
    openTool(6);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(catalogue->shown());
}

TEST_F(MainFrameTest, CatalogueWithoutMenuDatabaseIsRefusedToo) {
    putCatalogueFile("data.edb");
    openTool(6);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.window("HardwareCatalogueWindow"), nullptr);
}

// The loader finds files that are no databases: the program ends as its exit
// item ends it, on the UI thread, its settings written.
TEST_F(MainFrameTest, ACatalogueThatDoesNotOpenEndsTheProgram) {
    putCatalogueFile("Menu.edb");
    putCatalogueFile("data.edb");
    ASSERT_FALSE(app.ConfigIniPath.empty());
    ASSERT_FALSE(std::filesystem::exists(app.ConfigIniPath));
    openTool(6);
    while (ui.messages.empty()) {
        ui.runPosted();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Visible(ui.messages[0].text), Visible(G("数据库打开失败")));
    EXPECT_EQ(ui.messages[0].flags, 16);
    EXPECT_TRUE(app.ending);
    EXPECT_TRUE(ui.quitRequested);
    EXPECT_EQ(ui.exitCode, 0);
    EXPECT_EQ(ui.window("HardwareCatalogueWindow"), nullptr);
    EXPECT_TRUE(std::filesystem::exists(app.ConfigIniPath));  // written by the shut-down
}

// The VPN page's way in goes through the page context.
TEST_F(MainFrameTest, RouteTableWindowIsSharedByThePagesAndTheChooser) {
    ui::Window* fromPage = app.page->openToolWindow(ToolIndex::RouteTable);
    ASSERT_NE(fromPage, nullptr);
    EXPECT_EQ(fromPage->name(), "RouteTableWindow");
    fromPage->setText(G("编辑框_代码"), G("/ip route"));
    EXPECT_FALSE(fromPage->close());

    openTool(0);
    EXPECT_EQ(ui.findWindow("RouteTableWindow"), fromPage);
    EXPECT_TRUE(fromPage->shown());
    EXPECT_EQ(fromPage->text(G("编辑框_代码")), G("/ip route"));

    // The page's way follows the chooser's rules, the catalogue's too.
    EXPECT_EQ(app.page->openToolWindow(ToolIndex::HardwareCatalogue), nullptr);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(MainFrameTest, ShutDownDestroysHiddenWindows) {
    for (int index : {0, 1, 2, 3}) {
        openTool(index);
        ui.window(ui.activeWindow)->close();
    }
    main->click(G("按钮_登录"));
    ui.window(ui.activeWindow)->close();
    for (const char* name :
         {"RouteTableWindow", "SubnetCalculatorWindow", "ScriptEditorWindow", "L7ToolsWindow", "RemoteLoginWindow"})
        ASSERT_NE(ui.window(name), nullptr) << name;

    CloseFrameWindows(app);

    for (const char* name :
         {"RouteTableWindow", "SubnetCalculatorWindow", "ScriptEditorWindow", "L7ToolsWindow", "RemoteLoginWindow"})
        EXPECT_EQ(ui.window(name), nullptr) << name;
    EXPECT_NE(ui.window(G("主窗口")), nullptr);
}

// ---------------------------------------------------------------- tray and login form

TEST_F(MainFrameTest, TrayBringsTheHiddenMainWindowBackInItsNormalState) {
    struct Way {
        const char* what;
        std::function<void()> act;
    };
    const Way ways[] = {
        {"left click", [this] { main->fire(G("托盘图标1"), ui::Event::TrayLeftClick); }},
        {"menu item", [this] { main->click(G("菜单_显示主窗口")); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        main->raise(true);
        main->setMinimized(true);
        main->hide();
        const int raised = main->raisedCount();

        way.act();

        EXPECT_TRUE(main->shown());
        EXPECT_FALSE(main->minimized());
        EXPECT_EQ(main->raisedCount(), raised + 1);
        EXPECT_FALSE(main->topmost());
    }
}

TEST_F(MainFrameTest, TrayMenuAndSiteItem) {
    EXPECT_TRUE(main->fire(G("托盘图标1"), ui::Event::TrayRightClick));
    EXPECT_EQ(main->lastPopupMenu(), G("菜单"));

    // A build without a site shows the item disabled: there is no page to visit.
    EXPECT_EQ(main->enabled(G("菜单_访问官网")), kHasMakerSite);
    main->fire(G("菜单_访问官网"), ui::Event::Click);
    const std::vector<std::string> opened = kHasMakerSite
                                                ? std::vector<std::string>{std::string("http://") + kMakerSite + "/"}
                                                : std::vector<std::string>{};
    EXPECT_EQ(ui.openedUrls, opened);
}

TEST_F(MainFrameTest, HiddenLoginButtonOpensAFormThatOnlyHides) {
    main->click(G("按钮_登录"));
    ui::HeadlessWindow* login = ui.window("RemoteLoginWindow");
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(Visible(login->title()), Visible(G("RouterOS远程登录")));
    EXPECT_TRUE(login->shown());
    login->type(G("编辑框_地址"), "192.168.88.1");

    EXPECT_FALSE(login->close());
    EXPECT_FALSE(login->shown());
    main->click(G("按钮_登录"));
    EXPECT_EQ(ui.window("RemoteLoginWindow"), login);
    EXPECT_TRUE(login->shown());
    EXPECT_EQ(login->text(G("编辑框_地址")), G("192.168.88.1"));
    EXPECT_FALSE(main->visible(G("按钮_登录")));
}

}  // namespace
}  // namespace trelvix
