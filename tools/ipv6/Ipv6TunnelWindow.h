#pragma once
// The IPv6 tunnel window's handlers. The window is destroyed on close, so
// every opening starts from the layout's sample values.
#include "tools/ToolContext.h"
#include "ui/Window.h"

namespace trelvix {

// The created event of `Ipv6TunnelWindow`: its two pictures and its handlers.
void OnIpv6WindowCreated(ToolContext& tools, ui::Window& window);

}  // namespace trelvix
