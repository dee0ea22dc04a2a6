#include "app/Startup.h"

#include <system_error>

#include "app/LanguagePacks.h"
#include "app/MainFrame.h"
#include "common/EmbeddedData.h"
#include "common/ServiceAddresses.h"
#include "common/platform/AtomicFile.h"
#include "common/platform/Ini.h"
#include "common/platform/Paths.h"
#include "generators/pppoe/AccountLog.h"
#include "names/main.h"
#include "names/main/install.h"

namespace trelvix {
using namespace names::main;
using namespace names::main::install;

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsSection = "log";

// The button caption "切換簡體" in Big5: the traditional interface offers the
// way back. Shown decoded, as every Big5 text of the packs is.
constexpr const char* kSwitchToSimplifiedBig5 = "\xA4\xC1\xB4\xAB\xC2\xB2\xC5\xE9";

struct BalloonTip {
    const char* control;
    const char* text;
};

constexpr BalloonTip kBalloonTips[] = {
    {按钮_替换, "支持批量替换"},
    {按钮_转换为中文, "可将 \\B2\\E2\\CA\\D4 这种类型的转换成中文形式"},
    {按钮_转换为ROS文, "可将中文\"测试\"转换成 \\B2\\E2\\CA\\D4 ROS里的这种形式"},
    {超级列表框_13,
     "如果需要添加大量的数据,可以用txt文本批量导入,直接将数据编辑好,用 # 符号进行分隔,注意每行的个数以及格式,随后拖曳到列表框即可!"},
    {超级列表框_15,
     "如果需要添加大量的数据,可以用txt文本批量导入,直接将数据编辑好,用 # 符号进行分隔,注意每行的个数以及格式,随后拖曳到列表框即可!"},
    {超级列表框_18,
     "如果需要添加大量的数据,可以用txt文本批量导入,直接将数据编辑好,用 # 符号进行分隔,注意每行的个数以及格式,随后拖曳到列表框即可!"},
    {超级列表框_1a,
     "如果需要添加大量的数据,可以用txt文本批量导入,直接将数据编辑好,用 # 符号进行分隔,注意每行的个数以及格式,随后拖曳到列表框即可!"},
    {按钮_语言, "切换繁体字功能,系统只有是繁体中文windows系统才有用!简体中文windows系统不用管"},
};

void SetHeight(ui::Window& w, const std::string& control, int height) {
    ui::Rect r = w.rect(control);
    r.h = height;
    w.setRect(control, r);
}

// Exactly one of the pair is checked: hide into the tray, or quit.
void SetCloseChoice(ui::Window& w, bool hide) {
    w.setChecked(菜单_关闭时隐藏, hide);
    w.setChecked(菜单_关闭时退出, !hide);
}

Gbk MakerSite() { return Gbk(kMakerSite); }

// The two quit questions differ in their blanks around the site's address;
// without an address both simply ask about the program.
Gbk CloseQuestion() {
    const Gbk site = MakerSite();
    return site.empty() ? Gbk("是否退出Trelvix?") : "是否退出 " + site + " 网站提供的Trelvix?";
}

Gbk ExitQuestion() {
    const Gbk site = MakerSite();
    return site.empty() ? Gbk("是否退出Trelvix?") : "是否退出" + site + "网站提供的Trelvix?";
}

bool AskToQuit(App& app, const Gbk& question) {
    return app.ui.messageBox({question, ui::mb::IconQuestion | ui::mb::YesNo, "提示"_gbk, ""}) == ui::mb::IdYes;
}

// The traditional interface. The pack is applied from memory: a pack file
// that could not be written would leave every button without its caption.
void ApplyMainWindowLanguage(App& app, ui::Window& w) {
    app.parts.applyLanguagePack(w, "language1.ini");
    w.setText(按钮_语言, Big5ToGbk(kSwitchToSimplifiedBig5));
}

void ReadSettings(App& app, ui::Window& w) {
    // Only a regular file of settings' size is read: a pipe there would hold
    // the start for ever, a device would be read without end. Anything else
    // counts as no settings, and the shut-down leaves it as it is.
    const std::optional<IniText> ini = IniText::Load(app.ConfigIniPath);
    if (!ini) {
        SetCloseChoice(w, true);
        return;
    }
    auto setting = [&ini](const char* key) { return ini->value(kSettingsSection, key).value_or(Gbk()); };
    if (setting("language") == "1") ApplyMainWindowLanguage(app, w);
    SetCloseChoice(w, setting("hide") == "1");
}

// A save killed while it wrote leaves its temporary file beside the target;
// nobody else finishes it, so it would stay there for good.
void RemoveAbandonedSavesOfOurs(const App& app) {
    RemoveAbandonedSaves(app.DataDirectory);
    RemoveAbandonedSaves(app.TempDirectory);
    const pppoe::AccountLogFolders logs = pppoe::DefaultAccountLogFolders();
    for (const fs::path& base : {logs.first, logs.second})
        if (!base.empty()) RemoveAbandonedSaves(base / "Log");
}

void ShowTrayIcon(ui::Window& w) {
    const auto icon = EmbeddedFile("data/icons/tray.ico");
    w.setImage(托盘图标1, icon ? std::string(*icon) : std::string());
    Gbk tip = "Trelvix 正式版 V" + w.text(标签_版本).bytes();
    if (const Gbk site = MakerSite(); !site.empty()) tip += "\r\n" + site;
    w.setText(托盘图标1, tip);
}

// Runs once however the program ends: the destroy event, ExitProgram, or both.
void RunShutdownSteps(App& app) {
    if (app.shutDownDone || !app.main) return;
    app.shutDownDone = true;
    ui::Window& w = *app.main;
    CloseFrameWindows(app);  // the tool windows go with the main window
    UnloadProxyLibrary();
    app.parts.unregisterDropTargets(app);
    w.setImage(托盘图标1, std::string());
    if (!app.ConfigIniPath.empty()) {
        // A settings file that cannot be written is not worth a box at shut-down.
        WriteIniValue(app.ConfigIniPath, kSettingsSection, "hide", w.checked(菜单_关闭时隐藏) ? "1" : "0");
    }
    // Nothing may reach a window that is going: neither a later copy's request
    // (the listener posts to the Ui, which goes before the App) nor a worker's
    // result. Without the lock, a copy started now is a first copy of its own.
    app.instanceLock.reset();
    app.ui.stopPosting();
    app.usageCounter.reset();
}

}  // namespace

