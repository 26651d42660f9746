// The batch guide tool's logic, kept apart from main() so that tests can call it: the
// command line, and the change markers of one parameter file against an older one.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/field_text.h"
#include "model/param_set.h"

namespace qx::tool {

struct GuideToolOptions {
  bool help = false;
  std::string guide_path;    // -o: only with one input
  std::string save_path;     // --save: only with one input
  std::string since_path;    // --since
  std::string summary_path;  // --summary: only with --since and one input
  std::vector<std::string> inputs;
};

// The options, or nothing with the reason (UTF-8) in error.
inline std::optional<GuideToolOptions> ParseGuideToolArguments(const std::vector<std::string>& args,
                                                               std::string& error) {
  GuideToolOptions options;
  bool only_files = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_files || arg == "-" || arg.empty() || arg[0] != '-') {
      options.inputs.push_back(arg);
      continue;
    }
    if (arg == "--") {
      only_files = true;
      continue;
    }
    if (arg == "-h" || arg == "--help" || arg == "--ajuda") {
      options.help = true;
      continue;
    }
    std::string* target = nullptr;
    if (arg == "-o") target = &options.guide_path;
    if (arg == "--save") target = &options.save_path;
    if (arg == "--since") target = &options.since_path;
    if (arg == "--summary") target = &options.summary_path;
    if (target == nullptr) {
      error = "opção desconhecida: " + arg;
      return std::nullopt;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      error = "falta o nome de arquivo depois de " + arg;
      return std::nullopt;
    }
    *target = args[++i];
  }
  if (options.help) return options;
  if (options.inputs.empty()) {
    error = "nenhum arquivo de parâmetros (.par) informado";
    return std::nullopt;
  }
  const bool one_input = options.inputs.size() == 1;
  if (!options.guide_path.empty() && !one_input) {
    error = "-o só pode ser usado com um único arquivo de parâmetros";
  } else if (!options.save_path.empty() && !one_input) {
    error = "--save só pode ser usado com um único arquivo de parâmetros";
  } else if (!options.summary_path.empty() && options.since_path.empty()) {
    error = "--summary só pode ser usado junto com --since";
  } else if (!options.summary_path.empty() && !one_input) {
    error = "--summary só pode ser usado com um único arquivo de parâmetros";
  }
  if (!error.empty()) return std::nullopt;
  return options;
}

// The whole number a price reads as (digits from the start; empty or no digits: 0).
inline bool PriceReadsAsZero(std::string_view price) {
  const int n = static_cast<int>(price.size() < kPriceLen ? price.size() : kPriceLen);
  return ParseShortNumber(price, n) == 0;
}

template <class Record>
bool StatusDiffers(const Record& a, const Record& b) {
  return a.status_negative_price != b.status_negative_price ||
         a.status_single_item_sale != b.status_single_item_sale ||
         a.status_open_price != b.status_open_price || a.status_fixed_price != b.status_fixed_price;
}

inline bool DiffersOnFirst(std::string_view a, std::string_view b, std::size_t n) {
  return a.substr(0, n) != b.substr(0, n);
}

// Raises the markers of one record as its editor would on storing the new values over the
// old ones: status, price (first 7 characters), name, and the price of a touched record whose
// price is zero, so the summary shows the whole programming of that key.
template <class Record>
void RaiseRecordMarkers(Record& record, const Record& old) {
  if (StatusDiffers(record, old)) record.changed_status = 1;
  if (DiffersOnFirst(record.price, old.price, kPriceLen)) record.changed_price = 1;
  if (record.name != old.name) record.changed_name = 1;
  if (!record.changed_price && PriceReadsAsZero(record.price) &&
      (record.changed_status || record.changed_name)) {
    record.changed_price = 1;
  }
}

// The markers of params as if every department, product and operator had been stored with
// its values over those of old.
inline void RaiseMarkersSince(ParamSet& params, const ParamSet& old) {
  for (int d = 1; d <= kDepartmentCount; ++d) {
    RaiseRecordMarkers(params.Department(d), old.Department(d));
  }
  for (int p = 1; p <= kProductCount; ++p) {
    PluRecord& product = params.Product(p);
    RaiseRecordMarkers(product, old.Product(p));
    if (DiffersOnFirst(product.dept_code, old.Product(p).dept_code, kDeptCodeLen)) {
      product.changed_dept = 1;
    }
  }
  for (int o = 1; o <= kOperatorCount; ++o) {
    if (params.Operator(o).name != old.Operator(o).name) params.Operator(o).changed = 1;
  }
}

}  // namespace qx::tool
