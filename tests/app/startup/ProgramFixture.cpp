#include "ProgramFixture.h"

#include <fstream>

#include "common/platform/Paths.h"

namespace trelvix::test {

Program::Program() {
    // Whatever services the build names, a test reaches only the ones it serves itself.
    app.services.updateService.clear();
    app.services.usageCounter.clear();
    app.tools.ipLookup.host.clear();
    StartupParts& p = app.parts;
    p.ensureSingleInstance = [this](App&) {
        steps.push_back("single instance");
        return !anotherCopyRuns;
    };
    p.applyEmbeddedSkin = [this](App& a, int h, int s, int b) {
        steps.push_back("skin");
        return ApplyEmbeddedSkin(a, h, s, b);
    };
    p.checkForUpdate = [this](App& a, const Gbk& version) {
        steps.push_back("update check " + version);
        return updateResult == -1 ? CheckForUpdate(a, version) : updateResult;
    };
    p.attachLineNumberGutter = [this](ui::Window&, const std::string& editor, const std::string& column) {
        steps.push_back("gutter " + editor + " " + column);
    };
    p.registerDropTargets = [this](App&) { steps.push_back("drop targets"); };
    p.unregisterDropTargets = [this](App&) { steps.push_back("drop targets off"); };
    p.applyLanguagePack = [this](ui::Window& w, std::string_view pack) {
        steps.push_back("apply pack " + std::string(pack));
        ApplyBuiltInPack(w, pack);
    };
    p.decipherStatisticsAddress = [this](App&) {
        steps.push_back("counter address");
        return Gbk();
    };
    p.startUsageCounter = [this](App&) { steps.push_back("usage counter"); };
}

Program::~Program() {
    // The shut-down runs while everything it touches still lives.
    if (app.main) ui.destroyWindow(*app.main);
}

ui::HeadlessWindow& Program::start() {
    InitGlobals(app);
    CreateMainWindow(app);
    return main();
}

void Program::writeConfig(const std::string& bytes) const {
    std::filesystem::create_directories(settingsDir());
    std::ofstream(configIni(), std::ios::binary) << bytes;
}

}  // namespace trelvix::test
