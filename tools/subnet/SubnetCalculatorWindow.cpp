#include "tools/subnet/SubnetCalculatorWindow.h"

#include <array>
#include <string>

#include "names/tools/subnet_calculator.h"
#include "tools/subnet/SubnetCalculator.h"

namespace trelvix {
using namespace names::tools::subnet_calculator;

namespace {

constexpr std::array<const char*, 4> kHostBoxes = {编辑框_ip1, 编辑框_ip2, 编辑框_ip3, 编辑框_ip4};

// A row of labels, one per octet.
using OctetLabels = std::array<const char*, 4>;
constexpr OctetLabels kHostLabels = {标签_主机地址21, 标签_主机地址22, 标签_主机地址23, 标签_主机地址24};
constexpr OctetLabels kMaskLabels = {标签_网络掩码21, 标签_网络掩码22, 标签_网络掩码23, 标签_网络掩码24};
constexpr OctetLabels kSubnetLabels = {标签_子网地址21, 标签_子网地址22, 标签_子网地址23, 标签_子网地址24};
constexpr OctetLabels kBroadcastLabels = {标签_广播地址21, 标签_广播地址22, 标签_广播地址23, 标签_广播地址24};

void ShowBinaryRow(ui::Window& w, const OctetLabels& row, std::uint32_t address) {
    const std::array<Gbk, 4> octets = BinaryOctetRow(address);
    for (int k = 0; k < 4; ++k) w.setText(row[k], octets[k]);
}

// The host labels are the page's record of the address: they change only
// with their own box, so the slider reads them back.
std::uint32_t HostFromLabels(const ui::Window& w) {
    std::uint32_t host = 0;
    for (int k = 0; k < 4; ++k) host = host << 8 | (BinaryTextToInt(w.text(kHostLabels[k])) & 0xFF);
    return host;
}

void ShowSubnet(ui::Window& w) {
    const int bits = w.currentItem(横向滚动条);
    w.setText(标签_位数, std::to_string(bits));
    const SubnetAddresses s = RecalculateSubnet(HostFromLabels(w), bits);
    ShowBinaryRow(w, kMaskLabels, s.mask);
    ShowBinaryRow(w, kSubnetLabels, s.subnet.network);
    ShowBinaryRow(w, kBroadcastLabels, s.subnet.broadcast);
    w.setText(标签_网络掩码十进制, DottedDecimal(s.mask));
    w.setText(标签_子网地址十进制, DottedDecimal(s.subnet.network));
    w.setText(标签_广播地址十进制, DottedDecimal(s.subnet.broadcast));
    w.setText(标签_可用地址1, DottedDecimal(s.usable.first));
    w.setText(标签_可用地址2, DottedDecimal(s.usable.last));
}

void OnHostOctetChanged(ui::Window& w, int k) {
    const OctetField field = NormalizeOctetField(w.text(kHostBoxes[k]));
    // Correcting the box raises its change event again, which finds the value
    // in range; the work below repeats it harmlessly.
    if (field.correctedText) w.setText(kHostBoxes[k], *field.correctedText);
    w.setText(kHostLabels[k], field.label);
    ShowSubnet(w);
}

void ShowSubnetPlan(ui::Window& w) {
    const SubnetPlan plan = CalcSubnetMask(w.currentItem(组合框_子网数量), NetworkOctetValue(w.text(编辑框_ip5)));
    w.setText(标签_主机数, plan.hosts);
    w.setText(标签_子网掩码, plan.mask);
    w.setText(编辑框_内容, plan.list);
}

}  // namespace

void OnSubnetWindowCreated(ToolContext& tools, ui::Window& window) {
    // Before the handlers exist, so that the pack's texts compute nothing.
    tools.applyLanguagePack(window, "language3.ini");
    ui::Window& w = window;
    for (int k = 0; k < 4; ++k)
        w.on(kHostBoxes[k], ui::Event::Change, [&w, k](const ui::EventArgs&) { OnHostOctetChanged(w, k); });
    w.on(横向滚动条, ui::Event::Scroll, [&w](const ui::EventArgs&) { ShowSubnet(w); });
    w.on(编辑框_ip5, ui::Event::Change, [&w](const ui::EventArgs&) {
        if (const std::optional<Gbk> corrected = ClampNetworkOctet(w.text(编辑框_ip5)))
            w.setText(编辑框_ip5, *corrected);
    });
    w.on(按钮_计算, ui::Event::Click, [&w](const ui::EventArgs&) { ShowSubnetPlan(w); });
}

}  // namespace trelvix
