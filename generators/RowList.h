#pragma once
// The installation pages' line lists: report lists whose rows are typed into a
// row of edit boxes, one box per column. Adding refuses a value some rows
// already hold in a column the page keeps unique; modify, delete and show act
// on the current row and do nothing without one. A dropped text file of
// "#"-separated lines replaces all rows at once (ImportHashSeparatedFile; the
// drop targets are app/FileDrop's).
#include <cstddef>
#include <string>
#include <vector>

#include "common/text/Gbk.h"
#include "generators/PageContext.h"

namespace trelvix {

using RowCells = std::vector<Gbk>;

// How a column's values are compared when the page keeps them unique.
enum class CellKey {
    Whole,        // the whole cell
    AddressPart,  // the part before the first "/": an address with or without its prefix length
};

// The part of a cell the key compares.
Gbk KeyOf(std::string_view cell, CellKey key);

struct UniqueColumn {
    std::size_t column;
    Gbk label;  // the message's lead-in, "IP地址: "
    CellKey key = CellKey::Whole;
    std::string switchedBy;  // a check box that turns the test on; "" for always
};

struct RowEditor {
    std::string list;
    std::vector<std::string> boxes;    // one edit box per column, in column order
    std::vector<UniqueColumn> unique;  // in the order they are tested
    std::string addButton, modifyButton, deleteButton;
};

// Every row's cells, as many as the list has columns.
std::vector<RowCells> ReadRows(const ui::Window& window, const std::string& list);

// The first row whose cell at `column` has the key of `value`, or -1.
int FindRow(const std::vector<RowCells>& rows, std::size_t column, std::string_view value, CellKey key);

// Replaces every row of the list; the list has no current row afterwards.
void ReplaceRows(ui::Window& window, const std::string& list, const std::vector<RowCells>& rows);

// A dropped row file: GBK lines split at CR LF, each line's fields at "#",
// nothing trimmed. A line must hold exactly `fields` fields; `badLine` is the
// 1-based number of the first that does not (then `rows` is empty), 0 when
// every line does. As everywhere, a final empty piece does not count: a final
// CR LF adds no line, and a line ending in "#" loses its empty last field.
struct HashSeparatedRows {
    std::vector<RowCells> rows;
    std::size_t badLine = 0;
};
HashSeparatedRows ParseHashSeparatedRows(std::string_view text, std::size_t fields);

// The most rows one file gives a list. The lists hold tens of lines; a file
// of many more is the wrong file, and its rows would take the pages minutes
// to turn into a script.
inline constexpr std::size_t kMaxImportedRows = 1000;

// The list's rows := the text's rows; or, at the first bad line, an error box
// that names it and the list as it was; or, for a text of more than
// kMaxImportedRows lines, a box that says so and the list as it was. True
// when the rows were replaced.
bool ImportHashSeparatedFile(ui::Ui& ui, std::string_view text, ui::Window& window, const std::string& list,
                             std::size_t fields);

// Adds the boxes' values as a new last row unless a unique column refuses it
// (an information box: label + value + " 已经被使用,不能重复添加!").
void AddRowFromBoxes(PageContext& page, const RowEditor& editor);
// The current row := the boxes, with no duplicate test.
void ModifyCurrentRow(PageContext& page, const RowEditor& editor);
void DeleteCurrentRow(PageContext& page, const RowEditor& editor);
// The boxes := the current row's cells.
void ShowCurrentRow(PageContext& page, const RowEditor& editor);

// Binds the three buttons and the list's row change. `editor` must outlive the page.
void BindRowEditor(PageContext& page, const RowEditor& editor);

}  // namespace trelvix
