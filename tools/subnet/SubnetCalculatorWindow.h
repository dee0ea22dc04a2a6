#pragma once
// The subnet calculator window's handlers: page 0 recomputes whenever a host
// octet or the prefix length changes, page 1 when 计算 is pressed.
#include "tools/ToolContext.h"
#include "ui/Window.h"

namespace trelvix {

// The created event of `SubnetCalculatorWindow`: binds its handlers. Nothing
// is computed here: the layout's texts already show host 0.0.0.0 with prefix
// length 1 and one subnet.
void OnSubnetWindowCreated(ToolContext& tools, ui::Window& window);

}  // namespace trelvix
