#include "tools/l7/L7ToolsWindow.h"

#include <memory>
#include <string>
#include <vector>

#include "common/platform/AtomicFile.h"
#include "common/platform/DroppedFile.h"
#include "common/platform/Paths.h"
#include "names/tools/l7_tools.h"
#include "tools/ToolWindows.h"
#include "tools/l7/L7Catalogue.h"
#include "tools/l7/QqL7Rules.h"
#include "tools/l7/RegexHelp.h"
#include "tools/l7/RegexTester.h"
#include "ui/EditBoxes.h"
#include "ui/Layout.h"

namespace trelvix {
using namespace names::tools::l7_tools;

namespace {

using ui::GbkText;

constexpr const char* kMainPages = 高级选择夹1;
constexpr const char* kCatalogueList = 超级列表框_l7;
constexpr const char* kCodeBox = 编辑框_代码;
constexpr const char* kStatusBar = 状态条;
constexpr const char* kQqBox = 编辑框_QQ号码;
constexpr const char* kQqList = 列表框_QQ列表;
constexpr const char* kHelpTree = 树型框;
constexpr const char* kPatternBox = 编辑框_正则表达式;
constexpr const char* kPatternHint = 透明标签_提示;
constexpr const char* kTesterPages = 高级选择夹;
constexpr const char* kHelpBox = 编辑框_语法提示;
constexpr const char* kSourceBox = 编辑框_源文本;
constexpr const char* kResultList = 超级列表框_zz;

constexpr int kHelpPage = 0;
constexpr int kResultPage = 2;
constexpr int kCountPanel = 1;  // the checked rows, and the tester's message
constexpr int kTimePanel = 3;

// What the window keeps for the run: the parsed catalogue, whose match i is row i,
// and the help tables, whose element n - 1 belongs to the tree item n.
struct L7WindowState {
    RegexObject L7ListRegex;
    RegexHelpTables help;
};

// --- status bar

void SetStatusPanel(ui::Window& w, int panel, const Gbk& text) {
    std::vector<GbkText> panels = w.items(kStatusBar);
    if (panels.size() <= static_cast<std::size_t>(panel)) panels.resize(static_cast<std::size_t>(panel) + 1);
    panels[static_cast<std::size_t>(panel)] = text;
    w.setItems(kStatusBar, panels);
}

std::vector<long long> CheckedRows(const ui::Window& w) {
    std::vector<long long> checked;
    const int rows = w.rowCount(kCatalogueList);
    for (int i = 0; i < rows; ++i)
        if (w.rowChecked(kCatalogueList, i)) checked.push_back(i + 1);
    return checked;
}

void ShowCheckedRowCount(ui::Window& w) { SetStatusPanel(w, kCountPanel, std::to_string(CheckedRows(w).size())); }

void ResetL7StatusBar(ui::Window& w, int page) {
    if (page == 0) {
        w.setItems(kStatusBar, {"当前选中:"_gbk, "0"_gbk, "生成时间:"_gbk, ""_gbk});
        ShowCheckedRowCount(w);
    } else {
        w.setItems(kStatusBar, {"提示:"_gbk, ""_gbk});
    }
}

void ShowL7Output(ToolContext& tools, ui::Window& w, const Gbk& text) {
    SetStatusPanel(w, kTimePanel, FormatDateTime(tools.clock.Now(), 1, 0));
    w.setText(kCodeBox, text);
}

// --- catalogue

void FillL7ProtocolList(L7WindowState& state, ui::Window& w) {
    ParseL7Catalogue(state.L7ListRegex, L7CatalogueText());
    for (const L7ProtocolRow& row : L7ProtocolRows(state.L7ListRegex))
        w.addRow(kCatalogueList, {row.number, row.name, row.regexp});
}

void CheckAllListRows(ui::Window& w) {
    const int rows = w.rowCount(kCatalogueList);
    for (int i = 0; i < rows; ++i) w.setRowChecked(kCatalogueList, i, true);
}

void InvertListChecks(ui::Window& w) {
    const int rows = w.rowCount(kCatalogueList);
    for (int i = 0; i < rows; ++i) w.setRowChecked(kCatalogueList, i, !w.rowChecked(kCatalogueList, i));
}

void OnGenerateSelectedL7Clicked(ToolContext& tools, L7WindowState& state, ui::Window& w) {
    const std::vector<long long> checked = CheckedRows(w);
    if (checked.empty()) return;
    ShowL7Output(tools, w, BuildSelectedL7(state.L7ListRegex, checked));
}

void CopyCurrentRegexp(ToolContext& tools, ui::Window& w) {
    const int current = w.currentItem(kCatalogueList);
    Gbk regexp;
    if (current >= 0 && current < w.rowCount(kCatalogueList)) {
        const std::vector<GbkText> cells = w.row(kCatalogueList, current);
        if (cells.size() > 2) regexp = cells[2];
    }
    tools.ui.setClipboardText(regexp);
}

// --- QQ rules

QqRuleNaming ReadQqNaming(const ui::Window& w) {
    return {w.checked(单选框_统一格式), w.text(编辑框_统一格式name), w.text(编辑框_自定义格式name)};
}

void ShowQqResult(ToolContext& tools, ui::Window& w, const QqL7Result& result) {
    switch (result.kind) {
        case QqL7Result::Kind::Empty: w.setText(kCodeBox, ""_gbk); break;
        case QqL7Result::Kind::Script: ShowL7Output(tools, w, result.text); break;
        case QqL7Result::Kind::Refused:
            tools.ui.messageBox({result.text, ui::mb::IconExclamation, ui::DefaultMessageTitle(), w.name()});
            break;
    }
}

void AddQqNumber(ui::Window& w) {
    std::vector<GbkText> items = w.items(kQqList);
    items.push_back(TrimSpaces(w.text(kQqBox)));
    w.setItems(kQqList, items);
}

void DeleteQqNumber(ui::Window& w) {
    std::vector<GbkText> items = w.items(kQqList);
    const int current = w.currentItem(kQqList);
    if (current < 0 || current >= static_cast<int>(items.size())) return;
    items.erase(items.begin() + current);
    w.setItems(kQqList, items);
}

void ModifyQqNumber(ui::Window& w) {
    std::vector<GbkText> items = w.items(kQqList);
    const int current = w.currentItem(kQqList);
    if (current < 0 || current >= static_cast<int>(items.size())) return;
    items[static_cast<std::size_t>(current)] = TrimSpaces(w.text(kQqBox));
    w.setItems(kQqList, items);
    w.setCurrentItem(kQqList, current);
}

// --- help tree

// The tree's items (by the index they were added with) in display order: each
// item before its children, children in the order they were added.
std::vector<int> TreeDisplayOrder(const std::vector<ui::TreeItem>& items) {
    const int n = static_cast<int>(items.size());
    std::vector<std::vector<int>> children(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i < n; ++i) {
        const int parent = items[static_cast<std::size_t>(i)].parent;
        children[parent >= 0 && parent < n ? static_cast<std::size_t>(parent) : static_cast<std::size_t>(n)].push_back(
            i);
    }
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(n));
    std::vector<int> pending(children[static_cast<std::size_t>(n)].rbegin(),
                             children[static_cast<std::size_t>(n)].rend());
    while (!pending.empty()) {
        const int item = pending.back();
        pending.pop_back();
        order.push_back(item);
        const std::vector<int>& inner = children[static_cast<std::size_t>(item)];
        pending.insert(pending.end(), inner.rbegin(), inner.rend());
    }
    return order;
}

int TreeItemAtDisplayIndex(const ui::Window& w, int displayIndex) {
    const std::vector<int> order = TreeDisplayOrder(w.treeItems(kHelpTree));
    return displayIndex >= 0 && displayIndex < static_cast<int>(order.size())
               ? order[static_cast<std::size_t>(displayIndex)]
               : -1;
}

void FillRegexSyntaxTree(L7WindowState& state, ui::Window& w) {
    const std::vector<RegexHelpEntry> entries = ParseRegexHelp(RegexHelpText());
    int heading = -1;
    int parent = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // A run's heading is found once, when the run begins.
        if (RegexHelpHeadingOf(i) != heading) {
            heading = RegexHelpHeadingOf(i);
            parent = TreeItemAtDisplayIndex(w, heading);
        }
        w.addTreeItem(kHelpTree, entries[i].syntax, parent);
    }
    FillRegexHelpTables(state.help, entries);
    std::vector<ui::TreeItem> items = w.treeItems(kHelpTree);
    for (int displayIndex : {47, 54}) {
        const int item = TreeItemAtDisplayIndex(w, displayIndex);
        if (item < 0) continue;
        ui::TreeItem expanded = items[static_cast<std::size_t>(item)];
        expanded.expanded = true;
        w.setTreeItem(kHelpTree, item, expanded);
    }
}

