// Picture boxes, the tray icon, pop-up menus and tips.
#include <algorithm>
#include <memory>

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/taskbar.h>
#include <wx/generic/statbmpg.h>

#include "ui/wx/WxNatives.h"
#include "ui/wx/WxText.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {

namespace {

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

}  // namespace

wxWindow* WxWindow::makePicture(WxControl& c, wxWindow* parent) {
    auto* p = new wxGenericStaticBitmap(parent, wxID_ANY, wxNullBitmap, PointOf(c.rect), SizeOf(c.rect));
    bindMouse(p, c.spec.name);
    return p;
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
        const bool hasItems = std::any_of(controls_.begin(), controls_.end(),
                                          [&](const auto& e) { return e.second.parent == name; });
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
    return at(tipControl, Property::Tips, __func__).tipFor(target);
}

}  // namespace trelvix::ui
