#pragma once
// The subnet calculator window's handlers: page 0 recomputes whenever a host
// octet or the prefix length changes, page 1 when 计算 is pressed.
#include "ui/Window.h"

namespace trelvix {

// Binds the handlers of a freshly loaded `SubnetCalculatorWindow`. Nothing is
// computed here: the layout's texts already show host 0.0.0.0 with prefix
// length 1 and one subnet.
void BindSubnetCalculatorWindow(ui::Window& window);

}  // namespace trelvix
