#include "tools/catalogue/HardwareCatalogueWindow.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

#include "common/EmbeddedData.h"
#include "common/text/RouterOsText.h"
#include "names/tools/hardware_catalogue.h"
#include "tools/catalogue/CatalogueLoader.h"
#include "tools/catalogue/CatalogueModel.h"
#include "ui/BackgroundWork.h"

namespace trelvix {
using namespace names::tools::hardware_catalogue;

namespace {

constexpr const char* kTree = 树型框;
constexpr const char* kPicture = 图片框_图片;
constexpr const char* kName = 标签_name;
constexpr const char* kComment = 编辑框_简介;
constexpr const char* kDollars = 标签_价格美;
constexpr const char* kYuan = 标签_价格人;
constexpr const char* kNewBadge = 图片框_new;
constexpr const char* kRateLabel = 标签_汇率;
constexpr const char* kBuy = 按钮_购买;
constexpr const char* kPageButton = 按钮_获取信息;
constexpr const char* kImageButton = 按钮_查看大图;
constexpr const char* kStatus = 标签_状态;
constexpr const char* kGrid = 高级表格;
constexpr const char* kMenu = 菜单;
constexpr const char* kShopItem = 菜单_淘宝搜索此硬件;
constexpr int kGridColumns = 2;
// The yuan label while a rate request is out, and the one it shows when none
// can be made (no rate page in this build, or the last request failed).
constexpr const char* kConverting = "换算中...";
constexpr const char* kRateUnavailable = "汇率暂不可用";

std::string_view BuiltInPicture(std::string_view name) {
    return EmbeddedFile("data/catalogue-window/" + std::string(name)).value_or(std::string_view());
}

// A text field of the current record. A field never written reads as empty;
// one that holds something else is a fault in the database.
Gbk TextField(const RecordDatabase& db, const char* field) {
    const FieldValue value = db.Read(field);
    if (value.kind == FieldKind::Text || value.kind == FieldKind::Missing) return value.bytes;
    throw std::runtime_error(std::string("catalogue record: field \"") + field + "\" holds no text");
}

std::string BytesField(const RecordDatabase& db, const char* field) {
    const FieldValue value = db.Read(field);
    if (value.kind == FieldKind::Bytes || value.kind == FieldKind::Missing) return value.bytes;
    throw std::runtime_error(std::string("catalogue record: field \"") + field + "\" holds no bytes");
}

// The find condition for the product named `name`: byte for byte, letter case counting.
std::function<bool(const RecordDatabase&)> ProductNameCondition(const Gbk& name) {
    return [name](const RecordDatabase& record) {
        const FieldValue stored = record.Read("name");
        return stored.kind == FieldKind::Text && stored.bytes == name;
    };
}

// The window's state and routines. The loader and the rate requests run as
// its background work, which ends with the window: a result that arrives
// later reaches nothing, and a request still running is abandoned.
class CatalogueWindow : public std::enable_shared_from_this<CatalogueWindow> {
public:
    CatalogueWindow(ToolContext& tools, ui::Window& window) : tools_(tools), w_(window), work_(tools.ui, window) {}

    void Bind();
    void StartLoader();

private:
    void OnCatalogueLoaded(CatalogueLoad& load);
    void FillTree(const std::vector<CatalogueTreeItem>& items);
    Gbk CurrentItemText() const;
    bool CurrentItemHasChildren() const;
    void ShowProductDetails();
    void ResetProductView();
    void ShowProductSpecs(const Gbk& spec);
    void ShowYuanPrice(const Gbk& name, const Gbk& cost);
    void PriceShownProduct();
    void RequestRate(const Gbk& name, const Gbk& amount);
    void OnRateAnswer(const Gbk& name, const std::optional<RatePageRow>& page);
    void OnCatalogueTreeRightClick();
    void CopyProductName();
    void SearchProductOnShoppingSite();
    void OpenWebAddress(const Gbk& address);
    void SetCategoriesExpanded(bool expanded);

