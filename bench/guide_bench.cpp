// The guide and the change summary for the largest parameter set the register takes: every
// department, product and operator named, every text at its capacity, no two neighbours equal
// (so no row is saved by grouping). Compares writing the guide with writing the same bytes in
// one plain write, and prints the ratios. Build with the "bench" preset.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/file_layer.h"
#include "guide/guide.h"
#include "model/param_set.h"

namespace {

using namespace qx;

// A text of exactly `length` characters that differs for every `seed`, drawn from letters,
// digits, blanks, accented letters and the characters that the page must escape.
std::string Filled(std::size_t length, int seed) {
  static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 <&>{\xC9\xC3\xE7";
  std::string text;
  unsigned value = static_cast<unsigned>(seed) * 2654435761u + 12345u;
  for (std::size_t i = 0; i < length; ++i) {
    text += alphabet[value % alphabet.size()];
    value = value * 1103515245u + 12345u;
  }
  // Neighbours differ in their first character whatever the hash gives.
  text[0] = alphabet[static_cast<std::size_t>(seed) % 26];
  return text;
}

std::string Digits(std::size_t length, int seed) {
  std::string text = std::to_string(1000000 + seed * 7919);
  text = text.substr(text.size() - std::min(text.size(), length));
  if (text.size() < length) text.insert(0, length - text.size(), '9');
  text[0] = static_cast<char>('1' + seed % 9);
  return text;
}

// Flags that never repeat between neighbours: the four flags as the bits of 1 to 15.
void SetFlags(char& negative, char& single, char& open, char& fixed, int seed) {
  const int bits = 1 + seed % 15;
  negative = FlagChar(bits & 1);
  single = FlagChar(bits & 2);
  open = FlagChar(bits & 4);
  fixed = FlagChar(bits & 8);
}

ParamSet FullSet() {
  ParamSet params;
  ResetParamSet(params);
  for (int d = 1; d <= kDepartmentCount; ++d) {
    DeptRecord& dept = params.Department(d);
    SetFlags(dept.status_negative_price, dept.status_single_item_sale, dept.status_open_price,
             dept.status_fixed_price, d);
    dept.price = Digits(kPriceLen, d);
    dept.name = Filled(kRecordNameLen, d);
    dept.changed_status = dept.changed_price = dept.changed_name = 1;
  }
  for (int p = 1; p <= kProductCount; ++p) {
    PluRecord& plu = params.Product(p);
    SetFlags(plu.status_negative_price, plu.status_single_item_sale, plu.status_open_price,
             plu.status_fixed_price, p);
    plu.price = Digits(kPriceLen, p);
    plu.name = Filled(kRecordNameLen, 100 + p);
    plu.dept_code = std::to_string(10 + p % 7);  // two digits, 10 to 16
    plu.changed_status = plu.changed_price = plu.changed_name = plu.changed_dept = 1;
  }
  for (int k = 1; k <= kOperatorCount; ++k) {
    params.Operator(k).name = Filled(kOperatorNameLen, 700 + k);
    params.Operator(k).changed = 1;
  }
  for (int i = 0; i < kReceiptLineCount; ++i) {
    params.header_lines[static_cast<std::size_t>(i)] = Filled(kReceiptLineLen, 800 + i);
    params.footer_lines[static_cast<std::size_t>(i)] = Filled(kReceiptLineLen, 900 + i);
  }
  params.register_number = Digits(kRegisterNumberLen, 3);
  for (int key = 1; key <= 3; ++key) {
    params.PaymentKeyAt(key).limit = Digits(kKeyLimitLen, key);
    params.PaymentKeyAt(key).name = Filled(kKeyNameLen, 950 + key);
  }
  params.void_receipt_key.limit = Digits(kKeyLimitLen, 4);
  params.void_receipt_key.name = Filled(kKeyNameLen, 954);
  params.currency_key.exchange_rate = Digits(kExchangeRateLen, 5);
  params.currency_key.rate_decimals.assign(1, '4');
  params.currency_key.name = Filled(kKeyNameLen, 955);
  params.discount_pct_key.percent = Digits(kPercentLen, 6);
  params.discount_pct_key.name = Filled(kKeyNameLen, 956);
  params.discount_value_key.value = Digits(kDiscountValueLen, 7);
  params.discount_value_key.name = Filled(kKeyNameLen, 957);
  params.surcharge_pct_key.percent = Digits(kPercentLen, 8);
  params.surcharge_pct_key.name = Filled(kKeyNameLen, 958);
  params.void_item_key.limit = Digits(kKeyLimitLen, 9);
  params.system_options.system_reserved = Filled(kSystemReservedLen, 960);
  params.print_options.local_currency_symbol = Filled(kCurrencySymbolLen, 961);
  params.print_options.foreign_currency_symbol = Filled(kCurrencySymbolLen, 962);
  return params;
}

const ParamSet& Params() {
  static const ParamSet params = FullSet();
  return params;
}

std::string BenchPath(const char* name) {
  return (std::filesystem::temp_directory_path() /
          (std::string("qx_guide_bench_") + std::to_string(::getpid()) + "_" + name))
      .string();
}

void BM_BuildGuide(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(BuildGuide(Params()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(BuildGuide(Params()).size()));
}
BENCHMARK(BM_BuildGuide)->Unit(benchmark::kMillisecond);

void BM_BuildChangeSummary(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(BuildChangeSummary(Params()));
  state.counters["bytes"] = static_cast<double>(BuildChangeSummary(Params()).size());
}
BENCHMARK(BM_BuildChangeSummary)->Unit(benchmark::kMillisecond);

// The whole guide as the save writes it: built, then written all or nothing (a temporary
// file flushed to the disk and renamed over the old guide).
void BM_WriteGuide(benchmark::State& state) {
  const std::string path = BenchPath("guide.HTM");
  for (auto _ : state) {
    if (!WriteGuide(Params(), path)) state.SkipWithError("guide not written");
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteGuide)->Unit(benchmark::kMillisecond);

void BM_WriteChangeSummary(benchmark::State& state) {
  const std::string path = BenchPath("RESUMO.HTM");
  for (auto _ : state) {
    if (!WriteChangeSummary(Params(), path)) state.SkipWithError("summary not written");
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteChangeSummary)->Unit(benchmark::kMillisecond);

// The guide built and written with one plain write, without the all-or-nothing replacement:
// the cost of building the page over the cost of the write alone.
void BM_BuildGuideAndPlainWrite(benchmark::State& state) {
  const std::string path = BenchPath("plain_built.HTM");
  for (auto _ : state) {
    const std::string page = BuildGuide(Params());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, page.data(), page.size()) != static_cast<ssize_t>(page.size())) {
      state.SkipWithError("plain write failed");
    }
    if (fd >= 0) ::close(fd);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_BuildGuideAndPlainWrite)->Unit(benchmark::kMillisecond);

// The same bytes as the guide, already in memory, in one plain write.
void BM_PlainWriteOfGuideBytes(benchmark::State& state) {
  const std::string page = BuildGuide(Params());
  const std::string path = BenchPath("plain.HTM");
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, page.data(), page.size()) != static_cast<ssize_t>(page.size())) {
      state.SkipWithError("plain write failed");
    }
    if (fd >= 0) ::close(fd);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_PlainWriteOfGuideBytes)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration, to print the ratios at the end: the fastest of
// its repetitions (run with --benchmark_repetitions=N on a busy machine), or the median when
// only the aggregates are reported (--benchmark_report_aggregates_only=true).
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  struct Times {
    std::map<std::string, double> real_seconds;
    std::map<std::string, double> cpu_seconds;
  };

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        Keep(fastest, run);
      } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        Keep(median, run);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The fastest repetitions when there are any, else the medians.
  const Times& Kept() const { return fastest.cpu_seconds.empty() ? median : fastest; }
  const char* KeptName() const {
    return fastest.cpu_seconds.empty() ? "median of the repetitions" : "fastest repetition";
  }

