#include "app/Skin.h"

#include "app/App.h"
#include "common/platform/Paths.h"
#include "common/text/Gbk.h"

namespace trelvix {

namespace {
constexpr const char* kInstalledName = "SkinH_Qx.dll";
}

SkinFolders DefaultSkinFolders() { return {ProgramDirectory(), SystemDirectory()}; }

std::filesystem::path SkinTempDirectory() { return TemporaryDirectory(); }

std::filesystem::path SystemDirectory() { return "/usr/lib/"; }

void ResolveSkinPath(App& app, const Gbk& path, const SkinFolders& folders) {
    const Gbk trimmed = Trim(path);
    app.SkinLibraryPath = PathFromGbk(trimmed);
    std::error_code ec;
    if (!trimmed.empty() && std::filesystem::is_regular_file(app.SkinLibraryPath, ec)) return;
    const std::filesystem::path inProgram = folders.program / kInstalledName;
    const std::filesystem::path inSystem = folders.system / kInstalledName;
    if (!folders.program.empty() && std::filesystem::is_regular_file(inProgram, ec)) app.SkinLibraryPath = inProgram;
    if (!folders.system.empty() && std::filesystem::is_regular_file(inSystem, ec)) app.SkinLibraryPath = inSystem;
}

void InitSkinPath(App& app) { ResolveSkinPath(app, ""); }

void ExtractSkinLibrary(App& app) {
    app.SkinTempDir = SkinTempDirectory();
    // No library is carried on this platform, so nothing is written here.
    ResolveSkinPath(app, GbkFromPath(app.SkinTempDir / "jedata.dll"));
}

bool SkinLibraryHasFunction(App& app, const std::string&) {
    std::error_code ec;
    if (app.SkinLibraryPath.empty() || !std::filesystem::is_regular_file(app.SkinLibraryPath, ec)) return false;
    // A file of that name may exist, but it is a Windows library: it is never
    // loaded here, least of all from a folder other programs can write to.
    return false;
}

bool AttachSkinResource(App& app, const std::string&, const Gbk&, int, int, int) {
    return SkinLibraryHasFunction(app, "SkinH_AttachRes");
}

bool ApplyEmbeddedSkin(App& app, int hue, int saturation, int brightness) {
    return AttachSkinResource(app, std::string(), "", hue, saturation, brightness);
}

}  // namespace trelvix
