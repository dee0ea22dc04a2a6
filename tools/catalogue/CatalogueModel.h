#pragma once
// The plain pieces of the RouterBOARD catalogue: the product tree as the
// loader builds it, the numbers read from records, the exchange-rate page, the
// technical-data table and the prices. Nothing here touches a window.
#include <optional>
#include <string_view>
#include <vector>

#include "common/database/RecordDatabase.h"
#include "common/text/Gbk.h"

namespace trelvix {

struct CatalogueTreeItem {
    Gbk text;
    int parent = -1;  // display number of the parent item, -1 at the root
    bool bold = false;
};

// The catalogue tree, numbered as it is shown: from 0 over the whole tree,
// depth first (an item, its descendants, then its next sibling). A new item
// becomes the last child of its parent, so every item added moves the
// numbers of the items after it.
class CatalogueTree {
public:
    // Adds an item under the item with display number `parent`; a number that
    // names no item (negative, or not below the count) puts it at the root.
    // Returns the new item's display number.
    int Add(const Gbk& text, long long parent, bool bold);
    int Count() const { return static_cast<int>(nodes_.size()); }
    // The display number, as things stand now, of the item that was added
    // `added`-th (from 0); -1 when there is no such item.
    int CurrentNumber(int added) const { return added >= 0 && added < Count() ? NumberOf(added) : -1; }
    // Every item in display order.
    std::vector<CatalogueTreeItem> Items() const;

private:
    struct Node {
        Gbk text;
        bool bold = false;
        int parent = -1;  // node id
        std::vector<int> children;
        int size = 1;  // the node and all its descendants
    };
    int NodeAt(long long number) const;
    int NumberOf(int node) const;

    std::vector<Node> nodes_;  // in the order they were added
    std::vector<int> roots_;
};

// The number a text holds at its start (blanks, a sign, digits, a decimal
// point and fraction, an exponent); 0 when it holds none.
double LeadingNumber(std::string_view text);
// A record's number field: a number as it is, a text as the number it holds,
// anything else 0.
double FieldNumber(const FieldValue& value);
// A stored number as a tree item number: truncated toward zero. A value that
// is not a number, or lies outside what an item number can be, names no item
// (-1), so its item goes to the root.
long long ItemNumberOf(double value);

// The text after the last `separator`; empty when it does not occur.
Gbk TextAfterLast(std::string_view text, std::string_view separator);
// The text before the first `separator`, searched over whole characters;
// empty when it does not occur.
Gbk TextBeforeFirst(std::string_view text, std::string_view separator);

// One row of the technical-data grid.
struct ProductSpecRow {
    Gbk key, value;
    bool operator==(const ProductSpecRow&) const = default;
};
// A product's technical-data text ("info1" followed by "info2"): pairs of key
// and value joined by "#", the pairs separated by "##". A part's key is the
// text before its first "#", its value the text after its last "#"; a part
// without "#" gives an empty row.
std::vector<ProductSpecRow> ProductSpecRows(std::string_view spec);
// The grid rows the shade falls on: every second row (1, 3, 5 ... from 0).
inline bool SpecRowShaded(int row) { return row % 2 == 1; }

// The exchange-rate page answers with a table; its second matching row holds
// the rate of one dollar and the converted amount.
struct RatePageRow {
    Gbk rate;    // second cell
    Gbk amount;  // third cell
};
// The page's second row when exactly two rows of three cells match; nothing
// otherwise (no rows, one, three or more, an empty body). The body counts up
// to its first zero byte.
std::optional<RatePageRow> ParseRatePage(std::string_view body);

// Whether a stored address may go to the browser: only "http://" and
// "https://" addresses (either case) do, never a file or a program.
bool IsWebAddress(std::string_view address);

// The dollar amount of a stored cost: the text after its last "$".
Gbk DollarAmountText(std::string_view cost);
// "￥" and the amount rounded to two decimals (halves away from zero), at
// most 13 significant digits and no trailing zeros.
Gbk YuanText(double amount);
// The yuan price of a stored cost at `rate` yuan to the dollar ("$129.00" at
// 6.5 is "￥838.5"); a cost without a number costs 0.
Gbk YuanPrice(std::string_view cost, double rate);

}  // namespace trelvix
