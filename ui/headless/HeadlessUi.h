#pragma once
// The headless realisation: windows are plain models of their controls.
// Tests and the case runner load real layouts and handlers, act as a user
// would (click, type, choose), answer message boxes and dialogs from queues,
// and read back what was shown.
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ui/ControlState.h"
#include "ui/HandlerTable.h"
#include "ui/Ui.h"

namespace trelvix::ui {

class HeadlessUi;

struct HeadlessControl : ControlState {
    std::vector<bool> rowChecks;
    std::map<std::pair<int, int>, Gbk> grid;
    std::map<std::pair<int, int>, int> gridBackground;
    int gridRows = 0, gridColumns = 0;
};

class HeadlessWindow final : public Window {
public:
    HeadlessWindow(HeadlessUi& ui, const WindowSpec& spec, Window* owner);

    const std::string& name() const override { return name_; }
    bool has(const std::string& control) const override;
    Kind kind(const std::string& control) const override;
    std::vector<std::string> children(const std::string& control) const override;
    std::vector<std::string> controls() const override { return order_; }

    GbkText text(const std::string& control) const override;
    void setText(const std::string& control, const GbkText& text) override;
    bool visible(const std::string& control) const override;
    void setVisible(const std::string& control, bool on) override;
    bool enabled(const std::string& control) const override;
    void setEnabled(const std::string& control, bool on) override;
    Rect rect(const std::string& control) const override;
    void setRect(const std::string& control, const Rect& r) override;

    bool readOnly(const std::string& control) const override;
    void setReadOnly(const std::string& control, bool on) override;
    bool masked(const std::string& control) const override;
    void setMasked(const std::string& control, bool on) override;
    std::pair<int, int> selection(const std::string& control) const override;
    void setSelection(const std::string& control, int start, int end) override;
    void replaceSelection(const std::string& control, const GbkText& text) override;
    int firstVisibleLine(const std::string& control) const override;
    void scrollToLine(const std::string& control, int line) override;

    bool checked(const std::string& control) const override;
    void setChecked(const std::string& control, bool on) override;

    std::vector<GbkText> items(const std::string& control) const override;
    void setItems(const std::string& control, const std::vector<GbkText>& items) override;
    int currentItem(const std::string& control) const override;
    void setCurrentItem(const std::string& control, int index) override;

    int rowCount(const std::string& control) const override;
    std::vector<GbkText> row(const std::string& control, int row) const override;
    int addRow(const std::string& control, const std::vector<GbkText>& cells) override;
    void setCell(const std::string& control, int row, int column, const GbkText& text) override;
    void removeRow(const std::string& control, int row) override;
    void clearRows(const std::string& control) override;
    bool rowChecked(const std::string& control, int row) const override;
    void setRowChecked(const std::string& control, int row, bool on) override;

    std::vector<TreeItem> treeItems(const std::string& control) const override;
    int addTreeItem(const std::string& control, const GbkText& text, int parent) override;
    void setTreeItem(const std::string& control, int item, const TreeItem& value) override;
    void clearTree(const std::string& control) override;

    GbkText gridCell(const std::string& control, int row, int column) const override;
    void setGridCell(const std::string& control, int row, int column, const GbkText& text) override;
    void setGridSize(const std::string& control, int rows, int columns) override;
    int gridCellBackground(const std::string& control, int row, int column) const override;
    void setGridCellBackground(const std::string& control, int row, int column, int rgb) override;

    void setImage(const std::string& control, const std::string& bytes) override;
    bool trayShown(const std::string& control) const override;
    void popupMenu(const std::string& menu) override;

    void setTip(const std::string& tipControl, const std::string& target, const GbkText& text) override;
    GbkText tip(const std::string& tipControl, const std::string& target) const override;

    std::string focus() const override { return focus_; }
    void setFocus(const std::string& control) override;

    GbkText title() const override { return title_; }
    void setTitle(const GbkText& title) override { title_ = title; }
    bool shown() const override { return shown_; }
    void show() override { shown_ = true; }
    void hide() override { shown_ = false; }
    bool minimized() const override { return minimized_; }
    void restore() override { minimized_ = false; }
    void raise(bool topmost) override;
    Rect windowRect() const override { return rect_; }
    void setWindowSize(int w, int h) override {
        rect_.w = w;
        rect_.h = h;
    }
    bool close(bool canRefuse = true) override;

    void on(const std::string& control, Event event, Handler handler) override;
    void onClose(std::function<bool(bool)> handler) override { onClose_ = std::move(handler); }
    void onDestroy(std::function<void()> handler) override { onDestroy_ = std::move(handler); }
    void acceptFiles(const std::string& control, bool on) override;

