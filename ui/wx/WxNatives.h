#pragma once
// What the files of the wx window share: a layout place as the toolkit's,
// a control's native as the class it was made as, and events bound for as
// long as the window lives.
#include <stdexcept>
#include <string>

#include <wx/event.h>
#include <wx/window.h>

#include "ui/wx/WxWindow.h"

class wxBookCtrlBase;

namespace trelvix::ui {

inline wxPoint PointOf(const Rect& r) { return {r.x, r.y}; }
inline wxSize SizeOf(const Rect& r) { return {r.w, r.h}; }

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

// Shows a book's page without taking the focus from where the user put it.
void ShowPageFromCode(wxBookCtrlBase& book, int index);

inline bool OwnEvent(wxEvent& e, const wxWindow* native) {
    if (e.GetEventObject() == native) return true;
    e.Skip();  // a nested control's event passing through
    return false;
}

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

}  // namespace trelvix::ui
