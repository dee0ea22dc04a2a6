#include "ui/wx/WxWindow.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include <wx/app.h>
#include <wx/stattext.h>  // before the generic label, which would hide it
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dnd.h>
#include <wx/generic/statbmpg.h>
#include <wx/generic/stattextg.h>
#include <wx/grid.h>
#include <wx/hyperlink.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/scrolbar.h>
#include <wx/simplebook.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/statusbr.h>
#include <wx/stc/stc.h>
#include <wx/taskbar.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>
#include <wx/treectrl.h>
#include <wx/utils.h>

#include "ui/wx/WxMapping.h"
#include "ui/wx/WxText.h"
#include "ui/wx/WxTyping.h"

namespace trelvix::ui {

namespace {

constexpr int kFirstMenuId = wxID_HIGHEST + 1;
constexpr int kIpDotWidth = 6;
constexpr int kScrollPage = 10;
// Below this a group box has no room for its frame and caption.
constexpr int kMinGroupHeight = 20;

wxPoint PointOf(const Rect& r) { return {r.x, r.y}; }
wxSize SizeOf(const Rect& r) { return {r.w, r.h}; }

// For the layout's stored items and for those handed in.
template <class Text>
wxArrayString WxList(const std::vector<Text>& items) {
    wxArrayString out;
    out.reserve(items.size());
    for (const Text& item : items) out.push_back(ToWx(item));
    return out;
}

std::vector<GbkText> GbkList(const wxArrayString& items) {
    std::vector<GbkText> out;
    out.reserve(items.size());
    for (const wxString& item : items) out.push_back(FromWx(item));
    return out;
}

int CountLines(const Gbk& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1; }

// Picture bytes in any format the image handlers know; nothing for bytes that
// are no picture (the toolkit would otherwise complain in a box).
wxBitmap BitmapFromBytes(const std::string& bytes) {
    if (bytes.empty()) return wxNullBitmap;
    wxLogNull quiet;
    wxMemoryInputStream in(bytes.data(), bytes.size());
    wxImage image;
    if (!image.LoadFile(in, wxBITMAP_TYPE_ANY) || !image.IsOk()) return wxNullBitmap;
    return wxBitmap(image);
}

// Static text wraps inside its box the way a Windows label does: at a blank
// when the line has one, otherwise between any two characters (Chinese has no
// blanks to break at).
wxString WrapToWidth(const wxWindow& w, const wxString& text, int width) {
    if (width <= 0 || w.GetTextExtent(text).x <= width) return text;
    std::map<wxUniChar::value_type, int> widths;
    auto widthOf = [&](wxUniChar c) {
        auto [it, added] = widths.try_emplace(c.GetValue(), 0);
        if (added) it->second = w.GetTextExtent(wxString(c)).x;
        return it->second;
    };
    wxString out, line;
    int lineWidth = 0;
    for (wxString::const_iterator p = text.begin(); p != text.end(); ++p) {
        const wxUniChar c = *p;
        if (c == '\n') {
            out += line + '\n';
            line.clear();
            lineWidth = 0;
            continue;
        }
        const int cw = widthOf(c);
        if (lineWidth + cw > width && !line.empty()) {
            const size_t blank = line.find_last_of(' ');
            if (blank != wxString::npos && c != ' ') {
                out += line.Left(blank) + '\n';
                line = line.Mid(blank + 1);
            } else {
                out += line + '\n';
                line.clear();
            }
            lineWidth = 0;
            for (wxString::const_iterator q = line.begin(); q != line.end(); ++q) lineWidth += widthOf(*q);
            if (c == ' ' && line.empty()) continue;
        }
        line += c;
        lineWidth += cw;
    }
    return out + line;
}

// The file system's own form of a dropped name: wide on Windows, whose narrow
// code page (GBK) lacks characters a name may hold; the file-name encoding
// elsewhere.
std::filesystem::path NativePath(const wxString& name) {
#ifdef __WINDOWS__
    return std::filesystem::path(name.ToStdWstring());
#else
    const wxCharBuffer bytes = name.mb_str(*wxConvFileName);
    return std::filesystem::path(std::string(bytes.data(), bytes.length()));
#endif
}

class FileDrop final : public wxFileDropTarget {
public:
    explicit FileDrop(std::function<void(std::vector<std::filesystem::path>)> onDrop) : onDrop_(std::move(onDrop)) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
        std::vector<std::filesystem::path> files;
        for (const wxString& n : names) files.push_back(NativePath(n));
        onDrop_(std::move(files));
        return true;
    }

private:
    std::function<void(std::vector<std::filesystem::path>)> onDrop_;
};

// The native a control was made as. The interface has checked the kind
// already, so a miss here (a control built without a parent window, say) is a
// fault of this realisation: it stops the call rather than touching a wrong object.
template <class T>
T* As(const WxControl& c) {
    auto* native = dynamic_cast<T*>(c.native);
    if (!native)
        throw std::logic_error("control " + c.spec.name + " has no native " + std::string(KindName(c.spec.kind)));
    return native;
}

// A tab page. The toolkit's notebook hands the focus to every page it shows,
// the first one already as it is added; a page shown from code must leave the
// focus where the user put it, so such a showing holds the page's focus back.
class TabPage final : public wxPanel {
public:
    explicit TabPage(wxBookCtrlBase* book) : wxPanel(book, wxID_ANY) {}
    void SetFocus() override {
        if (!holdFocus_) wxPanel::SetFocus();
    }

    struct Hold {
        explicit Hold(wxWindow* page) : page(dynamic_cast<TabPage*>(page)) {
            if (this->page) this->page->holdFocus_ = true;
        }
        ~Hold() {
            if (page) page->holdFocus_ = false;
        }
        TabPage* page;
    };

private:
    bool holdFocus_ = false;
};

void AddPageFromCode(wxBookCtrlBase& book, TabPage* page, const wxString& caption) {
    TabPage::Hold hold(page);
    book.AddPage(page, caption);
}

// Only a focus that would go out of sight with the page it is on moves, to
// the page shown instead, as the toolkit would move it.
void ShowPageFromCode(wxBookCtrlBase& book, int index) {
    wxWindow* const focused = wxWindow::FindFocus();
    wxWindow* const leaving = book.GetCurrentPage();
    wxWindow* const shown = book.GetPage(static_cast<size_t>(index));
    const bool focusLeaves = focused && leaving && leaving != shown && leaving->IsDescendant(focused);
    {
        TabPage::Hold hold(shown);
        book.ChangeSelection(static_cast<size_t>(index));
    }
    if (focusLeaves && shown) shown->SetFocus();
}

bool OwnEvent(wxEvent& e, const wxWindow* native) {
    if (e.GetEventObject() == native) return true;
    e.Skip();  // a nested control's event passing through
    return false;
}

}  // namespace

// One native control for each kind; kinds missing here have no window.
const WxWindow::KindMaker WxWindow::kMakers[] = {
    {Kind::Edit, &WxWindow::makeEdit},         {Kind::CodeBox, &WxWindow::makeCode},
    {Kind::Label, &WxWindow::makeLabel},       {Kind::Button, &WxWindow::makeButton},
    {Kind::CheckBox, &WxWindow::makeCheck},    {Kind::Radio, &WxWindow::makeRadio},
    {Kind::Combo, &WxWindow::makeCombo},       {Kind::ListBox, &WxWindow::makeList},
    {Kind::GroupBox, &WxWindow::makeGroup},    {Kind::Tab, &WxWindow::makeBook},
    {Kind::PageControl, &WxWindow::makeBook},  {Kind::Tree, &WxWindow::makeTree},
    {Kind::ReportList, &WxWindow::makeReport}, {Kind::StatusBar, &WxWindow::makeStatus},
    {Kind::HScroll, &WxWindow::makeScroll},    {Kind::IpAddress, &WxWindow::makeIp},
    {Kind::Grid, &WxWindow::makeGrid},         {Kind::Picture, &WxWindow::makePicture},
    {Kind::Shape, &WxWindow::makePanel},       {Kind::Window, &WxWindow::makePanel},
    {Kind::Hyperlink, &WxWindow::makeLink},
};

// ---------------------------------------------------------------- building

WxWindow::WxWindow(WxUi& ui, const WindowSpec& spec, WxWindow* owner)
    : ui_(ui), name_(spec.name), owner_(owner ? owner->name() : std::string()) {
    long style = wxDEFAULT_FRAME_STYLE;
    if (!spec.resizable) style &= ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX);
    if (owner && owner->frame()) style |= wxFRAME_FLOAT_ON_PARENT;
    frame_ = new wxFrame(owner ? owner->frame() : nullptr, wxID_ANY, ToWx(spec.title), wxDefaultPosition,
                         wxSize(spec.rect.w, spec.rect.h), style, ToWx(spec.name));
    client_ = new wxPanel(frame_, wxID_ANY);
    // The layouts are measured for a 9-point face; children inherit it.
    client_->SetFont(wxFont(wxFontInfo(9)));

    frame_->Bind(wxEVT_DESTROY, [this, alive = alive_](wxWindowDestroyEvent& e) {
        e.Skip();
        if (!*alive || e.GetEventObject() != frame_) return;
        frame_ = nullptr;
        client_ = nullptr;
        byNative_.clear();
        for (auto& entry : controls_) {
            entry.second.native = nullptr;
            entry.second.radioOff = nullptr;
            entry.second.ipFields = {};
            entry.second.box = nullptr;
            entry.second.rule = nullptr;
            entry.second.holder = nullptr;
        }
        if (!destroyed_) {
            destroyed_ = true;
            endLifetime();
            ui_.forget(*this);
        }
        ui_.releaseGoneWindowsLater();
    });
    bind(frame_, wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) { onCloseEvent(e); });
    bind(frame_, wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        e.Skip();
        if (const int vk = WindowsKeyCode(e.GetKeyCode()))
            deliver("", Event::KeyDown, EventArgs::Key(vk, KeyModifiers(e.ShiftDown(), e.ControlDown(), e.AltDown())), true);
    });
    bind(frame_, wxEVT_MENU, [this](wxCommandEvent& e) { chooseMenuItem(e.GetId()); });

    addControls(spec.controls, "", client_);
    frame_->Centre();
}

