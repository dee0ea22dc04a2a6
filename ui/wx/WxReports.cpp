// Report lists (rows, cells, row check boxes) and grids.
#include <algorithm>
#include <stdexcept>

#include <wx/grid.h>
#include <wx/listctrl.h>

#include "ui/wx/WxNatives.h"
#include "ui/wx/WxText.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {

wxWindow* WxWindow::makeReport(WxControl& c, wxWindow* parent) {
    auto* l = new wxListCtrl(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect), wxLC_REPORT | wxLC_SINGLE_SEL);
    for (std::size_t i = 0; i < c.spec.columns.size(); ++i) {
        const int width = i < c.spec.columnWidths.size() ? c.spec.columnWidths[i] : 80;
        l->InsertColumn(static_cast<long>(i), ToWx(c.spec.columns[i]), wxLIST_FORMAT_LEFT, width);
    }
    if (c.spec.rowChecks) l->EnableCheckBoxes(true);
    const std::string name = c.spec.name;
    bind(l, wxEVT_LIST_ITEM_SELECTED, [this, name, l](wxListEvent& e) {
        if (!OwnEvent(e, l) || quiet_) return;
        deliver(name, Event::RowChanged, EventArgs::Index(static_cast<int>(e.GetIndex())), true);
    });
    bind(l, wxEVT_LIST_ITEM_RIGHT_CLICK, [this, name, l](wxListEvent& e) {
        if (!OwnEvent(e, l)) return;
        EventArgs a = EventArgs::Index(static_cast<int>(e.GetIndex()));
        a.x = e.GetPoint().x;
        a.y = e.GetPoint().y;
        deliver(name, Event::RowRightClick, a, true);
    });
    bind(l, wxEVT_LIST_ITEM_ACTIVATED, [this, name, l](wxListEvent& e) {
        if (!OwnEvent(e, l)) return;
        deliver(name, Event::DoubleClick, EventArgs::Index(static_cast<int>(e.GetIndex())), true);
    });
    auto onCheck = [this, name, l](wxListEvent& e) {
        if (!OwnEvent(e, l) || quiet_) return;
        deliver(name, Event::RowChecked, EventArgs::Index(static_cast<int>(e.GetIndex())), true);
    };
    bind(l, wxEVT_LIST_ITEM_CHECKED, onCheck);
    bind(l, wxEVT_LIST_ITEM_UNCHECKED, onCheck);
    bindFocusAndKeys(l, name);
    return l;
}