int ProgramEntry(App& app) {
    if (!InitGlobals(app)) return 0;
    struct EndOfProgram {
        App& app;
        ~EndOfProgram() { FreeGlobals(app); }
    } atEnd{app};

    InitSkinPath(app);
    ExtractSkinLibrary(app);
    CreateMainWindow(app);
    const int code = app.ending ? app.exitCode : app.ui.run();
    if (app.main) app.ui.destroyWindow(*app.main);
    return app.ending ? app.exitCode : code;
}

bool InitGlobals(App& app) {
    app.FileDrop.emplace();
    app.RegexHelpSyntax.fill(Gbk());
    app.RegexHelpDescriptions.fill(Gbk());
    app.L7ListRegex = std::make_shared<RegexObject>();
    return true;
}

void FreeGlobals(App& app) {
    app.FileDrop.reset();
    app.L7ListRegex.reset();
    app.RegexHelpSyntax.fill(Gbk());
    app.RegexHelpDescriptions.fill(Gbk());
    app.DataDirectory.clear();
    app.ConfigIniPath.clear();
    app.TempDirectory.clear();
    app.StatisticsAddress.clear();
    app.UpdateReplyText.clear();
}

void BindLifeCycle(App& app) {
    ui::Window& w = *app.main;
    using ui::Event;
    w.onClose([&app](bool canRefuse) { return OnMainWindowQueryClose(app, canRefuse); });
    w.onDestroy([&app] { OnMainWindowDestroy(app); });
    w.on(菜单_关闭时隐藏, Event::Click, [&app](const ui::EventArgs&) { OnMenuCloseHides(app); });
    w.on(菜单_关闭时退出, Event::Click, [&app](const ui::EventArgs&) { OnMenuCloseExits(app); });
    w.on(菜单_退出, Event::Click, [&app](const ui::EventArgs&) { OnMenuExit(app); });
    w.on(按钮2, Event::Click, [](const ui::EventArgs&) { UnloadProxyLibrary(); });
    w.on(按钮_语言, Event::Click, [&app](const ui::EventArgs&) { SwitchLanguage(app); });
}

