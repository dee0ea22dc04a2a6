// The fixture runs the runner's own tests share, on either realisation: the
// fixture files beside this one, and small windows beside the main one for
// what the main window does not have.
#include "RunnerFixtures.h"

#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "TestSupport.h"
#include "app/App.h"
#include "app/Startup.h"
#include "common/http/HttpRequest.h"
#include "ui/Layout.h"

namespace trelvix::cases {

using test::G;

namespace {
const std::string kFixtures = TRELVIX_CASE_FIXTURES;
}  // namespace

// A small window beside the main one, for behaviour the main window does not
// have yet: boxes with and without a focus move, a question, a faulty handler.
void CreateWindowsWithTestWindow(App& app) {
    CreateMainWindow(app);
    const char* layout = R"({"name": "测试窗口", "title": "测试", "w": 300, "h": 120, "controls": [
      {"kind": "edit", "name": "编辑框_值", "rect": [5, 5, 200, 22]},
      {"kind": "button", "name": "按钮_提示", "rect": [5, 30, 60, 24], "text": "提示"},
      {"kind": "button", "name": "按钮_询问", "rect": [70, 30, 60, 24], "text": "询问"},
      {"kind": "button", "name": "按钮_坏", "rect": [135, 30, 60, 24], "text": "坏"},
      {"kind": "button", "name": "按钮_隐藏", "rect": [200, 30, 60, 24], "text": "隐藏", "visible": false}]})";
    app.ui.createWindow(ui::ParseLayout(layout), app.main, [&app](ui::Window& w) {
        w.on(G("按钮_提示"), ui::Event::Click, [&app, &w](const ui::EventArgs&) {
            const std::string value = w.text(G("编辑框_值"));
            if (value.empty()) {
                w.setFocus(G("编辑框_值"));
                app.ui.messageBox({G("请输入值！"), ui::mb::IconExclamation, G("错误"), w.name()});
            } else {
                app.ui.message(value, ui::mb::IconInformation);
            }
        });
        w.on(G("按钮_询问"), ui::Event::Click, [&app, &w](const ui::EventArgs&) {
            const int answer = app.ui.message(G("继续吗？"), ui::mb::YesNo | ui::mb::IconQuestion);
            w.setText(G("编辑框_值"), answer == ui::mb::IdYes ? G("是") : G("否"));
        });
        w.on(G("按钮_坏"), ui::Event::Click, [&w](const ui::EventArgs&) { w.text(G("编辑框_没有")); });
        w.show();
    });
}

