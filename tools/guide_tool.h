// The batch guide tool's logic, kept apart from main() so that tests can call it: the
// command line, and the change markers of one parameter file against an older one.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/change_markers.h"
#include "model/list_columns.h"
#include "model/param_set.h"

namespace qx::tool {

struct GuideToolOptions {
  bool help = false;
  bool version = false;
  std::string guide_path;    // -o: only with one input
  std::string save_path;     // --save: only with one input
  std::string since_path;    // --since
  std::string summary_path;  // --summary: only with --since and one input
  // Product lists: each only with one input; the export only without the other options.
  std::string import_products_path;  // --import-products
  std::string export_products_path;  // --export-products
  // With --import-products: the column of a field by its title (--column CAMPO=TÍTULO), short
  // names for the long ones (--shorten-names), the codes 1, 2, 3 ... in list order after the
  // highest programmed code (--number-products).
  std::vector<std::pair<ListField, std::string>> columns;
  bool shorten_names = false;
  bool number_products = false;
  std::vector<std::string> inputs;
};

// The product list options: each with a single input; the export writes only the list.
inline std::string CheckProductListOptions(const GuideToolOptions& options) {
  const bool one_input = options.inputs.size() == 1;
  if (options.import_products_path.empty()) {
    if (!options.columns.empty()) return "--column só pode ser usado com --import-products";
    if (options.shorten_names) return "--shorten-names só pode ser usado com --import-products";
    if (options.number_products) return "--number-products só pode ser usado com --import-products";
  }
  if (!options.import_products_path.empty() && !one_input)
    return "--import-products só pode ser usado com um único arquivo de parâmetros";
  if (options.export_products_path.empty()) return {};
  if (!one_input) return "--export-products só pode ser usado com um único arquivo de parâmetros";
  if (!options.guide_path.empty() || !options.save_path.empty() || !options.since_path.empty() ||
      !options.import_products_path.empty())
    return "--export-products grava só a planilha e não se combina com outras opções";
  return {};
}

// The options, or nothing with the reason (UTF-8) in error.
inline std::optional<GuideToolOptions> ParseGuideToolArguments(const std::vector<std::string>& args,
                                                               std::string& error) {
  GuideToolOptions options;
  bool only_files = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_files || arg.empty() || arg[0] != '-') {
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
    if (arg == "-v" || arg == "--version" || arg == "--versao") {
      options.version = true;
      continue;
    }
    // Neither standard input nor a name beginning with '-' is read as a file: "./-x.par" or
    // "-- -x.par" names such a file.
    if (arg == "-") {
      error = "\"-\" n\xC3\xA3o \xC3\xA9 um nome de arquivo (use ./- ou -- -)";
      return std::nullopt;
    }
    if (arg == "--shorten-names" || arg == "--number-products") {
      (arg == "--shorten-names" ? options.shorten_names : options.number_products) = true;
      continue;
    }
    if (arg == "--column") {
      const std::string value = i + 1 < args.size() ? args[i + 1] : std::string();
      const std::size_t equals = value.find('=');
      const std::optional<ListField> field =
          equals == std::string::npos ? std::nullopt : ListFieldForKey(value.substr(0, equals));
      if (!field || equals + 1 >= value.size()) {
        error =
            "--column pede CAMPO=TÍTULO, com CAMPO entre codigo, nome, preco, departamento, "
            "preco_negativo, venda_unica, preco_aberto, preco_fixo";
        return std::nullopt;
      }
      options.columns.emplace_back(*field, value.substr(equals + 1));
      ++i;
      continue;
    }
    std::string* target = nullptr;
    if (arg == "-o") target = &options.guide_path;
    if (arg == "--save") target = &options.save_path;
    if (arg == "--since") target = &options.since_path;
    if (arg == "--summary") target = &options.summary_path;
    if (arg == "--import-products") target = &options.import_products_path;
    if (arg == "--export-products") target = &options.export_products_path;
    if (target == nullptr) {
      error = "opção desconhecida: " + arg;
      return std::nullopt;
    }
    // The value of an option is never another option ("-o --save x.par" is a slip).
    if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1][0] == '-') {
      error = "falta o nome de arquivo depois de " + arg;
      return std::nullopt;
    }
    *target = args[++i];
  }
  if (options.help || options.version) return options;
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
  if (error.empty()) error = CheckProductListOptions(options);
  if (!error.empty()) return std::nullopt;
  return options;
}

}  // namespace qx::tool
