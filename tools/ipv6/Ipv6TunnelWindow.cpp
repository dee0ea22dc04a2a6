#include "tools/ipv6/Ipv6TunnelWindow.h"

#include <array>
#include <optional>
#include <string>

#include "common/EmbeddedData.h"
#include "names/tools/ipv6_tunnel.h"
#include "tools/ipv6/Ipv6TunnelScript.h"
#include "ui/EditBoxes.h"

namespace trelvix {
using namespace names::tools::ipv6_tunnel;

namespace {

using namespace ipv6tunnel;

constexpr const char* kScriptBox = 编辑框_ipv4代码;
constexpr const char* kTabs = 选择夹1;
const Gbk kBrokerSite = "https://tunnelbroker.net/";

SetupFields ReadSetupFields(const ui::Window& w) {
    return {w.text(编辑框_11), w.text(编辑框_12), w.text(编辑框_13), w.text(编辑框_14),
            w.text(编辑框_15), w.text(编辑框_16), w.text(编辑框_17), w.text(编辑框_18)};
}

UpdateFields ReadUpdateFields(const ui::Window& w) {
    return {w.text(编辑框_21), w.text(编辑框_22), w.text(编辑框_23), w.text(编辑框_24),
            w.text(编辑框_25), w.text(编辑框_26), w.text(编辑框_27)};
}

bool ShowTooLong(ToolContext& tools, ui::Window& w, const std::optional<Gbk>& script) {
    if (script) return false;
    tools.ui.messageBox({ScriptTooLongMessage(), kScriptTooLongFlags, ui::DefaultMessageTitle(), w.name()});
    return true;
}

void OnSetupClicked(ToolContext& tools, ui::Window& w) {
    const std::optional<Gbk> script = BuildIpv6TunnelSetupScript(ReadSetupFields(w));
    if (ShowTooLong(tools, w, script)) return;
    // The script box is on the other page: emptied, then shown, then filled.
    w.setText(kScriptBox, Gbk());
    w.setCurrentItem(kTabs, 1);
    w.setText(kScriptBox, *script);
}

void OnUpdateClicked(ToolContext& tools, ui::Window& w) {
    const std::optional<Gbk> script = BuildHeTunnelScript(ReadUpdateFields(w));
    if (ShowTooLong(tools, w, script)) return;
    w.setText(kScriptBox, Gbk());
    w.setText(kScriptBox, *script);
}

void ShowPicture(ui::Window& w, const char* control, std::string_view file) {
    const std::optional<std::string_view> bytes = EmbeddedFile(file);
    if (bytes) w.setImage(control, std::string(*bytes));
}

}  // namespace

void OnIpv6WindowCreated(ToolContext& tools, ui::Window& window) {
    ui::Window& w = window;
    tools.applyLanguagePack(window, "language5.ini");
    ShowPicture(w, 图片框1, "data/ipv6/tunnel-details.png");
    ShowPicture(w, 图片框2, "data/ipv6/broker-logo.png");
    w.on(按钮_生成1, ui::Event::Click, [&tools, &w](const ui::EventArgs&) { OnSetupClicked(tools, w); });
    w.on(按钮_生成2, ui::Event::Click, [&tools, &w](const ui::EventArgs&) { OnUpdateClicked(tools, w); });
    w.on(kScriptBox, ui::Event::KeyDown, [&w](const ui::EventArgs& key) { SelectAllOnCtrlA(w, kScriptBox, key); });
    // Both the logo and the link under the set-up fields lead to the broker.
    w.on(图片框2, ui::Event::MouseDown, [&tools](const ui::EventArgs&) { tools.ui.openUrl(kBrokerSite); });
    w.on(超级链接框1, ui::Event::Click, [&tools](const ui::EventArgs&) { tools.ui.openUrl(kBrokerSite); });
}

}  // namespace trelvix
