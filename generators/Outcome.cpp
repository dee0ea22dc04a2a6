#include "generators/Outcome.h"

namespace trelvix {

void Deliver(PageContext& page, const Outcome& outcome) {
    if (outcome.script) {
        page.showScript(*outcome.script);
        return;
    }
    if (!outcome.error) return;
    const ScriptError& e = *outcome.error;
    if (e.when == FocusMove::BeforeBox && !e.focus.empty()) page.window.setFocus(e.focus);
    page.ui.messageBox({e.message, e.flags, e.title.value_or(ui::DefaultMessageTitle()), e.owner});
    if (e.when == FocusMove::AfterBox && !e.focus.empty()) page.window.setFocus(e.focus);
}

void BindFixedScript(PageContext& page, const std::string& button, Gbk script) {
    page.window.on(button, ui::Event::Click, [&page, script = std::move(script)](const ui::EventArgs&) {
        page.showScript(script);
    });
}

}  // namespace trelvix
