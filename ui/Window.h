#pragma once
// The window interface that every handler uses. Controls are addressed by
// their names (GBK, as in the layouts); all text crossing this interface is
// GBK with CR LF line ends, typed `GbkText`. Two realisations exist: headless
// (tests, the case runner) and wxWidgets (people).
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ui/GbkText.h"
#include "ui/Layout.h"

namespace trelvix::ui {
// clang-format off

enum class Event {
    Click,
    Change,          // content changed (edit boxes, code boxes)
    LostFocus,
    KeyDown,         // args.key, args.modifiers
    ItemChosen,      // combo box or list box item chosen
    TreeItemChanged,
    TabChanged,
    Scroll,          // scroll bar position, code box first visible line
    RowChanged,      // report list: current row changed
    RowRightClick,   // report list row, tree item (args.index: the item under the mouse)
    RowChecked,      // report list: a row's check box (args.index)
    MouseDown,       // picture, label
    TrayLeftClick,
    TrayRightClick,
    FilesDropped,    // args.files
    DoubleClick,
};

namespace mod {
// clang-format on
constexpr int Shift = 1, Ctrl = 2, Alt = 4;
}  // namespace mod

struct EventArgs {
    int key = 0;        // Windows virtual-key code (65 = A)
    int modifiers = 0;  // mod::Shift | mod::Ctrl | mod::Alt
    int index = -1;     // row, item or page the event is about
    int x = 0, y = 0;
    // Dropped files, as the desktop named them: a path is never narrowed to
    // GBK, which lacks characters that file names may hold.
    std::vector<std::filesystem::path> files;

    static EventArgs Index(int i) {
        EventArgs a;
        a.index = i;
        return a;
    }
    static EventArgs Key(int k, int m) {
        EventArgs a;
        a.key = k;
        a.modifiers = m;
        return a;
    }
    static EventArgs Files(std::vector<std::filesystem::path> f) {
        EventArgs a;
        a.files = std::move(f);
        return a;
    }
};

using Handler = std::function<void(const EventArgs&)>;

// Thrown when a handler or a test names a control the window does not have.
struct UnknownControl : std::runtime_error {
    UnknownControl(const std::string& window, const std::string& control);
    std::string window, control;
};

// Thrown when a call asks a control for what its kind does not hold (rows of
// an edit box, the check of a button): the same fault on every realisation.
struct WrongControlKind : std::runtime_error {
    WrongControlKind(const std::string& window, const std::string& control, Kind kind, const std::string& operation,
                     const std::string& wanted);
    std::string window, control;
    Kind kind;
    std::string operation;
};

struct TreeItem {
    GbkText text;
    int parent = -1;
    bool bold = false;
    bool expanded = false;
};

class Window {
public:
    virtual ~Window() = default;

    virtual const std::string& name() const = 0;
    virtual bool has(const std::string& control) const = 0;
    virtual Kind kind(const std::string& control) const = 0;
    // The controls a group, page, tab or menu holds itself, in layout order;
    // "" names the window itself (its top-level controls).
    virtual std::vector<std::string> children(const std::string& control) const = 0;
    // Every control of the window, depth first in layout order.
    virtual std::vector<std::string> controls() const {
        std::vector<std::string> all;
        std::vector<std::string> pending = children("");
        std::reverse(pending.begin(), pending.end());
        while (!pending.empty()) {
            all.push_back(pending.back());
            pending.pop_back();
            std::vector<std::string> inner = children(all.back());
            pending.insert(pending.end(), inner.rbegin(), inner.rend());
        }
        return all;
    }

    // --- every control
    virtual GbkText text(const std::string& control) const = 0;  // content or caption
    virtual void setText(const std::string& control, const GbkText& text) = 0;
    virtual bool visible(const std::string& control) const = 0;
    virtual void setVisible(const std::string& control, bool on) = 0;
    virtual bool enabled(const std::string& control) const = 0;
    virtual void setEnabled(const std::string& control, bool on) = 0;
    virtual Rect rect(const std::string& control) const = 0;  // relative to its parent
    virtual void setRect(const std::string& control, const Rect& r) = 0;

    // --- edit boxes
    virtual bool readOnly(const std::string& control) const = 0;
    virtual void setReadOnly(const std::string& control, bool on) = 0;
    // Whether a one-line box shows its text as dots (a password field); the
    // text itself stays as it is.
    virtual bool masked(const std::string& control) const = 0;
    virtual void setMasked(const std::string& control, bool on) = 0;
    virtual std::pair<int, int> selection(const std::string& control) const = 0;    // byte offsets
    virtual void setSelection(const std::string& control, int start, int end) = 0;  // end -1 = to the end
    virtual void replaceSelection(const std::string& control, const GbkText& text) = 0;
    virtual int firstVisibleLine(const std::string& control) const = 0;
    virtual void scrollToLine(const std::string& control, int line) = 0;

