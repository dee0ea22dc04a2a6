#include "app/MainFrame.h"

#include <array>

#include "app/ToolWindows.h"
#include "common/ServiceAddresses.h"
#include "ui/Layout.h"
#include "ui/WindowFront.h"

namespace trelvix {
namespace {

// The tree mirrors the sections of 选择夹1 in order: each section's first item
// picks its sub-tab's page 0, the items under it pages 1, 2, ...
struct FeatureSection {
    int firstItem;
    int itemCount;
    const char* subTab;
};

constexpr std::array<FeatureSection, 9> kFeatureSections{{
    {0, 4, "选择夹2"},   // 系统
    {4, 5, "选择夹3"},   // 安装
    {9, 3, "选择夹4"},   // PPPoE Service
    {12, 6, "选择夹5"},  // 限速
    {18, 9, "选择夹6"},  // 防火墙
    {27, 3, "选择夹7"},  // 代理VPN
    {30, 1, "选择夹8"},  // DDNS
    {31, 6, "选择夹9"},  // 脚本
    {37, 5, "选择夹10"}, // 常用工具
}};

constexpr const char* kRemoteLoginLayout = "remote_login.json";

}  // namespace

void NavigateFeatureTree(ui::Window& main) {
    // The event also comes with no item at all (a cleared selection): nothing to show then.
    const int item = main.currentItem("树型框1");
    const std::vector<ui::TreeItem> items = main.treeItems("树型框1");
    if (item < 0 || item >= static_cast<int>(items.size())) return;
    for (std::size_t page = 0; page < kFeatureSections.size(); ++page) {
        const FeatureSection& section = kFeatureSections[page];
        if (item < section.firstItem || item >= section.firstItem + section.itemCount) continue;
        main.setText("分组框1", items[static_cast<std::size_t>(item)].text);
        main.setCurrentItem("选择夹1", static_cast<int>(page));
        main.setCurrentItem(section.subTab, item - section.firstItem);
        return;
    }
}

void OpenToolWindow(App& app) { ShowToolWindow(app, app.main->currentItem("组合框_工具名")); }

void OnTrayLeftClick(App& app) { BringWindowToFront(*app.main, false); }

void OnTrayRightClick(App& app) { app.main->popupMenu("菜单"); }

void OnMenuShowMainWindow(App& app) { BringWindowToFront(*app.main, false); }

void OnMenuVisitSite(App& app) {
    if (const std::string home = MakerPage("/"); !home.empty()) app.ui.openUrl(Gbk(home));
}

void ShowRemoteLoginWindow(App& app) {
    const ui::WindowSpec& layout = ui::BuiltInLayout(kRemoteLoginLayout);
    if (ui::Window* loaded = app.ui.findWindow(layout.name)) {
        loaded->show();
        return;
    }
    LoadOwnedWindow(app.tools, layout, [](ui::Window& window) {
        window.onClose([&window](bool canRefuse) { return HideOnClose(window, canRefuse); });
    });
}

void CloseFrameWindows(App& app) {
    CloseToolWindows(app.tools);
    if (ui::Window* login = app.ui.findWindow(ui::BuiltInLayout(kRemoteLoginLayout).name)) login->close(false);
}

void BindMainFrame(App& app) {
    ui::Window& main = *app.main;
    using ui::Event;
    main.on("树型框1", Event::TreeItemChanged, [&main](const ui::EventArgs&) { NavigateFeatureTree(main); });
    main.on("按钮_打开", Event::Click, [&app](const ui::EventArgs&) { OpenToolWindow(app); });
    main.on("托盘图标1", Event::TrayLeftClick, [&app](const ui::EventArgs&) { OnTrayLeftClick(app); });
    main.on("托盘图标1", Event::TrayRightClick, [&app](const ui::EventArgs&) { OnTrayRightClick(app); });
    main.on("菜单_显示主窗口", Event::Click, [&app](const ui::EventArgs&) { OnMenuShowMainWindow(app); });
    main.setEnabled("菜单_访问官网", kHasMakerSite);  // a build without a site has no page to visit
    main.on("菜单_访问官网", Event::Click, [&app](const ui::EventArgs&) { OnMenuVisitSite(app); });
    main.on("按钮_登录", Event::Click, [&app](const ui::EventArgs&) { ShowRemoteLoginWindow(app); });
}

}  // namespace trelvix
