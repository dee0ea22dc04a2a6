// The parts of the wx realisation that need no display: the text boundary and
// the translations of message-box flags and key codes.
#include <gtest/gtest.h>

#include <wx/defs.h>
#include <wx/string.h>

#include "TestSupport.h"
#include "ui/Ui.h"
#include "ui/Window.h"
#include "ui/wx/WxMapping.h"
#include "ui/wx/WxText.h"

namespace trelvix::ui {
namespace {

using test::G;
using test::Visible;

wxString U(const char* utf8) { return wxString::FromUTF8(utf8); }

struct BoundaryCase {
    const char* gbkAsUtf8;  // the program's side, written readably
    const char* wx;         // the toolkit's side
};

TEST(WxText, CrossesBothWaysWithLineEndsTurned) {
    const BoundaryCase cases[] = {
        {"", ""},
        {"测试\r\n第二行", "测试\n第二行"},
        {"\r\n\r\n", "\n\n"},
        {"/ip address add address=192.168.1.1/24 comment=\"内网\"\r\n",
         "/ip address add address=192.168.1.1/24 comment=\"内网\"\n"},
        {"全角：，。", "全角：，。"},
    };
    for (const BoundaryCase& c : cases) {
        SCOPED_TRACE(c.gbkAsUtf8);
        EXPECT_EQ(ToWx(G(c.gbkAsUtf8)), U(c.wx));
        EXPECT_EQ(Visible(FromWx(U(c.wx))), Visible(G(c.gbkAsUtf8)));
    }
}

TEST(WxText, TextFromTheToolkitKeepsWhatGbkCannotHoldAsQuestionMarks) {
    // An emoji and a line end already written as CR LF (pasted text): the
    // emoji becomes one "?", the CR LF stays one line end.
    EXPECT_EQ(Visible(FromWx(U("甲\xF0\x9F\x98\x80乙\r\n丙"))), Visible(G("甲?乙\r\n丙")));
    EXPECT_EQ(Visible(FromWx(U("\xF0\x9F\x98\x80"))), "?");
    // A lone CR is no line end and stays as it is.
    EXPECT_EQ(Visible(FromWx(U("a\rb"))), "a\\rb");
}

TEST(WxText, BytesThatAreNoGbkStillReachTheToolkit) {
    // A lead byte without its partner at the end: the rest of the text survives.
    const wxString shown = ToWx(G("甲乙") + "\x81");
    EXPECT_TRUE(shown.StartsWith(U("甲乙")));
    EXPECT_GT(shown.length(), 2u);
}

TEST(WxText, OffsetsCountGbkBytesOfTheCrLfText) {
    const wxString text = U("甲乙\nab\xF0\x9F\x98\x80z");  // GBK: 甲乙\r\nab?z = 4 + 2 + 2 + 1 + 1 bytes
    struct OffsetCase {
        long index;
        int offset;
    };
    const OffsetCase cases[] = {{0, 0}, {1, 2}, {2, 4}, {3, 6}, {4, 7}, {5, 8}, {6, 9}, {7, 10}};
    for (const OffsetCase& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(GbkOffsetOf(text, c.index), c.offset);
        EXPECT_EQ(WxIndexOf(text, static_cast<std::size_t>(c.offset)), c.index);
    }
    // Inside a character (the second byte of 乙, the LF of CR LF) moves to its end.
    EXPECT_EQ(WxIndexOf(text, 3), 2);
    EXPECT_EQ(WxIndexOf(text, 5), 3);
    EXPECT_EQ(WxIndexOf(text, 99), 7);
}

TEST(WxMapping, MessageBoxFlagsBecomeDialogStyles) {
    struct StyleCase {
        int flags;
        long buttons;
        long icon;
    };
    const StyleCase cases[] = {
        {mb::Ok, wxOK, wxICON_NONE},
        {mb::OkCancel, wxOK | wxCANCEL, wxICON_NONE},
        {mb::YesNo, wxYES_NO, wxICON_NONE},
        {mb::IconError, wxOK, wxICON_ERROR},
        {mb::YesNo | mb::IconQuestion, wxYES_NO, wxICON_QUESTION},
        {mb::OkCancel | mb::IconExclamation, wxOK | wxCANCEL, wxICON_EXCLAMATION},
        {mb::IconInformation, wxOK, wxICON_INFORMATION},
        {3 | mb::IconQuestion, wxYES_NO | wxCANCEL, wxICON_QUESTION},
    };
    const long buttonBits = wxOK | wxCANCEL | wxYES_NO;
    const long iconBits = wxICON_NONE | wxICON_ERROR | wxICON_QUESTION | wxICON_EXCLAMATION | wxICON_INFORMATION;
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.flags);
        const long style = MessageBoxStyle(c.flags);
        EXPECT_EQ(style & buttonBits, c.buttons);
        EXPECT_EQ(style & iconBits, c.icon);
        EXPECT_EQ(style & (wxNO_DEFAULT | wxCANCEL_DEFAULT), 0);
    }
    EXPECT_NE(MessageBoxStyle(mb::YesNo | 0x100) & wxNO_DEFAULT, 0);
    EXPECT_NE(MessageBoxStyle(mb::OkCancel | 0x100) & wxCANCEL_DEFAULT, 0);
}

TEST(WxMapping, DialogResultsBecomeWindowsAnswers) {
    struct AnswerCase {
        int result;
        int flags;
        int answer;
    };
    const AnswerCase cases[] = {
        {wxID_OK, mb::Ok, mb::IdOk},
        {wxID_OK, mb::OkCancel, mb::IdOk},
        {wxID_CANCEL, mb::OkCancel, mb::IdCancel},
        {wxID_YES, mb::YesNo, mb::IdYes},
        {wxID_NO, mb::YesNo, mb::IdNo},
        // Closed by the title bar: the refusing button, never a yes.
        {wxID_CANCEL, mb::YesNo | mb::IconQuestion, mb::IdNo},
        {wxID_CANCEL, mb::Ok | mb::IconError, mb::IdOk},
        {wxID_CANCEL, 3, mb::IdCancel},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.result);
        EXPECT_EQ(MessageBoxAnswer(c.result, c.flags), c.answer);
    }
}

TEST(WxMapping, KeysBecomeWindowsKeyCodes) {
    struct KeyCase {
        int wx;
        int windows;
    };
    const KeyCase cases[] = {
        {'A', 65},         {'a', 65},        {'Z', 90},         {'0', 48},
        {WXK_RETURN, 13},  {WXK_ESCAPE, 27}, {WXK_BACK, 8},     {WXK_TAB, 9},
        {WXK_SPACE, 32},   {WXK_DELETE, 46}, {WXK_LEFT, 37},    {WXK_DOWN, 40},
        {WXK_F1, 112},     {WXK_F12, 123},   {WXK_NUMPAD0, 96}, {WXK_NUMPAD_ENTER, 13},
        {WXK_CONTROL, 17}, {';', 186},       {'.', 190},        {WXK_NONE, 0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.wx);
        EXPECT_EQ(WindowsKeyCode(c.wx), c.windows);
    }
    EXPECT_EQ(KeyModifiers(true, true, true), mod::Shift | mod::Ctrl | mod::Alt);
    EXPECT_EQ(KeyModifiers(false, true, false), mod::Ctrl);
}

}  // namespace
}  // namespace trelvix::ui
