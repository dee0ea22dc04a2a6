// Merging the cookies a chatty site sets with those already held: the merge
// looks each name up once, so its time grows with the number of cookies.
#include <benchmark/benchmark.h>

#include <string>

#include "common/http/WebText.h"

namespace {

void BM_MergeCookies(benchmark::State& state) {
    std::string old, fresh;
    for (long i = 0; i < state.range(0); ++i) {
        old += "o" + std::to_string(i / 2) + "=1; ";
        fresh += "n" + std::to_string(i) + "=2; ";
    }
    for (auto _ : state) {
        std::string o = old, n = fresh;
        benchmark::DoNotOptimize(trelvix::MergeCookies(o, n));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MergeCookies)->RangeMultiplier(8)->Range(64, 131072)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
