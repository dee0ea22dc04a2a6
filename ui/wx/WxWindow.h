#pragma once
// The wxWidgets realisation: a window is a wxFrame holding one native control
// per layout control, placed where the layout says. The window keeps, beside
// the natives, what they cannot hold the way the interface defines it
// (captions as set, report cells, tree parents, menu items, tips), so the same
// handlers behave here as they do headless.
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/treebase.h>

#include "ui/ControlState.h"
#include "ui/HandlerTable.h"
#include "ui/Ui.h"

class wxMessageDialog;
class wxTaskBarIcon;
class wxTextCtrl;
class wxRadioButton;

namespace trelvix::ui {

class WxUi;

// The shared state is kept here rather than read back from the native
// (a label's shown text, say, may be wrapped); `tree` holds parents and the
// expanded state of leaves.
struct WxControl : ControlState {
    wxWindow* native = nullptr;  // null for kinds without a window of their own
    int lastScroll = 0;          // last position reported by a Scroll event
    bool lostFocusPending = false;
    long lastKeyTime = 0;
    int lastKeyCode = 0;

    wxRadioButton* radioOff = nullptr;  // hidden partner: checking it unchecks the radio
    std::array<wxTextCtrl*, 4> ipFields{};
    // What a checked edit box, or each address field, held after its last change.
    wxString accepted;
    std::array<wxString, 4> ipAccepted;
    wxWindow* box = nullptr;            // a group's frame and caption
    wxWindow* rule = nullptr;           // a folded group's line
    wxWindow* holder = nullptr;         // a lifted check box's own window (see addControls)
    std::vector<wxTreeItemId> treeIds;  // tree items by index
    wxTaskBarIcon* tray = nullptr;
    int menuId = 0;        // menu items
    bool pending = false;  // on a tab page not shown yet: its native comes when the page is first needed
};

class WxWindow final : public Window {
public:
    WxWindow(WxUi& ui, const WindowSpec& spec, WxWindow* owner);
    ~WxWindow() override;

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

    std::string focus() const override;
    void setFocus(const std::string& control) override;

    GbkText title() const override;
    void setTitle(const GbkText& title) override;
    bool shown() const override;
    void show() override;
    void hide() override;
    bool minimized() const override;
    void restore() override;
    void raise(bool topmost) override;
    Rect windowRect() const override;
    void setWindowSize(int w, int h) override;
    bool close(bool canRefuse = true) override;

    void on(const std::string& control, Event event, Handler handler) override;
    void onClose(std::function<bool(bool)> handler) override { onClose_ = std::move(handler); }
    void onDestroy(std::function<void()> handler) override { onDestroy_ = std::move(handler); }
    void acceptFiles(const std::string& control, bool on) override;

    // --- for the Ui and for tests
    wxFrame* frame() const { return frame_; }
    // The control's native window (the visible radio button, the IP box's
    // panel), or null for kinds without one.
    wxWindow* native(const std::string& control) const;
    // The wx id a menu item's choice arrives with.
    int menuItemId(const std::string& item) const;
    // Runs the handler bound to an event, if any; false when none is.
    bool fire(const std::string& control, Event event, const EventArgs& args = {});
    const std::string& ownerName() const { return owner_; }
    bool destroyed() const { return destroyed_; }
    // The frame is gone for good (deleted by the toolkit).
    bool gone() const { return frame_ == nullptr; }
    // Runs the destroy handler and lets the toolkit delete the frame.
    void destroyNow();

private:
    using Maker = wxWindow* (WxWindow::*)(WxControl&, wxWindow*);
    struct KindMaker {
        Kind kind;
        Maker make;
    };
    static const KindMaker kMakers[];

    // Natives are changed from code inside this scope: their events do not
    // reach handlers (the interface raises the ones it promises itself).
    struct Quiet {
        explicit Quiet(const WxWindow& w) : w(w) { ++w.quiet_; }
        ~Quiet() { --w.quiet_; }
        const WxWindow& w;
    };

