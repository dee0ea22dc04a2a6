#pragma once
// The seven tool windows that the main window's tool chooser opens: which
// layout each one uses, whether closing it hides or destroys it, and the rule
// for showing it again. A tool's own module plugs its set-up in with
// `RegisterToolWindowCreated`; until then a tool opens as its bare layout.
#include <filesystem>
#include <functional>

#include "app/App.h"
#include "ui/Window.h"

namespace trelvix {

// Indexes of the tool chooser's items.
enum class ToolIndex {
    RouteTable = 0,
    SubnetCalculator = 1,
    ScriptEditor = 2,
    L7Tools = 3,
    Ipv6Tunnel = 4,
    IpLookup = 5,
    HardwareCatalogue = 6,
};
inline constexpr int kToolCount = 7;

// A tool window's created event: runs once per load, before the window shows.
// A window that hides on close already has `HideOnClose` as its may-close
// handler; a set-up that must do more on closing replaces it and ends with it.
using ToolWindowCreated = std::function<void(App& app, ui::Window& window)>;
void RegisterToolWindowCreated(ToolIndex tool, ToolWindowCreated created);

// The may-close rule of windows that live until the program ends: hide and
// refuse. A close that cannot be refused (the program is ending) goes through,
// so hidden windows never keep the program alive.
inline bool HideOnClose(ui::Window& window, bool canRefuse) {
    if (!canRefuse) return true;
    window.hide();
    return false;
}

// Shows the tool with that chooser index: a loaded window (also a hidden one)
// is shown again as it was; otherwise it is loaded afresh, owned by the main
// window. Returns null when nothing opened (no such tool, or the catalogue's
// databases are missing, which the user is told).
ui::Window* ShowToolWindow(App& app, int index);

// The route-table generator's second way in (a button of the VPN page).
ui::Window& OpenRouteTableWindow(App& app);

// Loads a window modeless, owned by the main window, runs `setUp` as its
// created event, then shows it.
ui::Window& LoadOwnedWindow(App& app, const ui::WindowSpec& layout,
                            const std::function<void(ui::Window&)>& setUp);

// Closes every loaded tool window without the chance to refuse (shut-down).
void CloseToolWindows(App& app);

// The catalogue databases are looked for in data/ under this folder: the
// program's own folder unless set (tests point it at a temporary folder;
// an empty path goes back to the program's folder).
void SetCatalogueRoot(std::filesystem::path directory);

}  // namespace trelvix
