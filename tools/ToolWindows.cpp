#include "tools/ToolWindows.h"

#include <array>

#include "tools/catalogue/HardwareCatalogueWindow.h"
#include "tools/editor/ScriptEditorWindow.h"
#include "tools/iplookup/IpLookup.h"
#include "tools/ipv6/Ipv6TunnelWindow.h"
#include "tools/l7/L7ToolsWindow.h"
#include "tools/routetable/RouteTableWindow.h"
#include "tools/subnet/SubnetCalculatorWindow.h"
#include "ui/WindowFront.h"

namespace trelvix {
namespace {

enum class OnClose { Hides, IsDestroyed };

// A tool window's created event: runs once per load, before the window shows.
// A window that hides on close already has `HideOnClose` as its may-close
// handler; a set-up that must do more on closing replaces it and ends with it.
using ToolSetUp = void (*)(ToolContext& tools, ui::Window& window);

struct ToolWindowEntry {
    const char* layout;  // under ui/layouts/
    OnClose onClose;
    ToolSetUp created;  // the tool module's created event; null while the tool opens bare
};

// Indexed by ToolIndex, in the order of the main window's tool chooser
// (组合框_工具名 in ui/layouts/main.json), whose items are the list of tools.
// The Layer-7 window saves its tester texts before hiding; its own set-up
// adds that to the hide rule.
constexpr std::array<ToolWindowEntry, kToolCount> kToolWindows{{
    {"tools/route_table.json", OnClose::Hides, OnRouteWindowCreated},
    {"tools/subnet_calculator.json", OnClose::Hides, OnSubnetWindowCreated},
    {"tools/script_editor.json", OnClose::Hides, OnEditorWindowCreated},
    {"tools/l7_tools.json", OnClose::Hides, OnL7WindowCreated},
    {"tools/ipv6_tunnel.json", OnClose::IsDestroyed, OnIpv6WindowCreated},
    {"tools/ip_lookup.json", OnClose::IsDestroyed, OnIpLookupWindowCreated},
    {"tools/hardware_catalogue.json", OnClose::Hides, OnCatalogueWindowCreated},
}};

const ToolWindowEntry& EntryOf(ToolIndex tool) { return kToolWindows.at(static_cast<std::size_t>(tool)); }

}  // namespace

bool HideOnClose(ui::Window& window, bool canRefuse) {
    if (!canRefuse) return true;
    window.hide();
    return false;
}

const ui::WindowSpec& ToolWindowLayout(ToolIndex tool) { return ui::BuiltInLayout(EntryOf(tool).layout); }

ui::Window& LoadOwnedWindow(ToolContext& tools, const ui::WindowSpec& layout,
                            const std::function<void(ui::Window&)>& setUp) {
    ui::Window& window = tools.ui.createWindow(layout, tools.owner, setUp);
    window.show();
    return window;
}

ui::Window& ShowToolWindow(ToolContext& tools, ToolIndex tool) {
    const ui::WindowSpec& layout = ToolWindowLayout(tool);
    if (ui::Window* loaded = tools.ui.findWindow(layout.name)) {
        // Chosen again while open, it must not stay behind the window the user came from.
        BringWindowToFront(*loaded);
        return *loaded;
    }
    const bool hides = EntryOf(tool).onClose == OnClose::Hides;
    const ToolSetUp created = EntryOf(tool).created;
    return LoadOwnedWindow(tools, layout, [&tools, hides, created](ui::Window& window) {
        if (hides) window.onClose([&window](bool canRefuse) { return HideOnClose(window, canRefuse); });
        if (created) created(tools, window);
    });
}

void CloseToolWindows(ToolContext& tools) {
    for (int i = 0; i < kToolCount; ++i) {
        if (ui::Window* loaded = tools.ui.findWindow(ToolWindowLayout(static_cast<ToolIndex>(i)).name))
            loaded->close(false);
    }
}

}  // namespace trelvix
