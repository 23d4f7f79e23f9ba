// The connection writers and the AML interchange on 10 to 16 383 connections (the most an AML
// connection list can carry), in three shapes: a chain a-b-c-..., a star around one table, and
// a ring that closes the chain.
#include <benchmark/benchmark.h>

#include <string>

#include "common/text.h"
#include "joins/c_connects.h"

namespace wheretree::bench {
namespace {

enum class Shape { chain, star, ring };

void Fill(c_connects& connections, std::int64_t count, Shape shape) {
  const auto name = [](std::int64_t i) { return u"T" + DecimalText(i); };
  const auto alias = [](std::int64_t i) { return u"a" + DecimalText(i); };
  for (std::int64_t i = 0; i < count; ++i) {
    std::int64_t from = i;
    std::int64_t to = i + 1;
    if (shape == Shape::star) from = 0;
    if (shape == Shape::ring && i == count - 1) to = 0;
    connections.addNEW(1, true, alias(from), name(from), false, u"REF_ID", alias(to), name(to),
                       false, u"ID", static_cast<std::int32_t>(i % 3),
                       static_cast<std::int32_t>(i % 6));
  }
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (const auto shape : {Shape::chain, Shape::star, Shape::ring}) {
    for (const std::int64_t count : {10, 100, 1000, 16383}) {
      b->Args({count, static_cast<std::int64_t>(shape)});
    }
  }
  b->ArgNames({"connections", "shape"})->Unit(benchmark::kMicrosecond);
}

Shape ShapeOf(const benchmark::State& state) {
  return static_cast<Shape>(state.range(1));
}

void CreJoinAnsi(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    c_connects connections;
    Fill(connections, state.range(0), ShapeOf(state));
    state.ResumeTiming();
    // The writer removes every connection it writes, so releasing the collection costs nothing.
    benchmark::DoNotOptimize(connections.CreJoinAnsi());
  }
}
BENCHMARK(CreJoinAnsi)->Apply(Sizes);

void CreJoinOracle(benchmark::State& state) {
  c_connects connections;
  Fill(connections, state.range(0), ShapeOf(state));
  for (auto _ : state) benchmark::DoNotOptimize(connections.CreJoinOracle());
}
BENCHMARK(CreJoinOracle)->Apply(Sizes);

void FromOracle(benchmark::State& state) {
  c_connects connections;
  Fill(connections, state.range(0), ShapeOf(state));
  for (auto _ : state) benchmark::DoNotOptimize(connections.FromOracle());
}
BENCHMARK(FromOracle)->Apply(Sizes);

void CreateAmlString(benchmark::State& state) {
  c_connects connections;
  Fill(connections, state.range(0), ShapeOf(state));
  for (auto _ : state) benchmark::DoNotOptimize(connections.CreateAmlString());
}
BENCHMARK(CreateAmlString)->Apply(Sizes);

void LoadAmlString(benchmark::State& state) {
  c_connects written;
  Fill(written, state.range(0), ShapeOf(state));
  const std::u16string aml = written.CreateAmlString();
  for (auto _ : state) {
    c_connects connections;
    std::u16string text = aml;
    connections.LoadAmlString(text);
    benchmark::DoNotOptimize(connections.Count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(aml.size() * sizeof(char16_t)));
}
BENCHMARK(LoadAmlString)->Apply(Sizes);

}  // namespace
}  // namespace wheretree::bench