    // --- what a user does (tests and the case runner)
    // Fires an event's handler, if one is bound; false when none is.
    bool fire(const std::string& control, Event event, const EventArgs& args = {});
    // Check boxes toggle, radio buttons and menu items check as a click does; then Click fires.
    void click(const std::string& control);
    // Types a whole new content: the text changes, then Change fires. An edit
    // box with a greatest length takes no more characters than that.
    void type(const std::string& control, const Gbk& text);
    // Chooses an item of a combo or list box, a tab page, a tree item or a report row.
    void choose(const std::string& control, int index);
    // Moves the focus as the keyboard would: the control that loses it gets LostFocus.
    void focusTo(const std::string& control);
    void keyDown(const std::string& control, int key, int modifiers);
    void dropFiles(const std::string& control, const std::vector<std::filesystem::path>& files);

    bool topmost() const { return topmost_; }
    int raisedCount() const { return raised_; }
    std::string lastPopupMenu() const { return lastPopup_; }
    // The picture file bytes a picture box or tray icon shows (empty: none).
    const std::string& image(const std::string& control) const;
    // A grid's rows and columns.
    std::pair<int, int> gridSize(const std::string& control) const;
    void setMinimized(bool on) { minimized_ = on; }
    // Runs the destroy handler; the Ui then forgets the window.
    void runDestroy();
    const std::vector<std::string>& controlOrder() const { return order_; }

private:
    HeadlessControl& at(const std::string& control);
    const HeadlessControl& at(const std::string& control) const;
    // The control, once its kind is known to hold `property`.
    HeadlessControl& at(const std::string& control, Property property, const char* operation);
    const HeadlessControl& at(const std::string& control, Property property, const char* operation) const;
    void addControls(const std::vector<ControlSpec>& specs, const std::string& parent);
    void uncheckGroupPeers(const std::string& control);
    void renamePage(const HeadlessControl& page, const Gbk& caption);

    HeadlessUi& ui_;
    std::string name_;
    Gbk title_;
    Rect rect_;
    bool shown_ = false, minimized_ = false, topmost_ = false;
    int raised_ = 0;
    std::string focus_;
    std::string lastPopup_;
    std::map<std::string, HeadlessControl> controls_;
    std::vector<std::string> order_;
    HandlerTable handlers_;
    std::function<bool(bool)> onClose_;
    std::function<void()> onDestroy_;
    bool destroyed_ = false;
};

struct ShownMessage : MessageBoxCall {
    std::string focusAtShow;  // the focused control of the owner/active window when the box came up
    int answer = 0;
};

class HeadlessUi final : public Ui {
public:
    HeadlessUi();
    ~HeadlessUi() override;

    Window& createWindow(const WindowSpec& layout, Window* owner,
                         const std::function<void(Window&)>& onCreated) override;
    Window* findWindow(const std::string& name) override;
    void destroyWindow(Window& window) override;

    int messageBox(const MessageBoxCall& call) override;
    bool setClipboardText(const GbkText& text) override;
    std::optional<GbkText> clipboardText() override;
    void openUrl(const GbkText& url) override { openedUrls.push_back(url); }
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    void post(std::function<void()> work) override;
    void stopPosting() override;
    bool trayAvailable() const override { return trayAvailableFlag; }
    void quit(int exitCode) override;
    int run() override;

    HeadlessWindow* window(const std::string& name);
    // Runs the work posted so far (and what that work posts); returns how many ran.
    int runPosted();
    // Window objects still held: the live ones and those destroyed since the
    // last outermost event began (their handlers may still have been running).
    std::size_t heldWindows() const { return windows_.size() + graveyard_.size(); }

    // --- queued answers and records
    std::deque<int> messageAnswers;                                  // next answers; when empty, the box's first button
    std::deque<std::optional<std::filesystem::path>> dialogAnswers;  // when empty, cancel
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> dialogs;
    std::vector<Gbk> openedUrls;
    std::optional<Gbk> clipboard;
    bool clipboardWorks = true;
    bool trayAvailableFlag = true;
    bool quitRequested = false;
    int exitCode = 0;
    std::string activeWindow;  // last window raised or created

protected:
    // Records the request (`dialogs`) and gives the next queued answer.
    std::optional<std::filesystem::path> showFileDialog(const FileDialogRequest& request) override;

private:
    friend class HeadlessWindow;
    void forget(const std::string& name);

    // Marks an event (a fired handler, a close, posted work, a window's
    // creation or destruction); the outermost one frees the destroyed windows.
    class EventScope {
    public:
        explicit EventScope(HeadlessUi& ui);
        ~EventScope();
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;

    private:
        HeadlessUi& ui_;
    };
    int eventDepth_ = 0;

    std::map<std::string, std::unique_ptr<HeadlessWindow>> windows_;
    std::vector<std::unique_ptr<HeadlessWindow>> graveyard_;  // destroyed during a handler
    std::mutex postMutex_;
    std::deque<std::function<void()>> posted_;
    bool posting_ = true;
};

}  // namespace trelvix::ui