WxWindow::~WxWindow() { *alive_ = false; }

template <class E, class F>
void WxWindow::bind(wxEvtHandler* source, const wxEventTypeTag<E>& type, F&& callback) {
    source->Bind(type, [this, alive = alive_, callback = std::forward<F>(callback)](E& e) {
        if (!*alive || destroyed_) {
            e.Skip();
            return;
        }
        callback(e);
    });
}

void WxWindow::later(std::function<void()> work) {
    wxTheApp->CallAfter([this, alive = alive_, work = std::move(work)] {
        if (*alive && !destroyed_) work();
    });
}

namespace {

bool Overlap(const Rect& a, const Rect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// A check box laid over a sibling (the caption of a group, as the rate-limit
// pages place theirs) must stay clickable and visible over its whole box.
// The toolkit stacks and draws siblings with windows of their own above
// controls without one, in the order they are made; so such a check box gets
// a window of its own, made after all its siblings.
bool LiftedAboveSiblings(const std::vector<ControlSpec>& specs, std::size_t index) {
    const ControlSpec& s = specs[index];
    if (s.kind != Kind::CheckBox) return false;
    for (std::size_t j = 0; j < specs.size(); ++j)
        if (j != index && Overlap(s.rect, specs[j].rect)) return true;
    return false;
}

}  // namespace

void WxWindow::finishNative(WxControl& c) {
    registerNative(c.native, c.spec.name);
    if (!c.spec.visible) outer(c)->Hide();
    if (!c.spec.enabled) c.native->Enable(false);
}

WxControl& WxWindow::join(const ControlSpec& s, const std::string& parent) {
    if (controls_.count(s.name)) throw std::runtime_error("layout " + name_ + ": control named twice: " + s.name);
    WxControl& c = controls_[s.name];
    c.start(s, parent);
    order_.push_back(s.name);
    if (s.kind == Kind::MenuItem) c.menuId = kFirstMenuId + static_cast<int>(menuItems_.size());
    if (s.kind == Kind::MenuItem) menuItems_[c.menuId] = s.name;
    return c;
}

void WxWindow::addControls(const std::vector<ControlSpec>& specs, const std::string& parent, wxWindow* parentNative,
                           Build build) {
    const bool joining = build != Build::Natives;
    std::vector<std::size_t> lifted;
    for (std::size_t index = 0; index < specs.size(); ++index) {
        const ControlSpec& s = specs[index];
        WxControl& c = joining ? join(s, parent) : controls_.at(s.name);
        c.pending = build == Build::Later;
        if (parentNative && LiftedAboveSiblings(specs, index)) {
            lifted.push_back(index);
            continue;
        }

        Maker make = &WxWindow::makeNothing;
        for (const KindMaker& m : kMakers)
            if (m.kind == s.kind) make = m.make;
        c.native = parentNative ? (this->*make)(c, parentNative) : nullptr;
        if (c.native) finishNative(c);

        if (s.kind == Kind::Tab || s.kind == Kind::PageControl) {
            auto* book = dynamic_cast<wxBookCtrlBase*>(c.native);
            const int shown = c.current < 0 ? 0 : c.current;
            for (std::size_t i = 0; i < s.children.size(); ++i) {
                const ControlSpec& page = s.children[i];
                if (joining) {
                    c.items.push_back(page.text);
                    if (controls_.count(page.name)) throw std::runtime_error("layout " + name_ + ": control named twice: " + page.name);
                }
                auto* panel = book ? new TabPage(book) : nullptr;
                if (book) AddPageFromCode(*book, panel, ToWx(page.text));
                WxControl& p = controls_[page.name];
                if (joining) {
                    p.spec = page;
                    p.spec.children.clear();
                    p.parent = s.name;
                    p.text = page.text;
                    p.visible = page.visible;
                    p.enabled = page.enabled;
                    p.rect = page.rect;
                    order_.push_back(page.name);
                }
                p.pending = build == Build::Later;
                p.native = panel;
                if (panel) registerNative(panel, page.name);
                if (book && static_cast<int>(i) != shown) {
                    // Shown later, if ever: its controls join now and get natives then.
                    if (joining) addControls(page.children, page.name, nullptr, Build::Later);
                    deferred_[page.name] = page.children;
                } else {
                    addControls(page.children, page.name, panel, build);
                }
            }
            if (c.current < 0 && !s.children.empty()) c.current = 0;
            if (book && c.current >= 0 && c.current < static_cast<int>(book->GetPageCount())) ShowPageFromCode(*book, c.current);
        } else {
            wxWindow* inner = s.kind == Kind::GroupBox ? c.native : (s.kind == Kind::Menu || s.kind == Kind::MenuItem) ? nullptr : parentNative;
            addControls(s.children, s.name, inner, build);
        }
    }
    for (const std::size_t index : lifted) {
        WxControl& c = controls_.at(specs[index].name);
        c.holder = new wxPanel(parentNative, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), wxBORDER_NONE);
        c.native = makeCheck(c, c.holder);
        c.native->Move(0, 0);
        finishNative(c);
        // Made last, it keeps its place in the keyboard's order.
        for (std::size_t next = index + 1; next < specs.size(); ++next) {
            if (wxWindow* after = outer(controls_.at(specs[next].name))) {
                c.holder->MoveBeforeInTabOrder(after);
                break;
            }
        }
    }
}

void WxWindow::materialise(const std::string& control) {
    // A page inside a waiting page waits in turn once its book is made.
    while (known(control).pending) {
        std::string outermost;
        for (std::string name = known(control).parent; !name.empty(); name = known(name).parent)
            if (deferred_.count(name)) outermost = name;
        if (outermost.empty()) return;
        buildPage(outermost);
    }
}

void WxWindow::buildPage(const std::string& page) {
    auto it = deferred_.find(page);
    if (it == deferred_.end() || !frame_) return;
    const std::vector<ControlSpec> specs = std::move(it->second);
    deferred_.erase(it);
    materialise(page);  // its own book first, when that waits too
    Quiet q(*this);
    addControls(specs, page, known(page).native, Build::Natives);
}

void WxWindow::buildPageAt(const std::string& book, int index) {
    if (deferred_.empty()) return;
    const std::vector<std::string> pages = ChildrenOf(order_, controls_, book);
    if (index >= 0 && index < static_cast<int>(pages.size())) buildPage(pages[index]);
}

wxWindow* WxWindow::outer(const WxControl& c) { return c.holder ? c.holder : c.native; }

void WxWindow::registerNative(wxWindow* w, const std::string& control) { byNative_[w] = control; }

// Focus and keys reach a control through its own window and the inner windows
// it is made of (a list's rows, an address box's fields).
void WxWindow::bindFocusAndKeys(wxWindow* w, const std::string& control) {
    bind(w, wxEVT_KILL_FOCUS, [this, control](wxFocusEvent& e) {
        e.Skip();
        WxControl& c = at(control);
        if (c.lostFocusPending) return;
        c.lostFocusPending = true;
        // Judged once the focus has landed: moving between a control's own
        // parts is no loss, and a handler must not run inside the focus change.
        later([this, control] {
            if (!has(control)) return;
            at(control).lostFocusPending = false;
            if (focus() != control) deliver(control, Event::LostFocus, {}, true);
        });
    });
    bind(w, wxEVT_KEY_DOWN, [this, control](wxKeyEvent& e) {
        e.Skip();
        WxControl& c = at(control);
        // A composite control may pass its part's key on to itself: one press, one event.
        if (e.GetTimestamp() != 0 && e.GetTimestamp() == c.lastKeyTime && e.GetKeyCode() == c.lastKeyCode) return;
        c.lastKeyTime = e.GetTimestamp();
        c.lastKeyCode = e.GetKeyCode();
        if (const int vk = WindowsKeyCode(e.GetKeyCode()))
            deliver(control, Event::KeyDown, EventArgs::Key(vk, KeyModifiers(e.ShiftDown(), e.ControlDown(), e.AltDown())), true);
    });
    for (wxWindow* child : w->GetChildren())
        if (!byNative_.count(child) && !child->IsTopLevel()) bindFocusAndKeys(child, control);
}

void WxWindow::bindMouse(wxWindow* w, const std::string& control) {
    bind(w, wxEVT_LEFT_DOWN, [this, control](wxMouseEvent& e) {
        e.Skip();
        EventArgs a;
        a.x = e.GetX();
        a.y = e.GetY();
        deliver(control, Event::MouseDown, a, true);
    });
    bind(w, wxEVT_LEFT_UP, [this, control, w](wxMouseEvent& e) {
        e.Skip();
        if (w->GetClientRect().Contains(e.GetPosition())) deliver(control, Event::Click, {}, true);
    });
    bind(w, wxEVT_LEFT_DCLICK, [this, control](wxMouseEvent& e) {
        e.Skip();
        deliver(control, Event::DoubleClick, {}, true);
    });
}

wxWindow* WxWindow::makeEdit(WxControl& c, wxWindow* parent) {
    long style = 0;
    if (c.spec.multiline) style |= wxTE_MULTILINE;
    if (c.masked) style |= wxTE_PASSWORD;
    if (c.readOnly) style |= wxTE_READONLY;
    auto* t = new wxTextCtrl(parent, wxID_ANY, wxEmptyString, PointOf(c.rect), SizeOf(c.rect), style);
    t->ChangeValue(ToWx(c.text));
    c.accepted = t->GetValue();
    const std::string name = c.spec.name;
    bind(t, wxEVT_TEXT, [this, name, t](wxCommandEvent& e) {
        if (!OwnEvent(e, t) || quiet_) return;
        WxControl& box = at(name);
        const bool checked = box.spec.digitsOnly || box.spec.maxLength > 0;
        if (checked && !AdmitUserEdit(*t, box.accepted, box.spec.digitsOnly, box.spec.maxLength)) return;
        deliver(name, Event::Change, {}, true);
    });
    bind(t, wxEVT_LEFT_DCLICK, [this, name](wxMouseEvent& e) {
        e.Skip();
        deliver(name, Event::DoubleClick, {}, true);
    });
    if (c.spec.digitsOnly) {
        // Typing admits digits only; editing keys and pasting stay free.
        bind(t, wxEVT_CHAR, [](wxKeyEvent& e) {
            const wxChar ch = e.GetUnicodeKey();
            if (ch == WXK_NONE || ch < WXK_SPACE || ch == WXK_DELETE || e.ControlDown() || e.AltDown() ||
                (ch >= '0' && ch <= '9'))
                e.Skip();
        });
    }
    bindFocusAndKeys(t, name);
    return t;
}

