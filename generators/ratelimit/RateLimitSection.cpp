// The rate-limit section's pages 1 to 3: each handler reads its page once,
// calls the page's generator and hands the result to the script box.
#include "generators/Sections.h"
#include "generators/Outcome.h"
#include "generators/ratelimit/Pcq.h"
#include "generators/ratelimit/PcqGroup.h"
#include "generators/ratelimit/RateLimitPanels.h"
#include "generators/ratelimit/SimpleQueue.h"

namespace trelvix {
namespace {

using ratelimit::RouterOsVersion;

ratelimit::SimpleQueueFields ReadSimpleQueuePage(const ui::Window& w) {
    static const char* const kDays[7] = {"选择框_31sun", "选择框_31mon", "选择框_31tue", "选择框_31wed",
                                         "选择框_31thu", "选择框_31fri", "选择框_31sat"};
    ratelimit::SimpleQueueFields f;
    f.prefix = w.text("编辑框_31ip前缀");
    f.namePrefix = w.text("编辑框_31name前缀");
    f.from = w.text("编辑框_31数量左");
    f.to = w.text("编辑框_31数量右");
    f.upLimitAt = w.text("组合框_31upLimitAt");
    f.downLimitAt = w.text("组合框_31downLimitAt");
    f.upMaxLimit = w.text("组合框_31upMaxLimit");
    f.downMaxLimit = w.text("组合框_31downMaxLimit");
    f.priority = w.text("组合框_31Priority");
    f.burst = w.checked("选择框_31开启Burst功能");
    f.upBurstLimit = w.text("组合框_31upBurstLimit");
    f.downBurstLimit = w.text("组合框_31downBurstLimit");
    f.upBurstThreshold = w.text("组合框_31upBurstThreshold");
    f.downBurstThreshold = w.text("组合框_31downBurstThreshold");
    f.upBurstTime = w.text("组合框_31upBurstTime");
    f.downBurstTime = w.text("组合框_31downBurstTime");
    f.time = w.checked("选择框_31开启Time功能");
    f.timeStart = w.text("编辑框_31Time左");
    f.timeEnd = w.text("编辑框_31Time右");
    for (std::size_t d = 0; d < f.days.size(); ++d) f.days[d] = w.checked(kDays[d]);
    return f;
}

ratelimit::PcqFields ReadPcqGroupBox(const ui::Window& w) {
    return {w.text("组合框_32up2"), w.text("组合框_32down2"), w.text("编辑框_32外网网卡2"), w.text("编辑框_32内网网卡2")};
}

ratelimit::PcqTrafficMonitorFields ReadPcqMonitorGroupBox(const ui::Window& w) {
    ratelimit::PcqTrafficMonitorFields f;
    f.up = w.text("组合框_32up1");
    f.down = w.text("组合框_32down1");
    f.wan = w.text("编辑框_32外网网卡1");
    f.lan = w.text("编辑框_32内网网卡1");
    f.upOn = w.text("组合框_32up开启限速速率");
    f.upOff = w.text("组合框_32up关闭限速速率");
    f.downOn = w.text("组合框_32down开启限速速率");
    f.downOff = w.text("组合框_32down关闭限速速率");
    return f;
}

ratelimit::PcqGroupFields ReadPcqGroupPage(const ui::Window& w) {
    ratelimit::PcqGroupFields f;
    f.groupCount = w.text("组合框_33分组数");
    f.prefix = w.text("编辑框_33ip前缀");
    f.from = w.text("编辑框_33数量左");
    f.to = w.text("编辑框_33数量右");
    f.upBandwidth = w.text("组合框_33上传带宽");
    f.downBandwidth = w.text("组合框_33下载带宽");
    f.upMark = w.text("编辑框_33上传标记名");
    f.downMark = w.text("编辑框_33下载标记名");
    f.priority = w.text("组合框_33Priority").bytes();
    f.burst = w.checked("选择框_33开启Burst功能");
    f.up = {w.text("组合框_33upLimitAt").bytes(), w.text("组合框_33upMaxLimit").bytes(),
            w.text("组合框_33upBurstLimit").bytes(), w.text("组合框_33upBurstThreshold").bytes(),
            w.text("编辑框_33upBurstTime").bytes()};
    f.down = {w.text("组合框_33downLimitAt").bytes(), w.text("组合框_33downMaxLimit").bytes(),
              w.text("组合框_33downBurstLimit").bytes(), w.text("组合框_33downBurstThreshold").bytes(),
              w.text("编辑框_33downBurstTime").bytes()};
    return f;
}

struct VersionButton {
    const char* button;
    RouterOsVersion version;
};

void OnClick(PageContext& page, const char* control, std::function<void()> action) {
    page.window.on(control, ui::Event::Click, [action = std::move(action)](const ui::EventArgs&) { action(); });
}

void BindSimpleQueuePage(PageContext& page) {
    for (const VersionButton& b : {VersionButton{"按钮_31生成1", RouterOsVersion::V5},
                                   VersionButton{"按钮_31生成2", RouterOsVersion::V6}})
        OnClick(page, b.button, [&page, v = b.version] {
            Deliver(page, ratelimit::BuildSimpleQueueScript(ReadSimpleQueuePage(page.window), v));
        });
    OnClick(page, "按钮_31删除脚本", [&page] {
        page.showScript(ratelimit::BuildRemoveSimpleQueues(ReadSimpleQueuePage(page.window)));
    });
    OnClick(page, "选择框_31开启Burst功能", [&page] { ratelimit::ToggleBurstPanel(page.window); });
    OnClick(page, "选择框_31开启Time功能", [&page] { ratelimit::ToggleTimePanel(page.window); });
    // The folded state follows the check boxes whenever the window is made.
    ratelimit::ToggleBurstPanel(page.window);
    ratelimit::ToggleTimePanel(page.window);
}

void BindPcqPage(PageContext& page) {
    for (const VersionButton& b : {VersionButton{"按钮_32生成52", RouterOsVersion::V5},
                                   VersionButton{"按钮_32生成62", RouterOsVersion::V6}})
        OnClick(page, b.button, [&page, v = b.version] {
            page.showScript(ratelimit::BuildPcqScript(ReadPcqGroupBox(page.window), v));
        });
    for (const VersionButton& b : {VersionButton{"按钮_32生成51", RouterOsVersion::V5},
                                   VersionButton{"按钮_32生成61", RouterOsVersion::V6}})
        OnClick(page, b.button, [&page, v = b.version] {
            page.showScript(ratelimit::BuildPcqTrafficMonitorScript(ReadPcqMonitorGroupBox(page.window), v));
        });
    for (const char* combo : {"组合框_32up1", "组合框_32down1", "组合框_32up2", "组合框_32down2"})
        page.window.on(combo, ui::Event::LostFocus, [&page, name = std::string(combo)](const ui::EventArgs&) {
            ratelimit::NormalizeRateCombo(page.window, name);
        });
}

void BindPcqGroupPage(PageContext& page) {
    for (const VersionButton& b : {VersionButton{"按钮_33生成1", RouterOsVersion::V5},
                                   VersionButton{"按钮_33生成2", RouterOsVersion::V6}})
        OnClick(page, b.button, [&page, v = b.version] {
            Deliver(page, ratelimit::BuildPcqGroupScript(ReadPcqGroupPage(page.window), v));
        });
    page.window.on("组合框_33分组数", ui::Event::ItemChosen,
                   [&page](const ui::EventArgs&) { ratelimit::ApplyGroupCount(page.window); });
    OnClick(page, "选择框_33开启Burst功能", [&page] { ratelimit::ToggleGroupBurstPanel(page.window); });
    ratelimit::ToggleGroupBurstPanel(page.window);
}

}  // namespace

void BindRateLimitSection(PageContext& page) {
    BindSimpleQueuePage(page);
    BindPcqPage(page);
    BindPcqGroupPage(page);
}

}  // namespace trelvix
