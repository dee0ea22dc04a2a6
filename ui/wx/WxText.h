#pragma once
// The one place where text crosses between the program and the toolkit:
// GBK bytes with CR LF inside, Unicode with LF in wxWidgets. A character GBK
// lacks becomes "?" on the way in; nothing ever turns a whole text into nothing.
#include <cstddef>
#include <string_view>

#include <wx/string.h>

#include "common/text/Gbk.h"

namespace trelvix::ui {

wxString ToWx(std::string_view gbk);
Gbk FromWx(const wxString& text);

// Edit controls count characters of their LF text; the window interface counts
// bytes of the GBK CR LF text. `text` is the control's content as the toolkit
// holds it. An offset inside a character moves to that character's end.
int GbkOffsetOf(const wxString& text, long index);
long WxIndexOf(const wxString& text, std::size_t gbkOffset);

}  // namespace trelvix::ui
