#pragma once
// What both realisations keep for each control, and how a layout's control
// starts out; each realisation adds what its own kind of control needs.
#include <map>
#include <string>
#include <vector>

#include "ui/Layout.h"
#include "ui/Window.h"

namespace trelvix::ui {

struct ControlState {
    ControlSpec spec;    // as the layout made it, its children moved into the window's table
    std::string parent;  // name of the parent control, "" at top level
    Gbk text;
    bool visible = true, enabled = true, readOnly = false, checked = false;
    std::vector<Gbk> items;
    int current = -1;
    Rect rect;
    int selStart = 0, selEnd = 0, firstLine = 0;
    std::string image;
    std::map<std::string, Gbk> tips;
    bool acceptsFiles = false;
    std::vector<TreeItem> tree;

    // The initial state of a control of the layout.
    void start(const ControlSpec& layout, const std::string& parentName);
};

// The controls whose parent is `parent`, in the order of `order` (the window's
// controls in layout order); `controls` maps names to ControlState.
template <class Controls>
std::vector<std::string> ChildrenOf(const std::vector<std::string>& order, const Controls& controls,
                                    const std::string& parent) {
    std::vector<std::string> names;
    for (const std::string& name : order)
        if (controls.at(name).parent == parent) names.push_back(name);
    return names;
}

// A tree's items with their parents: each item's parent is the nearest
// item before it on a higher level.
std::vector<TreeItem> TreeItemsOf(const std::vector<TreeItemSpec>& items);

}  // namespace trelvix::ui
