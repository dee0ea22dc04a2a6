#include "tools/routetable/RouteTableWindow.h"

#include <array>
#include <string>

#include "common/platform/AtomicFile.h"
#include "common/platform/Paths.h"
#include "names/tools/route_table.h"
#include "tools/ToolWindows.h"
#include "tools/routetable/RouteTableScript.h"
#include "ui/EditBoxes.h"
#include "ui/Layout.h"

namespace trelvix {
using namespace names::tools::route_table;

namespace {

using routetable::Refusal;
using routetable::Result;
using routetable::RouteTableFields;

constexpr const char* kCodeBox = 编辑框_代码;
constexpr const char* kParameterPages = 选择夹1;
constexpr const char* kScopeBox = 编辑框_6;

// The list radio buttons in the order `PickCarrierCidrList` reads them.
constexpr std::array<const char*, routetable::kListChoiceCount> kListButtons = {
    单选框_电信, 单选框_联通网通, 单选框_移动, 单选框_铁通, 单选框_长宽, 单选框_教育网, 单选框_中国ip, 单选框_自定义ip};

// The mode radio buttons, each with the parameter page it turns to.
struct ModePage {
    const char* button;
    int page;
};
constexpr std::array<ModePage, 3> kModePages = {{{单选框_route, 0}, {单选框_rule, 1}, {单选框_address, 2}}};
constexpr int kAddressListPage = 2;

// Every field the generator may need, read once before anything is built.
RouteTableFields ReadFields(const ui::Window& w) {
    RouteTableFields f;
    for (std::size_t i = 0; i < kListButtons.size(); ++i) f.listChecked[i] = w.checked(kListButtons[i]);
    // The code box is the list only for 自定义ip; long outputs are not copied for nothing.
    if (f.listChecked[static_cast<std::size_t>(routetable::ListChoice::Custom)]) f.code = w.text(kCodeBox);
    f.routeChecked = w.checked(单选框_route);
    f.ruleChecked = w.checked(单选框_rule);

    f.gateway = w.text(编辑框_2);
    f.checkGateway = w.text(组合框_3);
    f.type = w.text(组合框_4);
    f.distance = w.text(编辑框_5);
    f.scope = w.text(kScopeBox);
    f.targetScope = w.text(编辑框_7);
    f.routingMark = w.text(编辑框_8);
    f.prefSource = w.text(编辑框_9);

    f.srcAddress = w.text(编辑框_21);
    f.ruleRoutingMark = w.text(编辑框_23);
    f.ruleInterface = w.text(编辑框_24);
    f.action = w.text(组合框_25);
    f.table = w.text(编辑框_26);

    f.listName = w.text(编辑框_31);
    f.timeout = w.text(编辑框_33);
    return f;
}

void ShowRefusal(ToolContext& tools, ui::Window& w, const Refusal& r) {
    using routetable::FocusWhen;
    if (r.when == FocusWhen::BeforeBox) w.setFocus(r.focus);
    tools.ui.messageBox({r.message, r.flags, r.title ? *r.title : ui::DefaultMessageTitle(),
                         r.ownedByWindow ? w.name() : std::string()});
    if (r.when == FocusWhen::AfterBox) w.setFocus(r.focus);
}

// The code box is written once, with the whole text, or not at all.
void ShowResult(ToolContext& tools, ui::Window& w, const Result& result) {
    if (result.refusal) ShowRefusal(tools, w, *result.refusal);
    else if (result.text) w.setText(kCodeBox, *result.text);
}

// All three generate buttons run this; the mode radio buttons, not the page
// shown, say which kind of command is written.
void OnGenerateClicked(ToolContext& tools, ui::Window& w) {
    ShowResult(tools, w, routetable::BuildRouteTableScript(ReadFields(w)));
}

void ShowCarrierCidrList(ui::Window& w) {
    const RouteTableFields fields = ReadFields(w);
    w.setText(kCodeBox, Gbk(routetable::PickCarrierCidrList(fields)));
}

void OnChinaListSelected(ui::Window& w) {
    // The all-China list serves the borrowed-line setup, which matches by address list.
    w.setChecked(单选框_route, false);
    w.setChecked(单选框_rule, false);
    w.setChecked(单选框_address, true);
    w.setCurrentItem(kParameterPages, kAddressListPage);
}

// Only an exactly empty box: a blank is the user's own value.
void RestoreScopeDefault(ui::Window& w) {
    if (w.text(kScopeBox).empty()) w.setText(kScopeBox, "30"_gbk);
}

void BuildOddEvenHosts(ToolContext& tools, ui::Window& w) {
    ShowResult(tools, w, routetable::BuildOddEvenHosts(w.text(编辑框_前三位), w.checked(单选框_奇数)));
}

void OnRouteCodeChanged(ui::Window& w) { w.setText(标签_行数, std::to_string(EditorLineCount(w.text(kCodeBox)))); }

// The save dialog is the layout's: its filter is read from there.
const Gbk& SaveDialogFilter() {
    static const Gbk filter = [] {
        Gbk found;
        ui::ForEachControl(ToolWindowLayout(ToolIndex::RouteTable).controls,
                           [&found](const ui::ControlSpec& c, const ui::ControlSpec*) {
                               if (c.name == 通用对话框1) found = c.filter;
                           });
        return found;
    }();
    return filter;
}

void SaveRouteTableAs(ToolContext& tools, ui::Window& w) {
    const Gbk text = w.text(kCodeBox);
    if (text.empty()) return;
    ui::FileDialogRequest request;
    request.save = true;
    request.filter = SaveDialogFilter();
    const auto chosen = tools.ui.fileDialog(request);
    if (!chosen) return;
    // The box's bytes as they stand: GBK, its CR LF, no byte-order mark.
    if (!WriteFileAtomically(*chosen, text))
        tools.ui.messageBox(
            {"保存失败:" + GbkFromPath(*chosen), ui::mb::IconError, ui::DefaultMessageTitle(), w.name()});
}

}  // namespace

void OnRouteWindowCreated(ToolContext& tools, ui::Window& window) {
    // Before any handler is bound, so that the pack's texts compute nothing.
    tools.applyLanguagePack(window, "language2.ini");
    ui::Window& w = window;
    using ui::Event;
    using ui::EventArgs;
    for (const char* button : {按钮_参数生成, 按钮_生成2, 按钮_生成3})
        w.on(button, Event::Click, [&tools, &w](const EventArgs&) { OnGenerateClicked(tools, w); });
    w.on(按钮_ip生成, Event::Click, [&w](const EventArgs&) { ShowCarrierCidrList(w); });
    for (const ModePage& mode : kModePages)
        w.on(mode.button, Event::Click,
             [&w, page = mode.page](const EventArgs&) { w.setCurrentItem(kParameterPages, page); });
    w.on(单选框_中国ip, Event::Click, [&w](const EventArgs&) { OnChinaListSelected(w); });
    w.on(kScopeBox, Event::LostFocus, [&w](const EventArgs&) { RestoreScopeDefault(w); });
    w.on(按钮_奇偶生成, Event::Click, [&tools, &w](const EventArgs&) { BuildOddEvenHosts(tools, w); });
    w.on(kCodeBox, Event::Change, [&w](const EventArgs&) { OnRouteCodeChanged(w); });
    w.on(kCodeBox, Event::KeyDown, [&w](const EventArgs& key) { SelectAllOnCtrlA(w, kCodeBox, key); });
    w.on(按钮_另存为, Event::Click, [&tools, &w](const EventArgs&) { SaveRouteTableAs(tools, w); });
}

}  // namespace trelvix
