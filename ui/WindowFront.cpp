#include "ui/WindowFront.h"

namespace trelvix {

void BringWindowToFront(ui::Window& window, bool topmost) {
    window.show();
    if (window.minimized()) window.restore();
    window.raise(topmost);
}

}  // namespace trelvix