void ShowRegexHelpEntry(const L7WindowState& state, ui::Window& w) {
    w.setCurrentItem(kTesterPages, kHelpPage);
    const int current = w.currentItem(kHelpTree);
    const std::vector<int> order = TreeDisplayOrder(w.treeItems(kHelpTree));
    int k = -1;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i] == current) k = static_cast<int>(i);
    w.setText(kHelpBox, RegexHelpBoxText(state.help, k));
}

// --- tester

void RunRegexTestClicked(ui::Window& w) {
    w.setVisible(kPatternHint, false);
    w.clearRows(kResultList);
    w.setCurrentItem(kTesterPages, kResultPage);
    const RegexTestResult result = RunRegexTest(w.text(kPatternBox), w.text(kSourceBox));
    switch (result.kind) {
        case RegexTestResult::Kind::EmptyPattern: w.setVisible(kPatternHint, true); break;
        case RegexTestResult::Kind::Matched:
        case RegexTestResult::Kind::Stopped:
            for (std::size_t i = 0; i < result.rows.size(); ++i)
                w.addRow(kResultList, {std::to_string(i + 1), result.rows[i]});
            if (result.kind == RegexTestResult::Kind::Stopped)
                w.addRow(kResultList, {""_gbk, "测试已停止,结果不完整"_gbk});
            break;
        case RegexTestResult::Kind::NoMatch: w.addRow(kResultList, {""_gbk, "匹配失败"_gbk}); break;
    }
    SetStatusPanel(w, kCountPanel, result.message);
}

