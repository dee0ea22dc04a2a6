#include "generators/ratelimit/RateLimitPanels.h"

#include <vector>

#include "common/text/Gbk.h"
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

void NormalizeRateCombo(ui::Window& w, const std::string& combo) {
    w.setText(combo, ReplaceAll(w.text(combo), "m", "M"));
}

}  // namespace trelvix::ratelimit
