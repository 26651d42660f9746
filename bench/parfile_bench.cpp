// Loading and saving the largest parameter file (every field filled to its capacity,
// 41 937 bytes): from and to memory, and through real files.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../tests/parfile/full_capacity_set.h"
#include "parfile/par_file.h"

namespace {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qx-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void BM_FormatFullFile(benchmark::State& state) {
  const qx::ParamSet params = qx::test::FullCapacitySet();
  for (auto _ : state) {
    std::string bytes = qx::FormatParFile(params);
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(state.iterations() * 41937);
}
BENCHMARK(BM_FormatFullFile);

void BM_LoadFullFileFromBytes(benchmark::State& state) {
  const std::string bytes = qx::FormatParFile(qx::test::FullCapacitySet());
  qx::ParamSet params;
  for (auto _ : state) {
    qx::LoadParBytes(params, bytes);
    benchmark::DoNotOptimize(params);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_LoadFullFileFromBytes);

void BM_LoadFullFile(benchmark::State& state) {
  TempFolder folder;
  const std::string path = folder.File("cheio.par");
  if (!qx::SaveParFile(qx::test::FullCapacitySet(), path)) state.SkipWithError("save failed");
  qx::ParamSet params;
  for (auto _ : state) {
    qx::LoadParFile(params, path);
    benchmark::DoNotOptimize(params);
  }
}
BENCHMARK(BM_LoadFullFile);

// Includes flushing the file and its folder to the disk before and after the rename, which
// is what makes a save survive a power cut.
void BM_SaveFullFile(benchmark::State& state) {
  TempFolder folder;
  const std::string path = folder.File("cheio.par");
  const qx::ParamSet params = qx::test::FullCapacitySet();
  for (auto _ : state) {
    if (!qx::SaveParFile(params, path)) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveFullFile);

}  // namespace

BENCHMARK_MAIN();
