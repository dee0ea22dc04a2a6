#include "ui/wx/WxWindow.h"

#include <algorithm>
#include <stdexcept>

#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/stc/stc.h>
#include <wx/taskbar.h>
#include <wx/textctrl.h>

#include "ui/wx/WxMapping.h"
#include "ui/wx/WxNatives.h"
#include "ui/wx/WxText.h"

namespace trelvix::ui {

namespace {

constexpr int kFirstMenuId = wxID_HIGHEST + 1;

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
            deliver("", Event::KeyDown, EventArgs::Key(vk, KeyModifiers(e.ShiftDown(), e.ControlDown(), e.AltDown())),
                    true);
    });
    bind(frame_, wxEVT_MENU, [this](wxCommandEvent& e) { chooseMenuItem(e.GetId()); });

    addControls(spec.controls, "", client_);
    frame_->Centre();
}

WxWindow::~WxWindow() { *alive_ = false; }

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
            addPages(c, s, build);
        } else {
            wxWindow* inner = s.kind == Kind::GroupBox                             ? c.native
                              : (s.kind == Kind::Menu || s.kind == Kind::MenuItem) ? nullptr
                                                                                   : parentNative;
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

wxWindow* WxWindow::outer(const WxControl& c) { return c.holder ? c.holder : c.native; }

void WxWindow::registerNative(wxWindow* w, const std::string& control) { byNative_[w] = control; }

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
    constexpr Kind kMadeWithTheirText[] = {Kind::Edit,  Kind::CodeBox,  Kind::Label,    Kind::Button,
                                           Kind::Radio, Kind::CheckBox, Kind::GroupBox, Kind::Hyperlink};
    if (!c.pending || std::find(std::begin(kMadeWithTheirText), std::end(kMadeWithTheirText), c.spec.kind) ==
                          std::end(kMadeWithTheirText))
        return false;
    const bool changed = c.takeText(value);
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
                if (!c.chooseItemText(value)) return;  // a drop-down list holds only its items
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
    c.takeText(value);
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

}  // namespace trelvix::ui
