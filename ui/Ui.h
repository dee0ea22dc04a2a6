#pragma once
// A realisation of the window interface: it creates windows from layouts and
// offers the desktop services. Handlers receive it by reference and never
// know which realisation runs them.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/Window.h"

namespace trelvix::ui {

// Message-box flags and answers, as the Windows values.
namespace mb {
constexpr int Ok = 0, OkCancel = 1, YesNo = 4;
constexpr int IconError = 16, IconQuestion = 32, IconExclamation = 48, IconInformation = 64;
constexpr int IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7;
}  // namespace mb

// The title a box gets when its caller names none: "信息：" (full-width colon).
const Gbk& DefaultMessageTitle();

struct MessageBoxCall {
    GbkText text;
    int flags = 0;
    GbkText title;
    std::string owner;  // owner window's name, "" for none
};

struct FileDialogRequest {
    bool save = true;
    GbkText filter;                    // "描述|*.ext|..." as the layouts write it
    std::filesystem::path initialDir;  // set by `Ui::fileDialog`
    GbkText fileName;
};

struct FontChoice {
    GbkText face;
    int points = 9;
    bool bold = false, italic = false;
};

class Ui {
public:
    virtual ~Ui() = default;

    // Creates a window from its layout; `owner` may be null. The created
    // handler, if any, runs inside (as the window's created event does).
    virtual Window& createWindow(const WindowSpec& layout, Window* owner,
                                 const std::function<void(Window&)>& onCreated) = 0;
    // The live window with that name, or null (destroyed windows are gone).
    virtual Window* findWindow(const std::string& name) = 0;
    // Destroys a window at once (its destroy handler runs first).
    virtual void destroyWindow(Window& window) = 0;

    // Desktop services
    virtual int messageBox(const MessageBoxCall& call) = 0;
    // The open or save dialog, opened in the folder of the last file chosen
    // in any file dialog of this Ui, else in the user's home folder (the
    // program's own folder is read-only once installed). The chosen file, or
    // nothing when the user cancels.
    std::optional<std::filesystem::path> fileDialog(FileDialogRequest request);
    virtual bool setClipboardText(const GbkText& text) = 0;
    virtual std::optional<GbkText> clipboardText() = 0;
    virtual void openUrl(const GbkText& url) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    // Runs `work` on the UI thread later; safe to call from any thread.
    // Posts made after `stopPosting` are dropped.
    virtual void post(std::function<void()> work) = 0;
    virtual void stopPosting() = 0;
    // Whether the desktop shows tray icons at all.
    virtual bool trayAvailable() const = 0;
    // Ends the event loop; `run` returns `exitCode`.
    virtual void quit(int exitCode) = 0;
    virtual int run() = 0;

    // Convenience: a box with the default title.
    int message(const GbkText& text, int flags) { return messageBox({text, flags, DefaultMessageTitle(), ""}); }

protected:
    // The realisation's dialog, opened where `request.initialDir` says.
    virtual std::optional<std::filesystem::path> showFileDialog(const FileDialogRequest& request) = 0;

private:
    std::filesystem::path lastFileFolder_;
};

}  // namespace trelvix::ui
