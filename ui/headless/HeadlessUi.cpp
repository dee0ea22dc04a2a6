#include "ui/headless/HeadlessUi.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

#include "common/text/Gbk.h"
#include "ui/EditBoxes.h"

namespace trelvix::ui {

// ---------------------------------------------------------------- window

HeadlessWindow::HeadlessWindow(HeadlessUi& ui, const WindowSpec& spec, Window* /*owner*/)
    : ui_(ui), name_(spec.name), title_(spec.title), rect_(spec.rect) {
    addControls(spec.controls, "");
}

void HeadlessWindow::addControls(const std::vector<ControlSpec>& specs, const std::string& parent) {
    for (const ControlSpec& s : specs) {
        if (controls_.count(s.name)) throw std::runtime_error("layout " + name_ + ": control named twice: " + s.name);
        HeadlessControl c;
        c.start(s, parent);
        c.gridRows = s.gridRows;
        c.gridColumns = static_cast<int>(s.columns.size());
        controls_.emplace(s.name, std::move(c));
        order_.push_back(s.name);
        addControls(s.children, s.name);
    }
}

HeadlessControl& HeadlessWindow::at(const std::string& control) {
    auto it = controls_.find(control);
    if (it == controls_.end()) throw UnknownControl(name_, control);
    return it->second;
}
const HeadlessControl& HeadlessWindow::at(const std::string& control) const {
    auto it = controls_.find(control);
    if (it == controls_.end()) throw UnknownControl(name_, control);
    return it->second;
}

HeadlessControl& HeadlessWindow::at(const std::string& control, Property property, const char* operation) {
    HeadlessControl& c = at(control);
    RequireKind(name_, control, c.spec.kind, property, operation);
    return c;
}
const HeadlessControl& HeadlessWindow::at(const std::string& control, Property property, const char* operation) const {
    const HeadlessControl& c = at(control);
    RequireKind(name_, control, c.spec.kind, property, operation);
    return c;
}

bool HeadlessWindow::has(const std::string& control) const { return controls_.count(control) != 0; }
Kind HeadlessWindow::kind(const std::string& control) const { return at(control).spec.kind; }
std::vector<std::string> HeadlessWindow::children(const std::string& control) const {
    if (!control.empty()) at(control);
    return ChildrenOf(order_, controls_, control);
}

GbkText HeadlessWindow::text(const std::string& control) const {
    const HeadlessControl& c = at(control);
    if (c.spec.kind == Kind::IpAddress) return AddressText(Split(c.text, "."));
    return c.text;
}

void HeadlessWindow::setText(const std::string& control, const GbkText& text) {
    HeadlessControl& c = at(control);
    if (c.spec.kind == Kind::Combo && !c.spec.editable && !c.chooseItemText(text)) return;
    const bool changed = c.takeText(text);
    if (c.spec.kind == Kind::Page) renamePage(c, text);
    // As on Windows, setting an edit box's content from code raises its change event.
    if (changed && (c.spec.kind == Kind::Edit || c.spec.kind == Kind::CodeBox)) fire(control, Event::Change);
}

bool HeadlessWindow::visible(const std::string& control) const { return at(control).visible; }
void HeadlessWindow::setVisible(const std::string& control, bool on) { at(control).visible = on; }
bool HeadlessWindow::enabled(const std::string& control) const { return at(control).enabled; }
void HeadlessWindow::setEnabled(const std::string& control, bool on) { at(control).enabled = on; }
Rect HeadlessWindow::rect(const std::string& control) const { return at(control).rect; }
void HeadlessWindow::setRect(const std::string& control, const Rect& r) { at(control).rect = r; }

bool HeadlessWindow::readOnly(const std::string& control) const {
    return at(control, Property::ReadOnly, __func__).readOnly;
}
void HeadlessWindow::setReadOnly(const std::string& control, bool on) {
    at(control, Property::ReadOnly, __func__).readOnly = on;
}
bool HeadlessWindow::masked(const std::string& control) const { return at(control, Property::Masked, __func__).masked; }
void HeadlessWindow::setMasked(const std::string& control, bool on) {
    at(control, Property::Masked, __func__).takeMasked(on);
}

std::pair<int, int> HeadlessWindow::selection(const std::string& control) const {
    const HeadlessControl& c = at(control, Property::Selection, __func__);
    return {c.selStart, c.selEnd};
}

void HeadlessWindow::setSelection(const std::string& control, int start, int end) {
    HeadlessControl& c = at(control, Property::Selection, __func__);
    std::tie(c.selStart, c.selEnd) = SnapSelection(c.text, start, end);
}

void HeadlessWindow::replaceSelection(const std::string& control, const GbkText& text) {
    HeadlessControl& c = at(control, Property::Selection, __func__);
    const int a = std::min(c.selStart, c.selEnd), b = std::max(c.selStart, c.selEnd);
    Gbk next = c.text.substr(0, a) + text.bytes() + c.text.substr(b);
    const int caret = a + static_cast<int>(text.size());
    c.text = next;
    c.selStart = c.selEnd = caret;
    if (c.spec.kind == Kind::Edit || c.spec.kind == Kind::CodeBox) fire(control, Event::Change);
}

int HeadlessWindow::firstVisibleLine(const std::string& control) const {
    return at(control, Property::Lines, __func__).firstLine;
}
void HeadlessWindow::scrollToLine(const std::string& control, int line) {
    HeadlessControl& c = at(control, Property::Lines, __func__);
    const int next = ClampToLines(c.text, line);
    if (next == c.firstLine) return;
    c.firstLine = next;
    fire(control, Event::Scroll, EventArgs::Index(next));
}

bool HeadlessWindow::checked(const std::string& control) const {
    return at(control, Property::Checked, __func__).checked;
}

void HeadlessWindow::renamePage(const HeadlessControl& page, const Gbk& caption) {
    HeadlessControl& book = at(page.parent);
    int index = 0;
    for (const std::string& name : order_) {
        const HeadlessControl& other = controls_.at(name);
        if (other.parent != page.parent || other.spec.kind != Kind::Page) continue;
        if (&other == &page) {
            if (index < static_cast<int>(book.items.size())) book.items[index] = caption;
            return;
        }
        ++index;
    }
}

void HeadlessWindow::uncheckGroupPeers(const std::string& control) {
    const HeadlessControl& self = at(control);
    for (auto& [name, c] : controls_) {
        if (name != control && SameRadioGroup(c, self)) c.checked = false;
    }
}

void HeadlessWindow::setChecked(const std::string& control, bool on) {
    HeadlessControl& c = at(control, Property::Checked, __func__);
    c.checked = on;
    if (on && c.spec.kind == Kind::Radio) uncheckGroupPeers(control);
}

std::vector<GbkText> HeadlessWindow::items(const std::string& control) const {
    return AsTexts(at(control, Property::Items, __func__).items);
}

void HeadlessWindow::setItems(const std::string& control, const std::vector<GbkText>& items) {
    at(control, Property::Items, __func__).takeItems(items);
}

int HeadlessWindow::currentItem(const std::string& control) const {
    return at(control, Property::Current, __func__).current;
}

void HeadlessWindow::setCurrentItem(const std::string& control, int index) {
    HeadlessControl& c = at(control, Property::Current, __func__);
    const int count = c.spec.kind == Kind::Tree         ? static_cast<int>(c.tree.size())
                      : c.spec.kind == Kind::ReportList ? static_cast<int>(c.rows.size())
                      : c.spec.kind == Kind::HScroll    ? c.spec.maximum + 1
                                                        : static_cast<int>(c.items.size());
    if (c.spec.kind == Kind::HScroll) index = std::clamp(index, c.spec.minimum, c.spec.maximum);
    c.current = (index >= 0 && index < count) ? index : -1;
    if (c.spec.kind == Kind::Combo && c.current >= 0) c.text = c.items[c.current];
}

int HeadlessWindow::rowCount(const std::string& control) const {
    return static_cast<int>(at(control, Property::Rows, __func__).rows.size());
}

std::vector<GbkText> HeadlessWindow::row(const std::string& control, int r) const {
    return AsTexts(at(control, Property::Rows, __func__).rowAt(r));
}

int HeadlessWindow::addRow(const std::string& control, const std::vector<GbkText>& cells) {
    HeadlessControl& c = at(control, Property::Rows, __func__);
    c.rowChecks.push_back(false);
    return c.addRow(cells);
}

void HeadlessWindow::setCell(const std::string& control, int r, int column, const GbkText& text) {
    at(control, Property::Rows, __func__).setCell(r, column, text);
}

void HeadlessWindow::removeRow(const std::string& control, int r) {
    HeadlessControl& c = at(control, Property::Rows, __func__);
    if (!c.removeRow(r)) return;
    c.rowChecks.erase(c.rowChecks.begin() + r);
    // The current row stays on the row it was on; removing it leaves none.
    if (c.current == r) c.current = -1;
    else if (c.current > r) --c.current;
}

void HeadlessWindow::clearRows(const std::string& control) {
    HeadlessControl& c = at(control, Property::Rows, __func__);
    c.rows.clear();
    c.rowChecks.clear();
    c.current = -1;
}

bool HeadlessWindow::rowChecked(const std::string& control, int r) const {
    const HeadlessControl& c = at(control, Property::Rows, __func__);
    return r >= 0 && r < static_cast<int>(c.rowChecks.size()) && c.rowChecks[r];
}

void HeadlessWindow::setRowChecked(const std::string& control, int r, bool on) {
    HeadlessControl& c = at(control, Property::Rows, __func__);
    if (r >= 0 && r < static_cast<int>(c.rowChecks.size())) c.rowChecks[r] = on;
}

std::vector<TreeItem> HeadlessWindow::treeItems(const std::string& control) const {
    return at(control, Property::TreeItems, __func__).tree;
}

int HeadlessWindow::addTreeItem(const std::string& control, const GbkText& text, int parent) {
    return at(control, Property::TreeItems, __func__).addTreeItem(text, parent);
}

void HeadlessWindow::setTreeItem(const std::string& control, int item, const TreeItem& value) {
    HeadlessControl& c = at(control, Property::TreeItems, __func__);
    if (item >= 0 && item < static_cast<int>(c.tree.size())) c.tree[item] = value;
}

void HeadlessWindow::clearTree(const std::string& control) { at(control, Property::TreeItems, __func__).clearTree(); }

GbkText HeadlessWindow::gridCell(const std::string& control, int r, int column) const {
    const HeadlessControl& c = at(control, Property::GridCells, __func__);
    auto it = c.grid.find({r, column});
    return it == c.grid.end() ? Gbk() : it->second;
}

void HeadlessWindow::setGridCell(const std::string& control, int r, int column, const GbkText& text) {
    HeadlessControl& c = at(control, Property::GridCells, __func__);
    if (r < 0 || column < 0 || r >= c.gridRows || column >= c.gridColumns)
        throw std::out_of_range("grid cell out of range in " + control);
    c.grid[{r, column}] = text;
}

void HeadlessWindow::setGridSize(const std::string& control, int rows, int columns) {
    HeadlessControl& c = at(control, Property::GridCells, __func__);
    c.gridRows = std::max(0, rows);
    c.gridColumns = std::max(0, columns);
    auto outside = [&](const auto& kv) { return kv.first.first >= c.gridRows || kv.first.second >= c.gridColumns; };
    std::erase_if(c.grid, outside);
    std::erase_if(c.gridBackground, outside);
}

int HeadlessWindow::gridCellBackground(const std::string& control, int r, int column) const {
    const HeadlessControl& c = at(control, Property::GridCells, __func__);
    auto it = c.gridBackground.find({r, column});
    return it == c.gridBackground.end() ? -1 : it->second;
}

void HeadlessWindow::setGridCellBackground(const std::string& control, int r, int column, int rgb) {
    HeadlessControl& c = at(control, Property::GridCells, __func__);
    if (r < 0 || column < 0 || r >= c.gridRows || column >= c.gridColumns)
        throw std::out_of_range("grid cell out of range in " + control);
    if (rgb < 0) c.gridBackground.erase({r, column});
    else c.gridBackground[{r, column}] = rgb & 0xFFFFFF;
}

std::pair<int, int> HeadlessWindow::gridSize(const std::string& control) const {
    const HeadlessControl& c = at(control, Property::GridCells, "gridSize");
    return {c.gridRows, c.gridColumns};
}

const std::string& HeadlessWindow::image(const std::string& control) const {
    return at(control, Property::Image, "image").image;
}

void HeadlessWindow::setImage(const std::string& control, const std::string& bytes) {
    at(control, Property::Image, __func__).image = bytes;
}

bool HeadlessWindow::trayShown(const std::string& control) const {
    const HeadlessControl& c = at(control, Property::Tray, __func__);
    return !c.image.empty() && ui_.trayAvailable();
}

void HeadlessWindow::popupMenu(const std::string& menu) {
    at(menu, Property::Menu, __func__);
    lastPopup_ = menu;
}

void HeadlessWindow::setTip(const std::string& tipControl, const std::string& target, const GbkText& text) {
    at(target);
    at(tipControl, Property::Tips, __func__).tips[target] = text;
}

GbkText HeadlessWindow::tip(const std::string& tipControl, const std::string& target) const {
    return at(tipControl, Property::Tips, __func__).tipFor(target);
}

void HeadlessWindow::setFocus(const std::string& control) {
    at(control);
    focus_ = control;
}

void HeadlessWindow::raise(bool topmost) {
    topmost_ = topmost;
    ++raised_;
    ui_.activeWindow = name_;
}

bool HeadlessWindow::close(bool canRefuse) {
    if (destroyed_) return true;
    const HeadlessUi::EventScope event(ui_);
    if (onClose_) {
        const bool goOn = onClose_(canRefuse);
        if (!goOn && canRefuse) return false;
    }
    ui_.destroyWindow(*this);
    return true;
}

void HeadlessWindow::runDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    endLifetime();
    if (onDestroy_) onDestroy_();
}

