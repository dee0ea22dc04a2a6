#pragma once
// The program's windows on the real toolkit, opened as a user opens them, for
// the checks that walk every window: a desktop that answers for the person,
// the sample catalogue the catalogue window needs, and the tool chooser.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <wx/modalhook.h>

#include "ForwardingUi.h"
#include "tools/ToolWindows.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::test {

// Message boxes answered, no dialog, browser or clipboard of the desktop.
class QuietDesktop final : public ForwardingUi {
public:
    using ForwardingUi::ForwardingUi;
    int messageBox(const ui::MessageBoxCall&) override { return ui::mb::IdOk; }
    void openUrl(const ui::GbkText&) override {}
    bool setClipboardText(const ui::GbkText&) override { return true; }

protected:
    std::optional<std::filesystem::path> showFileDialog(const ui::FileDialogRequest&) override { return std::nullopt; }
};

// The catalogue opens only beside its databases: the program runs from
// `program`, which gets a copy of the sample catalogue, while the object lives.
class SampleCatalogueProgram {
public:
    explicit SampleCatalogueProgram(const std::filesystem::path& program);
    ~SampleCatalogueProgram();
};

// A dialog shown past the desktop services would wait for a person: while
// the object lives, each one is refused at once and its title reported.
class RefusedDialogs final : public wxModalDialogHook {
public:
    explicit RefusedDialogs(std::function<void(const std::string& title)> report);
    ~RefusedDialogs() override;

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    std::function<void(const std::string&)> report_;
};

// The tool chooser and 打开, as a user opens a tool; the tool's window, or null.
ui::WxWindow* OpenFromToolChooser(ui::WxUi& wx, ui::WxWindow& main, ToolIndex tool);

}  // namespace trelvix::test
