#include "generators/Sections.h"

namespace trelvix {

void BindSections(PageContext& page) {
#define TRELVIX_SECTION(name) Bind##name##Section(page);
#include "generators/SectionList.h"
#undef TRELVIX_SECTION
}

}  // namespace trelvix