void HeadlessWindow::on(const std::string& control, Event event, Handler handler) {
    if (!control.empty()) at(control);
    handlers_.add(control, event, std::move(handler));
}

void HeadlessWindow::acceptFiles(const std::string& control, bool on) { at(control).acceptsFiles = on; }

bool HeadlessWindow::fire(const std::string& control, Event event, const EventArgs& args) {
    if (destroyed_) return false;
    const HeadlessUi::EventScope scope(ui_);
    return handlers_.run(control, event, args, [this] { return !destroyed_; });
}

void HeadlessWindow::click(const std::string& control) {
    HeadlessControl& c = at(control);
    if (!c.enabled) return;
    if (c.spec.kind == Kind::CheckBox) c.checked = !c.checked;
    if (c.spec.kind == Kind::Radio) setChecked(control, true);
    fire(control, Event::Click);
}

void HeadlessWindow::type(const std::string& control, const Gbk& typed) {
    HeadlessControl& c = at(control);
    if (c.spec.kind == Kind::Combo && !c.spec.editable) {
        setText(control, typed);
        fire(control, Event::ItemChosen, EventArgs::Index(c.current));
        return;
    }
    // A user's typing meets the same rule as on the desktop: a digits-only box
    // keeps the digits, a box with a greatest length no more than fits.
    const bool limited = c.spec.kind == Kind::Edit && (c.spec.digitsOnly || c.spec.maxLength > 0);
    const Gbk text = limited ? AdmitTyped(typed, c.spec.digitsOnly, c.spec.maxLength > 0 ? c.spec.maxLength : -1)
                             : typed;
    const bool changed = c.text != text;
    c.text = text;
    c.selStart = c.selEnd = static_cast<int>(text.size());
    if (c.spec.kind == Kind::Combo) c.current = c.itemIndex(text);
    if (changed) fire(control, Event::Change);
}

