// Loading a WHERE text with its table list and writing the rest back, the control's main road,
// for 10 to about 1 400 conditions (the most that fit the 32767-character limit).
#include <benchmark/benchmark.h>

#include "control/where_tree_view_control.h"
#include "where_text_generator.h"

namespace wheretree::bench {
namespace {

void LoadAndWrite(benchmark::State& state) {
  const auto conditions = static_cast<std::size_t>(state.range(0));
  const GeneratedWhere input = GenerateWhere(conditions);
  WhereTreeViewControl control;
  for (auto _ : state) {
    std::u16string where = input.where;
    benchmark::DoNotOptimize(control.LoadWhereString(where, input.tables));
    benchmark::DoNotOptimize(control.CreateWhereString(2));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(input.where.size() * sizeof(char16_t)));
  state.counters["chars"] = static_cast<double>(input.where.size());
  state.counters["ns_per_char"] = benchmark::Counter(
      static_cast<double>(input.where.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(LoadAndWrite)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(static_cast<std::int64_t>(LargestFitting()))
    ->Unit(benchmark::kMicrosecond);

// The parts of the road on the largest input, to see where the time goes.
void LoadOnly(benchmark::State& state) {
  const GeneratedWhere input = GenerateWhere(LargestFitting());
  WhereTreeViewControl control;
  for (auto _ : state) {
    std::u16string where = input.where;
    benchmark::DoNotOptimize(control.LoadWhereString(where, input.tables));
  }
}
BENCHMARK(LoadOnly)->Unit(benchmark::kMicrosecond);

void WriteOnly(benchmark::State& state) {
  const GeneratedWhere input = GenerateWhere(LargestFitting());
  WhereTreeViewControl control;
  std::u16string where = input.where;
  control.LoadWhereString(where, input.tables);
  for (auto _ : state) benchmark::DoNotOptimize(control.CreateWhereString(2));
}
BENCHMARK(WriteOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wheretree::bench
