#include "generators/ratelimit/RateLimitPanels.h"

#include <vector>

#include "common/text/Gbk.h"
#include "generators/ratelimit/PcqGroup.h"
#include "generators/ratelimit/RateLimitCommon.h"
#include "ui/Layout.h"

namespace trelvix::ratelimit {
namespace {

// The controls a group holds, as the main window's layout places them.
std::vector<std::string> ChildrenOf(const std::string& group) {
    std::vector<std::string> names;
    ui::ForEachControl(ui::BuiltInLayout("main.json").controls, [&](const ui::ControlSpec& c, const ui::ControlSpec* parent) {
        if (parent && parent->name == group) names.push_back(c.name);
    });
    return names;
}

// A folded group is only its top rule: its controls are hidden as well, so
// nothing of it shows through or takes clicks under the controls moved up.
void SetGroupOpen(ui::Window& w, const std::string& group, bool open, int openHeight) {
    ui::Rect r = w.rect(group);
    r.h = open ? openHeight : 4;
    w.setRect(group, r);
    for (const std::string& child : ChildrenOf(group)) w.setVisible(child, open);
}

void MoveTop(ui::Window& w, const std::string& control, int top) {
    ui::Rect r = w.rect(control);
    r.y = top;
    w.setRect(control, r);
}

int Bottom(const ui::Rect& r) { return r.y + r.h; }

}  // namespace

void ToggleBurstPanel(ui::Window& w) {
    const bool open = w.checked("选择框_31开启Burst功能");
    SetGroupOpen(w, "分组框_31burst", open, 103);
    const int boxTop = Bottom(w.rect("分组框_31burst")) + (open ? 5 : 20);
    MoveTop(w, "选择框_31开启Time功能", boxTop);
    MoveTop(w, "分组框_31开启time", boxTop + 6);
}

void ToggleTimePanel(ui::Window& w) {
    SetGroupOpen(w, "分组框_31开启time", w.checked("选择框_31开启Time功能"), 77);
}

void ToggleGroupBurstPanel(ui::Window& w) {
    const bool open = w.checked("选择框_33开启Burst功能");
    SetGroupOpen(w, "分组框_33burst", open, 103);
    MoveTop(w, "分组框_33小提示", Bottom(w.rect("分组框_33burst")) + (open ? 8 : 13));
}

void NormalizeRateCombo(ui::Window& w, const std::string& combo) {
    w.setText(combo, ReplaceAll(w.text(combo), "m", "M"));
}

void FillRateCombo(ui::Window& w, const std::string& combo, int groups) {
    static const char* const kRates[] = {"64k", "128k", "256k", "384k", "512k", "768k",
                                         "1M",  "2M",   "3M",   "4M",   "5M",   "10M"};
    std::vector<ui::GbkText> items;
    for (const char* rate : kRates) items.push_back(Repeated(rate, groups));
    w.setItems(combo, items);
    // "No limit" is the starting value but not an item of the list.
    w.setText(combo, Repeated("0", groups));
}

void FillPriorityCombo(ui::Window& w, const std::string& combo, int groups) {
    std::vector<ui::GbkText> items;
    for (char p = '1'; p <= '8'; ++p) items.push_back(Repeated(std::string(1, p), groups));
    w.setItems(combo, items);
    w.setText(combo, Repeated("8", groups));
}

void FillRepeatedValue(ui::Window& w, const std::string& box, int groups) {
    w.setText(box, Repeated("3", groups));
}

void ApplyGroupCount(ui::Window& w) {
    const int n = GroupCountOf(w.text("组合框_33分组数"));
    FillRateCombo(w, "组合框_33upLimitAt", n);
    FillRateCombo(w, "组合框_33upMaxLimit", n);
    FillPriorityCombo(w, "组合框_33Priority", n);
    FillRateCombo(w, "组合框_33upBurstLimit", n);
    FillRateCombo(w, "组合框_33upBurstThreshold", n);
    FillRepeatedValue(w, "编辑框_33upBurstTime", n);
    FillRateCombo(w, "组合框_33downLimitAt", n);
    FillRateCombo(w, "组合框_33downMaxLimit", n);
    FillRateCombo(w, "组合框_33downBurstLimit", n);
    FillRateCombo(w, "组合框_33downBurstThreshold", n);
    FillRepeatedValue(w, "编辑框_33downBurstTime", n);
}

}  // namespace trelvix::ratelimit
