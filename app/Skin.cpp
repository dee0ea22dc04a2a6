// The skin library is a Windows component that does not exist on this
// platform: nothing is written to the temporary folder and attaching the skin
// fails silently, which the start-up ignores.
#include "app/App.h"

namespace trelvix {

void InitSkinPath(App&) {}

void ExtractSkinLibrary(App&) {}

bool ApplyEmbeddedSkin(App&, int, int, int) { return false; }

}  // namespace trelvix