void OnMainWindowCreated(App& app) {
    ui::Window& w = *app.main;
    if (!app.parts.ensureSingleInstance(app)) {
        // Another copy runs: this one ends with nothing set up and nothing saved.
        app.ending = true;
        app.shutDownDone = true;
        app.exitCode = 0;
        return;
    }
    app.parts.applyEmbeddedSkin(app, 0, 0, 0);
    const int update = app.parts.checkForUpdate(app, kCurrentVersion);
    if (app.ending || update != -1) return;

    InitMainWindowTips(w);
    app.DataDirectory = SettingsDirectory();
    app.ConfigIniPath = app.DataDirectory / "config.ini";
    app.TempDirectory = GetTempDirectory();
    std::error_code ec;
    fs::create_directories(app.TempDirectory, ec);  // its readers expect it to exist
    app.parts.attachLineNumberGutter(w, 编辑框_代码, 编辑框_行号);
    app.parts.registerDropTargets(app);
    fs::create_directories(app.DataDirectory, ec);  // a failure only means no saved settings
    RemoveAbandonedSavesOfOurs(app);
    ReadSettings(app, w);
    app.StatisticsAddress = app.parts.decipherStatisticsAddress(app);
    ShowTrayIcon(w);
    app.parts.startUsageCounter(app);
}

void InitMainWindowTips(ui::Window& w) {
    for (const BalloonTip& tip : kBalloonTips)
        if (w.has(tip.control)) w.setTip(气球提示框1, tip.control, Gbk(tip.text));
    SetHeight(w, 分组框1, 470);
    SetHeight(w, 选择夹1, 455);
    w.setWindowSize(965, 725);
    // The rate-limit pages' burst and time groups are already folded: their
    // pages fold them as their (unchecked) check boxes say when they are bound.
}

fs::path GetTempDirectory() { return TemporaryDirectory(); }

bool OnMainWindowQueryClose(App& app, bool canRefuse) {
    if (!canRefuse) return true;
    ui::Window& w = *app.main;
    // Without our icon in the tray a hidden window could never be reached again.
    if (w.checked(菜单_关闭时隐藏) && w.trayShown(托盘图标1)) {
        w.hide();
        return false;
    }
    return AskToQuit(app, CloseQuestion());
}

void OnMainWindowDestroy(App& app) {
    RunShutdownSteps(app);
    app.ending = true;
    app.main = nullptr;
    app.ui.quit(app.exitCode);
}

void ExitProgram(App& app) {
    RunShutdownSteps(app);
    app.ending = true;
    app.exitCode = 0;
    app.ui.quit(0);
}

void OnSessionEnd(App& app) {
    if (!app.ending) ExitProgram(app);
}

void OnMenuCloseHides(App& app) {
    ui::Window& w = *app.main;
    w.setChecked(菜单_关闭时隐藏, true);
    if (w.checked(菜单_关闭时退出)) w.setChecked(菜单_关闭时退出, false);
}

void OnMenuCloseExits(App& app) {
    ui::Window& w = *app.main;
    w.setChecked(菜单_关闭时退出, true);
    if (w.checked(菜单_关闭时隐藏)) w.setChecked(菜单_关闭时隐藏, false);
}

void OnMenuExit(App& app) {
    if (AskToQuit(app, ExitQuestion())) ExitProgram(app);
}

// There is no proxy library to unload or remove on this platform.
void UnloadProxyLibrary() {}

}  // namespace trelvix
