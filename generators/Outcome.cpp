#include "generators/Outcome.h"

#include <stdexcept>

#include "ui/Ui.h"

namespace trelvix {

const std::string& MainWindowName() {
    static const std::string name = "主窗口";
    return name;
}

ScriptError MainWindowError(Gbk message, Gbk title, FieldRef focus, FocusMove when) {
    return ScriptError{std::move(message), ui::mb::IconError, std::move(title), focus, when, MainWindowName()};
}

void Deliver(PageContext& page, const Outcome& outcome, const ControlOfField& controlOf) {
    if (outcome.script) {
        page.showScript(*outcome.script);
        return;
    }
    if (!outcome.error) return;
    const ScriptError& e = *outcome.error;
    std::string focus;
    if (e.focus) {
        focus = controlOf ? controlOf(e.focus) : std::string();
        if (focus.empty()) throw std::logic_error("an error names a field its page does not read");
    }
    if (e.when == FocusMove::BeforeBox && !focus.empty()) page.window.setFocus(focus);
    page.ui.messageBox({e.message, e.flags, e.title.value_or(ui::DefaultMessageTitle()), e.owner});
    if (e.when == FocusMove::AfterBox && !focus.empty()) page.window.setFocus(focus);
}

void OnClick(PageContext& page, const std::string& control, std::function<void()> action) {
    page.window.on(control, ui::Event::Click, [action = std::move(action)](const ui::EventArgs&) { action(); });
}

void BindFixedScript(PageContext& page, const std::string& button, Gbk script) {
    OnClick(page, button, [&page, script = std::move(script)] { page.showScript(script); });
}

void BindMakerPageLink(PageContext& page, const std::string& control, ui::Event event, const std::string& url) {
    page.window.setEnabled(control, !url.empty());
    // Bound even without an address: a link without a handler opens its own.
    page.window.on(control, event, [&page, url](const ui::EventArgs&) {
        if (!url.empty()) page.ui.openUrl(Gbk(url));
    });
}

}  // namespace trelvix
