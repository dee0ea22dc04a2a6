// The common tools section's pages: MAC tools, the Chinese SSID, netwatch and
// the marking of one upload or download flow.
#include <memory>
#include <string>
#include <utility>

#include "common/ServiceAddresses.h"
#include "generators/PageFields.h"
#include "generators/Sections.h"
#include "generators/tools/MacVendor.h"
#include "generators/tools/ToolsGenerators.h"
#include "names/main/tools.h"
#include "ui/BackgroundWork.h"

namespace trelvix {
using namespace names::main::tools;

namespace {

using namespace tools;

const PageFields<SetMacFields> kSetMacGroup = {
    Field(编辑框_81网卡接口, &SetMacFields::interfaceName),
    Field(编辑框_81修改为mac, &SetMacFields::mac),
};

const PageFields<MacListFields> kMacListGroup = {
    Field(单选框_81固定mac, &MacListFields::fixedHead), Field(编辑框_81macA, &MacListFields::octetA),
    Field(编辑框_81macB, &MacListFields::octetB),       Field(编辑框_81macC, &MacListFields::octetC),
    Field(单选框_81连接符1, &MacListFields::colon),     Field(编辑框_81生成个数, &MacListFields::count),
};

const PageFields<SsidFields> kSsidPage = {
    Field(编辑框_82中文名, &SsidFields::name),
    Field(编辑框_82无线接口名, &SsidFields::interfaceName),
};

const PageFields<NetwatchFields> kNetwatchPage = {
    Field(编辑框_83监测网关, &NetwatchFields::host),
    Field(编辑框_83间隔时间, &NetwatchFields::interval),
    Field(编辑框_83timeout, &NetwatchFields::timeoutMs),
    Field(选择框_83up, &NetwatchFields::up, &NetwatchLog::enabled),
    Field(组合框_83up提示方法, &NetwatchFields::up, &NetwatchLog::level),
    Field(编辑框_83up内容, &NetwatchFields::up, &NetwatchLog::message),
    Field(选择框_83down, &NetwatchFields::down, &NetwatchLog::enabled),
    Field(组合框_83down提示方法, &NetwatchFields::down, &NetwatchLog::level),
    Field(编辑框_83down内容, &NetwatchFields::down, &NetwatchLog::message),
};

// The two marking groups, box for box; the upload's source address and
// destination port face the download's destination address and source port.
struct MarkControls {
    const char* edgeChain;
    const char* forward;
    const char* address;
    const char* addressNot;
    const char* addressList;
    const char* addressListNot;
    const char* protocol;
    const char* port;
    const char* packetSize;
    const char* interfaceName;
    const char* connectionMark;
    const char* packetMark;
    const char* comment;
};

constexpr MarkControls kUpload = {
    单选框_84postrouting,    单选框_84forwardUp,        编辑框_84srcaddress,          选择框_84srcaddress非,
    编辑框_84srcaddresslist, 选择框_84srcaddresslist非, 组合框_84protocolUp,          编辑框_84dstport,
    编辑框_84packetsizeUp,   编辑框_84outinterface,     编辑框_84newconnectionmarkUp, 编辑框_84newpacketmarkUp,
    编辑框_84commentUp};

constexpr MarkControls kDownload = {单选框_84prerouting,
                                    单选框_84forwardDown,
                                    编辑框_84dstaddress,
                                    选择框_84dstaddress非,
                                    编辑框_84dstaddresslist,
                                    选择框_84dstaddresslist非,
                                    组合框_84protocolDown,
                                    编辑框_84srcport,
                                    编辑框_84packetsizeDown,
                                    编辑框_84ininterface,
                                    编辑框_84newconnectionmarkDown,
                                    编辑框_84newpacketmarkDown,
                                    编辑框_84commentDown};

PageFields<MarkFields> MarkGroup(const MarkControls& c) {
    return {
        Field(c.edgeChain, &MarkFields::edgeChain),
        Field(c.address, &MarkFields::address),
        Field(c.addressNot, &MarkFields::addressNot),
        Field(c.addressList, &MarkFields::addressList),
        Field(c.addressListNot, &MarkFields::addressListNot),
        Field(c.protocol, &MarkFields::protocol),
        Field(c.port, &MarkFields::port),
        Field(c.packetSize, &MarkFields::packetSize),
        Field(c.interfaceName, &MarkFields::interfaceName),
        Field(c.connectionMark, &MarkFields::connectionMark),
        Field(c.packetMark, &MarkFields::packetMark),
        Field(c.comment, &MarkFields::comment),
    };
}

const PageFields<MarkFields> kUploadGroup = MarkGroup(kUpload);
const PageFields<MarkFields> kDownloadGroup = MarkGroup(kDownload);

void CopyUploadFieldsToDownload(ui::Window& w) {
    for (auto box : {&MarkControls::interfaceName, &MarkControls::addressList, &MarkControls::address,
                     &MarkControls::protocol, &MarkControls::port, &MarkControls::packetSize,
                     &MarkControls::connectionMark, &MarkControls::packetMark, &MarkControls::comment})
        w.setText(kDownload.*box, w.text(kUpload.*box));
    // Radios: checking the download's partner unchecks the other of its pair.
    w.setChecked(w.checked(kUpload.forward) ? kDownload.forward : kDownload.edgeChain, true);
    for (auto box : {&MarkControls::addressListNot, &MarkControls::addressNot})
        w.setChecked(kDownload.*box, w.checked(kUpload.*box));
}

void CopyLabel(PageContext& page, const char* button, const char* label) {
    OnClick(page, button, [&page, label] { page.ui.setClipboardText(page.window.text(label)); });
}

// The vendor lookup. The click reads the address and sets the button; the
// fetch and its parsing run as background work of the page's window, whose
// answer comes back to the UI thread. The lookup lives as long as the click
// handler, that is as long as the window; when it ends, a request still
// running is abandoned and nothing reaches the window any more.
class VendorLookup {
public:
    explicit VendorLookup(PageContext& page) : page_(page), work_(page.ui, page.window) {}

