// Edit boxes, code boxes and address boxes: their text as typed, read-only
// and masked states, selections and scrolling by lines.
#include <algorithm>
#include <cstdint>

#include <wx/grid.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/stc/stc.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

#include "ui/wx/WxNatives.h"
#include "ui/wx/WxText.h"
#include "ui/wx/WxTyping.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {

namespace {

constexpr int kIpDotWidth = 6;

}  // namespace

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

wxWindow* WxWindow::makeIp(WxControl& c, wxWindow* parent) {
    auto* panel = new wxPanel(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), wxBORDER_SUNKEN | wxTAB_TRAVERSAL);
    const wxSize inner = panel->GetClientSize();
    const int fieldWidth = std::max(1, (inner.x - 3 * kIpDotWidth) / 4);
    const std::string name = c.spec.name;
    for (int i = 0; i < 4; ++i) {
        const int x = i * (fieldWidth + kIpDotWidth);
        auto* f = new wxTextCtrl(panel, wxID_ANY, wxEmptyString, wxPoint(x, 0), wxSize(fieldWidth, inner.y),
                                 wxBORDER_NONE | wxTE_CENTRE);
        c.ipFields[i] = f;
        if (i < 3)
            new wxStaticText(panel, wxID_ANY, ".", wxPoint(x + fieldWidth, 0), wxSize(kIpDotWidth, inner.y),
                             wxALIGN_CENTRE_HORIZONTAL);
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
            if (ch == WXK_NONE || ch < WXK_SPACE || ch == WXK_DELETE || e.ControlDown() || e.AltDown() ||
                (ch >= '0' && ch <= '9'))
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
    std::vector<Gbk> fields;
    for (const wxTextCtrl* f : c.ipFields) fields.push_back(f ? FromWx(f->GetValue()) : Gbk());
    return AddressText(fields);
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
    if (!c.takeMasked(on)) return;
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
    const auto [from, to] = SnapSelection(now, start, end);
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
    const int next = ClampToLines(text(control), line);
    if (next == c.firstLine) return;
    c.firstLine = next;
    if (c.spec.kind == Kind::Edit) {
        auto* t = As<wxTextCtrl>(c);
        t->ShowPosition(t->XYToPosition(0, next));
    }
    deliver(control, Event::Scroll, EventArgs::Index(next), false);
}

}  // namespace trelvix::ui