wxWindow* WxWindow::makeCode(WxControl& c, wxWindow* parent) {
    auto* s = new wxStyledTextCtrl(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), wxBORDER_SUNKEN);
    for (int margin = 0; margin <= wxSTC_MAX_MARGIN; ++margin) s->SetMarginWidth(margin, 0);
    s->SetEOLMode(wxSTC_EOL_LF);
    s->SetWrapMode(wxSTC_WRAP_NONE);
    // The last line may scroll up to the top, as in an edit control.
    s->SetEndAtLastLine(false);
    s->SetScrollWidth(1);
    s->SetScrollWidthTracking(true);
    s->StyleSetFont(wxSTC_STYLE_DEFAULT, parent->GetFont());
    s->StyleClearAll();
    {
        Quiet q(*this);
        s->SetText(ToWx(c.text));
        s->EmptyUndoBuffer();
    }
    s->SetReadOnly(c.readOnly);
    const std::string name = c.spec.name;
    bind(s, wxEVT_STC_CHANGE, [this, name, s](wxStyledTextEvent& e) {
        if (!OwnEvent(e, s) || quiet_) return;
        deliver(name, Event::Change, {}, true);
    });
    // Wheel, keys, caret, selection or code: whatever moved the first line.
    bind(s, wxEVT_STC_UPDATEUI, [this, name, s](wxStyledTextEvent& e) {
        e.Skip();
        reportScroll(at(name), s->GetFirstVisibleLine());
    });
    bind(s, wxEVT_STC_DOUBLECLICK, [this, name](wxStyledTextEvent& e) {
        e.Skip();
        deliver(name, Event::DoubleClick, {}, true);
    });
    bindFocusAndKeys(s, name);
    return s;
}

void WxWindow::reportScroll(WxControl& c, int position) {
    if (position == c.lastScroll) return;
    c.lastScroll = position;
    deliver(c.spec.name, Event::Scroll, EventArgs::Index(position), true);
}

wxWindow* WxWindow::makeLabel(WxControl& c, wxWindow* parent) {
    // The generic label has a window of its own, so it hears the mouse.
    auto* l = new wxGenericStaticText(parent, wxID_ANY, wxEmptyString, PointOf(c.rect), SizeOf(c.rect), wxST_NO_AUTORESIZE);
    c.native = l;
    showLabel(c);
    bindMouse(l, c.spec.name);
    return l;
}

void WxWindow::showLabel(WxControl& c) {
    if (!c.native) return;
    c.native->SetLabel(WrapToWidth(*c.native, ToWx(c.text), c.native->GetClientSize().x));
}

wxWindow* WxWindow::makeButton(WxControl& c, wxWindow* parent) {
    auto* b = new wxButton(parent, wxID_ANY, ToWx(c.text), PointOf(c.rect), SizeOf(c.rect));
    const std::string name = c.spec.name;
    bind(b, wxEVT_BUTTON, [this, name, b](wxCommandEvent& e) {
        if (!OwnEvent(e, b)) return;
        deliver(name, Event::Click, {}, true);
    });
    bindFocusAndKeys(b, name);
    return b;
}

wxWindow* WxWindow::makeCheck(WxControl& c, wxWindow* parent) {
    auto* b = new wxCheckBox(parent, wxID_ANY, ToWx(c.text), PointOf(c.rect), SizeOf(c.rect));
    b->SetValue(c.checked);
    const std::string name = c.spec.name;
    bind(b, wxEVT_CHECKBOX, [this, name, b](wxCommandEvent& e) {
        if (!OwnEvent(e, b)) return;
        deliver(name, Event::Click, {}, true);
    });
    bindFocusAndKeys(b, name);
    return b;
}

wxWindow* WxWindow::makeRadio(WxControl& c, wxWindow* parent) {
    // Exclusion follows the layout's groups, not the order of creation: every
    // radio sits alone in a toolkit group with a hidden partner that takes the
    // check when the radio must be cleared.
    c.radioOff = new wxRadioButton(parent, wxID_ANY, wxEmptyString, wxPoint(0, 0), wxSize(0, 0), wxRB_GROUP);
    c.radioOff->Hide();
    auto* r = new wxRadioButton(parent, wxID_ANY, ToWx(c.text), PointOf(c.rect), SizeOf(c.rect));
    if (c.checked) r->SetValue(true);
    else c.radioOff->SetValue(true);
    const std::string name = c.spec.name;
    bind(r, wxEVT_RADIOBUTTON, [this, name, r](wxCommandEvent& e) {
        if (!OwnEvent(e, r)) return;
        uncheckGroupPeers(name);
        deliver(name, Event::Click, {}, true);
    });
    bindFocusAndKeys(r, name);
    return r;
}

void WxWindow::uncheckGroupPeers(const std::string& control) {
    const WxControl& self = at(control);
    for (auto& [peerName, peer] : controls_) {
        if (peerName == control || peer.spec.kind != Kind::Radio || peer.parent != self.parent || peer.spec.group != self.spec.group)
            continue;
        if (peer.radioOff) peer.radioOff->SetValue(true);
    }
}

wxWindow* WxWindow::makeCombo(WxControl& c, wxWindow* parent) {
    const std::string name = c.spec.name;
    if (!c.spec.editable) {
        // A drop-down list always shows one of its items.
        auto* ch = new wxChoice(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), WxList(c.items));
        if (c.current >= 0 && c.current < static_cast<int>(c.items.size())) ch->SetSelection(c.current);
        bind(ch, wxEVT_CHOICE, [this, name, ch](wxCommandEvent& e) {
            if (!OwnEvent(e, ch) || quiet_) return;
            WxControl& self = at(name);
            self.current = e.GetSelection();
            self.text = FromWx(ch->GetStringSelection());
            deliver(name, Event::ItemChosen, EventArgs::Index(self.current), true);
        });
        bindFocusAndKeys(ch, name);
        return ch;
    }
    auto* cb = new wxComboBox(parent, wxID_ANY, wxEmptyString, PointOf(c.rect), SizeOf(c.rect), WxList(c.items), wxCB_DROPDOWN);
    {
        Quiet q(*this);
        cb->ChangeValue(ToWx(c.text));
    }
    bind(cb, wxEVT_COMBOBOX, [this, name, cb](wxCommandEvent& e) {
        if (!OwnEvent(e, cb) || quiet_) return;
        WxControl& self = at(name);
        self.current = e.GetSelection();
        deliver(name, Event::ItemChosen, EventArgs::Index(self.current), true);
    });
    bind(cb, wxEVT_TEXT, [this, name, cb](wxCommandEvent& e) {
        if (!OwnEvent(e, cb) || quiet_) return;
        WxControl& self = at(name);
        // Typing an item's text makes it the current one, as the list shows.
        const Gbk typed = FromWx(cb->GetValue());
        auto it = std::find(self.items.begin(), self.items.end(), typed);
        self.current = it == self.items.end() ? -1 : static_cast<int>(it - self.items.begin());
        deliver(name, Event::Change, {}, true);
    });
    bindFocusAndKeys(cb, name);
    return cb;
}

wxWindow* WxWindow::makeList(WxControl& c, wxWindow* parent) {
    auto* l = new wxListBox(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), WxList(c.items), wxLB_SINGLE);
    if (c.current >= 0 && c.current < static_cast<int>(c.items.size())) l->SetSelection(c.current);
    const std::string name = c.spec.name;
    bind(l, wxEVT_LISTBOX, [this, name, l](wxCommandEvent& e) {
        if (!OwnEvent(e, l) || quiet_) return;
        deliver(name, Event::ItemChosen, EventArgs::Index(l->GetSelection()), true);
    });
    bind(l, wxEVT_LISTBOX_DCLICK, [this, name, l](wxCommandEvent& e) {
        if (!OwnEvent(e, l)) return;
        deliver(name, Event::DoubleClick, EventArgs::Index(l->GetSelection()), true);
    });
    bindFocusAndKeys(l, name);
    return l;
}

wxWindow* WxWindow::makeGroup(WxControl& c, wxWindow* parent) {
    // A plain panel holds the children, so they sit at the layout's offsets
    // from the box's outer corner, caption included. The frame drawn behind
    // them is decoration; a group folded to a few pixels shows as a rule.
    auto* panel = new wxPanel(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), wxBORDER_NONE);
    c.box = new wxStaticBox(panel, wxID_ANY, ToWx(c.text), wxPoint(0, 0), SizeOf(c.rect));
    c.rule = new wxStaticLine(panel, wxID_ANY, wxPoint(0, 0), wxSize(c.rect.w, 2), wxLI_HORIZONTAL);
    c.native = panel;
    shapeGroup(c);
    bindMouse(panel, c.spec.name);
    return panel;
}

void WxWindow::shapeGroup(WxControl& c) {
    const wxSize size = c.native->GetSize();
    const bool folded = size.y < kMinGroupHeight;
    c.box->SetSize(0, 0, size.x, std::max(size.y, kMinGroupHeight));
    c.box->Show(!folded);
    c.rule->SetSize(0, std::max(0, size.y / 2 - 1), size.x, 2);
    c.rule->Show(folded);
}

