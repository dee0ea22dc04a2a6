// The batch address list and the keyword filter over long boxes: both build
// one reserved text, so their time grows with the number of lines.
#include <benchmark/benchmark.h>

#include <string>

#include "generators/firewall/FilterSets.h"
#include "generators/firewall/PortMapping.h"

namespace {

std::string Box(long lines, const std::string& stem) {
    std::string text;
    for (long i = 0; i < lines; ++i) text += stem + std::to_string(i) + "\r\n";
    return text;
}

void BM_BatchAddressList(benchmark::State& state) {
    trelvix::firewall::BatchListFields f;
    f.addresses = Box(state.range(0), "10.0.0.");
    for (auto _ : state) benchmark::DoNotOptimize(trelvix::firewall::BuildBatchAddressList(f));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BatchAddressList)->RangeMultiplier(8)->Range(64, 32768)->Complexity(benchmark::oN);

void BM_KeywordFilter(benchmark::State& state) {
    trelvix::firewall::KeywordFields f;
    f.keywords = Box(state.range(0), "site");
    f.bySource = true;
    f.sourceNet = "192.168.0.0";
    f.sourcePrefix = "24";
    for (auto _ : state)
        benchmark::DoNotOptimize(trelvix::firewall::BuildKeywordFilter(f, trelvix::firewall::KeywordMode::Allow));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_KeywordFilter)->RangeMultiplier(8)->Range(64, 32768)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
