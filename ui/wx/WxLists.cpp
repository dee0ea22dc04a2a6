// Combo boxes, list boxes, status bars and scroll bars, and the items and
// current item of every kind that has them.
#include <algorithm>
#include <vector>

#include <wx/bookctrl.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/scrolbar.h>
#include <wx/statusbr.h>
#include <wx/treectrl.h>

#include "ui/wx/WxNatives.h"
#include "ui/wx/WxText.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {

namespace {

constexpr int kScrollPage = 10;

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

}  // namespace

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
    auto* cb = new wxComboBox(parent, wxID_ANY, wxEmptyString, PointOf(c.rect), SizeOf(c.rect), WxList(c.items),
                              wxCB_DROPDOWN);
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
        self.current = self.itemIndex(FromWx(cb->GetValue()));
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
    for (int i = 0; i < n; ++i)
        s->SetStatusText(i < static_cast<int>(c.items.size()) ? ToWx(c.items[i]) : wxString(), i);
}

wxWindow* WxWindow::makeScroll(WxControl& c, wxWindow* parent) {
    auto* s = new wxScrollBar(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), wxSB_HORIZONTAL);
    const int range = std::max(1, c.spec.maximum - c.spec.minimum + 1);
    const int start = std::clamp(c.current < 0 ? c.spec.minimum : c.current, c.spec.minimum,
                                 std::max(c.spec.minimum, c.spec.maximum));
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
    c.takeItems(list);
    const int n = static_cast<int>(list.size());
    Quiet q(*this);
    switch (c.spec.kind) {
        case Kind::Combo:
            if (!c.spec.editable) {
                auto* ch = As<wxChoice>(c);
                ch->Set(WxList(list));
                if (!list.empty()) ch->SetSelection(0);
            } else {
                auto* cb = As<wxComboBox>(c);
                const wxString typed = cb->GetValue();
                cb->Set(WxList(list));
                cb->ChangeValue(typed);
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
        default: break;
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
                l->SetItemState(index, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
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
        default: c.current = (index >= 0 && index < static_cast<int>(c.items.size())) ? index : -1; return;
    }
}

}  // namespace trelvix::ui
