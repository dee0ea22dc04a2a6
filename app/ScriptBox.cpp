#include "app/ScriptBox.h"

#include "common/platform/AtomicFile.h"
#include "common/platform/Paths.h"
#include "common/text/RouterOsText.h"
#include "names/main.h"
#include "ui/Layout.h"

namespace trelvix {
using namespace names::main;

namespace {

// The save dialog is the layout's: its filter is read from there.
const Gbk& SaveDialogFilter() {
    static const Gbk filter = [] {
        Gbk found;
        ui::ForEachControl(ui::BuiltInLayout("main.json").controls,
                           [&found](const ui::ControlSpec& c, const ui::ControlSpec*) {
                               if (c.name == 通用对话框1) found = c.filter;
                           });
        return found;
    }();
    return filter;
}

}  // namespace

void ShowScript(ui::Window& main, const Clock& clock, const Gbk& script) {
    main.setText(标签_生成时间, "生成:" + FormatDateTime(clock.Now(), 1, 0));
    main.setText(编辑框_代码, script);
}

void ClearCodeBox(App& app) {
    // The line numbers follow the script box; emptying the column last leaves it empty.
    app.main->setText(编辑框_代码, Gbk());
    app.main->setText(编辑框_行号, Gbk());
}

void CopyCodeBox(App& app) {
    if (app.ui.setClipboardText(app.main->text(编辑框_代码)))
        app.ui.message("已复制到剪辑板"_gbk, ui::mb::IconExclamation);
}

void SaveCodeBoxAs(App& app) {
    const Gbk script = app.main->text(编辑框_代码);
    if (script.empty()) return;
    ui::FileDialogRequest request;
    request.save = true;
    request.filter = SaveDialogFilter();
    const auto chosen = app.ui.fileDialog(request);
    if (!chosen) return;
    // The box's bytes as they stand: GBK, its CR LF, no byte-order mark.
    if (!WriteFileAtomically(*chosen, script)) app.ui.message("保存失败:" + GbkFromPath(*chosen), ui::mb::IconError);
}

void ReplaceInCodeBox(App& app) {
    ui::Window& w = *app.main;
    w.setText(编辑框_代码, ReplaceAll(w.text(编辑框_代码), w.text(编辑框_预寻找), w.text(编辑框_替换为)));
}

void OnDecodeEscapesClicked(App& app) {
    app.main->setText(编辑框_待转码内容, DecodeRouterOsEscapes(app.main->text(编辑框_待转码内容)));
}

void OnEncodeEscapesClicked(App& app) {
    app.main->setText(编辑框_待转码内容, EncodeRouterOsEscapes(app.main->text(编辑框_待转码内容)));
}

void BindScriptBox(App& app) {
    ui::Window& w = *app.main;
    using ui::Event;
    struct ButtonHandler {
        const char* button;
        void (*handler)(App&);
    };
    static constexpr ButtonHandler kButtons[] = {
        {按钮_清空内容, ClearCodeBox},
        {按钮_复制内容, CopyCodeBox},
        {按钮_另存为, SaveCodeBoxAs},
        {按钮_替换, ReplaceInCodeBox},
        {按钮_转换为中文, OnDecodeEscapesClicked},
        {按钮_转换为ROS文, OnEncodeEscapesClicked},
    };
    for (const ButtonHandler& b : kButtons)
        w.on(b.button, Event::Click, [&app, handler = b.handler](const ui::EventArgs&) { handler(app); });

    // The script box and the three small boxes beside it all select their text on Ctrl+A.
    static constexpr const char* kCtrlABoxes[] = {编辑框_代码, 编辑框_待转码内容, 编辑框_替换为, 编辑框_预寻找};
    for (const char* box : kCtrlABoxes)
        w.on(box, Event::KeyDown,
             [&w, name = std::string(box)](const ui::EventArgs& key) { SelectAllOnCtrlA(w, name, key); });
}

}  // namespace trelvix