wxWindow* WxWindow::makeBook(WxControl& c, wxWindow* parent) {
    wxBookCtrlBase* book = nullptr;
    if (c.spec.kind == Kind::PageControl) book = new wxSimplebook(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect));
    else book = new wxNotebook(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect));
    const std::string name = c.spec.name;
    // A page's controls are made before the page shows the first time.
    bind(book, wxEVT_BOOKCTRL_PAGE_CHANGING, [this, name, book](wxBookCtrlEvent& e) {
        e.Skip();
        if (OwnEvent(e, book)) buildPageAt(name, e.GetSelection());
    });
    bind(book, wxEVT_BOOKCTRL_PAGE_CHANGED, [this, name, book](wxBookCtrlEvent& e) {
        if (!OwnEvent(e, book)) return;
        e.Skip();
        if (quiet_) return;
        at(name).current = e.GetSelection();
        deliver(name, Event::TabChanged, EventArgs::Index(e.GetSelection()), true);
    });
    bindFocusAndKeys(book, name);
    return book;
}

wxWindow* WxWindow::makeTree(WxControl& c, wxWindow* parent) {
    auto* t = new wxTreeCtrl(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect),
                             wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE);
    t->AddRoot(wxEmptyString);
    c.native = t;
    rebuildTree(c);
    const std::string name = c.spec.name;
    bind(t, wxEVT_TREE_SEL_CHANGED, [this, name, t](wxTreeEvent& e) {
        if (!OwnEvent(e, t) || quiet_) return;
        const int index = treeIndexOf(at(name), e.GetItem());
        if (index >= 0) deliver(name, Event::TreeItemChanged, EventArgs::Index(index), true);
    });
    bind(t, wxEVT_TREE_ITEM_RIGHT_CLICK, [this, name, t](wxTreeEvent& e) {
        if (!OwnEvent(e, t)) return;
        EventArgs a = EventArgs::Index(treeIndexOf(at(name), e.GetItem()));
        a.x = e.GetPoint().x;
        a.y = e.GetPoint().y;
        deliver(name, Event::RowRightClick, a, true);
    });
    bind(t, wxEVT_TREE_ITEM_ACTIVATED, [this, name, t](wxTreeEvent& e) {
        if (!OwnEvent(e, t)) return;
        e.Skip();
        deliver(name, Event::DoubleClick, EventArgs::Index(treeIndexOf(at(name), e.GetItem())), true);
    });
    bindFocusAndKeys(t, name);
    return t;
}

// Builds the native items from the model; a parent always goes before its
// children, whatever their indices, and an item whose parent is missing (or
// that would be its own ancestor) goes to the top level.
void WxWindow::rebuildTree(WxControl& c) {
    auto* t = As<wxTreeCtrl>(c);
    Quiet q(*this);
    t->DeleteChildren(t->GetRootItem());
    const int n = static_cast<int>(c.tree.size());
    c.treeIds.assign(n, wxTreeItemId());
    std::vector<char> visiting(n, 0);
    std::function<wxTreeItemId(int)> place = [&](int i) -> wxTreeItemId {
        if (c.treeIds[i].IsOk()) return c.treeIds[i];
        visiting[i] = 1;
        const int p = c.tree[i].parent;
        wxTreeItemId parent = t->GetRootItem();
        if (p >= 0 && p < n && p != i && !visiting[p]) parent = place(p);
        visiting[i] = 0;
        c.treeIds[i] = t->AppendItem(parent, ToWx(c.tree[i].text));
        t->SetItemBold(c.treeIds[i], c.tree[i].bold);
        return c.treeIds[i];
    };
    for (int i = 0; i < n; ++i) place(i);
    for (int i = 0; i < n; ++i)
        if (c.tree[i].expanded) t->Expand(c.treeIds[i]);
    if (c.current >= 0 && c.current < n) t->SelectItem(c.treeIds[c.current]);
}

int WxWindow::treeIndexOf(const WxControl& c, const wxTreeItemId& id) const {
    if (!id.IsOk()) return -1;
    for (std::size_t i = 0; i < c.treeIds.size(); ++i)
        if (c.treeIds[i] == id) return static_cast<int>(i);
    return -1;
}

wxWindow* WxWindow::makeReport(WxControl& c, wxWindow* parent) {
    auto* l = new wxListCtrl(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), wxLC_REPORT | wxLC_SINGLE_SEL);
    for (std::size_t i = 0; i < c.spec.columns.size(); ++i) {
        const int width = i < c.spec.columnWidths.size() ? c.spec.columnWidths[i] : 80;
        l->InsertColumn(static_cast<long>(i), ToWx(c.spec.columns[i]), wxLIST_FORMAT_LEFT, width);
    }
    if (c.spec.rowChecks) l->EnableCheckBoxes(true);
    const std::string name = c.spec.name;
    bind(l, wxEVT_LIST_ITEM_SELECTED, [this, name, l](wxListEvent& e) {
        if (!OwnEvent(e, l) || quiet_) return;
        deliver(name, Event::RowChanged, EventArgs::Index(static_cast<int>(e.GetIndex())), true);
    });
    bind(l, wxEVT_LIST_ITEM_RIGHT_CLICK, [this, name, l](wxListEvent& e) {
        if (!OwnEvent(e, l)) return;
        EventArgs a = EventArgs::Index(static_cast<int>(e.GetIndex()));
        a.x = e.GetPoint().x;
        a.y = e.GetPoint().y;
        deliver(name, Event::RowRightClick, a, true);
    });
    bind(l, wxEVT_LIST_ITEM_ACTIVATED, [this, name, l](wxListEvent& e) {
        if (!OwnEvent(e, l)) return;
        deliver(name, Event::DoubleClick, EventArgs::Index(static_cast<int>(e.GetIndex())), true);
    });
    auto onCheck = [this, name, l](wxListEvent& e) {
        if (!OwnEvent(e, l) || quiet_) return;
        deliver(name, Event::RowChecked, EventArgs::Index(static_cast<int>(e.GetIndex())), true);
    };
    bind(l, wxEVT_LIST_ITEM_CHECKED, onCheck);
    bind(l, wxEVT_LIST_ITEM_UNCHECKED, onCheck);
    bindFocusAndKeys(l, name);
    return l;
}

int WxWindow::reportSelection(const WxControl& c) const {
    return static_cast<int>(As<wxListCtrl>(c)->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

wxWindow* WxWindow::makeStatus(WxControl& c, wxWindow* parent) {
    auto* s = new wxStatusBar(parent, wxID_ANY, wxSTB_SHOW_TIPS | wxSTB_ELLIPSIZE_END | wxFULL_REPAINT_ON_RESIZE);
    s->SetSize(c.rect.x, c.rect.y, c.rect.w, c.rect.h);
    c.native = s;
    showStatus(c);
    return s;
}

void WxWindow::showStatus(WxControl& c) {
    auto* s = As<wxStatusBar>(c);
    const int n = std::max<int>(1, static_cast<int>(c.items.size()));
    std::vector<int> widths(n, -1);
    if (c.spec.columnWidths.size() == c.items.size())
        for (int i = 0; i < static_cast<int>(c.items.size()); ++i) widths[i] = c.spec.columnWidths[i];
    s->SetFieldsCount(n, widths.data());
    for (int i = 0; i < n; ++i) s->SetStatusText(i < static_cast<int>(c.items.size()) ? ToWx(c.items[i]) : wxString(), i);
}

wxWindow* WxWindow::makeScroll(WxControl& c, wxWindow* parent) {
    auto* s = new wxScrollBar(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), wxSB_HORIZONTAL);
    const int range = std::max(1, c.spec.maximum - c.spec.minimum + 1);
    const int start = std::clamp(c.current < 0 ? c.spec.minimum : c.current, c.spec.minimum, std::max(c.spec.minimum, c.spec.maximum));
    s->SetScrollbar(start - c.spec.minimum, 1, range, kScrollPage);
    c.lastScroll = start;
    const std::string name = c.spec.name;
    auto onScroll = [this, name, s](wxScrollEvent& e) {
        e.Skip();
        WxControl& self = at(name);
        reportScroll(self, self.spec.minimum + s->GetThumbPosition());
    };
    for (const wxEventTypeTag<wxScrollEvent>& type :
         {wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM, wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN, wxEVT_SCROLL_PAGEUP,
          wxEVT_SCROLL_PAGEDOWN, wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_CHANGED})
        bind(s, type, onScroll);
    bindFocusAndKeys(s, name);
    return s;
}

wxWindow* WxWindow::makeIp(WxControl& c, wxWindow* parent) {
    auto* panel = new wxPanel(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), wxBORDER_SUNKEN | wxTAB_TRAVERSAL);
    const wxSize inner = panel->GetClientSize();
    const int fieldWidth = std::max(1, (inner.x - 3 * kIpDotWidth) / 4);
    const std::string name = c.spec.name;
    for (int i = 0; i < 4; ++i) {
        const int x = i * (fieldWidth + kIpDotWidth);
        auto* f = new wxTextCtrl(panel, wxID_ANY, wxEmptyString, wxPoint(x, 0), wxSize(fieldWidth, inner.y), wxBORDER_NONE | wxTE_CENTRE);
        c.ipFields[i] = f;
        if (i < 3) new wxStaticText(panel, wxID_ANY, ".", wxPoint(x + fieldWidth, 0), wxSize(kIpDotWidth, inner.y), wxALIGN_CENTRE_HORIZONTAL);
        // Digits only; a dot moves on to the next field.
        bind(f, wxEVT_CHAR, [this, name, i](wxKeyEvent& e) {
            const wxChar ch = e.GetUnicodeKey();
            if (ch == '.') {
                if (i < 3) {
                    at(name).ipFields[i + 1]->SetFocus();
                    at(name).ipFields[i + 1]->SelectAll();
                }
                return;
            }
            if (ch == WXK_NONE || ch < WXK_SPACE || ch == WXK_DELETE || e.ControlDown() || e.AltDown() || (ch >= '0' && ch <= '9'))
                e.Skip();
        });
        bind(f, wxEVT_TEXT, [this, name, i, f](wxCommandEvent& e) {
            if (!OwnEvent(e, f) || quiet_) return;
            if (!AdmitAddressEdit(at(name).ipFields, at(name).ipAccepted, i)) return;
            if (i < 3 && f->GetValue().length() == 3 && f->GetInsertionPoint() == 3) {
                at(name).ipFields[i + 1]->SetFocus();
                at(name).ipFields[i + 1]->SelectAll();
            }
            deliver(name, Event::Change, {}, true);
        });
    }
    setIpText(c, c.text);
    bindFocusAndKeys(panel, name);
    return panel;
}