    // The control, its native made first when its page was still waiting.
    WxControl& at(const std::string& control);
    const WxControl& at(const std::string& control) const;
    // The control as it stands, native or not.
    const WxControl& known(const std::string& control) const;
    // The control, once its kind is known to hold `property`.
    WxControl& at(const std::string& control, Property property, const char* operation);
    const WxControl& at(const std::string& control, Property property, const char* operation) const;
    // Fresh: the controls join the window, with natives under parentNative
    // (none when it is null). Later: they join without natives, waiting for
    // their page. Natives: controls that joined Later get their natives.
    // A tab control's pages other than its current one wait in `deferred_`.
    enum class Build { Fresh, Later, Natives };
    void addControls(const std::vector<ControlSpec>& specs, const std::string& parent, wxWindow* parentNative,
                     Build build = Build::Fresh);
    // A book's pages: the shown one built as `build` says, the others waiting.
    void addPages(WxControl&, const ControlSpec&, Build build);
    WxControl& join(const ControlSpec& spec, const std::string& parent);
    // Makes the natives of every waiting page between the control and the window.
    void materialise(const std::string& control);
    // Makes the natives of a waiting page's controls (nothing when none wait).
    void buildPage(const std::string& page);
    void buildPageAt(const std::string& book, int index);
    bool setTextOfWaitingControl(const std::string& control, const GbkText& value);
    void registerNative(wxWindow* w, const std::string& control);
    void finishNative(WxControl& c);
    // The window that places the control: its holder, else the native.
    static wxWindow* outer(const WxControl& c);

    wxWindow* makeEdit(WxControl&, wxWindow*);
    wxWindow* makeCode(WxControl&, wxWindow*);
    wxWindow* makeLabel(WxControl&, wxWindow*);
    wxWindow* makeButton(WxControl&, wxWindow*);
    wxWindow* makeCheck(WxControl&, wxWindow*);
    wxWindow* makeRadio(WxControl&, wxWindow*);
    wxWindow* makeCombo(WxControl&, wxWindow*);
    wxWindow* makeList(WxControl&, wxWindow*);
    wxWindow* makeGroup(WxControl&, wxWindow*);
    wxWindow* makeBook(WxControl&, wxWindow*);
    wxWindow* makeTree(WxControl&, wxWindow*);
    wxWindow* makeReport(WxControl&, wxWindow*);
    wxWindow* makeStatus(WxControl&, wxWindow*);
    wxWindow* makeScroll(WxControl&, wxWindow*);
    wxWindow* makeIp(WxControl&, wxWindow*);
    wxWindow* makeGrid(WxControl&, wxWindow*);
    wxWindow* makePicture(WxControl&, wxWindow*);
    wxWindow* makePanel(WxControl&, wxWindow*);
    wxWindow* makeLink(WxControl&, wxWindow*);
    wxWindow* makeNothing(WxControl&, wxWindow*);

    // Binds a native event; the callback runs only while the window lives.
    template <class E, class F>
    void bind(wxEvtHandler* source, const wxEventTypeTag<E>& type, F&& callback);
    void bindFocusAndKeys(wxWindow* w, const std::string& control);
    void bindMouse(wxWindow* w, const std::string& control);
    void later(std::function<void()> work);

    bool deliver(const std::string& control, Event event, const EventArgs& args, bool fromToolkit);
    void chooseMenuItem(int id);
    void showLabel(WxControl& c);
    void showStatus(WxControl& c);
    void shapeGroup(WxControl& c);
    void uncheckGroupPeers(const std::string& control);
    void setIpText(WxControl& c, const Gbk& text);
    Gbk ipText(const WxControl& c) const;
    void rebuildTree(WxControl& c);
    int treeIndexOf(const WxControl& c, const wxTreeItemId& id) const;
    int reportSelection(const WxControl& c) const;
    void reportScroll(WxControl& c, int position);
    std::unique_ptr<wxMenu> buildMenu(const std::string& menu);
    void setTrayIcon(WxControl& c);
    void onCloseEvent(wxCloseEvent& e);

