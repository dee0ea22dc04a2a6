// Native events reaching handlers: keys, the mouse and lost focus bound on
// each control, the focus itself, dropped files and delivering an event.
#include <filesystem>
#include <functional>
#include <vector>

#include <wx/app.h>
#include <wx/dnd.h>
#include <wx/textctrl.h>

#include "ui/wx/WxMapping.h"
#include "ui/wx/WxNatives.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {

namespace {

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

}  // namespace

void WxWindow::later(std::function<void()> work) {
    wxTheApp->CallAfter([this, alive = alive_, work = std::move(work)] {
        if (*alive && !destroyed_) work();
    });
}

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
            deliver(control, Event::KeyDown,
                    EventArgs::Key(vk, KeyModifiers(e.ShiftDown(), e.ControlDown(), e.AltDown())), true);
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
            if (has(control) && at(control).acceptsFiles)
                deliver(control, Event::FilesDropped, EventArgs::Files(files), true);
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