void WxWindow::setIpText(WxControl& c, const Gbk& text) {
    const std::vector<Gbk> parts = Split(text, ".");
    Quiet q(*this);
    for (std::size_t i = 0; i < 4; ++i) {
        wxString field;
        if (i < parts.size() && !Trim(parts[i]).empty())
            field = wxString::Format("%d", static_cast<int>(std::clamp<std::int64_t>(ToInt64(parts[i]), 0, 255)));
        if (c.ipFields[i]) c.ipFields[i]->ChangeValue(field);
        c.ipAccepted[i] = field;
    }
}

Gbk WxWindow::ipText(const WxControl& c) const {
    // Blank fields read as 0 and a field says at most 255, as the address box does.
    Gbk out;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::int64_t v = c.ipFields[i] ? ToInt64(FromWx(c.ipFields[i]->GetValue())) : 0;
        if (i) out += '.';
        out += std::to_string(std::clamp<std::int64_t>(v, 0, 255));
    }
    return out;
}

wxWindow* WxWindow::makeGrid(WxControl& c, wxWindow* parent) {
    auto* g = new wxGrid(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect));
    g->CreateGrid(std::max(0, c.spec.gridRows), static_cast<int>(c.spec.columns.size()));
    g->SetRowLabelSize(0);
    for (std::size_t i = 0; i < c.spec.columns.size(); ++i) {
        g->SetColLabelValue(static_cast<int>(i), ToWx(c.spec.columns[i]));
        if (i < c.spec.columnWidths.size()) g->SetColSize(static_cast<int>(i), c.spec.columnWidths[i]);
    }
    g->EnableEditing(!c.readOnly);
    const std::string name = c.spec.name;
    bind(g, wxEVT_GRID_CELL_LEFT_DCLICK, [this, name, g](wxGridEvent& e) {
        if (!OwnEvent(e, g)) return;
        e.Skip();
        EventArgs a = EventArgs::Index(e.GetRow());
        a.x = e.GetCol();
        deliver(name, Event::DoubleClick, a, true);
    });
    bindFocusAndKeys(g, name);
    return g;
}

wxWindow* WxWindow::makePicture(WxControl& c, wxWindow* parent) {
    auto* p = new wxGenericStaticBitmap(parent, wxID_ANY, wxNullBitmap, PointOf(c.rect), SizeOf(c.rect));
    bindMouse(p, c.spec.name);
    return p;
}

wxWindow* WxWindow::makePanel(WxControl& c, wxWindow* parent) {
    auto* p = new wxPanel(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), c.spec.kind == Kind::Shape ? wxBORDER_SIMPLE : wxBORDER_NONE);
    bindMouse(p, c.spec.name);
    return p;
}

wxWindow* WxWindow::makeLink(WxControl& c, wxWindow* parent) {
    wxString label = ToWx(c.text), url = ToWx(c.spec.url);
    if (url.empty()) url = label.empty() ? wxString(" ") : label;
    if (label.empty()) label = url;
    auto* h = new wxHyperlinkCtrl(parent, wxID_ANY, label, url, PointOf(c.rect), SizeOf(c.rect), wxHL_ALIGN_LEFT | wxBORDER_NONE);
    const std::string name = c.spec.name;
    // Handled here, so the toolkit does not open the address a second time.
    bind(h, wxEVT_HYPERLINK, [this, name](wxHyperlinkEvent&) {
        if (handlers_.has(name, Event::Click)) deliver(name, Event::Click, {}, true);
        else if (!at(name).spec.url.empty()) ui_.openUrl(at(name).spec.url);
    });
    bindFocusAndKeys(h, name);
    return h;
}

wxWindow* WxWindow::makeNothing(WxControl&, wxWindow*) { return nullptr; }

// ---------------------------------------------------------------- lookup

WxControl& WxWindow::at(const std::string& control) {
    return const_cast<WxControl&>(static_cast<const WxWindow&>(*this).at(control));
}

const WxControl& WxWindow::known(const std::string& control) const {
    auto it = controls_.find(control);
    if (it == controls_.end()) throw UnknownControl(name_, control);
    if (!frame_) throw std::logic_error("window " + name_ + " no longer exists");
    return it->second;
}

const WxControl& WxWindow::at(const std::string& control) const {
    const WxControl& c = known(control);
    if (c.pending) const_cast<WxWindow*>(this)->materialise(control);
    return c;
}

WxControl& WxWindow::at(const std::string& control, Property property, const char* operation) {
    WxControl& c = at(control);
    RequireKind(name_, control, c.spec.kind, property, operation);
    return c;
}

const WxControl& WxWindow::at(const std::string& control, Property property, const char* operation) const {
    const WxControl& c = at(control);
    RequireKind(name_, control, c.spec.kind, property, operation);
    return c;
}

bool WxWindow::has(const std::string& control) const { return controls_.count(control) != 0; }
Kind WxWindow::kind(const std::string& control) const { return known(control).spec.kind; }
std::vector<std::string> WxWindow::children(const std::string& control) const {
    if (!control.empty()) at(control);
    return ChildrenOf(order_, controls_, control);
}

wxWindow* WxWindow::native(const std::string& control) const { return at(control).native; }

int WxWindow::menuItemId(const std::string& item) const { return at(item).menuId; }

// ---------------------------------------------------------------- text

GbkText WxWindow::text(const std::string& control) const {
    const WxControl& c = at(control);
    switch (c.spec.kind) {
        case Kind::Edit: return FromWx(As<wxTextCtrl>(c)->GetValue());
        case Kind::CodeBox: return FromWx(As<wxStyledTextCtrl>(c)->GetText());
        case Kind::Combo: return c.spec.editable ? FromWx(As<wxComboBox>(c)->GetValue()) : c.text;
        case Kind::IpAddress: return ipText(c);
        default: return c.text;
    }
}

// A control whose page waits takes its text when it is made: the traditional
// pack writes a thousand captions at start, and making every page for them
// would cost seconds.
bool WxWindow::setTextOfWaitingControl(const std::string& control, const GbkText& value) {
    WxControl& c = const_cast<WxControl&>(known(control));
    constexpr Kind kMadeWithTheirText[] = {Kind::Edit,  Kind::CodeBox,  Kind::Label,   Kind::Button,
                                           Kind::Radio, Kind::CheckBox, Kind::GroupBox, Kind::Hyperlink};
    if (!c.pending || std::find(std::begin(kMadeWithTheirText), std::end(kMadeWithTheirText), c.spec.kind) ==
                          std::end(kMadeWithTheirText))
        return false;
    const bool changed = c.text != value;
    c.text = value;
    c.selStart = c.selEnd = 0;
    if (changed && (c.spec.kind == Kind::Edit || c.spec.kind == Kind::CodeBox))
        deliver(control, Event::Change, {}, false);
    return true;
}

void WxWindow::setText(const std::string& control, const GbkText& value) {
    if (setTextOfWaitingControl(control, value)) return;
    WxControl& c = at(control);
    switch (c.spec.kind) {
        case Kind::Edit:
        case Kind::CodeBox: {
            const bool changed = text(control) != value;
            {
                Quiet q(*this);
                if (c.spec.kind == Kind::Edit) {
                    auto* t = As<wxTextCtrl>(c);
                    t->ChangeValue(ToWx(value));
                    t->SetInsertionPoint(0);
                    c.accepted = t->GetValue();
                } else {
                    auto* s = As<wxStyledTextCtrl>(c);
                    const bool ro = s->GetReadOnly();
                    s->SetReadOnly(false);
                    s->SetText(ToWx(value));
                    s->SetReadOnly(ro);
                    s->SetAnchor(0);
                    s->SetCurrentPos(0);
                }
            }
            // As on Windows, setting an edit box's content from code raises its change event.
            if (changed) deliver(control, Event::Change, {}, false);
            return;
        }
        case Kind::Combo:
            if (!c.spec.editable) {
                auto it = std::find(c.items.begin(), c.items.end(), value);
                if (it == c.items.end()) return;  // a drop-down list holds only its items
                c.current = static_cast<int>(it - c.items.begin());
                c.text = value;
                Quiet q(*this);
                As<wxChoice>(c)->SetSelection(c.current);
            } else {
                Quiet q(*this);
                As<wxComboBox>(c)->ChangeValue(ToWx(value));
            }
            return;
        case Kind::IpAddress: setIpText(c, value); return;
        default: break;
    }
    c.text = value;
    c.selStart = c.selEnd = 0;
    switch (c.spec.kind) {
        case Kind::Label: showLabel(c); break;
        case Kind::Button:
        case Kind::CheckBox:
        case Kind::Radio:
        case Kind::Hyperlink: c.native->SetLabel(ToWx(value)); break;
        case Kind::GroupBox: c.box->SetLabel(ToWx(value)); break;
        case Kind::Page: {
            WxControl& book = at(c.parent);
            if (auto* b = dynamic_cast<wxBookCtrlBase*>(book.native)) {
                const int page = b->FindPage(c.native);
                if (page != wxNOT_FOUND) b->SetPageText(page, ToWx(value));
            }
            break;
        }
        case Kind::TrayIcon: setTrayIcon(c); break;
        default: break;
    }
}

// ---------------------------------------------------------------- common states

bool WxWindow::visible(const std::string& control) const {
    const WxControl& c = at(control);
    return c.native && c.spec.kind != Kind::Page ? outer(c)->IsShown() : c.visible;
}

void WxWindow::setVisible(const std::string& control, bool on) {
    WxControl& c = at(control);
    c.visible = on;
    if (c.native && c.spec.kind != Kind::Page) outer(c)->Show(on);
}

bool WxWindow::enabled(const std::string& control) const {
    const WxControl& c = at(control);
    return c.native ? c.native->IsThisEnabled() : c.enabled;
}

void WxWindow::setEnabled(const std::string& control, bool on) {
    WxControl& c = at(control);
    c.enabled = on;
    if (c.native) c.native->Enable(on);
}

Rect WxWindow::rect(const std::string& control) const {
    const WxControl& c = at(control);
    if (!c.native || c.spec.kind == Kind::Page) return c.rect;
    const wxRect r = outer(c)->GetRect();
    return Rect{r.x, r.y, r.width, r.height};
}

