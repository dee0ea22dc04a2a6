#pragma once
// The route-table generator window's handlers: the three generate buttons,
// the list button, the odd/even host lister, the mode radio buttons that turn
// the parameter pages, and saving the code box. The texts themselves come
// from RouteTableScript.h.
#include "tools/ToolContext.h"
#include "ui/Window.h"

namespace trelvix {

// The created event of `RouteTableWindow`: binds its handlers. The window
// hides on close (the tool table gives it `HideOnClose`), so what the user
// typed and generated stays until the program ends.
void OnRouteWindowCreated(ToolContext& tools, ui::Window& window);

}  // namespace trelvix
