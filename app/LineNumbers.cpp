// Line-number column beside an edit box: not built yet; the column keeps its
// layout content.
#include "app/App.h"

namespace trelvix {

void AttachLineNumberGutter(ui::Window&, const std::string&, const std::string&) {}

}  // namespace trelvix