// A window with the controls and services the later windows use: a scroll
// bar, a list box, a code box, a status bar, a close that asks, a web request
// on the UI thread and one from a worker that posts its answer, the end of the
// program, and a question at its start.
void CreateWindowsWithServiceWindow(App& app) {
    CreateMainWindow(app);
    const char* layout = R"({"name": "服务窗口", "title": "服务", "w": 400, "h": 300, "controls": [
      {"kind": "edit", "name": "编辑框_值", "rect": [5, 5, 200, 22]},
      {"kind": "hscroll", "name": "横向滚动条_位置", "rect": [5, 30, 200, 16], "min": 0, "max": 50},
      {"kind": "label", "name": "标签_位置", "rect": [210, 30, 60, 18]},
      {"kind": "list", "name": "列表框_项", "rect": [5, 50, 100, 60]},
      {"kind": "code", "name": "编辑框_代码框", "rect": [110, 50, 200, 60]},
      {"kind": "button", "name": "按钮_选中", "rect": [5, 115, 60, 24], "text": "选中"},
      {"kind": "button", "name": "按钮_更新", "rect": [70, 115, 60, 24], "text": "更新"},
      {"kind": "button", "name": "按钮_计数", "rect": [135, 115, 60, 24], "text": "计数"},
      {"kind": "button", "name": "按钮_查询", "rect": [200, 115, 60, 24], "text": "查询"},
      {"kind": "button", "name": "按钮_结束", "rect": [265, 115, 60, 24], "text": "结束"},
      {"kind": "label", "name": "标签_计数", "rect": [5, 145, 200, 18]},
      {"kind": "status", "name": "状态条_状态", "rect": [0, 276, 400, 24], "items": ["就绪", ""]}]})";
    app.ui.createWindow(ui::ParseLayout(layout), app.main, [&app](ui::Window& w) {
        w.on(G("横向滚动条_位置"), ui::Event::Scroll,
             [&w](const ui::EventArgs& a) { w.setText(G("标签_位置"), std::to_string(a.index)); });
        w.on(G("按钮_选中"), ui::Event::Click, [&w](const ui::EventArgs&) {
            const auto [start, end] = w.selection(G("编辑框_值"));
            std::vector<std::string> panels = ui::AsBytes(w.items(G("状态条_状态")));
            panels[1] = w.text(G("编辑框_值")).bytes().substr(start, end - start);
            w.setItems(G("状态条_状态"), ui::AsTexts(panels));
        });
        w.on(G("按钮_更新"), ui::Event::Click, [&app, &w](const ui::EventArgs&) {
            const std::string& host = app.services.macVendorHost;
            w.setText(G("编辑框_值"), host.empty() ? G("无地址") : HttpGet("http://" + host + "/update"));
        });
        w.on(G("按钮_查询"), ui::Event::Click, [&app, &w](const ui::EventArgs&) {
            Gbk headers = "apikey: " + app.services.ipLocationKey;
            w.setText(G("编辑框_值"),
                      HttpRequest("http://" + app.services.ipLocationHost + "/ip?ip=" + w.text(G("编辑框_值")).bytes(),
                                  0, {}, nullptr, nullptr, &headers));
        });
        // The worker never touches the window: it posts its answer, and the
        // window waits for it when it goes.
        auto worker = std::make_shared<std::thread>();
        w.on(G("按钮_计数"), ui::Event::Click, [&app, &w, worker](const ui::EventArgs&) {
            if (worker->joinable()) worker->join();
            *worker = std::thread([&app, &w, address = "http://" + app.services.macVendorHost + "/counter"] {
                HttpLimits limits;
                limits.total = std::chrono::seconds(1);
                const std::string reply = HttpGet(address + "?var=times", limits);
                app.ui.post([&w, reply] { w.setText(G("标签_计数"), reply.empty() ? G("失败") : reply); });
            });
        });
        w.onDestroy([worker] {
            if (worker->joinable()) worker->join();
        });
        w.onClose([&app](bool canRefuse) {
            return !canRefuse || app.ui.message(G("关闭吗？"), ui::mb::YesNo | ui::mb::IconQuestion) == ui::mb::IdYes;
        });
        w.on(G("按钮_结束"), ui::Event::Click, [&app](const ui::EventArgs&) { ExitProgram(app); });
        // Like the update check: a question at the start, when the service says so.
        if (!app.services.exchangeRateHost.empty() &&
            HttpGet("http://" + app.services.exchangeRateHost + "/start") == "ask") {
            const int answer = app.ui.message(G("继续吗？"), ui::mb::YesNo | ui::mb::IconQuestion);
            w.setText(G("编辑框_值"), answer == ui::mb::IdYes ? G("是") : G("否"));
        }
        w.show();
    });
}

FixtureRun RunFixture(const std::string& name, const RunOptions& options) {
    std::ostringstream out;
    FixtureRun r;
    r.totals = RunCaseFile(LoadCaseFile(kFixtures + "/" + name), out, options);
    r.report = out.str();
    return r;
}

// The report's block for one case: from its FAIL line to the next case's.
std::string FailureOf(const std::string& report, const std::string& caseName) {
    const std::size_t at = report.find("FAIL " + caseName + " (");
    if (at == std::string::npos) return "";
    const std::size_t next = report.find("\nFAIL ", at + 1);
    return report.substr(at, next == std::string::npos ? std::string::npos : next - at);
}
}  // namespace trelvix::cases
