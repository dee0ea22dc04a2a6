// The route-table generator over the longest built-in list (every mainland
// prefix) and over that list twice, in route mode with the window's start
// values and a gateway: the doubled run shows whether the cost stays linear.
#include <benchmark/benchmark.h>

#include <string>

#include "common/CarrierCidrList.h"
#include "tools/routetable/RouteTableScript.h"

namespace {

using namespace trelvix;
using namespace trelvix::routetable;

RouteTableFields RouteFields() {
    RouteTableFields f;
    f.gateway = "10.0.0.1";
    return f;
}

void Run(benchmark::State& state, const RouteTableFields& f) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        const Result r = BuildRouteTableScript(f);
        bytes = r.text->size();
        benchmark::DoNotOptimize(r.text->data());
    }
    state.counters["output_bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_RouteScriptChinaList(benchmark::State& state) {
    RouteTableFields f = RouteFields();
    f.listChecked = {};
    f.listChecked[static_cast<std::size_t>(ListChoice::China)] = true;
    Run(state, f);
}
BENCHMARK(BM_RouteScriptChinaList)->Unit(benchmark::kMicrosecond);

void BM_RouteScriptChinaListTwice(benchmark::State& state) {
    RouteTableFields f = RouteFields();
    f.listChecked = {};
    f.listChecked[static_cast<std::size_t>(ListChoice::Custom)] = true;
    const std::string_view china = CarrierCidrList(CarrierList::China);
    f.code = std::string(china) + "\r\n" + std::string(china);
    Run(state, f);
}
BENCHMARK(BM_RouteScriptChinaListTwice)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
