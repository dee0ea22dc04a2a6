#pragma once
// Each section of the main window binds its pages' handlers; the page
// context lives as long as the main window. generators/SectionList.h lists
// the sections.
#include "generators/PageContext.h"

namespace trelvix {

#define TRELVIX_SECTION(name) void Bind##name##Section(PageContext& page);
#include "generators/SectionList.h"
#undef TRELVIX_SECTION

// Binds every section of the list, in its order.
void BindSections(PageContext& page);

}  // namespace trelvix
