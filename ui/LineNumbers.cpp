#include "ui/LineNumbers.h"

#include <memory>

namespace trelvix {

Gbk LineNumberText(int lines) {
    Gbk out;
    out.reserve(static_cast<std::size_t>(lines) * 7);
    for (int n = 1; n <= lines; ++n) {
        if (n > 1) out += "\r\n";
        out += std::to_string(n);
    }
    return out;
}

void RefreshLineNumbers(ui::Window& window, const std::string& editor, const std::string& column) {
    window.setText(column, LineNumberText(EditorLineCount(window.text(editor))));
}

namespace {

struct Gutter {
    ui::Window& window;
    std::string editor, column;
    int shownLines = 0;

    void followScroll() { window.scrollToLine(column, window.firstVisibleLine(editor)); }

    // Rebuilt only when the count changes: a long script is not renumbered at
    // every keystroke. The strip's clear button empties the column, so an
    // empty column is filled again too.
    void OnCodeBoxChanged() {
        const int lines = EditorLineCount(window.text(editor));
        if (lines != shownLines || window.text(column).empty()) {
            shownLines = lines;
            window.setText(column, LineNumberText(lines));
        }
        followScroll();
    }
};

}  // namespace

void AttachLineNumberGutter(ui::Window& window, const std::string& editor, const std::string& column) {
    auto gutter = std::make_shared<Gutter>(Gutter{window, editor, column});
    gutter->OnCodeBoxChanged();
    window.on(editor, ui::Event::Change, [gutter](const ui::EventArgs&) { gutter->OnCodeBoxChanged(); });
    // The column follows the editor's first visible line however it moved:
    // wheel, keys, caret, selection or code.
    window.on(editor, ui::Event::Scroll, [gutter](const ui::EventArgs&) { gutter->followScroll(); });
}

}  // namespace trelvix
