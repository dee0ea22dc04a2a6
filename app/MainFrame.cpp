#include "app/MainFrame.h"

#include <string>
#include <vector>

#include "app/ToolWindows.h"
#include "common/ServiceAddresses.h"
#include "names/main.h"
#include "ui/Layout.h"
#include "ui/WindowFront.h"

namespace trelvix {
using namespace names::main;
namespace {

// The tree mirrors the sections of its tab in order (the layout reader builds
// its items from the same pages): each section's first item picks its
// sub-tab's page 0, the items under it pages 1, 2, ...
struct FeatureSection {
    int firstItem;
    int itemCount;
    std::string subTab;
};

struct FeatureNavigation {
    std::string sectionTab;  // the tab of sections the tree mirrors
    std::vector<FeatureSection> sections;
};

FeatureNavigation FeatureNavigationOf(const ui::WindowSpec& layout) {
    FeatureNavigation navigation;
    const ui::ControlSpec* tree = ui::FindControl(layout.controls, 树型框1);
    const ui::ControlSpec* tab = tree ? ui::FindControl(layout.controls, tree->treeTab) : nullptr;
    if (!tab) return navigation;
    navigation.sectionTab = tab->name;
    int firstItem = 0;
    for (const ui::ControlSpec& section : tab->children) {
        const ui::ControlSpec& subTab = ui::SubTabOf(section);
        const int itemCount = static_cast<int>(subTab.children.size());
        navigation.sections.push_back({firstItem, itemCount, subTab.name});
        firstItem += itemCount;
    }
    return navigation;
}

const FeatureNavigation& FeatureSections() {
    static const FeatureNavigation navigation = FeatureNavigationOf(ui::BuiltInLayout("main.json"));
    return navigation;
}

constexpr const char* kRemoteLoginLayout = "remote_login.json";

}  // namespace

void NavigateFeatureTree(ui::Window& main) {
    // The event also comes with no item at all (a cleared selection): nothing to show then.
    const int item = main.currentItem(树型框1);
    const std::vector<ui::TreeItem> items = main.treeItems(树型框1);
    if (item < 0 || item >= static_cast<int>(items.size())) return;
    const FeatureNavigation& navigation = FeatureSections();
    for (std::size_t page = 0; page < navigation.sections.size(); ++page) {
        const FeatureSection& section = navigation.sections[page];
        if (item < section.firstItem || item >= section.firstItem + section.itemCount) continue;
        main.setText(分组框1, items[static_cast<std::size_t>(item)].text);
        main.setCurrentItem(navigation.sectionTab, static_cast<int>(page));
        main.setCurrentItem(section.subTab, item - section.firstItem);
        return;
    }
}

void OpenToolWindow(App& app) { ShowToolWindow(app, app.main->currentItem(组合框_工具名)); }

void OnTrayLeftClick(App& app) { BringWindowToFront(*app.main, false); }

void OnTrayRightClick(App& app) { app.main->popupMenu(菜单); }

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
    main.on(树型框1, Event::TreeItemChanged, [&main](const ui::EventArgs&) { NavigateFeatureTree(main); });
    main.on(按钮_打开, Event::Click, [&app](const ui::EventArgs&) { OpenToolWindow(app); });
    main.on(托盘图标1, Event::TrayLeftClick, [&app](const ui::EventArgs&) { OnTrayLeftClick(app); });
    main.on(托盘图标1, Event::TrayRightClick, [&app](const ui::EventArgs&) { OnTrayRightClick(app); });
    main.on(菜单_显示主窗口, Event::Click, [&app](const ui::EventArgs&) { OnMenuShowMainWindow(app); });
    main.setEnabled(菜单_访问官网, kHasMakerSite);  // a build without a site has no page to visit
    main.on(菜单_访问官网, Event::Click, [&app](const ui::EventArgs&) { OnMenuVisitSite(app); });
    main.on(按钮_登录, Event::Click, [&app](const ui::EventArgs&) { ShowRemoteLoginWindow(app); });
}

}  // namespace trelvix