 private:
  static void Keep(Times& times, const Run& run) {
    const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
    KeepLower(times.real_seconds, run.run_name.function_name, run.GetAdjustedRealTime() / unit);
    KeepLower(times.cpu_seconds, run.run_name.function_name, run.GetAdjustedCPUTime() / unit);
  }
  static void KeepLower(std::map<std::string, double>& times, const std::string& name,
                        double seconds) {
    const auto [at, added] = times.emplace(name, seconds);
    if (!added && seconds < at->second) at->second = seconds;
  }

  Times fastest;
  Times median;
};

double Find(const std::map<std::string, double>& times, const char* name) {
  const auto found = times.find(name);
  return found == times.end() ? 0.0 : found->second;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\nguide: %zu bytes, summary (every marker raised): %zu bytes\n",
              BuildGuide(Params()).size(), BuildChangeSummary(Params()).size());
  const RecordingReporter::Times& times = reporter.Kept();
  const double plain_real = Find(times.real_seconds, "BM_PlainWriteOfGuideBytes");
  const double plain_cpu = Find(times.cpu_seconds, "BM_PlainWriteOfGuideBytes");
  const auto ratio = [](double time, double plain) { return plain > 0 ? time / plain : 0.0; };
  std::printf("%s; ratio to one plain write of the guide's bytes (%.3f ms real, %.3f ms CPU)\n",
              reporter.KeptName(), plain_real * 1e3, plain_cpu * 1e3);
  std::printf("  %-30s %10s %10s %8s %8s\n", "", "real ms", "CPU ms", "real x", "CPU x");
  const char* const rows[][2] = {{"guide built", "BM_BuildGuide"},
                                 {"summary built", "BM_BuildChangeSummary"},
                                 {"guide built + plain write", "BM_BuildGuideAndPlainWrite"},
                                 {"guide written all or nothing", "BM_WriteGuide"},
                                 {"summary written all or nothing", "BM_WriteChangeSummary"}};
  for (const auto& row : rows) {
    const double real = Find(times.real_seconds, row[1]);
    const double cpu = Find(times.cpu_seconds, row[1]);
    if (cpu <= 0) continue;  // filtered out
    std::printf("  %-30s %10.3f %10.3f %8.2f %8.2f\n", row[0], real * 1e3, cpu * 1e3,
                ratio(real, plain_real), ratio(cpu, plain_cpu));
  }
  // The targets: the guide built in under 10 ms, within 3 times the plain write of its bytes.
  const double guide_cpu = Find(times.cpu_seconds, "BM_BuildGuide");
  if (guide_cpu > 0 && plain_cpu > 0) {
    std::printf(
        "guide built / plain write, CPU time: %.2f (target 3 or less: %s); "
        "guide built in %.3f ms CPU (target under 10 ms: %s)\n",
        ratio(guide_cpu, plain_cpu), ratio(guide_cpu, plain_cpu) <= 3.0 ? "met" : "MISSED",
        guide_cpu * 1e3, guide_cpu < 10e-3 ? "met" : "MISSED");
  }
  return 0;
}