    WxUi& ui_;
    std::string name_;
    std::string owner_;
    wxFrame* frame_ = nullptr;
    wxWindow* client_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    mutable int quiet_ = 0;
    bool destroyed_ = false;
    bool inTrayEvent_ = false;
    bool everShown_ = false;
    bool closingFromCode_ = false;
    std::map<std::string, WxControl> controls_;
    // The controls of tab pages not yet shown, by page: a page's natives are
    // made when it is first shown or one of its controls is first used, so a
    // window of many pages starts with only the ones on screen.
    std::map<std::string, std::vector<ControlSpec>> deferred_;
    std::vector<std::string> order_;
    std::unordered_map<wxWindow*, std::string> byNative_;
    std::map<int, std::string> menuItems_;
    HandlerTable handlers_;
    std::function<bool(bool)> onClose_;
    std::function<void()> onDestroy_;
    std::unique_ptr<wxMenu> shownMenu_;
};

class WxUi final : public Ui {
public:
    // Null when the toolkit cannot start (no display). Once per process.
    static std::unique_ptr<WxUi> Create(int& argc, char** argv);
    ~WxUi() override;

    Window& createWindow(const WindowSpec& layout, Window* owner,
                         const std::function<void(Window&)>& onCreated) override;
    Window* findWindow(const std::string& name) override;
    void destroyWindow(Window& window) override;

    int messageBox(const MessageBoxCall& call) override;
    bool setClipboardText(const GbkText& text) override;
    std::optional<GbkText> clipboardText() override;
    void openUrl(const GbkText& url) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    void post(std::function<void()> work) override;
    void stopPosting() override;
    bool trayAvailable() const override;
    void quit(int exitCode) override;
    int run() override;

    WxWindow* window(const std::string& name);
    void quitAfter(int milliseconds);
    // Runs `work` as a handler. A fault escaping a handler that the toolkit
    // called (or the outermost one) is an internal error: reported, then the
    // program ends. Handlers that code inside a handler sets off pass their
    // faults up to it, as plain calls do.
    void dispatch(const std::function<void()>& work, bool fromToolkit);
    // What an internal error does. By default: a box titled "错误", then the
    // loop ends with code 1 and no handler runs any more. Tests replace it.
    std::function<void(const std::string& what)> onFault;
    // Lets the toolkit deliver what is pending (tests and benchmarks only,
    // never from a handler): events, posted work and deferred deletions.
    void runPending(int milliseconds = 0);
    // Destroys every window, owned ones before their owners, with their
    // destroy handlers (shut-down, and tests that share one toolkit start).
    void destroyAllWindows();
    // Told the name of every window brought to the front (tests of the whole
    // program watch a second start reach the first copy); nothing by default.
    std::function<void(const std::string& window)> onRaised;
    // The message box for `call`, not yet shown: its buttons read as the
    // rest of the interface does, whatever the desktop's language.
    std::unique_ptr<wxMessageDialog> messageDialog(const MessageBoxCall& call);

protected:
    std::optional<std::filesystem::path> showFileDialog(const FileDialogRequest& request) override;

private:
    WxUi();
    friend class WxWindow;
    void forget(WxWindow& window);
    // Frees the destroyed windows whose frames the toolkit has deleted, once
    // no handler is running (one of theirs might be).
    void releaseGoneWindows();
    void releaseGoneWindowsLater();
    wxWindow* dialogParent(const std::string& owner);

    struct PostGate {
        std::mutex mutex;
        bool open = true;
    };

    std::map<std::string, std::unique_ptr<WxWindow>> windows_;
    std::vector<std::unique_ptr<WxWindow>> graveyard_;
    std::shared_ptr<PostGate> gate_ = std::make_shared<PostGate>();
    std::unique_ptr<wxTimer> quitTimer_;
    int dispatchDepth_ = 0;
    bool faulted_ = false;
    bool quitRequested_ = false;
    bool running_ = false;
    int exitCode_ = 0;
};

}  // namespace trelvix::ui
