// Labels, buttons, check boxes, radio buttons, group boxes, links and plain
// panels.
#include <algorithm>
#include <map>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/hyperlink.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>  // before the generic label, which would hide it
#include <wx/generic/stattextg.h>

#include "ui/wx/WxNatives.h"
#include "ui/wx/WxText.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {

namespace {

// Below this a group box has no room for its frame and caption.
constexpr int kMinGroupHeight = 20;

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

}  // namespace

wxWindow* WxWindow::makeLabel(WxControl& c, wxWindow* parent) {
    // The generic label has a window of its own, so it hears the mouse.
    auto* l = new wxGenericStaticText(parent, wxID_ANY, wxEmptyString, PointOf(c.rect), SizeOf(c.rect),
                                      wxST_NO_AUTORESIZE);
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
        if (peerName == control || !SameRadioGroup(peer, self)) continue;
        if (peer.radioOff) peer.radioOff->SetValue(true);
    }
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

wxWindow* WxWindow::makePanel(WxControl& c, wxWindow* parent) {
    auto* p = new wxPanel(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect),
                          c.spec.kind == Kind::Shape ? wxBORDER_SIMPLE : wxBORDER_NONE);
    bindMouse(p, c.spec.name);
    return p;
}

wxWindow* WxWindow::makeLink(WxControl& c, wxWindow* parent) {
    wxString label = ToWx(c.text), url = ToWx(c.spec.url);
    if (url.empty()) url = label.empty() ? wxString(" ") : label;
    if (label.empty()) label = url;
    auto* h = new wxHyperlinkCtrl(parent, wxID_ANY, label, url, PointOf(c.rect), SizeOf(c.rect),
                                  wxHL_ALIGN_LEFT | wxBORDER_NONE);
    const std::string name = c.spec.name;
    // Handled here, so the toolkit does not open the address a second time.
    bind(h, wxEVT_HYPERLINK, [this, name](wxHyperlinkEvent&) {
        if (handlers_.has(name, Event::Click)) deliver(name, Event::Click, {}, true);
        else if (!at(name).spec.url.empty()) ui_.openUrl(at(name).spec.url);
    });
    bindFocusAndKeys(h, name);
    return h;
}

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

}  // namespace trelvix::ui