void HeadlessWindow::choose(const std::string& control, int index) {
    HeadlessControl& c = at(control, Property::Current, __func__);
    setCurrentItem(control, index);
    switch (c.spec.kind) {
        case Kind::Tab:
        case Kind::PageControl: fire(control, Event::TabChanged, EventArgs::Index(c.current)); break;
        case Kind::Tree: fire(control, Event::TreeItemChanged, EventArgs::Index(c.current)); break;
        case Kind::ReportList: fire(control, Event::RowChanged, EventArgs::Index(c.current)); break;
        case Kind::HScroll: fire(control, Event::Scroll, EventArgs::Index(c.current)); break;
        default: fire(control, Event::ItemChosen, EventArgs::Index(c.current)); break;
    }
}

void HeadlessWindow::focusTo(const std::string& control) {
    at(control);
    const std::string previous = focus_;
    focus_ = control;
    if (!previous.empty() && previous != control) fire(previous, Event::LostFocus);
}

void HeadlessWindow::keyDown(const std::string& control, int key, int modifiers) {
    fire(control, Event::KeyDown, EventArgs::Key(key, modifiers));
}

void HeadlessWindow::dropFiles(const std::string& control, const std::vector<std::filesystem::path>& files) {
    if (!at(control).acceptsFiles) return;
    fire(control, Event::FilesDropped, EventArgs::Files(files));
}

