#include "EveryWindow.h"

#include <utility>

#include <wx/button.h>
#include <wx/dialog.h>

#include "TestSupport.h"
#include "app/ToolWindows.h"
#include "common/platform/Paths.h"

namespace trelvix::test {

namespace fs = std::filesystem;

SampleCatalogueProgram::SampleCatalogueProgram(const fs::path& program) {
    fs::create_directories(program / "data");
    for (const char* file : {"Menu.edb", "data.edb"})
        fs::copy_file(fs::path(TRELVIX_SAMPLE_CATALOGUE) / file, program / "data" / file);
    SetProgramDirectory(program);
    SetCatalogueRoot(program);
}

SampleCatalogueProgram::~SampleCatalogueProgram() {
    SetCatalogueRoot({});
    SetProgramDirectory({});
}

RefusedDialogs::RefusedDialogs(std::function<void(const std::string&)> report) : report_(std::move(report)) {
    Register();
}

RefusedDialogs::~RefusedDialogs() { Unregister(); }

int RefusedDialogs::Enter(wxDialog* dialog) {
    report_(dialog->GetTitle().utf8_string());
    return wxID_CANCEL;
}

ui::WxWindow* OpenFromToolChooser(ui::WxUi& wx, ui::WxWindow& main, ToolIndex tool) {
    main.setCurrentItem(G("组合框_工具名"), static_cast<int>(tool));
    auto* open = dynamic_cast<wxButton*>(main.native(G("按钮_打开")));
    if (!open) return nullptr;
    wxCommandEvent click(wxEVT_BUTTON, open->GetId());
    click.SetEventObject(open);
    open->ProcessWindowEvent(click);
    wx.runPending(20);
    return wx.window(ToolWindowLayout(tool).name);
}

}  // namespace trelvix::test
