#include "ui/wx/WxMapping.h"

#include <wx/defs.h>

#include "ui/Ui.h"

namespace trelvix::ui {

namespace {

constexpr int kButtonMask = 0x0F, kIconMask = 0xF0, kDefaultSecond = 0x100;
constexpr int kAbortRetryIgnore = 2, kYesNoCancel = 3, kRetryCancel = 5;

struct IconStyle {
    int icon;
    long style;
};

constexpr IconStyle kIcons[] = {
    {mb::IconError, wxICON_ERROR},
    {mb::IconQuestion, wxICON_QUESTION},
    {mb::IconExclamation, wxICON_EXCLAMATION},
    {mb::IconInformation, wxICON_INFORMATION},
};

struct KeyPair {
    int wx;
    int windows;
};

// Keys whose codes differ; letters, digits, space, return, escape, tab and
// backspace share their values.
constexpr KeyPair kKeys[] = {
    // clang-format off
    {WXK_DELETE, 46},       {WXK_INSERT, 45},      {WXK_LEFT, 37},        {WXK_UP, 38},
    {WXK_RIGHT, 39},        {WXK_DOWN, 40},        {WXK_HOME, 36},        {WXK_END, 35},
    {WXK_PAGEUP, 33},       {WXK_PAGEDOWN, 34},    {WXK_SHIFT, 16},       {WXK_CONTROL, 17},
    {WXK_ALT, 18},          {WXK_PAUSE, 19},       {WXK_CAPITAL, 20},     {WXK_NUMLOCK, 144},
    {WXK_SCROLL, 145},      {WXK_NUMPAD_ENTER, 13}, {WXK_MULTIPLY, 106},  {WXK_ADD, 107},
    {WXK_SUBTRACT, 109},    {WXK_DECIMAL, 110},    {WXK_DIVIDE, 111},     {WXK_NUMPAD_MULTIPLY, 106},
    {WXK_NUMPAD_ADD, 107},  {WXK_NUMPAD_SUBTRACT, 109}, {WXK_NUMPAD_DECIMAL, 110}, {WXK_NUMPAD_DIVIDE, 111},
    {WXK_NUMPAD_DELETE, 46}, {WXK_NUMPAD_INSERT, 45}, {WXK_NUMPAD_LEFT, 37}, {WXK_NUMPAD_UP, 38},
    {WXK_NUMPAD_RIGHT, 39}, {WXK_NUMPAD_DOWN, 40}, {WXK_NUMPAD_HOME, 36},  {WXK_NUMPAD_END, 35},
    {WXK_NUMPAD_PAGEUP, 33}, {WXK_NUMPAD_PAGEDOWN, 34},
    {';', 186}, {'=', 187}, {',', 188}, {'-', 189}, {'.', 190}, {'/', 191}, {'`', 192},
    {'[', 219}, {'\\', 220}, {']', 221}, {'\'', 222},
    // clang-format on
};

}  // namespace

long MessageBoxStyle(int flags) {
    long style = wxCENTRE;
    switch (flags & kButtonMask) {
        case mb::OkCancel: style |= wxOK | wxCANCEL; break;
        case mb::YesNo: style |= wxYES_NO; break;
        case kYesNoCancel: style |= wxYES_NO | wxCANCEL; break;
        case kRetryCancel:
        case kAbortRetryIgnore: style |= wxOK | wxCANCEL; break;
        default: style |= wxOK; break;
    }
    long icon = wxICON_NONE;
    for (const IconStyle& i : kIcons)
        if ((flags & kIconMask) == i.icon) icon = i.style;
    style |= icon;
    if (flags & kDefaultSecond) style |= (style & wxYES_NO) ? wxNO_DEFAULT : wxCANCEL_DEFAULT;
    return style;
}

int MessageBoxAnswer(int wxResult, int flags) {
    const int buttons = flags & kButtonMask;
    switch (wxResult) {
        case wxID_YES: return mb::IdYes;
        case wxID_NO: return mb::IdNo;
        case wxID_OK: return mb::IdOk;
        default: break;
    }
    if (buttons == mb::YesNo) return mb::IdNo;
    if (buttons == mb::Ok) return mb::IdOk;
    return mb::IdCancel;
}

int WindowsKeyCode(int key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return key;
    if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
    if (key == WXK_BACK || key == WXK_TAB || key == WXK_RETURN || key == WXK_ESCAPE || key == WXK_SPACE) return key;
    if (key >= WXK_F1 && key <= WXK_F24) return 112 + (key - WXK_F1);
    if (key >= WXK_NUMPAD0 && key <= WXK_NUMPAD9) return 96 + (key - WXK_NUMPAD0);
    for (const KeyPair& k : kKeys)
        if (k.wx == key) return k.windows;
    return 0;
}

int KeyModifiers(bool shift, bool ctrl, bool alt) {
    return (shift ? mod::Shift : 0) | (ctrl ? mod::Ctrl : 0) | (alt ? mod::Alt : 0);
}

}  // namespace trelvix::ui