    ToolContext& tools_;
    ui::Window& w_;
    std::shared_ptr<RecordDatabase> products_;  // open after loading; read on the UI thread only
    Gbk ProductImageUrl, ProductPageUrl;
    Gbk shownProduct_;  // name of the product in the view, empty when none
    bool rateRequestRunning_ = false;
    std::optional<OleDate> rateFailedAt_;
    ui::BackgroundWork work_;  // last: stopped before the rest goes
};

void CatalogueWindow::Bind() {
    auto self = shared_from_this();
    w_.on(kTree, ui::Event::TreeItemChanged, [self](const ui::EventArgs&) { self->ShowProductDetails(); });
    w_.on(kTree, ui::Event::RowRightClick, [self](const ui::EventArgs&) { self->OnCatalogueTreeRightClick(); });
    w_.on(菜单_复制名称, ui::Event::Click, [self](const ui::EventArgs&) { self->CopyProductName(); });
    w_.setEnabled(kShopItem, !tools_.services().shoppingSiteHost.empty());
    w_.on(kShopItem, ui::Event::Click, [self](const ui::EventArgs&) { self->SearchProductOnShoppingSite(); });
    w_.on(kPageButton, ui::Event::Click, [self](const ui::EventArgs&) { self->OpenWebAddress(self->ProductPageUrl); });
    w_.on(kImageButton, ui::Event::Click,
          [self](const ui::EventArgs&) { self->OpenWebAddress(self->ProductImageUrl); });
    w_.on(按钮_展开, ui::Event::Click, [self](const ui::EventArgs&) { self->SetCategoriesExpanded(true); });
    w_.on(按钮_收缩, ui::Event::Click, [self](const ui::EventArgs&) {
        self->SetCategoriesExpanded(false);
        self->ResetProductView();
    });
}

void CatalogueWindow::StartLoader() {
    // Nothing can be chosen before the product database has been handed over.
    w_.setEnabled(kTree, false);
    CatalogueLoaderJob job;
    job.files = CatalogueFilesIn(tools_.catalogueFolder());
    job.rateHost = tools_.services().exchangeRateHost;
    job.limits = tools_.webLimits;
    rateRequestRunning_ = !job.rateHost.empty();
    work_.start([this, job = std::move(job)](ui::Job& worker) mutable {
        job.limits.abandon = &worker.abandoned();
        job.deliverCatalogue = [this, &worker](CatalogueLoad load) {
            auto shared = std::make_shared<CatalogueLoad>(std::move(load));
            worker.deliver([this, shared] { OnCatalogueLoaded(*shared); });
        };
        job.rateFetched = [this, &worker](bool) {
            // A product chosen meanwhile waits for this answer: priced from the
            // rate, or asked about on its own when the loader got none.
            worker.deliver([this] {
                rateRequestRunning_ = false;
                if (shownProduct_.empty() || w_.text(kYuan) != Gbk(kConverting)) return;
                PriceShownProduct();
            });
        };
        LoadHardwareCatalogue(job);
    });
}

void CatalogueWindow::OnCatalogueLoaded(CatalogueLoad& load) {
    switch (load.outcome) {
        case CatalogueLoad::Outcome::OpenFailed:
            rateRequestRunning_ = false;
            tools_.ui.message("数据库打开失败"_gbk, ui::mb::IconError);
            tools_.exitProgram();
            return;
        case CatalogueLoad::Outcome::Loaded:
            products_ = std::move(load.products);
            FillTree(load.items);
            return;
    }
}

void CatalogueWindow::FillTree(const std::vector<CatalogueTreeItem>& items) {
    w_.clearTree(kTree);
    // Added in display order, so an item's index is its display number.
    for (const CatalogueTreeItem& item : items) {
        const int at = w_.addTreeItem(kTree, item.text, item.parent);
        if (item.bold) w_.setTreeItem(kTree, at, ui::TreeItem{item.text, item.parent, true, false});
    }
    w_.setEnabled(kTree, true);
    std::vector<ui::TreeItem> shown = w_.treeItems(kTree);
    for (int i = 0; i < 2 && i < static_cast<int>(shown.size()); ++i) {
        shown[i].expanded = true;
        w_.setTreeItem(kTree, i, shown[i]);
    }
}

Gbk CatalogueWindow::CurrentItemText() const {
    const int current = w_.currentItem(kTree);
    const std::vector<ui::TreeItem> items = w_.treeItems(kTree);
    return current >= 0 && current < static_cast<int>(items.size()) ? items[current].text.bytes() : Gbk();
}

bool CatalogueWindow::CurrentItemHasChildren() const {
    const int current = w_.currentItem(kTree);
    for (const ui::TreeItem& item : w_.treeItems(kTree))
        if (item.parent == current) return true;
    return false;
}

void CatalogueWindow::ResetProductView() {
    w_.setGridSize(kGrid, 0, kGridColumns);
    w_.setImage(kPicture, {});
    w_.setEnabled(kPageButton, false);
    w_.setEnabled(kImageButton, false);
    for (const char* hidden : {kRateLabel, kNewBadge, kBuy}) w_.setVisible(hidden, false);
    for (const char* emptied : {kComment, kName, kDollars, kYuan, kStatus}) w_.setText(emptied, Gbk());
    ProductImageUrl.clear();
    ProductPageUrl.clear();
    shownProduct_.clear();
}

void CatalogueWindow::ShowProductDetails() {
    const Gbk name = CurrentItemText();
    ResetProductView();
    if (!products_ || name.empty()) return;
    RecordDatabase& db = *products_;
    db.First();
    if (!db.Find(ProductNameCondition(name))) return;

    w_.setImage(kPicture, std::string(BuiltInPicture("placeholder.png")));
    w_.setText(kName, name);
    w_.setText(kComment, TextField(db, "comment"));
    const Gbk cost = TextField(db, "cost");
    w_.setText(kDollars, cost);
    ProductImageUrl = TextField(db, "imgurl");
    ProductPageUrl = TextField(db, "url");
    // A button that would open nothing is not offered.
    w_.setEnabled(kPageButton, IsWebAddress(ProductPageUrl));
    w_.setEnabled(kImageButton, IsWebAddress(ProductImageUrl));
    w_.setImage(kPicture, BytesField(db, "img"));
    if (TextField(db, "state") == "2") {
        w_.setImage(kNewBadge, std::string(BuiltInPicture("new.png")));
        w_.setVisible(kNewBadge, true);
    }
    shownProduct_ = name;
    PriceShownProduct();
    w_.setVisible(kRateLabel, true);
    w_.setVisible(kBuy, true);  // and still disabled: there is nothing to buy here
    ShowProductSpecs(TextField(db, "info1") + TextField(db, "info2"));
}

void CatalogueWindow::ShowProductSpecs(const Gbk& spec) {
    const std::vector<ProductSpecRow> rows = ProductSpecRows(spec);
    if (rows.empty()) return;
    const int n = static_cast<int>(rows.size());
    w_.setGridSize(kGrid, n, kGridColumns);
    for (int row = 0; row < n; ++row) {
        w_.setGridCell(kGrid, row, 0, rows[row].key);
        w_.setGridCell(kGrid, row, 1, rows[row].value);
        if (SpecRowShaded(row))
            for (int column = 0; column < kGridColumns; ++column)
                w_.setGridCellBackground(kGrid, row, column, kSpecRowShade);
    }
}

void CatalogueWindow::ShowYuanPrice(const Gbk& name, const Gbk& cost) {
    if (name.empty() || name != shownProduct_) return;
    w_.setText(kYuan, YuanPrice(cost, UsdCnyRate));
}

// Priced from a known rate; otherwise the page is asked for the product's own
// amount, and the label says "换算中..." only while a request is out.
void CatalogueWindow::PriceShownProduct() {
    const Gbk cost = w_.text(kDollars);
    if (RateKnown(UsdCnyRate)) return ShowYuanPrice(shownProduct_, cost);
    RequestRate(shownProduct_, DollarAmountText(cost));
    w_.setText(kYuan, Gbk(rateRequestRunning_ ? kConverting : kRateUnavailable));
}

void CatalogueWindow::RequestRate(const Gbk& name, const Gbk& amount) {
    // One request at a time; after a failure the page is left alone for a while.
    if (rateRequestRunning_ || tools_.services().exchangeRateHost.empty()) return;
    if (rateFailedAt_ && tools_.clock.Now() - *rateFailedAt_ < kRateRetryPause) return;
    rateRequestRunning_ = true;
    work_.start(
        [host = tools_.services().exchangeRateHost, limits = tools_.webLimits, amount](ui::Job& worker) mutable {
            limits.abandon = &worker.abandoned();
            return FetchRatePage(host, amount, limits);
        },
        [this, name](const std::optional<RatePageRow>& page) { OnRateAnswer(name, page); });
}

void CatalogueWindow::OnRateAnswer(const Gbk& name, const std::optional<RatePageRow>& page) {
    rateRequestRunning_ = false;
    // A page without a usable rate fails like no page: asking again at once
    // would only bring the same answer.
    const double rate = page ? LeadingNumber(page->rate) : 0;
    if (!RateKnown(rate)) {
        rateFailedAt_ = tools_.clock.Now();
    } else {
        rateFailedAt_.reset();
        UsdCnyRate = rate;
        if (name == shownProduct_) return w_.setText(kYuan, YuanText(LeadingNumber(page->amount)));
    }
    if (!shownProduct_.empty()) PriceShownProduct();
}

void CatalogueWindow::OnCatalogueTreeRightClick() {
    if (w_.currentItem(kTree) < 0 || CurrentItemHasChildren()) return;
    w_.setEnabled(kShopItem, !tools_.services().shoppingSiteHost.empty());
    w_.popupMenu(kMenu);
}

void CatalogueWindow::CopyProductName() {
    if (w_.currentItem(kTree) >= 0) tools_.ui.setClipboardText(CurrentItemText());
}

void CatalogueWindow::SearchProductOnShoppingSite() {
    const std::string host = tools_.services().shoppingSiteHost;
    if (host.empty() || w_.currentItem(kTree) < 0) return;
    tools_.ui.openUrl(Gbk("https://" + host + "/search?q=") + PercentEncode(CurrentItemText()));
}

void CatalogueWindow::OpenWebAddress(const Gbk& address) {
    if (IsWebAddress(address)) tools_.ui.openUrl(address);
}

// The category items are the bold ones the loader put in, wherever the
// products have moved them.
void CatalogueWindow::SetCategoriesExpanded(bool expanded) {
    const std::vector<ui::TreeItem> items = w_.treeItems(kTree);
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (!items[i].bold) continue;
        ui::TreeItem item = items[i];
        item.expanded = expanded;
        w_.setTreeItem(kTree, i, item);
    }
}

}  // namespace

void OnCatalogueWindowCreated(ToolContext& tools, ui::Window& window) {
    window.setWindowSize(884, 576);
    auto catalogue = std::make_shared<CatalogueWindow>(tools, window);
    catalogue->Bind();
    catalogue->StartLoader();
}

}  // namespace trelvix
