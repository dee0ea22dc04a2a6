#pragma once
// What a user's edit puts into a text control that takes digits only or no
// more than so many characters. Typing, pasting, dragging and input methods
// all end in one change of the control's text, so the edit is judged there,
// after the fact: the text it inserted is what lies between the part of the
// old text kept at the start and the part kept at the end.
#include <array>

#include <wx/string.h>

class wxTextCtrl;

namespace trelvix::ui {

struct InsertedText {
    wxString head;      // the old text's start, kept
    wxString inserted;  // what the edit put between
    wxString tail;      // the old text's end, kept
};
InsertedText WhatTheEditInserted(const wxString& before, const wxString& after);

// Puts the control's text back to what the box takes of the user's edit
// (`AdmitTyped`). `accepted` holds the text before the edit and becomes the
// text after it; true when that differs from the text before.
bool AdmitUserEdit(wxTextCtrl& box, wxString& accepted, bool digitsOnly, int maxLength);

// The address box's field `field` changed under the user's hand. A pasted
// dotted address goes into this field and the ones after it, a part to a
// field; a field says at most 255 and holds at most three digits. Each
// field's text is corrected at once, so that what the box gives is what it
// shows. True when any field's text differs from what `accepted` held.
bool AdmitAddressEdit(const std::array<wxTextCtrl*, 4>& fields, std::array<wxString, 4>& accepted, int field);

}  // namespace trelvix::ui
