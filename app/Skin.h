#pragma once
// The skin library is a closed Windows component. Its routines keep their
// rules for choosing the library file, but on this platform no library is
// carried or loaded: nothing is written to the temporary folder, and
// attaching a skin always fails, silently.
#include <filesystem>
#include <string>

#include "common/text/Gbk.h"

namespace trelvix {

struct App;

// Folders looked in for an installed copy of the library.
struct SkinFolders {
    std::filesystem::path program;  // the program's folder
    std::filesystem::path system;   // the system's library folder
};
SkinFolders DefaultSkinFolders();

// The temporary folder, as the skin writes to it.
std::filesystem::path SkinTempDirectory();
// The system's library folder.
std::filesystem::path SystemDirectory();

// SkinLibraryPath := `path` without blanks around it, unless no such file
// exists: then an installed copy "SkinH_Qx.dll" in the program folder, and
// one in the system folder before that.
void ResolveSkinPath(App& app, const Gbk& path, const SkinFolders& folders = DefaultSkinFolders());

bool SkinLibraryHasFunction(App& app, const std::string& exportName);
bool AttachSkinResource(App& app, const std::string& data, const Gbk& password, int hue, int saturation,
                        int brightness);

}  // namespace trelvix