    // --- check boxes, radio buttons, menu items
    virtual bool checked(const std::string& control) const = 0;
    virtual void setChecked(const std::string& control, bool on) = 0;

    // --- combo boxes, list boxes, status-bar panels, tab pages (captions)
    virtual std::vector<GbkText> items(const std::string& control) const = 0;
    virtual void setItems(const std::string& control, const std::vector<GbkText>& items) = 0;
    virtual int currentItem(const std::string& control) const = 0;  // also a tab's page, a scroll position
    virtual void setCurrentItem(const std::string& control, int index) = 0;

    // --- report lists
    virtual int rowCount(const std::string& control) const = 0;
    virtual std::vector<GbkText> row(const std::string& control, int row) const = 0;
    virtual int addRow(const std::string& control, const std::vector<GbkText>& cells) = 0;
    virtual void setCell(const std::string& control, int row, int column, const GbkText& text) = 0;
    virtual void removeRow(const std::string& control, int row) = 0;
    virtual void clearRows(const std::string& control) = 0;
    virtual bool rowChecked(const std::string& control, int row) const = 0;
    virtual void setRowChecked(const std::string& control, int row, bool on) = 0;

    // --- tree views
    virtual std::vector<TreeItem> treeItems(const std::string& control) const = 0;
    virtual int addTreeItem(const std::string& control, const GbkText& text, int parent) = 0;
    virtual void setTreeItem(const std::string& control, int item, const TreeItem& value) = 0;
    virtual void clearTree(const std::string& control) = 0;

    // --- grids
    virtual GbkText gridCell(const std::string& control, int row, int column) const = 0;
    virtual void setGridCell(const std::string& control, int row, int column, const GbkText& text) = 0;
    virtual void setGridSize(const std::string& control, int rows, int columns) = 0;
    // A cell's background colour as 0xRRGGBB; -1 gives it the grid's own
    // again, and is what a cell without one of its own answers.
    virtual int gridCellBackground(const std::string& control, int row, int column) const = 0;
    virtual void setGridCellBackground(const std::string& control, int row, int column, int rgb) = 0;

    // --- pictures and icons: image file bytes (PNG, JPEG, ICO)
    virtual void setImage(const std::string& control, const std::string& bytes) = 0;

    // --- tray icon: shown while it has an icon; pops up the named menu
    virtual bool trayShown(const std::string& control) const = 0;
    virtual void popupMenu(const std::string& menu) = 0;

    // --- balloon tips
    virtual void setTip(const std::string& tipControl, const std::string& target, const GbkText& text) = 0;
    virtual GbkText tip(const std::string& tipControl, const std::string& target) const = 0;

    // --- focus ("" when no control of this window has it)
    virtual std::string focus() const = 0;
    virtual void setFocus(const std::string& control) = 0;

    // --- the window itself
    virtual GbkText title() const = 0;
    virtual void setTitle(const GbkText& title) = 0;
    virtual bool shown() const = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool minimized() const = 0;
    virtual void restore() = 0;            // from minimised
    virtual void raise(bool topmost) = 0;  // to the foreground
    virtual Rect windowRect() const = 0;
    virtual void setWindowSize(int w, int h) = 0;
    // Asks the window to close: the may-close handler decides unless the
    // close cannot be refused. Returns whether the window was destroyed.
    virtual bool close(bool canRefuse = true) = 0;

    // --- events
    // Every handler bound to a control's event runs, in the order they were
    // bound; one bound while the event runs waits for the next one. The
    // handlers after one that destroys the window do not run.
    virtual void on(const std::string& control, Event event, Handler handler) = 0;
    // The window's own events: `onClose` answers whether the close may go on
    // (its argument says whether refusing is possible at all).
    virtual void onClose(std::function<bool(bool canRefuse)> handler) = 0;
    virtual void onDestroy(std::function<void()> handler) = 0;
    // Enables file drops on a control; the FilesDropped handler receives them.
    virtual void acceptFiles(const std::string& control, bool on) = 0;

    // Expires as the window is destroyed, before its destroy handler runs:
    // work that ends later can tell on the UI thread that there is nothing
    // left to reach, even while the window's object is still kept.
    std::weak_ptr<const void> lifetime() const { return lifetime_; }
    // Runs `atEnd` as the window is destroyed, before its destroy handler;
    // for work that must end with the window whoever owns it.
    void whenDestroyed(std::function<void()> atEnd) { atEnd_.push_back(std::move(atEnd)); }

protected:
    // The realisation's part of destroying the window; once.
    void endLifetime() {
        if (!lifetime_) return;
        lifetime_.reset();
        for (const std::function<void()>& atEnd : std::exchange(atEnd_, {})) atEnd();
    }

private:
    std::shared_ptr<const void> lifetime_ = std::make_shared<char>(0);
    std::vector<std::function<void()>> atEnd_;
};

}  // namespace trelvix::ui
