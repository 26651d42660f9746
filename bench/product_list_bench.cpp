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

// Hostile lists of 8 MB, the largest the import reads: every row the same product (each one an
// error after the first), one value of the whole size, and a title line of a million columns.
std::string HostileList(int kind) {
  constexpr std::size_t kSize = 8 * 1024 * 1024;
  std::string list;
  list.reserve(kSize + 64);
  if (kind == 0) {
    list = "codigo;nome;preco;departamento\r\n";
    while (list.size() + 15 <= kSize) list += "1;PAO;12,50;3\r\n";
  } else if (kind == 1) {
    list = "codigo;nome\r\n1;\"";
    list.append(kSize - list.size() - 3, 'A');
    list += "\"\r\n";
  } else {
    list = "codigo;";
    while (list.size() + 2 <= kSize) list += "x;";
    list += "\r\n0;A\r\n";
  }
  return list;
}

void BM_ImportHostileList(benchmark::State& state) {
  const std::string list = HostileList(static_cast<int>(state.range(0)));
  const qx::ParamSet params;
  for (auto _ : state) {
    qx::exchange::ProductImport import = qx::exchange::PrepareProductImport(params, list);
    if (import.errors == 0) state.SkipWithError("a hostile list imported");
    benchmark::DoNotOptimize(import);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * list.size()));
}
BENCHMARK(BM_ImportHostileList)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
