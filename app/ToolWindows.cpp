#include "app/ToolWindows.h"

#include <system_error>
#include <utility>

#include "common/ServiceAddresses.h"
#include "common/platform/Paths.h"
#include "tools/catalogue/CatalogueFiles.h"
#include "ui/Layout.h"

namespace trelvix {
namespace {

std::filesystem::path& CatalogueRootSetting() {
    static std::filesystem::path directory;
    return directory;
}

std::filesystem::path CatalogueRoot() {
    const std::filesystem::path& set = CatalogueRootSetting();
    return set.empty() ? ProgramDirectory() : set;
}

// Checked at every opening, so databases put back later count without a restart.
bool CatalogueDatabasesPresent() {
    const CatalogueFiles files = CatalogueFilesIn(CatalogueDataFolder());
    std::error_code error;
    return std::filesystem::exists(files.categories, error) && std::filesystem::exists(files.products, error);
}

Gbk CatalogueMissingText() {
    if (!kHasMakerSite)
        return Gbk("无法使用此功能:程序目录下缺少data文件夹中的硬件资料库,请重新安装完整版(包含data文件夹)!");
    return Gbk("无法使用此功能,若要使用此功能请去") + kMakerSite + "官网下载最新完整版(包含data文件夹)!";
}

}  // namespace

ui::Window* ShowToolWindow(App& app, int index) {
    if (index < 0 || index >= kToolCount) return nullptr;
    const ToolIndex tool = static_cast<ToolIndex>(index);
    const bool loaded = app.ui.findWindow(ToolWindowLayout(tool).name) != nullptr;
    if (tool == ToolIndex::HardwareCatalogue && !loaded && !CatalogueDatabasesPresent()) {
        app.ui.message(CatalogueMissingText(), ui::mb::IconError);
        return nullptr;
    }
    return &ShowToolWindow(app.tools, tool);
}

void SetCatalogueRoot(std::filesystem::path directory) { CatalogueRootSetting() = std::move(directory); }

std::filesystem::path CatalogueDataFolder() { return CatalogueRoot() / "data"; }

}  // namespace trelvix
