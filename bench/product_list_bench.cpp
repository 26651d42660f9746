// Importing and exporting a list of all 500 products, each with a 12-character name, a price
// and a department: the export in memory, the import (reading, checking, preparing) of its
// bytes over the same products, and the import over an empty set.
#include <benchmark/benchmark.h>

#include <string>

#include "exchange/product_list.h"

namespace {

qx::ParamSet FullProductSet() {
  qx::ParamSet params;
  for (int code = 1; code <= qx::kProductCount; ++code) {
    qx::PluRecord& p = params.Product(code);
    std::string name = "PRODUTO " + std::to_string(code);
    name.resize(qx::kRecordNameLen, '\xC7');  // Ç
    p.name = name;
    p.price = std::to_string(code * 137 % 9999999 + 1);
    p.dept_code = std::to_string(code % 16 + 1);
    p.status_negative_price = code % 7 == 0 ? '1' : '0';
  }
  return params;
}

void BM_ExportProducts(benchmark::State& state) {
  const qx::ParamSet params = FullProductSet();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string list = qx::exchange::FormatProductList(params);
    bytes = list.size();
    benchmark::DoNotOptimize(list);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ExportProducts)->Unit(benchmark::kMicrosecond);

void BM_ImportProductsUnchanged(benchmark::State& state) {
  const qx::ParamSet params = FullProductSet();
  const std::string list = qx::exchange::FormatProductList(params);
  for (auto _ : state) {
    qx::exchange::ProductImport import = qx::exchange::PrepareProductImport(params, list);
    if (import.unchanged != qx::kProductCount) state.SkipWithError("the list did not import");
    benchmark::DoNotOptimize(import);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * list.size()));
}
BENCHMARK(BM_ImportProductsUnchanged)->Unit(benchmark::kMicrosecond);

void BM_ImportAndApplyProductsIntoEmptySet(benchmark::State& state) {
  const std::string list = qx::exchange::FormatProductList(FullProductSet());
  for (auto _ : state) {
    qx::ParamSet params;
    qx::exchange::ProductImport import = qx::exchange::PrepareProductImport(params, list);
    if (!qx::exchange::ApplyProductImport(params, import)) state.SkipWithError("errors");
    benchmark::DoNotOptimize(params);
  }
}
BENCHMARK(BM_ImportAndApplyProductsIntoEmptySet)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
