#pragma once
// The RouterBOARD catalogue window: the product tree on the left (filled by
// the loader, tools/catalogue/CatalogueLoader.h), and for the product chosen
// its picture, name, description, dollar and yuan prices and technical-data
// grid; a pop-up menu copies a product's name or searches for it on the
// shopping site, and two buttons open its page and large picture on the web.
//
// Nothing blocks the window: the loader and every exchange-rate request run
// on workers that post their results back, which a window that is gone
// never receives. A rate request that failed is not repeated for the next
// product before `kRateRetryPause` has passed.
#include "tools/ToolContext.h"
#include "ui/Window.h"

namespace trelvix {

// How long, in days (the clock's unit), the window waits after a failed
// exchange-rate request before it asks the page again: one minute.
inline constexpr double kRateRetryPause = 1.0 / (24 * 60);

// The shade of every second technical-data row, RGB(230, 230, 230).
inline constexpr int kSpecRowShade = 0xE6E6E6;

// The created event of `HardwareCatalogueWindow`: the window's size, its
// handlers, and the loader started. The tree stays disabled until the loader
// has filled it; a database that cannot be opened ends the program.
void OnCatalogueWindowCreated(ToolContext& tools, ui::Window& window);

}  // namespace trelvix
