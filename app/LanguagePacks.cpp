// Traditional-Chinese language packs: the packs are not built yet, so none is
// written and applying one changes nothing.
#include "app/App.h"

namespace trelvix {

bool WriteLanguagePack(int, const std::filesystem::path&) { return false; }

void ApplyLanguageFile(ui::Window&, const std::filesystem::path&) {}

}  // namespace trelvix
