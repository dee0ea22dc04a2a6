// Loading and realising the main window: the layout read from its embedded
// JSON, the headless model built from it, and (under a display) the native
// window created and destroyed again.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "common/EmbeddedData.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

#ifdef TRELVIX_BENCH_WX
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
#endif

}  // namespace

BENCHMARK_MAIN();
