#include "tools/editor/ScriptEditorWindow.h"

#include <array>
#include <filesystem>
#include <string>
#include <system_error>

#include "common/platform/AtomicFile.h"
#include "common/platform/DroppedFile.h"
#include "common/platform/Paths.h"
#include "common/text/RouterOsText.h"
#include "names/tools/script_editor.h"
#include "ui/LineNumbers.h"

#ifndef TRELVIX_SCRIPT_REFERENCE
#define TRELVIX_SCRIPT_REFERENCE ""
#endif

namespace trelvix {
using namespace names::tools::script_editor;

namespace {

constexpr const char* kCodeBox = 编辑框_代码;
constexpr const char* kColumn = 编辑框_行号;

// Index 0 is the default note, then C4 to B6 rounded to whole hertz. Three
// entries are off the equal-tempered values (1047, 1319, 1976): they are kept,
// so a tune written with this panel sounds as it always did.
constexpr std::array<const char*, 37> kBeepNoteTable = {
    "1000",  //
    "262",  "277",  "294",  "311",  "330",  "349",  "370",  "392",  "415",  "440",  "466",  "494",
    "523",  "554",  "587",  "622",  "659",  "698",  "740",  "784",  "831",  "880",  "932",  "988",
    "1046", "1109", "1175", "1245", "1318", "1397", "1480", "1568", "1661", "1760", "1865", "1967",
};

struct OperatorButton {
    const char* button;
    const char* text;
};
constexpr OperatorButton kOperatorButtons[] = {
    {按钮_逻辑非, " ! "},    {按钮_或, " | "},        {按钮_等于, " = "},   {按钮_逻辑与, " && "},
    {按钮_逻辑或, " || "},   {按钮_不等于, " != "},   {按钮_相加, " + "},   {按钮_相减, " - "},
    {按钮_小于, " < "},      {按钮_相乘, " * "},      {按钮_相除, " / "},   {按钮_大于, " > "},
    {按钮_向左位移, " << "}, {按钮_向右位移, " >> "}, {按钮_连接符, " . "}, {按钮_通配符, " ~ "},
};

struct SnippetButton {
    const char* button;
    Gbk (*line)(const ui::Window& w);
};

template <const char* const* Line>
Gbk Fixed(const ui::Window&) {
    return *Line;
}

// The fixed templates; their Chinese words are placeholders the user overwrites.
constexpr const char* kFor = ":for 变量名 from=起始值 to=终止值 step=步长 do={ }";
constexpr const char* kForeach = ":foreach 变量 in=[公式] do={ }";
constexpr const char* kWhile = ":while (判断公式) do={ }";
constexpr const char* kIf = ":if (判断公式) do={ }";
constexpr const char* kIfElse = ":if (判断公式) do={ } else={ }";
constexpr const char* kIfAnd = ":if (判断公式 and 判断公式) do={ }";
constexpr const char* kIfOr = ":if (判断公式 or 判断公式) do={ }";
constexpr const char* kPick = "[:pick 字符 起始位置 终止位置]";
constexpr const char* kLen = "[:len ]";
constexpr const char* kGlobal = ":global 变量名";
constexpr const char* kLocal = ":local 变量名";
constexpr const char* kSet = ":set 变量名 变量值";
constexpr const char* kFind = "[:find 字符串 查找字符]";
constexpr const char* kRemove = " remove ";
constexpr const char* kPut = ":put []";
constexpr const char* kTime = "[:time ]";
constexpr const char* kArray = ":global abc 123,234,567";

// The panel's fields go in exactly as they stand: the user is writing a
// script by hand, and a template that quoted or trimmed them would not be
// what was typed.
Gbk DelayLine(const ui::Window& w) { return ":delay " + w.text(组合框_延时).bytes(); }

Gbk ResolveLine(const ui::Window& w) {
    const Gbk domain = w.text(编辑框_解析网址);
    return domain.empty() ? Gbk("[:resolve 域名网址]") : "[:resolve " + domain + "]";
}

Gbk BeepLine(const ui::Window& w) {
    return ":beep length=" + w.text(组合框_beep延时).bytes() +
           " frequency=" + BeepNoteFrequency(w.currentItem(组合框_beep频率));
}

Gbk LogLine(const ui::Window& w) { return ":log " + w.text(组合框_log).bytes() + " " + Quote(""); }

constexpr SnippetButton kSnippetButtons[] = {
    {按钮_for, Fixed<&kFor>},
    {按钮_foreach, Fixed<&kForeach>},
    {按钮_while, Fixed<&kWhile>},
    {按钮_if, Fixed<&kIf>},
    {按钮_ifelse, Fixed<&kIfElse>},
    {按钮_ifand, Fixed<&kIfAnd>},
    {按钮_ifor, Fixed<&kIfOr>},
    {按钮_delay, DelayLine},
    {按钮_域名解析, ResolveLine},
    {按钮_beep, BeepLine},
    {按钮_log, LogLine},
    {按钮_截取字符, Fixed<&kPick>},
    {按钮_字符长度, Fixed<&kLen>},
    {按钮_全局变量, Fixed<&kGlobal>},
    {按钮_本地变量, Fixed<&kLocal>},
    {按钮_设置变量, Fixed<&kSet>},
    {按钮_查找, Fixed<&kFind>},
    {按钮_删除, Fixed<&kRemove>},
    {按钮_屏幕输出, Fixed<&kPut>},
    {按钮_执行耗时, Fixed<&kTime>},
    {按钮_通配符1, Fixed<&kArray>},
};

// The operator replaces the selection in one replacement, which the code
// box's own undo takes back; the box keeps the focus so typing goes on
// behind the operator.
void InsertAtEditorCaret(ui::Window& w, const Gbk& text) {
    w.setFocus(kCodeBox);
    w.replaceSelection(kCodeBox, text);
}

// Always a new line, also in an empty box or after a final CR LF. Put as one
// replacement at the end, so the box neither rebuilds its whole text nor
// forgets its undo history; the focus stays where it was.
void AppendEditorLine(ui::Window& w, const Gbk& line) {
    const int end = static_cast<int>(w.text(kCodeBox).size());
    w.setSelection(kCodeBox, end, end);
    w.replaceSelection(kCodeBox, "\r\n" + line);
}

void ShowEditorError(ToolContext& tools, ui::Window& w, const Gbk& text, int flags) {
    tools.ui.messageBox({text, flags, ui::DefaultMessageTitle(), w.name()});
}

// The dialog opens in the last folder used, else the home folder: the
// program's own folder is read-only once installed.
void SaveEditorScriptAs(ToolContext& tools, ui::Window& w) {
    ui::FileDialogRequest request;
    request.save = true;
    request.filter = "RSC文件(*.rsc)|*.rsc|文本文档(*.txt)|*.txt|所有文件(*.*)|*.*"_gbk;
    const auto chosen = tools.ui.fileDialog(request);
    if (!chosen) return;
    // The box's GBK bytes with their CR LF and no terminator; an empty box
    // gives an empty file. Written beside and renamed, so a failed save
    // keeps the old file whole.
    if (!WriteFileAtomically(*chosen, w.text(kCodeBox).bytes()))
        ShowEditorError(tools, w, "保存失败:" + GbkFromPath(*chosen), ui::mb::IconError);
}

// A file that cannot be read, a folder or an oversized file leaves the box
// as it is: what the user wrote is not thrown away for a mis-aimed drop.
void OnEditorFileDropped(ToolContext& tools, ui::Window& w, const ui::EventArgs& args) {
    if (args.files.empty()) return;
    // One file per drop: the first of several.
    const std::filesystem::path& file = args.files.front();
    const DroppedFileText dropped = ReadDroppedFile(file, kEditorDropLimit, TextBytes::GbkOrUtf8);
    switch (dropped.result) {
        case DroppedFileText::Result::Read:
            w.setText(kCodeBox, dropped.text);
            if (const Gbk notice = LostCharactersNotice(dropped); !notice.empty())
                ShowEditorError(tools, w, notice, ui::mb::IconExclamation);
            break;
        case DroppedFileText::Result::TooLarge:
            ShowEditorError(tools, w, "文件太大(超过4MB),没有打开:" + GbkFromPath(file), ui::mb::IconExclamation);
            break;
        case DroppedFileText::Result::Unreadable:
            ShowEditorError(tools, w, "无法读取文件:" + GbkFromPath(file), ui::mb::IconExclamation);
            break;
    }
}

void SelectAllOnCtrlA(ui::Window& w, const ui::EventArgs& key) {
    constexpr int kKeyA = 65;
    if (key.key == kKeyA && key.modifiers == ui::mod::Ctrl) w.setSelection(kCodeBox, 0, -1);
}

}  // namespace

Gbk BeepNoteFrequency(int index) {
    if (index < 0 || index >= static_cast<int>(kBeepNoteTable.size())) return Gbk();
    return kBeepNoteTable[static_cast<std::size_t>(index)];
}

void OnEditorWindowCreated(ToolContext& tools, ui::Window& window) {
    ui::Window& w = window;
    using ui::Event;

    tools.applyLanguagePack(window, "language4.ini");

    w.acceptFiles(kCodeBox, true);
    w.on(kCodeBox, Event::FilesDropped, [&tools, &w](const ui::EventArgs& a) { OnEditorFileDropped(tools, w, a); });
    // The column follows edits as well as scrolling, as the main script box's does.
    AttachLineNumberGutter(w, kCodeBox, kColumn);

    for (const OperatorButton& b : kOperatorButtons)
        w.on(b.button, Event::Click, [&w, text = Gbk(b.text)](const ui::EventArgs&) { InsertAtEditorCaret(w, text); });
    for (const SnippetButton& b : kSnippetButtons)
        w.on(b.button, Event::Click, [&w, line = b.line](const ui::EventArgs&) { AppendEditorLine(w, line(w)); });

    w.on(按钮_另存为, Event::Click, [&tools, &w](const ui::EventArgs&) { SaveEditorScriptAs(tools, w); });
    w.on(按钮_复制, Event::Click, [&tools, &w](const ui::EventArgs&) { tools.ui.setClipboardText(w.text(kCodeBox)); });
    w.on(按钮_清空, Event::Click, [&w](const ui::EventArgs&) { w.setText(kCodeBox, Gbk()); });
    w.on(kCodeBox, Event::KeyDown, [&w](const ui::EventArgs& key) { SelectAllOnCtrlA(w, key); });
    // The reference material's address is a build setting; a build without
    // one shows the link disabled.
    w.setEnabled(超级链接框1, !Gbk(TRELVIX_SCRIPT_REFERENCE).empty());
    w.on(超级链接框1, Event::Click, [&tools](const ui::EventArgs&) {
        if (const Gbk url = TRELVIX_SCRIPT_REFERENCE; !url.empty()) tools.ui.openUrl(url);
    });
    // 按钮_字体 stays hidden for good, so its font dialog has no handler.
}

}  // namespace trelvix
