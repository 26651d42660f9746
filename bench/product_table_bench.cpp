// The product table over all 500 products with 12-character accented names: finding as the
// user types (a part of a name, a code), building the rows from the set, and sorting them by
// name, which folds every accent.
#include <benchmark/benchmark.h>

#include <string>

#include "ui/screens/product_table.h"

namespace {

qx::ParamSet FullProductSet() {
  qx::ParamSet params;
  for (int d = 1; d <= qx::kDepartmentCount; ++d) params.Department(d).name = "DEPTO";
  for (int code = 1; code <= qx::kProductCount; ++code) {
    qx::PluRecord& p = params.Product(code);
    std::string name =
        "A\xC7\xDA"
        "CAR " +
        std::to_string(code * 7919 % 1000);   // AÇÚCAR n
    name.resize(qx::kRecordNameLen, '\xC3');  // Ã
    p.name = name;
    p.price = std::to_string(code * 137 % 9999999 + 1);
    p.dept_code = std::to_string(code % 16 + 1);
    p.status_negative_price = code % 7 == 0 ? '1' : '0';
  }
  return params;
}

void BM_FindInTable(benchmark::State& state, const char* typed) {
  const qx::ParamSet params = FullProductSet();
  qx::ui::ProductTable table(params);
  for (auto _ : state) {
    table.SetFind(typed);
    benchmark::DoNotOptimize(table.Shown().data());
  }
  state.counters["rows"] = static_cast<double>(table.Shown().size());
}
BENCHMARK_CAPTURE(BM_FindInTable, part_of_a_name, "acucar 12")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FindInTable, code, "250")->Unit(benchmark::kMicrosecond);

void BM_BuildRows(benchmark::State& state) {
  const qx::ParamSet params = FullProductSet();
  for (auto _ : state) {
    std::vector<qx::ui::ProductRow> rows = qx::ui::BuildProductRows(params, true);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_BuildRows)->Unit(benchmark::kMicrosecond);

void BM_SortRowsByName(benchmark::State& state) {
  const qx::ParamSet params = FullProductSet();
  const std::vector<qx::ui::ProductRow> built = qx::ui::BuildProductRows(params, true);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<qx::ui::ProductRow> rows = built;
    state.ResumeTiming();
    qx::ui::SortProductRows(rows, {qx::ui::ProductColumn::kName, true});
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_SortRowsByName)->Unit(benchmark::kMicrosecond);

// Opening the table: rows built, sorted by code and found with an empty find field.
void BM_OpenTable(benchmark::State& state) {
  const qx::ParamSet params = FullProductSet();
  for (auto _ : state) {
    qx::ui::ProductTable table(params);
    benchmark::DoNotOptimize(table.Shown().data());
  }
}
BENCHMARK(BM_OpenTable)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
