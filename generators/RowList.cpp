#include "generators/RowList.h"

#include <utility>

#include "generators/Outcome.h"
#include "ui/Ui.h"

namespace trelvix {

Gbk KeyOf(std::string_view cell, CellKey key) {
    // "/" is never the second byte of a GBK character, so a byte search is safe.
    if (key == CellKey::AddressPart) cell = cell.substr(0, cell.find('/'));
    return Gbk(cell);
}

std::vector<RowCells> ReadRows(const ui::Window& window, const std::string& list) {
    const int count = window.rowCount(list);
    std::vector<RowCells> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r) rows.push_back(ui::AsBytes(window.row(list, r)));
    return rows;
}

int FindRow(const std::vector<RowCells>& rows, std::size_t column, std::string_view value, CellKey key) {
    // Both sides are cut, so "203.0.113.5/29" meets "203.0.113.5/29" and "203.0.113.5" alike.
    const Gbk wanted = KeyOf(value, key);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string_view cell = column < rows[r].size() ? std::string_view(rows[r][column]) : std::string_view();
        if (KeyOf(cell, key) == wanted) return static_cast<int>(r);
    }
    return -1;
}

void ReplaceRows(ui::Window& window, const std::string& list, const std::vector<RowCells>& rows) {
    window.clearRows(list);
    for (const RowCells& cells : rows) window.addRow(list, ui::AsTexts(cells));
}

HashSeparatedRows ParseHashSeparatedRows(std::string_view text, std::size_t fields) {
    HashSeparatedRows parsed;
    const std::vector<Gbk> lines = Split(text, "\r\n");
    parsed.rows.reserve(lines.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        RowCells cells = Split(lines[k], "#");
        if (cells.size() != fields) return {{}, k + 1};
        parsed.rows.push_back(std::move(cells));
    }
    return parsed;
}

namespace {

// Lines as the import splits them: a final CR LF adds none. CR and LF are never
// the second byte of a GBK character.
std::size_t LineCount(std::string_view text) {
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", at + 2)) ++lines;
    const bool lastEnds = text.size() >= 2 && text.substr(text.size() - 2) == "\r\n";
    return lines + (!text.empty() && !lastEnds ? 1 : 0);
}

}  // namespace

bool ImportHashSeparatedFile(ui::Ui& ui, std::string_view text, ui::Window& window, const std::string& list,
                             std::size_t fields) {
    if (LineCount(text) > kMaxImportedRows) {
        const std::string most = std::to_string(kMaxImportedRows);
        ui.message("文件超过" + most + "行,列表每次最多导入" + most + "行!", ui::mb::IconExclamation);
        return false;
    }
    const HashSeparatedRows parsed = ParseHashSeparatedRows(text, fields);
    if (parsed.badLine != 0) {
        ui.message("文件内第 " + std::to_string(parsed.badLine) +
                       " 行格式有误,请注意查看项目个数以及是否使用\"#\"来进行每个项目之间分隔的!",
                   ui::mb::IconError);
        return false;
    }
    ReplaceRows(window, list, parsed.rows);
    return true;
}

namespace {

RowCells BoxValues(const ui::Window& window, const RowEditor& editor) {
    RowCells cells;
    cells.reserve(editor.boxes.size());
    for (const std::string& box : editor.boxes) cells.push_back(window.text(box).bytes());
    return cells;
}

}  // namespace

void AddRowFromBoxes(PageContext& page, const RowEditor& editor) {
    const RowCells cells = BoxValues(page.window, editor);
    const std::vector<RowCells> rows = ReadRows(page.window, editor.list);
    for (const UniqueColumn& u : editor.unique) {
        if (!u.switchedBy.empty() && !page.window.checked(u.switchedBy)) continue;
        const Gbk& value = cells.at(u.column);
        if (FindRow(rows, u.column, value, u.key) < 0) continue;
        Deliver(page, Outcome::Error(ScriptError{u.label + value + " 已经被使用,不能重复添加!",
                                                 ui::mb::IconInformation,
                                                 std::nullopt,
                                                 {},
                                                 FocusMove::None,
                                                 page.window.name()}));
        return;
    }
    page.window.addRow(editor.list, ui::AsTexts(cells));
}

void ModifyCurrentRow(PageContext& page, const RowEditor& editor) {
    const int current = page.window.currentItem(editor.list);
    if (current < 0) return;
    const RowCells cells = BoxValues(page.window, editor);
    for (std::size_t c = 0; c < cells.size(); ++c)
        page.window.setCell(editor.list, current, static_cast<int>(c), cells[c]);
}

void DeleteCurrentRow(PageContext& page, const RowEditor& editor) {
    const int current = page.window.currentItem(editor.list);
    if (current >= 0) page.window.removeRow(editor.list, current);
}

void ShowCurrentRow(PageContext& page, const RowEditor& editor) {
    const int current = page.window.currentItem(editor.list);
    if (current < 0) return;
    const std::vector<ui::GbkText> cells = page.window.row(editor.list, current);
    for (std::size_t c = 0; c < editor.boxes.size(); ++c)
        page.window.setText(editor.boxes[c], c < cells.size() ? cells[c] : ui::GbkText());
}

void BindRowEditor(PageContext& page, const RowEditor& editor) {
    OnClick(page, editor.addButton, [&page, &editor] { AddRowFromBoxes(page, editor); });
    OnClick(page, editor.modifyButton, [&page, &editor] { ModifyCurrentRow(page, editor); });
    OnClick(page, editor.deleteButton, [&page, &editor] { DeleteCurrentRow(page, editor); });
    page.window.on(editor.list, ui::Event::RowChanged,
                   [&page, &editor](const ui::EventArgs&) { ShowCurrentRow(page, editor); });
}

}  // namespace trelvix
