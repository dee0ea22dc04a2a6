#pragma once
// How the case runner reaches one realisation of the windows: the desktop
// services it answers and records, and what a user does to a control. The
// headless driver acts on the window models; the desktop driver acts on the
// toolkit's native controls, so that what the toolkit does is what is tested.
// Reading back goes through ui::Window on both.
#include <atomic>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ForwardingUi.h"
#include "ui/Ui.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix::ui {
class WxUi;
}

namespace trelvix::cases {

// What the desktop services saw during one case, and the answers queued for them.
struct ServiceRecords {
    std::deque<int> messageAnswers;                                  // next answers; when empty, the box's first button
    std::deque<std::optional<std::filesystem::path>> dialogAnswers;  // when empty, cancel
    std::vector<ui::ShownMessage> messages;
    std::vector<Gbk> openedUrls;
    std::optional<Gbk> clipboard;
    bool quitRequested = false;
    int exitCode = 0;
};

// The desktop services of a case over a realisation's windows: message boxes
// and file dialogs are answered from the case's queues and recorded, as are
// addresses opened, the clipboard and the end of the program; the case has a
// posting gate of its own, so its end stops its posts and no later case's.
class RecordingUi final : public test::ForwardingUi {
public:
    // `activeWindow` tells the window a box without an owner comes up over;
    // without it, the one last made or set in `active`.
    explicit RecordingUi(ui::Ui& inner, std::function<std::string()> activeWindow = {});

    ui::Window& createWindow(const ui::WindowSpec& layout, ui::Window* owner,
                             const std::function<void(ui::Window&)>& onCreated) override;
    int messageBox(const ui::MessageBoxCall& call) override;
    bool setClipboardText(const ui::GbkText& text) override;
    std::optional<ui::GbkText> clipboardText() override { return records.clipboard; }
    void openUrl(const ui::GbkText& url) override { records.openedUrls.push_back(url); }
    std::optional<ui::FontChoice> chooseFont(const ui::FontChoice&) override { return std::nullopt; }
    void post(std::function<void()> work) override;
    void stopPosting() override { *open_ = false; }
    void quit(int exitCode) override;

    ServiceRecords records;
    std::vector<std::string> windowsMade;  // in the order they were made
    std::string active;

protected:
    std::optional<std::filesystem::path> showFileDialog(const ui::FileDialogRequest& request) override;

private:
    std::function<std::string()> activeWindow_;
    std::shared_ptr<std::atomic<bool>> open_ = std::make_shared<std::atomic<bool>>(true);
};

// One case's realisation: made before the program, gone after it.
class Driver {
public:
    virtual ~Driver() = default;

    virtual RecordingUi& ui() = 0;
    ServiceRecords& records() { return ui().records; }
    virtual ui::Window* window(const std::string& name) = 0;

    // Why no user can reach the control ("hidden", "disabled"), or "" when one can.
    virtual std::string unusable(ui::Window& w, const std::string& control) = 0;

    // --- what a user does to a control of `w`
    // Check boxes toggle, radio buttons and menu items check; then Click.
    virtual void click(ui::Window& w, const std::string& control) = 0;
    // Types a whole new content; a drop-down list chooses the item with that text.
    virtual void type(ui::Window& w, const std::string& control, const Gbk& text) = 0;
    // An item of a combo or list box, a tab page, a tree item, a report row,
    // a scroll bar's position.
    virtual void choose(ui::Window& w, const std::string& control, int index) = 0;
    virtual void checkRow(ui::Window& w, const std::string& control, int row, bool on) = 0;
    // The control's change event, its content untouched.
    virtual void change(ui::Window& w, const std::string& control) = 0;
    virtual void focusTo(ui::Window& w, const std::string& control) = 0;
    virtual void blur(ui::Window& w, const std::string& control) = 0;
    virtual void keyDown(ui::Window& w, const std::string& control, int key, int modifiers) = 0;
    virtual void dropFiles(ui::Window& w, const std::string& control,
                           const std::vector<std::filesystem::path>& files) = 0;
    // The window's close box: its close handler may refuse.
    virtual void closeBox(ui::Window& w) = 0;

    // Lets what is pending run (posted work, the toolkit's events); never
    // called from a handler. A handler's fault comes out of here as an exception.
    virtual void runPending() = 0;
    // The end of the case: posting stops, every window goes (destroy handlers
    // run while the program still lives).
    virtual void closeAll() = 0;
};

using DriverMaker = std::function<std::unique_ptr<Driver>()>;

std::unique_ptr<Driver> MakeHeadlessDriver();
// Over the toolkit's realisation, which outlives every driver made on it.
std::unique_ptr<Driver> MakeDesktopDriver(ui::WxUi& wx);

}  // namespace trelvix::cases
