#pragma once
// The catalogue loader: a worker, started when the catalogue window is
// created, reads both record databases into the product tree and then asks
// the exchange-rate page for the dollar's price in yuan. It never touches a
// control: the tree and the open product database are handed to whoever
// started it (who posts them to the UI thread), the rate goes into
// `UsdCnyRate`, a value replaced whole.
#include <atomic>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/database/RecordDatabase.h"
#include "common/http/HttpRequest.h"
#include "common/text/Gbk.h"
#include "tools/catalogue/CatalogueFiles.h"
#include "tools/catalogue/CatalogueModel.h"

namespace trelvix {

// The price of one US dollar in yuan; 0 at program start. One whose
// absolute value is at most 1e-7 means no rate is known.
extern std::atomic<double> UsdCnyRate;
inline bool RateKnown(double rate) { return std::fabs(rate) > 1e-7; }

// A catalogue database is read only when it is a regular file of at most
// this size: far more than every product with its picture needs.
inline constexpr std::uintmax_t kCatalogueFileLimit = 256u << 20;

struct CatalogueLoad {
    enum class Outcome {
        Loaded,
        // A database could not be opened (missing, no regular file, too large,
        // damaged, wrong password), or holds a record the loader cannot read.
        OpenFailed,
    };
    Outcome outcome = Outcome::OpenFailed;
    std::vector<CatalogueTreeItem> items;      // the tree in display order
    std::shared_ptr<RecordDatabase> products;  // open, at its first record, when Loaded
};

// Reads the category database, then the product database, into the tree:
// every record adds an item under the item its parent number names at that
// moment (categories bold). Menu.edb is closed again; data.edb stays open.
// A record whose caption is no text makes its database one that does not
// open: the user is told so and the program ends in order, instead of
// stopping on an internal fault with the script box and settings lost.
CatalogueLoad ReadHardwareCatalogue(const CatalogueFiles& files, std::string_view password);

// The exchange-rate page's answer for `amount` dollars: GET
// http://<host>/hl.asp?from=USD&to=CNY&q=<amount>. Nothing when no host is
// configured, the request fails or times out, or the page is not as expected.
std::optional<RatePageRow> FetchRatePage(const std::string& host, std::string_view amount, const HttpLimits& limits);

struct CatalogueLoaderJob {
    CatalogueFiles files;
    std::string rateHost;  // host[:port] of the exchange-rate page; empty: none
    HttpLimits limits;
    // Called on the worker once the databases are read (or could not be).
    std::function<void(CatalogueLoad)> deliverCatalogue;
    // Called on the worker when the rate request has ended; true when it set a rate.
    std::function<void(bool)> rateFetched;
};

// The loader's work, in order: the databases, then (only when they loaded)
// the rate of 100 dollars, whose second cell becomes `UsdCnyRate`.
void LoadHardwareCatalogue(const CatalogueLoaderJob& job);

}  // namespace trelvix
