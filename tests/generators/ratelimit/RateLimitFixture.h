#pragma once
// The main window's layout over the headless realisation, with only the
// rate-limit section bound; the script box's output is captured.
#include <optional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "generators/Sections.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix::ratelimit::test {

struct RateLimitWindow {
    RateLimitWindow() {
        ui.createWindow(ui::BuiltInLayout("main.json"), nullptr, [this](ui::Window& w) {
            page.emplace(PageContext{
                ui, w, clock, random, secureRandom, [this](const Gbk& script) { scripts.push_back(script); }, {}});
            BindRateLimitSection(*page);
        });
        window = ui.window(trelvix::test::G("主窗口"));
    }

    // Control names are written in UTF-8 here.
    void click(const char* control) { window->click(trelvix::test::G(control)); }
    void type(const char* control, const char* text) { window->type(trelvix::test::G(control), text); }
    void choose(const char* control, int index) { window->choose(trelvix::test::G(control), index); }
    Gbk text(const char* control) const { return window->text(trelvix::test::G(control)); }
    ui::Rect rect(const char* control) const { return window->rect(trelvix::test::G(control)); }
    bool visible(const char* control) const { return window->visible(trelvix::test::G(control)); }
    std::vector<Gbk> items(const char* control) const { return ui::AsBytes(window->items(trelvix::test::G(control))); }

    ui::HeadlessUi ui;
    FixedClock clock{45000.0};
    SeededRandom random{1}, secureRandom{2};
    std::optional<PageContext> page;
    ui::HeadlessWindow* window = nullptr;
    std::vector<Gbk> scripts;
};

}  // namespace trelvix::ratelimit::test
