#include "generators/ratelimit/RateLimitPanels.h"

#include <vector>

#include "common/text/Gbk.h"
#include "generators/ratelimit/RateLimitCommon.h"

namespace trelvix::ratelimit {

int SetGroupOpen(ui::Window& w, const std::string& group, bool open, int openHeight) {
    ui::Rect r = w.rect(group);
    r.h = open ? openHeight : 4;
    w.setRect(group, r);
    for (const std::string& child : w.children(group)) w.setVisible(child, open);
    return r.bottom();
}

void MoveTop(ui::Window& w, const std::string& control, int top) {
    ui::Rect r = w.rect(control);
    r.y = top;
    w.setRect(control, r);
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

void FillRepeatedValue(ui::Window& w, const std::string& box, int groups) { w.setText(box, Repeated("3", groups)); }

}  // namespace trelvix::ratelimit
