// Loading and realising the main window: the layout read from its embedded
// JSON, the headless model built from it, and (under a display) the native
// window created and destroyed again.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "common/EmbeddedData.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

#ifdef TRELVIX_BENCH_WX
#include <fstream>
#include <string>

#include "app/App.h"
#include "app/Startup.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "ui/wx/WxWindow.h"
#endif

namespace {

using namespace trelvix;

std::string_view MainLayoutJson() { return *EmbeddedFile("ui/layouts/main.json"); }

void BM_ParseMainLayout(benchmark::State& state) {
    const std::string_view json = MainLayoutJson();
    for (auto _ : state) benchmark::DoNotOptimize(ui::ParseLayout(json));
}
BENCHMARK(BM_ParseMainLayout)->Unit(benchmark::kMicrosecond);

void BM_HeadlessParseAndCreateMainWindow(benchmark::State& state) {
    const std::string_view json = MainLayoutJson();
    for (auto _ : state) {
        ui::HeadlessUi headless;
        ui::Window& w = headless.createWindow(ui::ParseLayout(json), nullptr, {});
        benchmark::DoNotOptimize(&w);
    }
}
BENCHMARK(BM_HeadlessParseAndCreateMainWindow)->Unit(benchmark::kMicrosecond);

#ifdef TRELVIX_BENCH_WX
ui::WxUi* WxOnce() {
    // The toolkit starts once per process and stays for every run.
    static std::unique_ptr<ui::WxUi> instance = [] {
        static int argc = 1;
        static char name[] = "bench_main_window";
        static char* argv[] = {name, nullptr};
        return std::getenv("DISPLAY") ? ui::WxUi::Create(argc, argv) : nullptr;
    }();
    return instance.get();
}

void BM_WxCreateAndDestroyMainWindow(benchmark::State& state) {
    ui::WxUi* wx = WxOnce();
    if (!wx) {
        state.SkipWithError("no display");
        return;
    }
    const ui::WindowSpec& layout = ui::BuiltInLayout("main.json");
    for (auto _ : state) {
        ui::Window& w = wx->createWindow(layout, nullptr, {});
        wx->destroyWindow(w);
        wx->runPending();  // the frame is deleted here, not later
    }
}
BENCHMARK(BM_WxCreateAndDestroyMainWindow)->Unit(benchmark::kMillisecond);

// Resident memory of this process in MB, from /proc/self/status.
double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// Every page of the window in turn, as a user visiting them all: each tab
// control shows each of its pages once.
void ShowEveryPage(ui::Window& w) {
    for (const std::string& control : w.controls()) {
        const ui::Kind kind = w.kind(control);
        if (kind != ui::Kind::Tab && kind != ui::Kind::PageControl) continue;
        const int pages = static_cast<int>(w.items(control).size());
        for (int page = 0; page < pages; ++page) w.setCurrentItem(control, page);
        w.setCurrentItem(control, 0);
    }
}

// The program's start as a user meets it: the process-wide objects, the main
// window with its handlers bound, its created event run and the window shown
// and drawn; with `everyPage`, then every page of every section shown once;
// with `traditional`, in the traditional interface that the settings ask for.
// The settings go to a temporary home, never to the real one. rss_MB is the
// resident memory once the first window is up, toolkit_rss_MB what the
// process held before it (the first benchmark of the run holds the truest).
void StartProgram(benchmark::State& state, bool everyPage, bool traditional) {
    ui::WxUi* wx = WxOnce();
    if (!wx) {
        state.SkipWithError("no display");
        return;
    }
    char home[] = "/tmp/trelvix-bench-XXXXXX";
    if (!mkdtemp(home)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) setenv(variable, home, 1);
    // A runtime folder of its own, private as the system's is: the settings
    // folder is made with the umask's mode, and the lock would refuse it.
    const std::filesystem::path runtime = std::filesystem::path(home) / "run";
    std::filesystem::create_directory(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    if (traditional) {
        std::filesystem::create_directories(std::filesystem::path(home) / "vemtu");
        std::ofstream(std::filesystem::path(home) / "vemtu" / "config.ini", std::ios::binary)
            << "[log]\r\nlanguage=1\r\n";
    }
    FixedClock clock(42800.5);
    SeededRandom random(1), secureRandom(2);
    const double toolkitOnly = ResidentMegabytes();
    double rss = 0;
    for (auto _ : state) {
        App app(*wx, clock, random, secureRandom);
        InitGlobals(app);
        ui::Window& w = CreateMainWindow(app);
        if (everyPage) ShowEveryPage(w);
        wx->runPending();  // mapped and drawn
        state.PauseTiming();
        if (rss == 0) rss = ResidentMegabytes();
        wx->destroyWindow(w);
        wx->runPending();
        FreeGlobals(app);
        state.ResumeTiming();
    }
    state.counters["rss_MB"] = rss;
    state.counters["toolkit_rss_MB"] = toolkitOnly;
    std::filesystem::remove_all(home);
}

void BM_WxStartProgramWithMainWindowShown(benchmark::State& state) { StartProgram(state, false, false); }
BENCHMARK(BM_WxStartProgramWithMainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WxStartTraditionalProgramWithMainWindowShown(benchmark::State& state) { StartProgram(state, false, true); }
BENCHMARK(BM_WxStartTraditionalProgramWithMainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WxStartProgramAndShowEveryPage(benchmark::State& state) { StartProgram(state, true, false); }
BENCHMARK(BM_WxStartProgramAndShowEveryPage)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

}  // namespace

BENCHMARK_MAIN();