void OnRegexPatternChanged(ui::Window& w) {
    if (!w.text(kPatternBox).empty()) w.setVisible(kPatternHint, false);
}

// The layout's file dialogs: their filters are read from there.
const Gbk& DialogFilter(const char* dialog) {
    static const auto filters = [] {
        std::vector<std::pair<std::string, Gbk>> found;
        ui::ForEachControl(ToolWindowLayout(ToolIndex::L7Tools).controls,
                           [&found](const ui::ControlSpec& c, const ui::ControlSpec*) {
                               if (c.kind == ui::Kind::FileDialog) found.emplace_back(c.name, c.filter);
                           });
        return found;
    }();
    static const Gbk none;
    for (const auto& [name, filter] : filters)
        if (name == dialog) return filter;
    return none;
}

void LoadRegexSourceFile(ToolContext& tools, ui::Window& w) {
    ui::FileDialogRequest request;
    request.save = false;
    request.filter = DialogFilter(通用对话框2);
    const auto chosen = tools.ui.fileDialog(request);
    if (!chosen) return;
    const DroppedFileText source = ReadDroppedFile(*chosen, kMaxRegexSourceFileBytes, TextBytes::GbkOrUtf8);
    if (source.result != DroppedFileText::Result::Read) {
        tools.ui.messageBox({"无法载入文件(文件不能读取或大于8MB):" + GbkFromPath(*chosen), ui::mb::IconExclamation,
                             ui::DefaultMessageTitle(), w.name()});
        return;
    }
    w.setText(kSourceBox, source.text);
    if (const Gbk notice = LostCharactersNotice(source); !notice.empty())
        tools.ui.messageBox({notice, ui::mb::IconExclamation, ui::DefaultMessageTitle(), w.name()});
}

// --- code box tools

void SaveL7ScriptAs(ToolContext& tools, ui::Window& w) {
    const Gbk text = w.text(kCodeBox);
    if (text.empty()) return;
    ui::FileDialogRequest request;
    request.save = true;
    request.filter = DialogFilter(通用对话框1);
    const auto chosen = tools.ui.fileDialog(request);
    if (!chosen) return;
    if (!WriteFileAtomically(*chosen, text))
        tools.ui.messageBox(
            {"保存失败:" + GbkFromPath(*chosen), ui::mb::IconError, ui::DefaultMessageTitle(), w.name()});
}

void CopyL7Script(ToolContext& tools, ui::Window& w) {
    if (tools.ui.setClipboardText(w.text(kCodeBox)))
        tools.ui.messageBox({"已复制到剪切板"_gbk, ui::mb::IconExclamation, ui::DefaultMessageTitle(), w.name()});
}

// --- work files

// The work files are the window's own: a link put in their place is neither
// read nor written through, and the save replaces it, so no other file is
// shown in the boxes or overwritten with them.
constexpr WriteRules kWorkFileRules = {Links::NotFollowed, false};

void LoadWorkFile(ui::Window& w, const char* box, const std::filesystem::path& file) {
    const DroppedFileText saved = ReadDroppedFile(file, kMaxRegexSourceFileBytes, TextBytes::Gbk, kWorkFileRules.links);
    if (saved.result == DroppedFileText::Result::Read) w.setText(box, saved.text);
}

// An empty box leaves its old file in place.
void SaveWorkFiles(const std::filesystem::path& tempDirectory, ui::Window& w) {
    const Gbk source = w.text(kSourceBox);
    if (!source.empty()) WriteFileAtomically(L7SourceWorkFile(tempDirectory), source, nullptr, kWorkFileRules);
    const Gbk pattern = w.text(kPatternBox);
    if (!pattern.empty()) WriteFileAtomically(L7PatternWorkFile(tempDirectory), pattern, nullptr, kWorkFileRules);
}

}  // namespace

