#include "ui/wx/WxText.h"

#include <wx/strconv.h>

#include "common/text/CodePage.h"

namespace trelvix::ui {

wxString ToWx(std::string_view gbk) {
    const std::string utf8 = GbkToUtf8(gbk);
    std::string lf;
    lf.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
        lf += utf8[i];
    }
    wxString text = wxString::FromUTF8(lf.data(), lf.size());
    // The decoder only yields valid UTF-8, but a text must never vanish: should
    // it fail, keep the bad bytes visible as escapes.
    if (text.empty() && !lf.empty())
        text = wxString(lf.data(), wxMBConvUTF8(wxMBConvUTF8::MAP_INVALID_UTF8_TO_OCTAL), lf.size());
    return text;
}

Gbk FromWx(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    const std::string_view in(utf8.data(), utf8.length());
    std::string crlf;
    crlf.reserve(in.size() + in.size() / 32 + 1);
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == '\n' && (i == 0 || in[i - 1] != '\r')) crlf += '\r';
        crlf += in[i];
    }
    return Utf8ToGbk(crlf);
}

int GbkOffsetOf(const wxString& text, long index) {
    if (index <= 0) return 0;
    return static_cast<int>(FromWx(text.Left(static_cast<std::size_t>(index))).size());
}

long WxIndexOf(const wxString& text, std::size_t gbkOffset) {
    // Walk the characters and the GBK bytes side by side: an LF stands for CR LF,
    // ASCII for itself, anything else for one byte ("?" or the euro sign) or a
    // lead byte and its partner.
    const Gbk gbk = FromWx(text);
    std::size_t at = 0;
    long index = 0;
    wxUniChar previous = 0;
    for (wxString::const_iterator it = text.begin(); it != text.end(); ++it, ++index) {
        if (at >= gbkOffset) return index;
        const wxUniChar c = *it;
        if (c == '\n' && previous != '\r') at += 2;
        else if (c.GetValue() < 0x80) at += 1;
        else at += (at + 1 < gbk.size() && IsLeadByte(static_cast<unsigned char>(gbk[at]))) ? 2 : 1;
        previous = c;
    }
    return index;
}

}  // namespace trelvix::ui
