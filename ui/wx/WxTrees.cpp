// Tree controls: native items built from the model of items and parents.
#include <functional>
#include <vector>

#include <wx/treectrl.h>

#include "ui/wx/WxNatives.h"
#include "ui/wx/WxText.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {

wxWindow* WxWindow::makeTree(WxControl& c, wxWindow* parent) {
    auto* t = new wxTreeCtrl(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect),
                             wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE);
    t->AddRoot(wxEmptyString);
    c.native = t;
    rebuildTree(c);
    const std::string name = c.spec.name;
    bind(t, wxEVT_TREE_SEL_CHANGED, [this, name, t](wxTreeEvent& e) {
        if (!OwnEvent(e, t) || quiet_) return;
        const int index = treeIndexOf(at(name), e.GetItem());
        if (index >= 0) deliver(name, Event::TreeItemChanged, EventArgs::Index(index), true);
    });
    bind(t, wxEVT_TREE_ITEM_RIGHT_CLICK, [this, name, t](wxTreeEvent& e) {
        if (!OwnEvent(e, t)) return;
        EventArgs a = EventArgs::Index(treeIndexOf(at(name), e.GetItem()));
        a.x = e.GetPoint().x;
        a.y = e.GetPoint().y;
        deliver(name, Event::RowRightClick, a, true);
    });
    bind(t, wxEVT_TREE_ITEM_ACTIVATED, [this, name, t](wxTreeEvent& e) {
        if (!OwnEvent(e, t)) return;
        e.Skip();
        deliver(name, Event::DoubleClick, EventArgs::Index(treeIndexOf(at(name), e.GetItem())), true);
    });
    bindFocusAndKeys(t, name);
    return t;
}

// Builds the native items from the model; a parent always goes before its
// children, whatever their indices, and an item whose parent is missing (or
// that would be its own ancestor) goes to the top level.
void WxWindow::rebuildTree(WxControl& c) {
    auto* t = As<wxTreeCtrl>(c);
    Quiet q(*this);
    t->DeleteChildren(t->GetRootItem());
    const int n = static_cast<int>(c.tree.size());
    c.treeIds.assign(n, wxTreeItemId());
    std::vector<char> visiting(n, 0);
    std::function<wxTreeItemId(int)> place = [&](int i) -> wxTreeItemId {
        if (c.treeIds[i].IsOk()) return c.treeIds[i];
        visiting[i] = 1;
        const int p = c.tree[i].parent;
        wxTreeItemId parent = t->GetRootItem();
        if (p >= 0 && p < n && p != i && !visiting[p]) parent = place(p);
        visiting[i] = 0;
        c.treeIds[i] = t->AppendItem(parent, ToWx(c.tree[i].text));
        t->SetItemBold(c.treeIds[i], c.tree[i].bold);
        return c.treeIds[i];
    };
    for (int i = 0; i < n; ++i) place(i);
    for (int i = 0; i < n; ++i)
        if (c.tree[i].expanded) t->Expand(c.treeIds[i]);
    if (c.current >= 0 && c.current < n) t->SelectItem(c.treeIds[c.current]);
}

int WxWindow::treeIndexOf(const WxControl& c, const wxTreeItemId& id) const {
    if (!id.IsOk()) return -1;
    for (std::size_t i = 0; i < c.treeIds.size(); ++i)
        if (c.treeIds[i] == id) return static_cast<int>(i);
    return -1;
}

// ---------------------------------------------------------------- trees

std::vector<TreeItem> WxWindow::treeItems(const std::string& control) const {
    const WxControl& c = at(control, Property::TreeItems, __func__);
    auto* t = As<wxTreeCtrl>(c);
    std::vector<TreeItem> out = c.tree;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const wxTreeItemId& id = c.treeIds[i];
        out[i].text = FromWx(t->GetItemText(id));
        out[i].bold = t->IsBold(id);
        // A leaf cannot be open on screen; it keeps the state it was given.
        if (t->ItemHasChildren(id)) out[i].expanded = t->IsExpanded(id);
    }
    return out;
}

int WxWindow::addTreeItem(const std::string& control, const GbkText& value, int parent) {
    WxControl& c = at(control, Property::TreeItems, __func__);
    auto* t = As<wxTreeCtrl>(c);
    const int n = c.addTreeItem(value, parent);
    Quiet q(*this);
    const wxTreeItemId under = (parent >= 0 && parent < n) ? c.treeIds[parent] : t->GetRootItem();
    c.treeIds.push_back(t->AppendItem(under, ToWx(value)));
    return n;
}

void WxWindow::setTreeItem(const std::string& control, int item, const TreeItem& value) {
    WxControl& c = at(control, Property::TreeItems, __func__);
    if (item < 0 || item >= static_cast<int>(c.tree.size())) return;
    auto* t = As<wxTreeCtrl>(c);
    const bool moved = c.tree[item].parent != value.parent;
    c.current = currentItem(control);
    c.tree[item] = value;
    if (moved) {
        rebuildTree(c);
        return;
    }
    Quiet q(*this);
    const wxTreeItemId& id = c.treeIds[item];
    t->SetItemText(id, ToWx(value.text));
    t->SetItemBold(id, value.bold);
    if (value.expanded) t->Expand(id);
    else t->Collapse(id);
}

void WxWindow::clearTree(const std::string& control) {
    WxControl& c = at(control, Property::TreeItems, __func__);
    auto* t = As<wxTreeCtrl>(c);
    Quiet q(*this);
    t->DeleteChildren(t->GetRootItem());
    c.clearTree();
    c.treeIds.clear();
}

}  // namespace trelvix::ui
