#pragma once
// Each section of the main window binds its pages' handlers here. The page
// context lives as long as the main window.
#include "generators/PageContext.h"

namespace trelvix {

void BindSystemSection(PageContext& page);
void BindRateLimitSection(PageContext& page);

}  // namespace trelvix
