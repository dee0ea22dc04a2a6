#include "ui/wx/WxTyping.h"

#include <algorithm>

#include <wx/textctrl.h>

#include "ui/EditBoxes.h"
#include "ui/wx/WxText.h"

namespace trelvix::ui {
namespace {

constexpr long long kAddressFieldDigits = 3;
constexpr long kAddressFieldMaximum = 255;

wxString Admit(const wxString& typed, bool digitsOnly, long long room) {
    return ToWx(AdmitTyped(FromWx(typed), digitsOnly, room));
}

// A field's digits, saying no more than 255.
wxString AtMost255(wxString digits) {
    long value = 0;
    if (!digits.empty() && digits.ToLong(&value) && value > kAddressFieldMaximum)
        digits = wxString::Format("%ld", kAddressFieldMaximum);
    return digits;
}

void Show(wxTextCtrl& box, const wxString& text, long caret) {
    if (box.GetValue() == text) return;
    box.ChangeValue(text);
    box.SetInsertionPoint(std::min<long>(caret, static_cast<long>(text.length())));
}

}  // namespace

InsertedText WhatTheEditInserted(const wxString& before, const wxString& after) {
    std::size_t head = 0;
    while (head < before.length() && head < after.length() && before[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < before.length() - head && tail < after.length() - head &&
           before[before.length() - 1 - tail] == after[after.length() - 1 - tail])
        ++tail;
    return {after.Left(head), after.Mid(head, after.length() - head - tail), after.Right(tail)};
}

bool AdmitUserEdit(wxTextCtrl& box, wxString& accepted, bool digitsOnly, int maxLength) {
    const InsertedText edit = WhatTheEditInserted(accepted, box.GetValue());
    const long long kept = static_cast<long long>(edit.head.length() + edit.tail.length());
    const long long room = maxLength > 0 ? std::max(0LL, maxLength - kept) : -1;
    const wxString admitted = Admit(edit.inserted, digitsOnly, room);
    if (admitted != edit.inserted)
        Show(box, edit.head + admitted + edit.tail, static_cast<long>(edit.head.length() + admitted.length()));
    const bool changed = box.GetValue() != accepted;
    accepted = box.GetValue();
    return changed;
}

bool AdmitAddressEdit(const std::array<wxTextCtrl*, 4>& fields, std::array<wxString, 4>& accepted, int field) {
    wxTextCtrl& box = *fields[field];
    const InsertedText edit = WhatTheEditInserted(accepted[field], box.GetValue());
    if (edit.inserted.Contains(".")) {
        // A dotted address: its first part replaces this field, the others the fields after it.
        const wxArrayString parts = wxSplit(edit.inserted, '.', '\0');
        for (std::size_t i = 0; i < parts.size() && field + i < fields.size(); ++i) {
            wxTextCtrl& target = *fields[field + i];
            const wxString value = AtMost255(Admit(parts[i], true, kAddressFieldDigits));
            Show(target, value, static_cast<long>(value.length()));
        }
    } else {
        const long long kept = static_cast<long long>(edit.head.length() + edit.tail.length());
        const wxString admitted = Admit(edit.inserted, true, std::max(0LL, kAddressFieldDigits - kept));
        Show(box, AtMost255(edit.head + admitted + edit.tail),
             static_cast<long>(edit.head.length() + admitted.length()));
    }
    bool changed = false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!fields[i]) continue;
        changed = changed || fields[i]->GetValue() != accepted[i];
        accepted[i] = fields[i]->GetValue();
    }
    return changed;
}

}  // namespace trelvix::ui
