#include "generators/Sections.h"

namespace trelvix {

void BindSystemSection(PageContext&) {}

}  // namespace trelvix
