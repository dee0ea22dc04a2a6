// The rate-limit section's five pages: each page's field table, its folding
// groups, and handlers that read the page once, call the page's generator and
// hand the result to the script box.
#include <array>
#include <cstddef>

#include "common/EmbeddedData.h"
#include "generators/PageFields.h"
#include "generators/Sections.h"
#include "generators/ratelimit/L7Packages.h"
#include "generators/ratelimit/Pcq.h"
#include "generators/ratelimit/PcqGroup.h"
#include "generators/ratelimit/RateLimitPanels.h"
#include "generators/ratelimit/SimpleQueue.h"
#include "generators/ratelimit/SmallPacketQos.h"
#include "names/main/ratelimit-small-packet.h"
#include "names/main/ratelimit.h"

namespace trelvix {
using namespace names::main::ratelimit;
using namespace names::main::ratelimit_small_packet;

namespace {

using ratelimit::RouterOsVersion;

struct VersionButton {
    const char* button;
    RouterOsVersion version;
};

// ---------------------------------------------------------------- page 1: simple queues

using SimpleQueue = ratelimit::SimpleQueueFields;

const PageFields<SimpleQueue> kSimpleQueuePage = {
    Field(编辑框_31ip前缀, &SimpleQueue::prefix),
    Field(编辑框_31name前缀, &SimpleQueue::namePrefix),
    Field(编辑框_31数量左, &SimpleQueue::from),
    Field(编辑框_31数量右, &SimpleQueue::to),
    Field(组合框_31upLimitAt, &SimpleQueue::upLimitAt),
    Field(组合框_31downLimitAt, &SimpleQueue::downLimitAt),
    Field(组合框_31upMaxLimit, &SimpleQueue::upMaxLimit),
    Field(组合框_31downMaxLimit, &SimpleQueue::downMaxLimit),
    Field(组合框_31Priority, &SimpleQueue::priority),
    Field(选择框_31开启Burst功能, &SimpleQueue::burst),
    Field(组合框_31upBurstLimit, &SimpleQueue::upBurstLimit),
    Field(组合框_31downBurstLimit, &SimpleQueue::downBurstLimit),
    Field(组合框_31upBurstThreshold, &SimpleQueue::upBurstThreshold),
    Field(组合框_31downBurstThreshold, &SimpleQueue::downBurstThreshold),
    Field(组合框_31upBurstTime, &SimpleQueue::upBurstTime),
    Field(组合框_31downBurstTime, &SimpleQueue::downBurstTime),
    Field(选择框_31开启Time功能, &SimpleQueue::time),
    Field(编辑框_31Time左, &SimpleQueue::timeStart),
    Field(编辑框_31Time右, &SimpleQueue::timeEnd),
    Field(选择框_31sun, &SimpleQueue::days, 0),
    Field(选择框_31mon, &SimpleQueue::days, 1),
    Field(选择框_31tue, &SimpleQueue::days, 2),
    Field(选择框_31wed, &SimpleQueue::days, 3),
    Field(选择框_31thu, &SimpleQueue::days, 4),
    Field(选择框_31fri, &SimpleQueue::days, 5),
    Field(选择框_31sat, &SimpleQueue::days, 6),
};

const std::string kBurstGroup = 分组框_31burst;
const std::string kTimeGroup = 分组框_31开启time;

// The burst group opens to 103 pixels under its check box or folds to a
// 4-pixel rule; the time check box and its group follow it.
void ToggleBurstPanel(ui::Window& w) {
    const bool open = w.checked(kSimpleQueuePage.Control(&SimpleQueue::burst));
    const int bottom = ratelimit::SetGroupOpen(w, kBurstGroup, open, 103);
    const std::string& timeBox = kSimpleQueuePage.Control(&SimpleQueue::time);
    ratelimit::MoveTop(w, timeBox, bottom + (open ? 5 : 20));
    ratelimit::MoveTop(w, kTimeGroup, w.rect(timeBox).y + 6);
}

// The time group opens to 77 pixels or folds to 4 with its check box.
void ToggleTimePanel(ui::Window& w) {
    ratelimit::SetGroupOpen(w, kTimeGroup, w.checked(kSimpleQueuePage.Control(&SimpleQueue::time)), 77);
}

void BindSimpleQueuePage(PageContext& page) {
    for (const VersionButton& b :
         {VersionButton{按钮_31生成1, RouterOsVersion::V5}, VersionButton{按钮_31生成2, RouterOsVersion::V6}})
        OnGenerate(page, b.button, kSimpleQueuePage,
                   [v = b.version](const SimpleQueue& f) { return ratelimit::BuildSimpleQueueScript(f, v); });
    OnGenerate(page, 按钮_31删除脚本, kSimpleQueuePage, ratelimit::BuildRemoveSimpleQueues);
    OnClick(page, kSimpleQueuePage.Control(&SimpleQueue::burst), [&page] { ToggleBurstPanel(page.window); });
    OnClick(page, kSimpleQueuePage.Control(&SimpleQueue::time), [&page] { ToggleTimePanel(page.window); });
    // The groups are folded or open as their check boxes say from the start:
    // the toggles are the one rule for their geometry.
    ToggleBurstPanel(page.window);
    ToggleTimePanel(page.window);
}

// ---------------------------------------------------------------- page 2: PCQ

using Pcq = ratelimit::PcqFields;
using PcqMonitor = ratelimit::PcqTrafficMonitorFields;

// Group "PCQ整体限速脚本生成".
const PageFields<Pcq> kPcqGroup = {
    Field(组合框_32up2, &Pcq::up),
    Field(组合框_32down2, &Pcq::down),
    Field(编辑框_32外网网卡2, &Pcq::wan),
    Field(编辑框_32内网网卡2, &Pcq::lan),
};

// Group "PCQ-动态限速".
const PageFields<PcqMonitor> kPcqMonitorGroup = {
    Field(组合框_32up1, &PcqMonitor::up),
    Field(组合框_32down1, &PcqMonitor::down),
    Field(编辑框_32外网网卡1, &PcqMonitor::wan),
    Field(编辑框_32内网网卡1, &PcqMonitor::lan),
    Field(组合框_32up开启限速速率, &PcqMonitor::upOn),
    Field(组合框_32up关闭限速速率, &PcqMonitor::upOff),
    Field(组合框_32down开启限速速率, &PcqMonitor::downOn),
    Field(组合框_32down关闭限速速率, &PcqMonitor::downOff),
};

void BindPcqPage(PageContext& page) {
    for (const VersionButton& b :
         {VersionButton{按钮_32生成52, RouterOsVersion::V5}, VersionButton{按钮_32生成62, RouterOsVersion::V6}})
        OnGenerate(page, b.button, kPcqGroup,
                   [v = b.version](const Pcq& f) { return ratelimit::BuildPcqScript(f, v); });
    for (const VersionButton& b :
         {VersionButton{按钮_32生成51, RouterOsVersion::V5}, VersionButton{按钮_32生成61, RouterOsVersion::V6}})
        OnGenerate(page, b.button, kPcqMonitorGroup,
                   [v = b.version](const PcqMonitor& f) { return ratelimit::BuildPcqTrafficMonitorScript(f, v); });
    // The per-host rates mend their case when they lose the focus; the
    // thresholds are only read through the rate rule.
    for (const std::string& combo :
         {kPcqMonitorGroup.Control(&PcqMonitor::up), kPcqMonitorGroup.Control(&PcqMonitor::down),
          kPcqGroup.Control(&Pcq::up), kPcqGroup.Control(&Pcq::down)})
        page.window.on(combo, ui::Event::LostFocus,
                       [&page, combo](const ui::EventArgs&) { ratelimit::NormalizeRateCombo(page.window, combo); });
}

// ---------------------------------------------------------------- page 3: PCQ groups

using PcqGroup = ratelimit::PcqGroupFields;
using Lists = ratelimit::GroupListFields;

const PageFields<PcqGroup> kPcqGroupPage = {
    Field(组合框_33分组数, &PcqGroup::groupCount),
    Field(编辑框_33ip前缀, &PcqGroup::prefix),
    Field(编辑框_33数量左, &PcqGroup::from),
    Field(编辑框_33数量右, &PcqGroup::to),
    Field(组合框_33上传带宽, &PcqGroup::upBandwidth),
    Field(组合框_33下载带宽, &PcqGroup::downBandwidth),
    Field(编辑框_33上传标记名, &PcqGroup::upMark),
    Field(编辑框_33下载标记名, &PcqGroup::downMark),
    Field(组合框_33Priority, &PcqGroup::priority),
    Field(选择框_33开启Burst功能, &PcqGroup::burst),
    Field(组合框_33upLimitAt, &PcqGroup::up, &Lists::limitAt),
    Field(组合框_33upMaxLimit, &PcqGroup::up, &Lists::maxLimit),
    Field(组合框_33upBurstLimit, &PcqGroup::up, &Lists::burstLimit),
    Field(组合框_33upBurstThreshold, &PcqGroup::up, &Lists::burstThreshold),
    Field(编辑框_33upBurstTime, &PcqGroup::up, &Lists::burstTime),
    Field(组合框_33downLimitAt, &PcqGroup::down, &Lists::limitAt),
    Field(组合框_33downMaxLimit, &PcqGroup::down, &Lists::maxLimit),
    Field(组合框_33downBurstLimit, &PcqGroup::down, &Lists::burstLimit),
    Field(组合框_33downBurstThreshold, &PcqGroup::down, &Lists::burstThreshold),
    Field(编辑框_33downBurstTime, &PcqGroup::down, &Lists::burstTime),
};

// The burst group opens to 103 pixels or folds to 4; the tip group follows it.
void ToggleGroupBurstPanel(ui::Window& w) {
    const bool open = w.checked(kPcqGroupPage.Control(&PcqGroup::burst));
    const int bottom = ratelimit::SetGroupOpen(w, 分组框_33burst, open, 103);
    ratelimit::MoveTop(w, 分组框_33小提示, bottom + (open ? 8 : 13));
}

// The per-group lists refilled for the chosen group count, upload first; the
// two bandwidth combos keep what they hold.
void ApplyGroupCount(ui::Window& w) {
    const int n = ratelimit::GroupCountOf(w.text(kPcqGroupPage.Control(&PcqGroup::groupCount)));
    for (Lists PcqGroup::*direction : {&PcqGroup::up, &PcqGroup::down}) {
        ratelimit::FillRateCombo(w, kPcqGroupPage.Control(direction, &Lists::limitAt), n);
        ratelimit::FillRateCombo(w, kPcqGroupPage.Control(direction, &Lists::maxLimit), n);
        if (direction == &PcqGroup::up) ratelimit::FillPriorityCombo(w, kPcqGroupPage.Control(&PcqGroup::priority), n);
        ratelimit::FillRateCombo(w, kPcqGroupPage.Control(direction, &Lists::burstLimit), n);
        ratelimit::FillRateCombo(w, kPcqGroupPage.Control(direction, &Lists::burstThreshold), n);
        ratelimit::FillRepeatedValue(w, kPcqGroupPage.Control(direction, &Lists::burstTime), n);
    }
}

void BindPcqGroupPage(PageContext& page) {
    for (const VersionButton& b :
         {VersionButton{按钮_33生成1, RouterOsVersion::V5}, VersionButton{按钮_33生成2, RouterOsVersion::V6}})
        OnGenerate(page, b.button, kPcqGroupPage,
                   [v = b.version](const PcqGroup& f) { return ratelimit::BuildPcqGroupScript(f, v); });
    page.window.on(kPcqGroupPage.Control(&PcqGroup::groupCount), ui::Event::ItemChosen,
                   [&page](const ui::EventArgs&) { ApplyGroupCount(page.window); });
    OnClick(page, kPcqGroupPage.Control(&PcqGroup::burst), [&page] { ToggleGroupBurstPanel(page.window); });
    ToggleGroupBurstPanel(page.window);
}

// ---------------------------------------------------------------- page 4: small-packet QoS

using SmallPacket = ratelimit::SmallPacketQosFields;

// The rate combos of one direction, by row (ratelimit::kQosRowKeys) and column
// (ratelimit::kQosRateColumns).
using RateCombos = std::array<std::array<const char*, ratelimit::kQosRateColumns.size()>, ratelimit::kQosRowCount>;
constexpr RateCombos kUpRateCombos = {{
    {组合框_34upLimitAtall, 组合框_34upMaxLimitall, 组合框_34upBurstLimitall, 组合框_34upBurstThresholdall,
     组合框_34upBurstTimeall},
    {组合框_34upLimitAt1, 组合框_34upMaxLimit1, 组合框_34upBurstLimit1, 组合框_34upBurstThreshold1,
     组合框_34upBurstTime1},
    {组合框_34upLimitAt2, 组合框_34upMaxLimit2, 组合框_34upBurstLimit2, 组合框_34upBurstThreshold2,
     组合框_34upBurstTime2},
    {组合框_34upLimitAt3, 组合框_34upMaxLimit3, 组合框_34upBurstLimit3, 组合框_34upBurstThreshold3,
     组合框_34upBurstTime3},
    {组合框_34upLimitAt4, 组合框_34upMaxLimit4, 组合框_34upBurstLimit4, 组合框_34upBurstThreshold4,
     组合框_34upBurstTime4},
    {组合框_34upLimitAt5, 组合框_34upMaxLimit5, 组合框_34upBurstLimit5, 组合框_34upBurstThreshold5,
     组合框_34upBurstTime5},
}};
constexpr RateCombos kDownRateCombos = {{
    {组合框_34downLimitAtall, 组合框_34downMaxLimitall, 组合框_34downBurstLimitall, 组合框_34downBurstThresholdall,
     组合框_34downBurstTimeall},
    {组合框_34downLimitAt1, 组合框_34downMaxLimit1, 组合框_34downBurstLimit1, 组合框_34downBurstThreshold1,
     组合框_34downBurstTime1},
    {组合框_34downLimitAt2, 组合框_34downMaxLimit2, 组合框_34downBurstLimit2, 组合框_34downBurstThreshold2,
     组合框_34downBurstTime2},
    {组合框_34downLimitAt3, 组合框_34downMaxLimit3, 组合框_34downBurstLimit3, 组合框_34downBurstThreshold3,
     组合框_34downBurstTime3},
    {组合框_34downLimitAt4, 组合框_34downMaxLimit4, 组合框_34downBurstLimit4, 组合框_34downBurstThreshold4,
     组合框_34downBurstTime4},
    {组合框_34downLimitAt5, 组合框_34downMaxLimit5, 组合框_34downBurstLimit5, 组合框_34downBurstThreshold5,
     组合框_34downBurstTime5},
}};

// The page's single fields, then its 60 rate combos from the row table.
PageFields<SmallPacket> SmallPacketPage() {
    std::vector<FieldRow<SmallPacket>> rows = {
        Field(组合框_34上传带宽, &SmallPacket::upBandwidth),   Field(组合框_34下载带宽, &SmallPacket::downBandwidth),
        Field(编辑框_34上传标记名, &SmallPacket::upMark),      Field(编辑框_34下载标记名, &SmallPacket::downMark),
        Field(组合框_34外网接口, &SmallPacket::wan),           Field(组合框_34内网接口, &SmallPacket::lan),
        Field(选择框_34限制ip段, &SmallPacket::restrictRange), Field(编辑框_34限制IP段, &SmallPacket::range),
    };
    struct Direction {
        const RateCombos& combos;
        ratelimit::QosRateRows SmallPacket::*rows;
    };
    for (const Direction& d :
         {Direction{kUpRateCombos, &SmallPacket::up}, Direction{kDownRateCombos, &SmallPacket::down}})
        for (std::size_t row = 0; row < ratelimit::kQosRowCount; ++row)
            for (std::size_t column = 0; column < ratelimit::kQosRateColumns.size(); ++column)
                rows.push_back(Field(d.combos[row][column], d.rows, row, ratelimit::kQosRateColumns[column].member));
    return PageFields<SmallPacket>(std::move(rows));
}

const PageFields<SmallPacket> kSmallPacketPage = SmallPacketPage();

void BindSmallPacketPage(PageContext& page) {
    for (const VersionButton& b :
         {VersionButton{按钮_34生成51, RouterOsVersion::V5}, VersionButton{按钮_34生成61, RouterOsVersion::V6}})
        OnGenerate(page, b.button, kSmallPacketPage,
                   [v = b.version](const SmallPacket& f) { return ratelimit::BuildSmallPacketQos(f, v); });
}

// ---------------------------------------------------------------- page 5: Layer-7 packages

using L7Classic = ratelimit::L7QosClassicFields;

const PageFields<L7Classic> kL7ClassicGroup = {
    Field(编辑框_35内网ip段, &L7Classic::lanRange),
};

void BindL7PackagesPage(PageContext& page) {
    for (const ratelimit::StoredScriptButton& b : ratelimit::L7StoredScripts())
        BindFixedScript(page, b.button, Gbk(StoredText(b.path)));
    OnGenerate(page, 按钮_35生成3, kL7ClassicGroup, ratelimit::BuildL7QosClassic);
}

}  // namespace

void BindRateLimitSection(PageContext& page) {
    BindSimpleQueuePage(page);
    BindPcqPage(page);
    BindPcqGroupPage(page);
    BindSmallPacketPage(page);
    BindL7PackagesPage(page);
}

}  // namespace trelvix
