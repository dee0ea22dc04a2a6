#include "app/ToolWindows.h"

#include <array>
#include <system_error>
#include <utility>

#include "app/Maker.h"
#include "common/platform/Paths.h"
#include "ui/Layout.h"

namespace trelvix {
namespace {

enum class OnClose { Hides, IsDestroyed };

struct ToolWindowEntry {
    const char* layout;    // under ui/layouts/
    OnClose onClose;
    bool needsCatalogue;   // opens only when both catalogue databases exist
};

// Indexed by the tool chooser's item. The Layer-7 window saves its tester
// texts before hiding; its own set-up adds that to the hide rule.
constexpr std::array<ToolWindowEntry, kToolCount> kToolWindows{{
    {"tools/route_table.json", OnClose::Hides, false},
    {"tools/subnet_calculator.json", OnClose::Hides, false},
    {"tools/script_editor.json", OnClose::Hides, false},
    {"tools/l7_tools.json", OnClose::Hides, false},
    {"tools/ipv6_tunnel.json", OnClose::IsDestroyed, false},
    {"tools/ip_lookup.json", OnClose::IsDestroyed, false},
    {"tools/hardware_catalogue.json", OnClose::Hides, true},
}};

std::array<ToolWindowCreated, kToolCount>& CreatedHandlers() {
    static std::array<ToolWindowCreated, kToolCount> handlers;
    return handlers;
}

std::filesystem::path& CatalogueRootSetting() {
    static std::filesystem::path directory;
    return directory;
}

std::filesystem::path CatalogueRoot() {
    const std::filesystem::path& set = CatalogueRootSetting();
    return set.empty() ? ProgramDirectory() : set;
}

// Checked at every opening, so databases put back later count without a restart.
bool CatalogueDatabasesPresent() {
    const std::filesystem::path data = CatalogueRoot() / "data";
    std::error_code error;
    return std::filesystem::exists(data / "Menu.edb", error) && std::filesystem::exists(data / "data.edb", error);
}

Gbk CatalogueMissingText() {
    return Gbk("无法使用此功能,若要使用此功能请去") + kMakerSite + "官网下载最新完整版(包含data文件夹)!";
}

}  // namespace

void RegisterToolWindowCreated(ToolIndex tool, ToolWindowCreated created) {
    CreatedHandlers().at(static_cast<std::size_t>(tool)) = std::move(created);
}

ui::Window& LoadOwnedWindow(App& app, const ui::WindowSpec& layout,
                            const std::function<void(ui::Window&)>& setUp) {
    ui::Window& window = app.ui.createWindow(layout, app.main, setUp);
    window.show();
    return window;
}

ui::Window* ShowToolWindow(App& app, int index) {
    if (index < 0 || index >= kToolCount) return nullptr;
    const ToolWindowEntry& tool = kToolWindows[static_cast<std::size_t>(index)];
    const ui::WindowSpec& layout = ui::BuiltInLayout(tool.layout);

    if (ui::Window* loaded = app.ui.findWindow(layout.name)) {
        loaded->show();
        return loaded;
    }
    if (tool.needsCatalogue && !CatalogueDatabasesPresent()) {
        app.ui.message(CatalogueMissingText(), ui::mb::IconError);
        return nullptr;
    }
    // A copy: a set-up may register another handler while it runs.
    ToolWindowCreated created = CreatedHandlers()[static_cast<std::size_t>(index)];
    return &LoadOwnedWindow(app, layout, [&app, &tool, &created](ui::Window& window) {
        if (tool.onClose == OnClose::Hides)
            window.onClose([&window](bool canRefuse) { return HideOnClose(window, canRefuse); });
        if (created) created(app, window);
    });
}

ui::Window& OpenRouteTableWindow(App& app) {
    return *ShowToolWindow(app, static_cast<int>(ToolIndex::RouteTable));
}

void CloseToolWindows(App& app) {
    for (const ToolWindowEntry& tool : kToolWindows) {
        if (ui::Window* loaded = app.ui.findWindow(ui::BuiltInLayout(tool.layout).name)) loaded->close(false);
    }
}

void SetCatalogueRoot(std::filesystem::path directory) { CatalogueRootSetting() = std::move(directory); }

}  // namespace trelvix
