#include "app/App.h"
#include "app/MainFrame.h"
#include "generators/Sections.h"
#include "ui/Layout.h"

namespace trelvix {

ui::Window& CreateMainWindow(App& app) {
    return app.ui.createWindow(ui::BuiltInLayout("main.json"), nullptr, [&app](ui::Window& w) {
        app.main = &w;
        app.page.emplace(PageContext{app.ui, w, app.clock, app.random, app.secureRandom,
                                     [&w](const Gbk& script) { w.setText("编辑框_代码", script); }});
        BindSystemSection(*app.page);
        BindRateLimitSection(*app.page);
        BindMainFrame(app);
        w.show();
    });
}

}  // namespace trelvix