void WxWindow::setRect(const std::string& control, const Rect& r) {
    WxControl& c = at(control);
    c.rect = r;
    if (!c.native || c.spec.kind == Kind::Page) return;
    outer(c)->SetSize(r.x, r.y, r.w, r.h);
    if (c.holder) c.native->SetSize(0, 0, r.w, r.h);
    if (c.spec.kind == Kind::Label) showLabel(c);
    if (c.spec.kind == Kind::GroupBox) shapeGroup(c);
}

bool WxWindow::readOnly(const std::string& control) const {
    const WxControl& c = at(control, Property::ReadOnly, __func__);
    switch (c.spec.kind) {
        case Kind::Edit: return !As<wxTextCtrl>(c)->IsEditable();
        case Kind::CodeBox: return As<wxStyledTextCtrl>(c)->GetReadOnly();
        default: return c.readOnly;
    }
}

void WxWindow::setReadOnly(const std::string& control, bool on) {
    WxControl& c = at(control, Property::ReadOnly, __func__);
    c.readOnly = on;
    switch (c.spec.kind) {
        case Kind::Edit: As<wxTextCtrl>(c)->SetEditable(!on); break;
        case Kind::CodeBox: As<wxStyledTextCtrl>(c)->SetReadOnly(on); break;
        case Kind::Grid: As<wxGrid>(c)->EnableEditing(!on); break;
        case Kind::IpAddress:
            for (wxTextCtrl* f : c.ipFields) f->SetEditable(!on);
            break;
        default: break;
    }
}

bool WxWindow::masked(const std::string& control) const { return at(control, Property::Masked, __func__).masked; }

// The toolkit fixes a text box's password style when the box is made, so the
// box is made again in its place, with its text, state and keyboard order.
void WxWindow::setMasked(const std::string& control, bool on) {
    WxControl& c = at(control, Property::Masked, __func__);
    on = on && !c.spec.multiline;
    if (c.masked == on) return;
    c.masked = on;
    if (!c.native) return;
    auto* old = As<wxTextCtrl>(c);
    c.text = FromWx(old->GetValue());
    c.readOnly = !old->IsEditable();
    const bool shown = old->IsShown(), usable = old->IsThisEnabled(), focused = old->HasFocus();
    const wxRect where = old->GetRect();
    byNative_.erase(old);
    wxWindow* made = makeEdit(c, old->GetParent());
    made->SetSize(where);
    made->MoveAfterInTabOrder(old);
    if (const wxToolTip* tip = old->GetToolTip()) made->SetToolTip(tip->GetTip());
    old->Destroy();
    c.native = made;
    registerNative(made, c.spec.name);
    made->Show(shown);
    made->Enable(usable);
    if (c.acceptsFiles) acceptFiles(control, true);
    if (focused) made->SetFocus();
}

// ---------------------------------------------------------------- selection and scrolling

std::pair<int, int> WxWindow::selection(const std::string& control) const {
    const WxControl& c = at(control, Property::Selection, __func__);
    if (c.spec.kind == Kind::Edit) {
        auto* t = As<wxTextCtrl>(c);
        long from = 0, to = 0;
        t->GetSelection(&from, &to);
        const wxString v = t->GetValue();
        return {GbkOffsetOf(v, from), GbkOffsetOf(v, to)};
    }
    auto* s = As<wxStyledTextCtrl>(c);
    const wxString v = s->GetText();
    return {GbkOffsetOf(v, s->CountCharacters(0, s->GetSelectionStart())),
            GbkOffsetOf(v, s->CountCharacters(0, s->GetSelectionEnd()))};
}

void WxWindow::setSelection(const std::string& control, int start, int end) {
    const WxControl& c = at(control, Property::Selection, __func__);
    // Edges on characters and the start first, by the rule the headless window keeps.
    const Gbk now = text(control);
    const int a = SnapToCharacter(now, start);
    const int b = SnapToCharacter(now, end < 0 ? static_cast<int>(now.size()) : end);
    const int from = std::min(a, b), to = std::max(a, b);
    if (c.spec.kind == Kind::Edit) {
        auto* t = As<wxTextCtrl>(c);
        const wxString v = t->GetValue();
        t->SetSelection(WxIndexOf(v, from), WxIndexOf(v, to));
        return;
    }
    // Anchor and caret rather than a selection call: choosing text does not scroll.
    auto* s = As<wxStyledTextCtrl>(c);
    const wxString v = s->GetText();
    auto position = [&](int offset) { return static_cast<int>(v.Left(WxIndexOf(v, offset)).utf8_str().length()); };
    s->SetAnchor(position(from));
    s->SetCurrentPos(position(to));
}

void WxWindow::replaceSelection(const std::string& control, const GbkText& value) {
    const WxControl& c = at(control, Property::Selection, __func__);
    if (c.spec.kind == Kind::Edit) {
        auto* t = As<wxTextCtrl>(c);
        long from = 0, to = 0;
        t->GetSelection(&from, &to);
        const wxString w = ToWx(value);
        {
            Quiet q(*this);
            t->Replace(from, to, w);
            t->SetInsertionPoint(from + static_cast<long>(w.length()));
        }
        at(control).accepted = t->GetValue();
        deliver(control, Event::Change, {}, false);
        return;
    }
    auto* s = As<wxStyledTextCtrl>(c);
    {
        Quiet q(*this);
        const bool ro = s->GetReadOnly();
        s->SetReadOnly(false);
        s->ReplaceSelection(ToWx(value));
        s->SetReadOnly(ro);
    }
    deliver(control, Event::Change, {}, false);
}

int WxWindow::firstVisibleLine(const std::string& control) const {
    const WxControl& c = at(control, Property::Lines, __func__);
    if (c.spec.kind == Kind::CodeBox) return As<wxStyledTextCtrl>(c)->GetFirstVisibleLine();
    return c.firstLine;
}

void WxWindow::scrollToLine(const std::string& control, int line) {
    WxControl& c = at(control, Property::Lines, __func__);
    if (c.spec.kind == Kind::CodeBox) {
        auto* s = As<wxStyledTextCtrl>(c);
        s->SetFirstVisibleLine(std::clamp(line, 0, std::max(0, s->GetLineCount() - 1)));
        if (s->GetFirstVisibleLine() == c.lastScroll) return;
        c.lastScroll = s->GetFirstVisibleLine();
        deliver(control, Event::Scroll, EventArgs::Index(c.lastScroll), false);
        return;
    }
    const int next = std::clamp(line, 0, std::max(0, CountLines(text(control)) - 1));
    if (next == c.firstLine) return;
    c.firstLine = next;
    if (c.spec.kind == Kind::Edit) {
        auto* t = As<wxTextCtrl>(c);
        t->ShowPosition(t->XYToPosition(0, next));
    }
    deliver(control, Event::Scroll, EventArgs::Index(next), false);
}

// ---------------------------------------------------------------- checks, items, current

bool WxWindow::checked(const std::string& control) const {
    const WxControl& c = at(control, Property::Checked, __func__);
    switch (c.spec.kind) {
        case Kind::CheckBox: return As<wxCheckBox>(c)->GetValue();
        case Kind::Radio: return As<wxRadioButton>(c)->GetValue();
        default: return c.checked;
    }
}

void WxWindow::setChecked(const std::string& control, bool on) {
    WxControl& c = at(control, Property::Checked, __func__);
    c.checked = on;
    switch (c.spec.kind) {
        case Kind::CheckBox: As<wxCheckBox>(c)->SetValue(on); break;
        case Kind::Radio:
            if (on) {
                As<wxRadioButton>(c)->SetValue(true);
                uncheckGroupPeers(control);
            } else {
                c.radioOff->SetValue(true);
            }
            break;
        default: break;
    }
}

std::vector<GbkText> WxWindow::items(const std::string& control) const {
    const WxControl& c = at(control, Property::Items, __func__);
    switch (c.spec.kind) {
        case Kind::Combo:
            return c.spec.editable ? GbkList(As<wxComboBox>(c)->GetStrings()) : GbkList(As<wxChoice>(c)->GetStrings());
        case Kind::ListBox: return GbkList(As<wxListBox>(c)->GetStrings());
        case Kind::Tab:
        case Kind::PageControl: {
            std::vector<GbkText> out;
            auto* b = As<wxBookCtrlBase>(c);
            for (std::size_t i = 0; i < b->GetPageCount(); ++i) out.push_back(FromWx(b->GetPageText(i)));
            // A page control shows no captions; its pages keep the layout's.
            if (c.spec.kind == Kind::PageControl) return AsTexts(c.items);
            return out;
        }
        default: return AsTexts(c.items);
    }
}

void WxWindow::setItems(const std::string& control, const std::vector<GbkText>& list) {
    WxControl& c = at(control, Property::Items, __func__);
    c.items = AsBytes(list);
    const int n = static_cast<int>(list.size());
    Quiet q(*this);
    switch (c.spec.kind) {
        case Kind::Combo:
            if (!c.spec.editable) {
                auto* ch = As<wxChoice>(c);
                ch->Set(WxList(list));
                c.current = list.empty() ? -1 : 0;
                c.text = list.empty() ? Gbk() : list[0].bytes();
                if (!list.empty()) ch->SetSelection(0);
            } else {
                auto* cb = As<wxComboBox>(c);
                const wxString typed = cb->GetValue();
                cb->Set(WxList(list));
                cb->ChangeValue(typed);
                if (c.current >= n) c.current = -1;
            }
            break;
        case Kind::ListBox: {
            auto* l = As<wxListBox>(c);
            const int keep = l->GetSelection();
            l->Set(WxList(list));
            if (keep >= 0 && keep < n) l->SetSelection(keep);
            break;
        }
        case Kind::Tab: {
            auto* b = As<wxBookCtrlBase>(c);
            for (int i = 0; i < n && i < static_cast<int>(b->GetPageCount()); ++i) b->SetPageText(i, ToWx(list[i]));
            break;
        }
        case Kind::StatusBar: showStatus(c); break;
        default:
            if (c.current >= n) c.current = -1;
            break;
    }
}

