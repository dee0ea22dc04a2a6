#include "tools/ToolWindows.h"

#include <array>
#include <utility>

namespace trelvix {
namespace {

enum class OnClose { Hides, IsDestroyed };

struct ToolWindowEntry {
    const char* layout;  // under ui/layouts/
    OnClose onClose;
};

// Indexed by ToolIndex. The Layer-7 window saves its tester texts before
// hiding; its own set-up adds that to the hide rule.
constexpr std::array<ToolWindowEntry, kToolCount> kToolWindows{{
    {"tools/route_table.json", OnClose::Hides},
    {"tools/subnet_calculator.json", OnClose::Hides},
    {"tools/script_editor.json", OnClose::Hides},
    {"tools/l7_tools.json", OnClose::Hides},
    {"tools/ipv6_tunnel.json", OnClose::IsDestroyed},
    {"tools/ip_lookup.json", OnClose::IsDestroyed},
    {"tools/hardware_catalogue.json", OnClose::Hides},
}};

const ToolWindowEntry& EntryOf(ToolIndex tool) { return kToolWindows.at(static_cast<std::size_t>(tool)); }

std::array<ToolWindowCreated, kToolCount>& CreatedHandlers() {
    static std::array<ToolWindowCreated, kToolCount> handlers;
    return handlers;
}

}  // namespace

void RegisterToolWindowCreated(ToolIndex tool, ToolWindowCreated created) {
    CreatedHandlers().at(static_cast<std::size_t>(tool)) = std::move(created);
}

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
        loaded->show();
        return *loaded;
    }
    const bool hides = EntryOf(tool).onClose == OnClose::Hides;
    // A copy: a set-up may register another handler while it runs.
    ToolWindowCreated created = CreatedHandlers()[static_cast<std::size_t>(tool)];
    return LoadOwnedWindow(tools, layout, [&tools, hides, &created](ui::Window& window) {
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
