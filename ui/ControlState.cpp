#include "ui/ControlState.h"

#include <algorithm>

namespace trelvix::ui {

void ControlState::start(const ControlSpec& layout, const std::string& parentName) {
    spec = layout;
    spec.children.clear();
    parent = parentName;
    text = layout.text;
    visible = layout.visible;
    enabled = layout.enabled;
    readOnly = layout.readOnly;
    checked = layout.checked;
    items = layout.items;
    current = layout.current;
    rect = layout.rect;
    tree = TreeItemsOf(layout.treeItems);
}

std::vector<TreeItem> TreeItemsOf(const std::vector<TreeItemSpec>& items) {
    std::vector<TreeItem> out;
    out.reserve(items.size());
    std::vector<int> lastAtLevel;  // the latest item seen on each level
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int level = std::max(0, items[i].level);
        TreeItem item{items[i].text, -1, false, false};
        for (int l = std::min(level, static_cast<int>(lastAtLevel.size())) - 1; l >= 0; --l) {
            if (lastAtLevel[l] >= 0) { item.parent = lastAtLevel[l]; break; }
        }
        if (static_cast<int>(lastAtLevel.size()) <= level) lastAtLevel.resize(level + 1, -1);
        lastAtLevel[level] = static_cast<int>(i);
        lastAtLevel.resize(level + 1);
        out.push_back(std::move(item));
    }
    return out;
}

}  // namespace trelvix::ui