int WxWindow::reportSelection(const WxControl& c) const {
    return static_cast<int>(As<wxListCtrl>(c)->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

wxWindow* WxWindow::makeGrid(WxControl& c, wxWindow* parent) {
    auto* g = new wxGrid(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect));
    g->CreateGrid(std::max(0, c.spec.gridRows), static_cast<int>(c.spec.columns.size()));
    g->SetRowLabelSize(0);
    for (std::size_t i = 0; i < c.spec.columns.size(); ++i) {
        g->SetColLabelValue(static_cast<int>(i), ToWx(c.spec.columns[i]));
        if (i < c.spec.columnWidths.size()) g->SetColSize(static_cast<int>(i), c.spec.columnWidths[i]);
    }
    g->EnableEditing(!c.readOnly);
    const std::string name = c.spec.name;
    bind(g, wxEVT_GRID_CELL_LEFT_DCLICK, [this, name, g](wxGridEvent& e) {
        if (!OwnEvent(e, g)) return;
        e.Skip();
        EventArgs a = EventArgs::Index(e.GetRow());
        a.x = e.GetCol();
        deliver(name, Event::DoubleClick, a, true);
    });
    bindFocusAndKeys(g, name);
    return g;
}

// ---------------------------------------------------------------- report lists

int WxWindow::rowCount(const std::string& control) const {
    return static_cast<int>(at(control, Property::Rows, __func__).rows.size());
}

std::vector<GbkText> WxWindow::row(const std::string& control, int r) const {
    return AsTexts(at(control, Property::Rows, __func__).rowAt(r));
}

int WxWindow::addRow(const std::string& control, const std::vector<GbkText>& cells) {
    WxControl& c = at(control, Property::Rows, __func__);
    auto* l = As<wxListCtrl>(c);
    const long r = c.addRow(cells);
    const std::vector<Gbk>& cellsOfRow = c.rows[r];
    {
        Quiet q(*this);
        l->InsertItem(r, cellsOfRow.empty() ? wxString() : ToWx(cellsOfRow[0]));
        for (int col = 1; col < l->GetColumnCount() && col < static_cast<int>(cellsOfRow.size()); ++col)
            l->SetItem(r, col, ToWx(cellsOfRow[col]));
    }
    return static_cast<int>(r);
}

void WxWindow::setCell(const std::string& control, int r, int column, const GbkText& value) {
    WxControl& c = at(control, Property::Rows, __func__);
    c.setCell(r, column, value);
    auto* l = As<wxListCtrl>(c);
    if (column < l->GetColumnCount()) l->SetItem(r, column, ToWx(value));
}

void WxWindow::removeRow(const std::string& control, int r) {
    WxControl& c = at(control, Property::Rows, __func__);
    if (!c.removeRow(r)) return;
    Quiet q(*this);
    As<wxListCtrl>(c)->DeleteItem(r);
}

void WxWindow::clearRows(const std::string& control) {
    WxControl& c = at(control, Property::Rows, __func__);
    Quiet q(*this);
    As<wxListCtrl>(c)->DeleteAllItems();
    c.rows.clear();
}

bool WxWindow::rowChecked(const std::string& control, int r) const {
    const WxControl& c = at(control, Property::Rows, __func__);
    if (r < 0 || r >= static_cast<int>(c.rows.size()) || !c.spec.rowChecks) return false;
    return As<wxListCtrl>(c)->IsItemChecked(r);
}

void WxWindow::setRowChecked(const std::string& control, int r, bool on) {
    WxControl& c = at(control, Property::Rows, __func__);
    if (r < 0 || r >= static_cast<int>(c.rows.size()) || !c.spec.rowChecks) return;
    Quiet q(*this);
    As<wxListCtrl>(c)->CheckItem(r, on);
}

// ---------------------------------------------------------------- grids

GbkText WxWindow::gridCell(const std::string& control, int r, int column) const {
    auto* g = As<wxGrid>(at(control, Property::GridCells, __func__));
    if (r < 0 || column < 0 || r >= g->GetNumberRows() || column >= g->GetNumberCols()) return Gbk();
    return FromWx(g->GetCellValue(r, column));
}

void WxWindow::setGridCell(const std::string& control, int r, int column, const GbkText& value) {
    auto* g = As<wxGrid>(at(control, Property::GridCells, __func__));
    if (r < 0 || column < 0 || r >= g->GetNumberRows() || column >= g->GetNumberCols())
        throw std::out_of_range("grid cell out of range in " + control);
    g->SetCellValue(r, column, ToWx(value));
}

void WxWindow::setGridSize(const std::string& control, int rows, int columns) {
    WxControl& c = at(control, Property::GridCells, __func__);
    auto* g = As<wxGrid>(c);
    rows = std::max(0, rows);
    columns = std::max(0, columns);
    if (g->GetNumberRows() < rows) g->AppendRows(rows - g->GetNumberRows());
    if (g->GetNumberRows() > rows) g->DeleteRows(rows, g->GetNumberRows() - rows);
    const int before = g->GetNumberCols();
    if (before < columns) g->AppendCols(columns - before);
    if (before > columns) g->DeleteCols(columns, before - columns);
    for (int i = before; i < columns && i < static_cast<int>(c.spec.columns.size()); ++i)
        g->SetColLabelValue(i, ToWx(c.spec.columns[i]));
}

int WxWindow::gridCellBackground(const std::string& control, int r, int column) const {
    auto* g = As<wxGrid>(at(control, Property::GridCells, __func__));
    if (r < 0 || column < 0 || r >= g->GetNumberRows() || column >= g->GetNumberCols()) return -1;
    const wxColour own = g->GetCellBackgroundColour(r, column);
    if (own == g->GetDefaultCellBackgroundColour()) return -1;
    return (own.Red() << 16) | (own.Green() << 8) | own.Blue();
}

void WxWindow::setGridCellBackground(const std::string& control, int r, int column, int rgb) {
    auto* g = As<wxGrid>(at(control, Property::GridCells, __func__));
    if (r < 0 || column < 0 || r >= g->GetNumberRows() || column >= g->GetNumberCols())
        throw std::out_of_range("grid cell out of range in " + control);
    g->SetCellBackgroundColour(r, column,
                               rgb < 0 ? g->GetDefaultCellBackgroundColour()
                                       : wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    g->RefreshBlock(r, column, r, column);
}

}  // namespace trelvix::ui
