#include "app/App.h"
#include "app/MainFrame.h"
#include "app/ScriptBox.h"
#include "app/Startup.h"
#include "app/ToolWindows.h"
#include "generators/Sections.h"
#include "ui/Layout.h"

namespace trelvix {

ui::Window& CreateMainWindow(App& app) {
    return app.ui.createWindow(ui::BuiltInLayout("main.json"), nullptr, [&app](ui::Window& w) {
        app.main = &w;
        app.page.emplace(PageContext{app.ui, w, app.clock, app.random, app.secureRandom,
                                     [&w, &app](const Gbk& script) { ShowScript(w, app.clock, script); },
                                     [&app](ToolIndex tool) { return ShowToolWindow(app, static_cast<int>(tool)); },
                                     app.services.macVendorHost});
        BindSections(*app.page);
        BindMainFrame(app);
        BindScriptBox(app);
        BindLifeCycle(app);
        OnMainWindowCreated(app);
        if (!app.ending) w.show();
    });
}

}  // namespace trelvix