std::filesystem::path L7SourceWorkFile(const std::filesystem::path& tempDirectory) {
    return tempDirectory / PathFromGbk("源文本.txt");
}

std::filesystem::path L7PatternWorkFile(const std::filesystem::path& tempDirectory) {
    return tempDirectory / PathFromGbk("正则表达式.txt");
}

void OnL7WindowCreated(ToolContext& tools, ui::Window& window) {
    ui::Window& w = window;
    auto state = std::make_shared<L7WindowState>();
    w.setWindowSize(656, 639);
    FillL7ProtocolList(*state, w);
    FillRegexSyntaxTree(*state, w);
    LoadWorkFile(w, kSourceBox, L7SourceWorkFile(tools.tempDirectory));
    LoadWorkFile(w, kPatternBox, L7PatternWorkFile(tools.tempDirectory));

    using ui::Event;
    using ui::EventArgs;
    // A copy: the window may outlive the tool context when the program ends.
    const std::filesystem::path workFolder = tools.tempDirectory;
    w.onClose([workFolder, &w](bool canRefuse) {
        // At the end of the program the destroy handler saves them.
        if (canRefuse) SaveWorkFiles(workFolder, w);
        return HideOnClose(w, canRefuse);
    });
    w.onDestroy([workFolder, &w] { SaveWorkFiles(workFolder, w); });

    w.on(kMainPages, Event::TabChanged, [&w](const EventArgs&) { ResetL7StatusBar(w, w.currentItem(kMainPages)); });
    w.on(kCatalogueList, Event::RowChecked, [&w](const EventArgs&) { ShowCheckedRowCount(w); });
    w.on(kCatalogueList, Event::RowRightClick, [&w](const EventArgs&) { w.popupMenu(菜单); });
    w.on(菜单_复制当前Regexp, Event::Click, [&tools, &w](const EventArgs&) { CopyCurrentRegexp(tools, w); });
    w.on(按钮_全选, Event::Click, [&w](const EventArgs&) {
        CheckAllListRows(w);
        ShowCheckedRowCount(w);
    });
    w.on(按钮_反选, Event::Click, [&w](const EventArgs&) {
        InvertListChecks(w);
        ShowCheckedRowCount(w);
    });
    w.on(按钮_生成选中的L7协议, Event::Click,
         [&tools, state, &w](const EventArgs&) { OnGenerateSelectedL7Clicked(tools, *state, w); });

    w.on(按钮_添加, Event::Click, [&w](const EventArgs&) { AddQqNumber(w); });
    w.on(按钮_删除, Event::Click, [&w](const EventArgs&) { DeleteQqNumber(w); });
    w.on(按钮_修改, Event::Click, [&w](const EventArgs&) { ModifyQqNumber(w); });
    w.on(按钮_生成此QQL7协议, Event::Click,
         [&tools, &w](const EventArgs&) { ShowQqResult(tools, w, BuildSingleQqL7(ReadQqNaming(w), w.text(kQqBox))); });
    w.on(按钮_批量生成QQL7协议, Event::Click, [&tools, &w](const EventArgs&) {
        const std::vector<Gbk> items = ui::AsBytes(w.items(kQqList));
        ShowQqResult(tools, w, BuildBatchQqL7(ReadQqNaming(w), items));
    });
    w.on(按钮_所有QQ的L7, Event::Click, [&tools, &w](const EventArgs&) { ShowL7Output(tools, w, BuildAllQqL7()); });

    w.on(按钮_清空内容, Event::Click, [&w](const EventArgs&) { w.setText(kCodeBox, ""_gbk); });
    w.on(按钮_另存为, Event::Click, [&tools, &w](const EventArgs&) { SaveL7ScriptAs(tools, w); });
    w.on(按钮_复制内容, Event::Click, [&tools, &w](const EventArgs&) { CopyL7Script(tools, w); });

    w.on(kHelpTree, Event::TreeItemChanged, [state, &w](const EventArgs&) { ShowRegexHelpEntry(*state, w); });
    w.on(按钮_匹配, Event::Click, [&w](const EventArgs&) { RunRegexTestClicked(w); });
    w.on(kPatternBox, Event::Change, [&w](const EventArgs&) { OnRegexPatternChanged(w); });
    w.on(按钮_本地文件, Event::Click, [&tools, &w](const EventArgs&) { LoadRegexSourceFile(tools, w); });

    for (const char* box : {kCodeBox, kPatternBox, kSourceBox, kHelpBox, 编辑框_关键字})
        w.on(box, Event::KeyDown, [&w, box](const EventArgs& key) { SelectAllOnCtrlA(w, box, key); });
}

}  // namespace trelvix
