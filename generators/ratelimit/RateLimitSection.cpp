#include "generators/Sections.h"

namespace trelvix {

void BindRateLimitSection(PageContext&) {}

}  // namespace trelvix