// ---------------------------------------------------------------- ui

HeadlessUi::HeadlessUi() = default;

HeadlessUi::~HeadlessUi() {
    stopPosting();
    // Destroy handlers run at the end as they would when the process ends.
    while (!windows_.empty()) {
        auto node = windows_.extract(windows_.begin());
        node.mapped()->runDestroy();
    }
    graveyard_.clear();
}

HeadlessUi::EventScope::EventScope(HeadlessUi& ui) : ui_(ui) {
    // The outermost event starts after every earlier one has returned, so no
    // handler of a destroyed window is running any more.
    if (ui_.eventDepth_++ == 0) {
        std::vector<std::unique_ptr<HeadlessWindow>> released = std::move(ui_.graveyard_);
        ui_.graveyard_.clear();
    }
}

HeadlessUi::EventScope::~EventScope() { --ui_.eventDepth_; }

Window& HeadlessUi::createWindow(const WindowSpec& layout, Window* owner,
                                 const std::function<void(Window&)>& onCreated) {
    if (windows_.count(layout.name)) throw std::runtime_error("window already exists: " + layout.name);
    const EventScope event(*this);
    auto w = std::make_unique<HeadlessWindow>(*this, layout, owner);
    HeadlessWindow& ref = *w;
    windows_.emplace(layout.name, std::move(w));
    activeWindow = layout.name;
    if (onCreated) onCreated(ref);
    return ref;
}

