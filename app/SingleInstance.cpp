// One copy of the program per user. A second start tells the user, asks the
// first copy to bring its window forward and ends; it waits for that answer
// only a few seconds, so it never hangs while the first copy sits in the tray.
#include "app/SingleInstance.h"

#include <chrono>

#include "app/App.h"
#include "common/platform/InstanceLock.h"
#include "common/platform/Paths.h"
#include "common/text/Gbk.h"
#include "ui/WindowFront.h"

namespace trelvix {

namespace {
constexpr auto kActivateWait = std::chrono::seconds(3);
}

Gbk DefaultInstanceName() {
    // The full program path with "/" for every "\", so copies in different
    // folders count as different programs.
    return ReplaceAll(GbkFromPath(ProgramDirectory() / ExecutablePath().filename()), "\\", "/");
}

bool EnsureSingleInstance(App& app, const Gbk& name, bool showMessage, const Gbk& message, int icon, bool activate,
                          const SteadyNow& now) {
    const Gbk lockName = name.empty() ? DefaultInstanceName() : name;
    ui::Ui& ui = app.ui;
    // The request arrives on the lock's listener thread; only the UI thread
    // touches the window, and only a visible window is brought forward.
    app.instanceLock = InstanceLock::TryAcquire(lockName, [&app, &ui] {
        ui.post([&app] {
            if (app.main && app.main->shown()) BringWindowToFront(*app.main, false);
        });
    });
    if (app.instanceLock && !app.instanceLock->held()) {
        // Without the lock a later copy would run beside this one unseen: the
        // user is told, rather than left to find two copies saving over each other.
        ui.messageBox({"未能确认是否已有Trelvix启动着(文件夹 " + GbkFromPath(RuntimeDirectory()) +
                           " 不是只有当前用户能进入的文件夹),本次启动不检查是否重复运行!",
                       ui::mb::IconExclamation, "友情提醒:"_gbk, ""});
    }
    if (app.instanceLock) return true;
    if (showMessage)
        ui.messageBox({message.empty() ? Gbk("对不起,该进程已打开!") : message, icon, "友情提醒:"_gbk, ""});
    if (activate) AskRunningCopyToActivate(lockName, kActivateWait, now);
    return false;
}

bool EnsureSingleInstance(App& app) {
    return EnsureSingleInstance(app, "ROS", true, "已有一个Trelvix启动着!", ui::mb::IconInformation, true);
}

}  // namespace trelvix
