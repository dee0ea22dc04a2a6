#pragma once
// Case files: many generator cases in one UTF-8 text, read as a table of
// steps. tests/cases/README.md describes the format; this is its model.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trelvix::cases {

// A fault in a case file, with the line it is on.
struct ParseError : std::runtime_error {
    ParseError(int line, const std::string& what) : std::runtime_error(what), line(line) {}
    int line;
};

enum class Op {
    // clang-format off
    // set-up, taken before the window is created when written first (with Answer and Dialog)
    Clock,          // number: the OLE date
    Random,         // values: both random sources
    Secure,         // values: the cryptographic source only
    File,           // path, text: a file written for the program to read
    Service,        // paths: the web services pointed at the case's web server
    Web,            // path ("*" = any), reply: what the case's web server answers
    // acting as a user
    Window,         // name: the window the next steps act on
    Set,            // control, text: typed as a whole
    Check,          // control, on
    Choose,         // control, index or text: combo/list item, tab page, tree item, report row
    Rows,           // control, rows: the report list's content
    CheckRow,       // control, index, on
    Cell,           // control, row, column, text: a grid cell
    Click,          // control
    Change,         // control: its change event, content untouched
    Focus,          // control: the keyboard moves the focus there
    Blur,           // control: it loses the focus
    Key,            // control, index = key code, modifiers
    Drop,           // control, paths: files dropped on it
    Answer,         // values: message-box answers, queued (set-up too)
    Dialog,         // path (empty = cancel): a file dialog answer, queued (set-up too)
    Scroll,         // control, index: a scroll bar's position or a code box's first line
    Items,          // control, rows (one cell each): a list or combo box's items
    Select,         // control, index = start, column = end (-1 = the end): GBK byte offsets
    Close,          // name ("" = the current window): its close box
    // expectations
    ExpectScript,   // text: the main window's script box, byte for byte
    ExpectUnchanged,
    ExpectMessage,  // text, flags, title, focus (optional)
    ExpectNoMessage,
    ExpectFocus,    // control ("" = none)
    ExpectText,     // control, text
    ExpectChecked,  // control, on
    ExpectVisible,  // control, on
    ExpectEnabled,  // control, on
    ExpectMasked,   // control, on
    ExpectCurrent,  // control, index
    ExpectItems,    // control, rows (one cell each)
    ExpectRows,     // control, rows
    ExpectClipboard,// text
    ExpectUrl,      // text
    ExpectFile,     // path, text
    ExpectWindow,   // name, on (open or closed)
    ExpectScroll,   // control, index
    ExpectSelection,// control, index = start, column = end
    ExpectPanel,    // control, index, text: a status-bar panel
    ExpectNoUrl,
    ExpectExit,     // on: ended (number = the exit code) or still running
    ExpectRequest,  // text = target, method when written
    ExpectNoRequest,
    ExpectHeader,   // control = header name (as written), text: of the last request taken
};
// clang-format on

// The set-up lines: before the program is created when a case starts with them.
bool IsSetUp(Op op);

bool IsExpectation(Op op);

struct Row {
    std::vector<std::string> cells;  // GBK
    std::optional<bool> checked;     // written [x] or [ ] before the first bar
};

struct Step {
    Op op{};
    int line = 0;
    std::string control;                    // GBK, as the window names it
    std::string shownName;                  // the name as written (UTF-8), for reports
    std::string text;                       // GBK bytes (set, expected texts, window name)
    std::string path;                       // UTF-8 file path with {tmp} and {here} still in it
    std::optional<std::string> title;       // GBK; messages: none = the default title
    std::optional<std::string> focus;       // GBK; messages: checked only when written
    std::optional<std::string> choiceText;  // choose/tab by caption or item text
    bool on = false;
    int index = 0;
    int column = 0;
    int modifiers = 0;
    long long number = 0;          // message flags
    double date = 0;               // clock
    std::vector<unsigned> values;  // random values, answers
    std::vector<std::string> paths;
    std::vector<Row> rows;
    // Web: the reply; ExpectRequest: the method ("" = any)
    std::string method;
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;
    bool silent = false;
    // An expectation written `wait expect ...`: tried again until it holds or time runs out.
    bool wait = false;
};

struct Case {
    std::string name;  // UTF-8
    int line = 0;
    std::vector<Step> steps;
    std::vector<ParseError> errors;  // a case with errors fails without running
};

struct CaseFile {
    std::string path;
    std::vector<Step> preamble;  // steps before the first case: run at the start of each
    std::vector<Case> cases;
    std::vector<ParseError> errors;  // faults outside any case
};

// Turns a written value into GBK bytes: the text is UTF-8, converted as a
// whole; \r \n \t \\ \" \| and \xHH stand for their bytes. Throws
// std::runtime_error for an unknown escape or a character GBK lacks.
std::string DecodeValue(std::string_view written);

CaseFile ParseCaseFile(std::string_view content, const std::string& path);
// Reads and parses a file; a file that cannot be read is one file-level error.
CaseFile LoadCaseFile(const std::string& path);

}  // namespace trelvix::cases
