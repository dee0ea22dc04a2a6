#include "ui/Ui.h"

#include <system_error>

#include "common/platform/Paths.h"

namespace trelvix::ui {

const Gbk& DefaultMessageTitle() {
    static const Gbk title = "信息：";
    return title;
}

std::optional<std::filesystem::path> Ui::fileDialog(FileDialogRequest request) {
    std::error_code ec;
    // A folder removed since then is no place to open in.
    const bool lastIsThere = !lastFileFolder_.empty() && std::filesystem::is_directory(lastFileFolder_, ec);
    request.initialDir = lastIsThere ? lastFileFolder_ : HomeDirectory();
    auto chosen = showFileDialog(request);
    if (chosen && chosen->has_parent_path()) lastFileFolder_ = chosen->parent_path();
    return chosen;
}

}  // namespace trelvix::ui
