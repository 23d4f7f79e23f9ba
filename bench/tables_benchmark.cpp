// The table catalogue on 10 to 16 000 tables: reading the AML table list, and the searches the
// join extraction makes for each operand (a field of the last table, so a plain scan would
// visit every table, and a field no table has).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "catalogue/tables.h"
#include "common/text.h"

namespace wheretree::bench {
namespace {

std::u16string TableList(std::int64_t count) {
  std::u16string aml;
  for (std::int64_t i = 0; i < count; ++i) {
    const std::u16string n = DecimalText(i);
    aml += u"<T>TABLE_" + n + u"<AA>t" + n + u"<AA><PP>ID,REF_ID,NAME_" + n + u",AMOUNT<PP><T>";
  }
  return aml;
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (const std::int64_t count : {10, 100, 1000, 16000}) b->Arg(count);
  b->ArgName("tables")->Unit(benchmark::kMicrosecond);
}

void AddFromAml(benchmark::State& state) {
  const std::u16string aml = TableList(state.range(0));
  for (auto _ : state) {
    tables catalogue;
    std::u16string text = aml;
    catalogue.AddFromAml(text);
    benchmark::DoNotOptimize(catalogue.Count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(aml.size() * sizeof(char16_t)));
}
BENCHMARK(AddFromAml)->Apply(Sizes);

// The same tables read one list of one table at a time: the catalogue must grow linearly here
// too, not only when one list brings them all.
void AddFromAmlOneByOne(benchmark::State& state) {
  std::vector<std::u16string> lists;
  for (std::int64_t i = 0; i < state.range(0); ++i) {
    const std::u16string n = DecimalText(i);
    lists.push_back(u"<T>TABLE_" + n + u"<AA>t" + n + u"<AA><PP>ID,REF_ID,NAME_" + n +
                    u",AMOUNT<PP><T>");
  }
  for (auto _ : state) {
    tables catalogue;
    for (const std::u16string& list : lists) {
      std::u16string text = list;
      catalogue.AddFromAml(text);
    }
    benchmark::DoNotOptimize(catalogue.Count());
  }
}
BENCHMARK(AddFromAmlOneByOne)->Apply(Sizes);

// One search of each kind the join extraction makes: by alias, by table name, unqualified, and
// one that finds nothing.
void FindJoinsAliasPole(benchmark::State& state) {
  const std::int64_t count = state.range(0);
  tables catalogue;
  std::u16string aml = TableList(count);
  catalogue.AddFromAml(aml);
  const std::u16string last = DecimalText(count - 1);
  const std::u16string alias = u"t" + last;
  const std::u16string table = u"TABLE_" + last;
  const std::u16string field = u"NAME_" + last;
  for (auto _ : state) {
    std::u16string tbl;
    benchmark::DoNotOptimize(catalogue.FindJoinsAliasPole(tbl, alias, u"ID"));
    tbl = table;
    benchmark::DoNotOptimize(catalogue.FindJoinsAliasPole(tbl, u"", u"AMOUNT"));
    tbl.clear();
    benchmark::DoNotOptimize(catalogue.FindJoinsAliasPole(tbl, u"", field));
    tbl.clear();
    benchmark::DoNotOptimize(catalogue.FindJoinsAliasPole(tbl, alias, u"MISSING"));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 4);
}
BENCHMARK(FindJoinsAliasPole)->Apply(Sizes);

}  // namespace
}  // namespace wheretree::bench
