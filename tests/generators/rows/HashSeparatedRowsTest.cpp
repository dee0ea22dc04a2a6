// The "#"-separated row files dropped on the installation pages' lists: which
// texts give which rows, and which line a bad file is reported at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "generators/RowList.h"

namespace trelvix {
namespace {

using test::G;

struct RowFileCase {
    const char* what;
    std::string text;  // GBK bytes
    std::size_t fields;
    std::vector<RowCells> rows;  // expected when badLine is 0
    std::size_t badLine;
};

TEST(ParseHashSeparatedRows, LinesFieldsAndTheFirstBadLine) {
    const std::vector<RowFileCase> cases = {
        {"two lines each ended by CR LF", "p#q#r#s\r\nt#u#v#w\r\n", 4, {{"p", "q", "r", "s"}, {"t", "u", "v", "w"}}, 0},
        {"no final CR LF", "p#q#r#s\r\nt#u#v#w", 4, {{"p", "q", "r", "s"}, {"t", "u", "v", "w"}}, 0},
        {"an empty middle line counts", "p#q#r#s\r\n\r\nt#u#v#w\r\n", 4, {}, 2},
        {"two final CR LF make an empty last line", "p#q#r#s\r\n\r\n", 4, {}, 2},
        {"an empty last field is lost", "p#q#r#", 4, {}, 1},
        {"an empty inner field counts", "p##r#s", 4, {{"p", "", "r", "s"}}, 0},
        {"LF alone does not end a line", "a#b#c\nd#e#f\n", 3, {}, 1},
        {"LF-only text with exactly n fields is one row", "a#b\nc#d", 3, {{"a", "b\nc", "d"}}, 0},
        {"one field too many", "u1#p1\r\nu2#p2#x\r\n", 2, {}, 2},
        {"one field too few", "u1\r\n", 2, {}, 1},
        {"the first bad line is the one reported", "u1#p1\r\nu2\r\nu3#p3#x\r\n", 2, {}, 2},
        {"nothing is trimmed", " a # b \r\n", 2, {{" a ", " b "}}, 0},
        {"GBK fields pass as they are", G("用户一#淺$\"?#100\r\n"), 3, {{G("用户一"), G("淺$\"?"), "100"}}, 0},
        {"an empty text has no lines", "", 4, {}, 0},
        {"a lone CR LF is one empty line", "\r\n", 1, {}, 1},
        {"one field per line", "a\r\nb", 1, {{"a"}, {"b"}}, 0},
    };
    for (const RowFileCase& c : cases) {
        SCOPED_TRACE(c.what);
        const HashSeparatedRows parsed = ParseHashSeparatedRows(c.text, c.fields);
        EXPECT_EQ(parsed.badLine, c.badLine);
        EXPECT_EQ(parsed.rows, c.rows);
    }
}

}  // namespace
}  // namespace trelvix