int WxWindow::currentItem(const std::string& control) const {
    const WxControl& c = at(control, Property::Current, __func__);
    switch (c.spec.kind) {
        case Kind::ListBox: return As<wxListBox>(c)->GetSelection();
        case Kind::Tab:
        case Kind::PageControl: return As<wxBookCtrlBase>(c)->GetSelection();
        case Kind::Tree: {
            auto* t = As<wxTreeCtrl>(c);
            return treeIndexOf(c, t->GetSelection());
        }
        case Kind::ReportList: return reportSelection(c);
        case Kind::HScroll: return c.spec.minimum + As<wxScrollBar>(c)->GetThumbPosition();
        default: return c.current;
    }
}

void WxWindow::setCurrentItem(const std::string& control, int index) {
    WxControl& c = at(control, Property::Current, __func__);
    Quiet q(*this);
    switch (c.spec.kind) {
        case Kind::Combo: {
            const bool valid = index >= 0 && index < static_cast<int>(c.items.size());
            c.current = valid ? index : -1;
            if (!c.spec.editable) {
                As<wxChoice>(c)->SetSelection(valid ? index : wxNOT_FOUND);
                if (valid) c.text = c.items[index];
            } else if (valid) {
                As<wxComboBox>(c)->SetSelection(index);
            }
            return;
        }
        case Kind::ListBox: {
            auto* l = As<wxListBox>(c);
            const bool valid = index >= 0 && index < static_cast<int>(l->GetCount());
            if (valid) l->SetSelection(index);
            else l->SetSelection(wxNOT_FOUND);
            return;
        }
        case Kind::Tab:
        case Kind::PageControl: {
            auto* b = As<wxBookCtrlBase>(c);
            if (index >= 0 && index < static_cast<int>(b->GetPageCount())) {
                buildPageAt(control, index);
                ShowPageFromCode(*b, index);
                c.current = index;
            }
            return;
        }
        case Kind::Tree: {
            auto* t = As<wxTreeCtrl>(c);
            const bool valid = index >= 0 && index < static_cast<int>(c.treeIds.size());
            c.current = valid ? index : -1;
            if (valid) {
                t->SelectItem(c.treeIds[index]);
                t->EnsureVisible(c.treeIds[index]);
            } else {
                t->UnselectAll();
            }
            return;
        }
        case Kind::ReportList: {
            auto* l = As<wxListCtrl>(c);
            for (long r = l->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); r != -1;
                 r = l->GetNextItem(r, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
                l->SetItemState(r, 0, wxLIST_STATE_SELECTED);
            if (index >= 0 && index < l->GetItemCount()) {
                l->SetItemState(index, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
                l->EnsureVisible(index);
            }
            return;
        }
        case Kind::HScroll: {
            const int pos = std::clamp(index, c.spec.minimum, std::max(c.spec.minimum, c.spec.maximum));
            As<wxScrollBar>(c)->SetThumbPosition(pos - c.spec.minimum);
            c.lastScroll = pos;
            return;
        }
        default:
            c.current = (index >= 0 && index < static_cast<int>(c.items.size())) ? index : -1;
            return;
    }
}

// ---------------------------------------------------------------- report lists

int WxWindow::rowCount(const std::string& control) const {
    return static_cast<int>(at(control, Property::Rows, __func__).rows.size());
}

std::vector<GbkText> WxWindow::row(const std::string& control, int r) const {
    const WxControl& c = at(control, Property::Rows, __func__);
    if (r < 0 || r >= static_cast<int>(c.rows.size())) throw std::out_of_range("row out of range in " + control);
    return AsTexts(c.rows[r]);
}

int WxWindow::addRow(const std::string& control, const std::vector<GbkText>& cells) {
    WxControl& c = at(control, Property::Rows, __func__);
    std::vector<Gbk> cellsOfRow = AsBytes(cells);
    cellsOfRow.resize(std::max<std::size_t>(c.spec.columns.size(), cells.size()));
    auto* l = As<wxListCtrl>(c);
    const long r = static_cast<long>(c.rows.size());
    {
        Quiet q(*this);
        l->InsertItem(r, cellsOfRow.empty() ? wxString() : ToWx(cellsOfRow[0]));
        for (int col = 1; col < l->GetColumnCount() && col < static_cast<int>(cellsOfRow.size()); ++col)
            l->SetItem(r, col, ToWx(cellsOfRow[col]));
    }
    c.rows.push_back(std::move(cellsOfRow));
    return static_cast<int>(r);
}

void WxWindow::setCell(const std::string& control, int r, int column, const GbkText& value) {
    WxControl& c = at(control, Property::Rows, __func__);
    if (r < 0 || r >= static_cast<int>(c.rows.size()) || column < 0) throw std::out_of_range("cell out of range in " + control);
    if (column >= static_cast<int>(c.rows[r].size())) c.rows[r].resize(column + 1);
    c.rows[r][column] = value;
    auto* l = As<wxListCtrl>(c);
    if (column < l->GetColumnCount()) l->SetItem(r, column, ToWx(value));
}

void WxWindow::removeRow(const std::string& control, int r) {
    WxControl& c = at(control, Property::Rows, __func__);
    if (r < 0 || r >= static_cast<int>(c.rows.size())) return;
    Quiet q(*this);
    As<wxListCtrl>(c)->DeleteItem(r);
    c.rows.erase(c.rows.begin() + r);
}

void WxWindow::clearRows(const std::string& control) {
    WxControl& c = at(control, Property::Rows, __func__);
    Quiet q(*this);
    As<wxListCtrl>(c)->DeleteAllItems();
    c.rows.clear();
}

bool WxWindow::rowChecked(const std::string& control, int r) const {
    const WxControl& c = at(control, Property::Rows, __func__);
    if (r < 0 || r >= static_cast<int>(c.rows.size()) || !c.spec.rowChecks) return false;
    return As<wxListCtrl>(c)->IsItemChecked(r);
}

void WxWindow::setRowChecked(const std::string& control, int r, bool on) {
    WxControl& c = at(control, Property::Rows, __func__);
    if (r < 0 || r >= static_cast<int>(c.rows.size()) || !c.spec.rowChecks) return;
    Quiet q(*this);
    As<wxListCtrl>(c)->CheckItem(r, on);
}

// ---------------------------------------------------------------- trees

std::vector<TreeItem> WxWindow::treeItems(const std::string& control) const {
    const WxControl& c = at(control, Property::TreeItems, __func__);
    auto* t = As<wxTreeCtrl>(c);
    std::vector<TreeItem> out = c.tree;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const wxTreeItemId& id = c.treeIds[i];
        out[i].text = FromWx(t->GetItemText(id));
        out[i].bold = t->IsBold(id);
        // A leaf cannot be open on screen; it keeps the state it was given.
        if (t->ItemHasChildren(id)) out[i].expanded = t->IsExpanded(id);
    }
    return out;
}

int WxWindow::addTreeItem(const std::string& control, const GbkText& value, int parent) {
    WxControl& c = at(control, Property::TreeItems, __func__);
    auto* t = As<wxTreeCtrl>(c);
    const int n = static_cast<int>(c.tree.size());
    c.tree.push_back(TreeItem{value, parent, false, false});
    Quiet q(*this);
    const wxTreeItemId under = (parent >= 0 && parent < n) ? c.treeIds[parent] : t->GetRootItem();
    c.treeIds.push_back(t->AppendItem(under, ToWx(value)));
    return n;
}

void WxWindow::setTreeItem(const std::string& control, int item, const TreeItem& value) {
    WxControl& c = at(control, Property::TreeItems, __func__);
    if (item < 0 || item >= static_cast<int>(c.tree.size())) return;
    auto* t = As<wxTreeCtrl>(c);
    const bool moved = c.tree[item].parent != value.parent;
    c.current = currentItem(control);
    c.tree[item] = value;
    if (moved) {
        rebuildTree(c);
        return;
    }
    Quiet q(*this);
    const wxTreeItemId& id = c.treeIds[item];
    t->SetItemText(id, ToWx(value.text));
    t->SetItemBold(id, value.bold);
    if (value.expanded) t->Expand(id);
    else t->Collapse(id);
}

void WxWindow::clearTree(const std::string& control) {
    WxControl& c = at(control, Property::TreeItems, __func__);
    auto* t = As<wxTreeCtrl>(c);
    Quiet q(*this);
    t->DeleteChildren(t->GetRootItem());
    c.tree.clear();
    c.treeIds.clear();
    c.current = -1;
}

// ---------------------------------------------------------------- grids

GbkText WxWindow::gridCell(const std::string& control, int r, int column) const {
    auto* g = As<wxGrid>(at(control, Property::GridCells, __func__));
    if (r < 0 || column < 0 || r >= g->GetNumberRows() || column >= g->GetNumberCols()) return Gbk();
    return FromWx(g->GetCellValue(r, column));
}

void WxWindow::setGridCell(const std::string& control, int r, int column, const GbkText& value) {
    auto* g = As<wxGrid>(at(control, Property::GridCells, __func__));
    if (r < 0 || column < 0 || r >= g->GetNumberRows() || column >= g->GetNumberCols())
        throw std::out_of_range("grid cell out of range in " + control);
    g->SetCellValue(r, column, ToWx(value));
}

void WxWindow::setGridSize(const std::string& control, int rows, int columns) {
    WxControl& c = at(control, Property::GridCells, __func__);
    auto* g = As<wxGrid>(c);
    rows = std::max(0, rows);
    columns = std::max(0, columns);
    if (g->GetNumberRows() < rows) g->AppendRows(rows - g->GetNumberRows());
    if (g->GetNumberRows() > rows) g->DeleteRows(rows, g->GetNumberRows() - rows);
    const int before = g->GetNumberCols();
    if (before < columns) g->AppendCols(columns - before);
    if (before > columns) g->DeleteCols(columns, before - columns);
    for (int i = before; i < columns && i < static_cast<int>(c.spec.columns.size()); ++i)
        g->SetColLabelValue(i, ToWx(c.spec.columns[i]));
}

int WxWindow::gridCellBackground(const std::string& control, int r, int column) const {
    auto* g = As<wxGrid>(at(control, Property::GridCells, __func__));
    if (r < 0 || column < 0 || r >= g->GetNumberRows() || column >= g->GetNumberCols()) return -1;
    const wxColour own = g->GetCellBackgroundColour(r, column);
    if (own == g->GetDefaultCellBackgroundColour()) return -1;
    return (own.Red() << 16) | (own.Green() << 8) | own.Blue();
}

void WxWindow::setGridCellBackground(const std::string& control, int r, int column, int rgb) {
    auto* g = As<wxGrid>(at(control, Property::GridCells, __func__));
    if (r < 0 || column < 0 || r >= g->GetNumberRows() || column >= g->GetNumberCols())
        throw std::out_of_range("grid cell out of range in " + control);
    g->SetCellBackgroundColour(r, column, rgb < 0 ? g->GetDefaultCellBackgroundColour()
                                                  : wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    g->RefreshBlock(r, column, r, column);
}

// ---------------------------------------------------------------- pictures, tray, menus, tips

void WxWindow::setImage(const std::string& control, const std::string& bytes) {
    WxControl& c = at(control, Property::Image, __func__);
    c.image = bytes;
    if (c.spec.kind == Kind::Picture) {
        auto* p = As<wxGenericStaticBitmap>(c);
        const wxRect keep = p->GetRect();
        p->SetBitmap(BitmapFromBytes(bytes));
        p->SetSize(keep);  // the picture box keeps its place; a big picture is cut
    } else if (c.spec.kind == Kind::TrayIcon) {
        setTrayIcon(c);
    }
}

void WxWindow::setTrayIcon(WxControl& c) {
    const wxBitmap bitmap = BitmapFromBytes(c.image);
    if (!bitmap.IsOk()) {
        if (c.tray) c.tray->RemoveIcon();
        return;
    }
    if (!c.tray) {
        c.tray = new wxTaskBarIcon();
        const std::string name = c.spec.name;
        auto onClick = [this, name](Event event) {
            inTrayEvent_ = true;
            deliver(name, event, {}, true);
            inTrayEvent_ = false;
        };
        bind(c.tray, wxEVT_TASKBAR_LEFT_DOWN, [onClick](wxTaskBarIconEvent&) { onClick(Event::TrayLeftClick); });
        bind(c.tray, wxEVT_TASKBAR_RIGHT_DOWN, [onClick](wxTaskBarIconEvent&) { onClick(Event::TrayRightClick); });
        bind(c.tray, wxEVT_MENU, [this](wxCommandEvent& e) { chooseMenuItem(e.GetId()); });
    }
    wxIcon icon;
    icon.CopyFromBitmap(bitmap);
    c.tray->SetIcon(icon, ToWx(c.text));
}

bool WxWindow::trayShown(const std::string& control) const {
    const WxControl& c = at(control, Property::Tray, __func__);
    return c.tray && c.tray->IsIconInstalled() && wxTaskBarIcon::IsAvailable();
}

std::unique_ptr<wxMenu> WxWindow::buildMenu(const std::string& menu) {
    auto m = std::make_unique<wxMenu>();
    for (const std::string& name : order_) {
        const WxControl& c = controls_.at(name);
        if (c.parent != menu || c.spec.kind != Kind::MenuItem || !c.visible) continue;
        if (c.spec.separator) {
            m->AppendSeparator();
            continue;
        }
        const bool hasItems = std::any_of(controls_.begin(), controls_.end(), [&](const auto& e) { return e.second.parent == name; });
        wxMenuItem* item = nullptr;
        if (hasItems) {
            item = m->AppendSubMenu(buildMenu(name).release(), ToWx(c.text));
        } else {
            item = m->Append(c.menuId, ToWx(c.text), wxEmptyString, c.checked ? wxITEM_CHECK : wxITEM_NORMAL);
            if (c.checked) item->Check(true);
        }
        item->Enable(c.enabled);
    }
    return m;
}

void WxWindow::chooseMenuItem(int id) {
    auto it = menuItems_.find(id);
    if (it == menuItems_.end()) return;
    // The menu's own loop has ended by the time the handler runs.
    const std::string item = it->second;
    later([this, item] { deliver(item, Event::Click, {}, true); });
}

void WxWindow::popupMenu(const std::string& menu) {
    at(menu, Property::Menu, __func__);
    shownMenu_ = buildMenu(menu);
    wxTaskBarIcon* tray = nullptr;
    for (auto& entry : controls_)
        if (entry.second.tray && entry.second.tray->IsIconInstalled()) tray = entry.second.tray;
    if (tray && (inTrayEvent_ || !frame_->IsShown())) tray->PopupMenu(shownMenu_.get());
    else if (frame_->IsShown()) frame_->PopupMenu(shownMenu_.get());
}

void WxWindow::setTip(const std::string& tipControl, const std::string& target, const GbkText& value) {
    WxControl& t = at(target);
    at(tipControl, Property::Tips, __func__).tips[target] = value;
    if (!t.native) return;
    if (value.empty()) t.native->UnsetToolTip();
    else t.native->SetToolTip(ToWx(value));
}

GbkText WxWindow::tip(const std::string& tipControl, const std::string& target) const {
    const WxControl& c = at(tipControl, Property::Tips, __func__);
    auto it = c.tips.find(target);
    return it == c.tips.end() ? Gbk() : it->second;
}

// ---------------------------------------------------------------- focus

std::string WxWindow::focus() const {
    if (!frame_) return "";
    for (wxWindow* w = wxWindow::FindFocus(); w; w = w->GetParent()) {
        auto it = byNative_.find(w);
        if (it != byNative_.end()) return it->second;
        if (w->IsTopLevel()) break;
    }
    return "";
}

void WxWindow::setFocus(const std::string& control) {
    WxControl& c = at(control);
    if (c.spec.kind == Kind::IpAddress) c.ipFields[0]->SetFocus();
    else if (c.native) c.native->SetFocus();
}

// ---------------------------------------------------------------- the window itself

GbkText WxWindow::title() const { return frame_ ? GbkText(FromWx(frame_->GetTitle())) : GbkText(); }
void WxWindow::setTitle(const GbkText& value) {
    if (frame_) frame_->SetTitle(ToWx(value));
}
bool WxWindow::shown() const { return frame_ && frame_->IsShown(); }
void WxWindow::show() {
    if (!frame_) return;
    // A window opens centred (an owned one on its owner), at the size its
    // set-up gave it rather than the layout's.
    if (!everShown_) frame_->Centre();
    // The focus starts on the first control that takes it in the layout's
    // order, as on Windows, not on the one the toolkit finds top left first
    // (a read-only column beside an editor, say). One that code gave the
    // focus already keeps it.
    if (!everShown_ && focus().empty()) client_->SetFocus();
    everShown_ = true;
    frame_->Show(true);
}
void WxWindow::hide() {
    if (frame_) frame_->Show(false);
}
bool WxWindow::minimized() const { return frame_ && frame_->IsIconized(); }
void WxWindow::restore() {
    if (frame_) frame_->Iconize(false);
}

void WxWindow::raise(bool topmost) {
    if (!frame_) return;
    if (ui_.onRaised) ui_.onRaised(name());
    const long style = frame_->GetWindowStyleFlag();
    frame_->SetWindowStyleFlag(topmost ? (style | wxSTAY_ON_TOP) : (style & ~wxSTAY_ON_TOP));
    frame_->Raise();
}

Rect WxWindow::windowRect() const {
    if (!frame_) return {};
    const wxRect r = frame_->GetRect();
    return Rect{r.x, r.y, r.width, r.height};
}

void WxWindow::setWindowSize(int w, int h) {
    if (frame_) frame_->SetSize(w, h);
}

void WxWindow::onCloseEvent(wxCloseEvent& e) {
    bool goOn = true;
    if (onClose_) ui_.dispatch([&] { goOn = onClose_(e.CanVeto()); }, !closingFromCode_);
    if (!goOn && e.CanVeto()) {
        e.Veto();
        return;
    }
    ui_.destroyWindow(*this);
}

bool WxWindow::close(bool canRefuse) {
    if (destroyed_ || !frame_) return true;
    closingFromCode_ = true;
    frame_->Close(!canRefuse);
    closingFromCode_ = false;
    return destroyed_;
}

void WxWindow::destroyNow() {
    if (destroyed_) return;
    destroyed_ = true;
    endLifetime();
    if (onDestroy_) ui_.dispatch(onDestroy_, false);
    for (auto& entry : controls_) {
        if (!entry.second.tray) continue;
        entry.second.tray->RemoveIcon();
        entry.second.tray->Destroy();
        entry.second.tray = nullptr;
    }
    if (frame_) frame_->Destroy();
}

// ---------------------------------------------------------------- events

void WxWindow::on(const std::string& control, Event event, Handler handler) {
    if (!control.empty()) known(control);
    handlers_.add(control, event, std::move(handler));
}

void WxWindow::acceptFiles(const std::string& control, bool on) {
    WxControl& c = at(control);
    c.acceptsFiles = on;
    if (!c.native) return;
    if (!on) {
        c.native->SetDropTarget(nullptr);
        return;
    }
    c.native->SetDropTarget(new FileDrop([this, alive = alive_, control](std::vector<std::filesystem::path> files) {
        if (!*alive) return;
        // After the drop has finished: a handler may open boxes of its own.
        later([this, control, files = std::move(files)] {
            if (has(control) && at(control).acceptsFiles) deliver(control, Event::FilesDropped, EventArgs::Files(files), true);
        });
    }));
}

bool WxWindow::fire(const std::string& control, Event event, const EventArgs& args) {
    return deliver(control, event, args, false);
}

bool WxWindow::deliver(const std::string& control, Event event, const EventArgs& args, bool fromToolkit) {
    if (!handlers_.has(control, event)) return false;
    // One dispatch for them all: a fault in one ends the event, as a throw
    // out of it would headless.
    ui_.dispatch([&] { handlers_.run(control, event, args, [this] { return !destroyed_; }); }, fromToolkit);
    return true;
}

}  // namespace trelvix::ui