    void Start() {
        const Gbk mac = page_.window.text(kQueryBox);
        page_.window.setEnabled(kQueryButton, false);
        page_.window.setText(kQueryButton, "查询中..."_gbk);
        MacVendorService service;
        service.host = page_.macVendorHost;
        service.limits = page_.macVendorLimits;
        work_.start(
            [service, mac](ui::Job& job) mutable {
                service.limits.abandon = &job.abandoned();
                return LookupMacVendor(service, mac);
            },
            [this, mac](const MacVendor& vendor) { Show(mac, vendor); });
    }

private:
    static constexpr const char* kQueryBox = 编辑框_81查询mac;
    static constexpr const char* kQueryButton = 按钮_81查询;

    void Show(const Gbk& mac, const MacVendor& vendor) {
        page_.window.setText(标签_81mac, mac);
        page_.window.setText(标签_81厂商, vendor.name);
        page_.window.setText(标签_81厂址, vendor.address);
        page_.window.setText(kQueryButton, "查询"_gbk);
        page_.window.setEnabled(kQueryButton, true);
    }

    PageContext& page_;
    ui::BackgroundWork work_;
};

void StartMacVendorLookup(const std::shared_ptr<VendorLookup>& lookup) { lookup->Start(); }

}  // namespace

void BindToolsSection(PageContext& page) {
    OnGenerate(page, 按钮_81生成, kSetMacGroup, BuildSetMacScript);
    OnGenerate(page, 按钮_81生成1, kMacListGroup,
               [&page](const MacListFields& f) { return BuildMacAddresses(f, page.random); });
    auto lookup = std::make_shared<VendorLookup>(page);
    OnClick(page, 按钮_81查询, [lookup] { StartMacVendorLookup(lookup); });
    CopyLabel(page, 按钮_81复制厂商, 标签_81厂商);
    CopyLabel(page, 按钮_81复制厂址, 标签_81厂址);
    OnGenerate(page, 按钮_82生成, kSsidPage, BuildChineseSsidScript);
    OnGenerate(page, 按钮_83生成, kNetwatchPage, BuildNetwatchScript);
    OnGenerate(page, 按钮_84生成up, kUploadGroup, BuildUploadMarking);
    OnGenerate(page, 按钮_84生成down, kDownloadGroup, BuildMangleMarkScript);
    OnClick(page, 按钮_84转换, [&page] { CopyUploadFieldsToDownload(page.window); });
    BindMakerPageLink(page, 标签_84功能链接, ui::Event::MouseDown, MakerPage("/394.html"));
}

}  // namespace trelvix
