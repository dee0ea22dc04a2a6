#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/StartupParts.h"
#include "ui/Layout.h"
#include "ui/LineNumbers.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::G;

TEST(LineNumbers, CountsLogicalLinesAndNumbersThem) {
    struct Case {
        const char* text;
        int lines;
        const char* column;
    } cases[] = {
        {"", 1, "1"},
        {"a", 1, "1"},
        {"a\r\nb", 2, "1\r\n2"},
        {"a\r\nb\r\nc\r\n", 4, "1\r\n2\r\n3\r\n4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EditorLineCount(c.text), c.lines) << test::Visible(c.text);
        EXPECT_EQ(LineNumberText(c.lines), c.column);
    }
}

class GutterWindow : public ::testing::Test {
protected:
    GutterWindow()
        : w(static_cast<ui::HeadlessWindow&>(ui.createWindow(ui::ParseLayout(R"({"name":"w","controls":[
            {"kind":"code","name":"ed1"},{"kind":"edit","name":"col1","multiline":true,"readonly":true},
            {"kind":"code","name":"ed2"},{"kind":"edit","name":"col2","multiline":true,"readonly":true}]})"),
                                                             nullptr, {}))) {}

    static Gbk Lines(int n) {
        Gbk text;
        for (int i = 1; i <= n; ++i) text += (i > 1 ? "\r\n" : "") + ("line " + std::to_string(i));
        return text;
    }

    ui::HeadlessUi ui;
    ui::HeadlessWindow& w;
};

TEST_F(GutterWindow, EmptyEditorShowsOneAndTheColumnFollowsChanges) {
    AttachLineNumberGutter(w, "ed1", "col1");
    EXPECT_EQ(w.text("col1"), G("1"));
    w.setText("ed1", G("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(w.text("col1"), G("1\r\n2\r\n3\r\n4"));
    // Cleared as the strip's clear button does (box, then column): the next
    // script brings the numbers back even with the same line count.
    w.setText("ed1", G(""));
    w.setText("col1", G(""));
    w.setText("ed1", G("x"));
    EXPECT_EQ(w.text("col1"), G("1"));
}

TEST_F(GutterWindow, ColumnKeepsToTheFirstVisibleLineOfALongScript) {
    AttachLineNumberGutter(w, "ed1", "col1");
    w.setText("ed1", Lines(5000));
    EXPECT_EQ(EditorLineCount(w.text("col1")), 5000);
    for (int line : {40, 4999, 0, 2500}) {
        w.scrollToLine("ed1", line);
        EXPECT_EQ(w.firstVisibleLine("col1"), line);
    }
}

TEST_F(GutterWindow, TwoEditorsKeepTheirOwnColumns) {
    AttachLineNumberGutter(w, "ed1", "col1");
    AttachLineNumberGutter(w, "ed2", "col2");
    w.setText("ed1", Lines(3));
    w.setText("ed2", Lines(7));
    EXPECT_EQ(w.text("col1"), LineNumberText(3));
    EXPECT_EQ(w.text("col2"), LineNumberText(7));
    w.scrollToLine("ed2", 5);
    EXPECT_EQ(w.firstVisibleLine("col2"), 5);
    EXPECT_EQ(w.firstVisibleLine("col1"), 0);
}

}  // namespace
}  // namespace trelvix
