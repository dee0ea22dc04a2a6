// Update check: asks the update service for the newest version before the
// rest of the start-up runs, and lets the user decide what to do about it.
#include "app/Services.h"
#include "app/Startup.h"
#include "common/http/HttpRequest.h"
#include "common/text/RouterOsText.h"
#include "names/main.h"

namespace trelvix {
using namespace names::main;

namespace {

// The reply is GBK text; anything after a zero byte is not.
Gbk TextUpToZero(const std::string& body) { return body.substr(0, body.find('\0')); }

// The user chose to fetch the new version by hand: the download page, then the end.
void OpenDownloadPageAndExit(App& app) {
    app.ui.openUrl(DownloadPage());
    ExitProgram(app);
}

}  // namespace

int CheckForUpdate(App& app, const Gbk& currentVersion) {
    ui::Window& main = *app.main;
    // A build without an update service has nothing to ask: it counts as current.
    if (app.services.updateService.empty()) {
        main.setText(标签_版本, currentVersion);
        return -1;
    }
    const Gbk reply = TextUpToZero(HttpGet(app.services.updateService, app.services.limits));
    app.UpdateReplyText = reply;
    const Gbk version = TextBetween(reply, "版本:", "\\");
    const Gbk forced = TextBetween(reply, "强制更新:", "\\");

    // "2.8.1" and "12.8" hold "2.8": the service is trusted to name no older version.
    if (Find(version, currentVersion) > 0) {
        main.setText(标签_版本, currentVersion);
        return -1;
    }
    if (version.empty()) {
        const int answer = app.ui.message(
            "Trelvix 软件服务器异常,请立即联系作者修正或替换新版\r\n\r\n是 = 打开下载地址手动更新!\r\n否 = 取消"_gbk,
            ui::mb::IconExclamation | ui::mb::YesNo);
        if (answer == ui::mb::IdYes) {
            OpenDownloadPageAndExit(app);
            return 0;
        }
        main.setText(标签_版本, currentVersion);
        return 0;
    }
    if (Find(version, "空") > 0) {
        app.ui.message("Trelvix 发现有新版本,请立即更新!"_gbk, ui::mb::Ok);
        OpenDownloadPageAndExit(app);
        return 0;
    }
    // An accepted update sends the user to the download page; the program keeps
    // running without the rest of its start-up, as after a declined one.
    if (forced == "1") {
        app.ui.message("Trelvix 发现有新版本,点击确定立即更新?"_gbk, ui::mb::Ok);
        app.ui.openUrl(DownloadPage());
        return 1;
    }
    if (app.ui.message("Trelvix 发现有新版本,是否立即更新?"_gbk, ui::mb::IconQuestion | ui::mb::YesNo) ==
        ui::mb::IdYes) {
        app.ui.openUrl(DownloadPage());
        return 1;
    }
    main.setText(标签_版本, currentVersion);
    return 0;
}

}  // namespace trelvix
