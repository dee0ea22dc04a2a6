#include "tools/catalogue/CatalogueLoader.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "common/text/RouterOsText.h"

namespace trelvix {

std::atomic<double> UsdCnyRate{0};

namespace {

// Adds one item per record, its caption from `captionField`, its parent from
// `parentField`. False when a caption is not a text.
bool AddRecords(RecordDatabase& db, CatalogueTree& tree, const char* parentField, const char* captionField, bool bold) {
    db.First();
    const long long count = db.RecordCount();
    for (long long i = 0; i < count; ++i, db.Skip()) {
        const FieldValue caption = db.Read(captionField);
        if (caption.kind != FieldKind::Text) return false;
        tree.Add(caption.bytes, ItemNumberOf(FieldNumber(db.Read(parentField))), bold);
    }
    db.First();
    return true;
}

// A pipe or a device is never handed to the database, which would wait on
// it or read it without end.
bool OpenCatalogueFile(RecordDatabases& open, const std::filesystem::path& file, std::string_view password) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return false;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    return !ec && size <= kCatalogueFileLimit && open.Open(file, password);
}

}  // namespace

CatalogueLoad ReadHardwareCatalogue(const CatalogueFiles& files, std::string_view password) {
    CatalogueLoad load;
    CatalogueTree tree;
    RecordDatabases open;
    if (!OpenCatalogueFile(open, files.categories, password) ||
        !AddRecords(*open.Current(), tree, "父项目", "type", true))
        return load;
    open.Close(files.categories);
    if (!OpenCatalogueFile(open, files.products, password) ||
        !AddRecords(*open.Current(), tree, "typeIndex", "name", false))
        return load;
    load.outcome = CatalogueLoad::Outcome::Loaded;
    load.items = tree.Items();
    load.products = open.Release(files.products);
    return load;
}

std::optional<RatePageRow> FetchRatePage(const std::string& host, std::string_view amount, const HttpLimits& limits) {
    if (host.empty()) return std::nullopt;
    // The amount comes from a record: anything but digits, letters, "-" and "." is escaped.
    const std::string url = "http://" + host + "/hl.asp?from=USD&to=CNY&q=" + PercentEncode(amount, true);
    return ParseRatePage(HttpGet(url, limits));
}

void LoadHardwareCatalogue(const CatalogueLoaderJob& job) {
    CatalogueLoad load = ReadHardwareCatalogue(job.files, kCataloguePassword);
    const bool loaded = load.outcome == CatalogueLoad::Outcome::Loaded;
    if (job.deliverCatalogue) job.deliverCatalogue(std::move(load));
    if (!loaded) return;  // the program is ending
    bool set = false;
    if (const std::optional<RatePageRow> page = FetchRatePage(job.rateHost, "100", job.limits)) {
        const double rate = LeadingNumber(page->rate);
        UsdCnyRate = rate;
        set = RateKnown(rate);
    }
    if (job.rateFetched) job.rateFetched(set);
}

}  // namespace trelvix