Window* HeadlessUi::findWindow(const std::string& name) { return window(name); }

HeadlessWindow* HeadlessUi::window(const std::string& name) {
    auto it = windows_.find(name);
    return it == windows_.end() ? nullptr : it->second.get();
}

void HeadlessUi::destroyWindow(Window& window) {
    auto it = windows_.find(window.name());
    if (it == windows_.end() || it->second.get() != &window) return;
    const EventScope event(*this);
    it->second->runDestroy();
    forget(window.name());
}

void HeadlessUi::forget(const std::string& name) {
    auto it = windows_.find(name);
    if (it == windows_.end()) return;
    // Kept until the next outermost event: the caller may still be inside its handler.
    graveyard_.push_back(std::move(it->second));
    windows_.erase(it);
}

int HeadlessUi::messageBox(const MessageBoxCall& call) {
    ShownMessage shown;
    static_cast<MessageBoxCall&>(shown) = call;
    const std::string where = call.owner.empty() ? activeWindow : call.owner;
    if (HeadlessWindow* w = window(where)) shown.focusAtShow = w->focus();
    int answer;
    if (!messageAnswers.empty()) {
        answer = messageAnswers.front();
        messageAnswers.pop_front();
    } else {
        const int buttons = call.flags & 0x0F;
        answer = buttons == mb::YesNo ? mb::IdYes : mb::IdOk;
    }
    shown.answer = answer;
    messages.push_back(std::move(shown));
    return answer;
}

std::optional<std::filesystem::path> HeadlessUi::showFileDialog(const FileDialogRequest& request) {
    dialogs.push_back(request);
    if (dialogAnswers.empty()) return std::nullopt;
    auto answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
}

bool HeadlessUi::setClipboardText(const GbkText& text) {
    if (!clipboardWorks) return false;
    clipboard = text;
    return true;
}

std::optional<GbkText> HeadlessUi::clipboardText() { return clipboardWorks ? clipboard : std::nullopt; }

std::optional<FontChoice> HeadlessUi::chooseFont(const FontChoice&) {
    if (fontAnswers.empty()) return std::nullopt;
    auto answer = fontAnswers.front();
    fontAnswers.pop_front();
    return answer;
}

void HeadlessUi::post(std::function<void()> work) {
    std::lock_guard lock(postMutex_);
    if (posting_) posted_.push_back(std::move(work));
}

void HeadlessUi::stopPosting() {
    std::lock_guard lock(postMutex_);
    posting_ = false;
    posted_.clear();
}

int HeadlessUi::runPosted() {
    const EventScope event(*this);
    int ran = 0;
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(postMutex_);
            if (posted_.empty()) return ran;
            work = std::move(posted_.front());
            posted_.pop_front();
        }
        work();
        ++ran;
    }
}

void HeadlessUi::quit(int code) {
    quitRequested = true;
    exitCode = code;
}

int HeadlessUi::run() {
    while (!quitRequested && runPosted() > 0) {
    }
    return exitCode;
}

}  // namespace trelvix::ui
