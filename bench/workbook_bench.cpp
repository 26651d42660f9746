// Importing product lists from workbooks: 500 products as .xlsx and as .ods, a 10 MB .xlsx
// whose first sheet holds 10 MB of other data before the product sheet, and the hostile
// workbooks of the tests (a zip bomb, a million repeated rows). The workbooks are written
// once with the zip library into a temporary folder.
#include <benchmark/benchmark.h>
#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "exchange/product_list.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

std::string Zipped(const Entries& entries) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "qx4810_workbook_bench.zip").string();
  zipFile zip = zipOpen64(path.c_str(), 0);
  for (const auto& [name, data] : entries) {
    zipOpenNewFileInZip64(zip, name.c_str(), nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                          6, 1);
    zipWriteInFileInZip(zip, data.data(), static_cast<unsigned>(data.size()));
    zipCloseFileInZip(zip);
  }
  zipClose(zip, nullptr);
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  return bytes;
}

std::string Inline(const std::string& text) {
  return "<c t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}
std::string Number(const std::string& value) { return "<c><v>" + value + "</v></c>"; }

std::string ProductSheetXml() {
  std::string rows = "<row>" + Inline("codigo") + Inline("nome") + Inline("preco") +
                     Inline("departamento") + "</row>";
  for (int code = 1; code <= 500; ++code)
    rows += "<row>" + Number(std::to_string(code)) + Inline("PRODUTO " + std::to_string(code)) +
            Number(std::to_string(code) + ".25") + Number(std::to_string(code % 16 + 1)) + "</row>";
  return "<worksheet><sheetData>" + rows + "</sheetData></worksheet>";
}

// A sheet of `bytes` of text that does not compress, in cells of 1 kB.
std::string DataSheetXml(std::size_t bytes) {
  std::mt19937 random(7);
  std::string rows;
  for (std::size_t done = 0; done < bytes;) {
    rows += "<row>";
    for (int c = 0; c < 5; ++c, done += 1024) {
      std::string text(1024, ' ');
      for (char& ch : text) ch = static_cast<char>('A' + random() % 26);
      rows += Inline(text);
    }
    rows += "</row>";
  }
  return "<worksheet><sheetData>" + rows + "</sheetData></worksheet>";
}

std::string Xlsx(const std::vector<std::string>& sheets) {
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  std::string list, rels;
  Entries entries;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const std::string id = "rId" + std::to_string(i + 1);
    list += "<sheet name=\"Folha" + std::to_string(i + 1) + "\" r:id=\"" + id + "\"/>";
    rels += "<Relationship Id=\"" + id + "\" Type=\"" + rel + "/worksheet\" Target=\"s" +
            std::to_string(i) + ".xml\"/>";
    entries.push_back({"xl/s" + std::to_string(i) + ".xml", sheets[i]});
  }
  entries.push_back({"_rels/.rels", "<Relationships><Relationship Id=\"r\" Type=\"" + rel +
                                        "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                                        "</Relationships>"});
  entries.push_back({"xl/workbook.xml",
                     "<workbook xmlns:r=\"" + rel + "\"><sheets>" + list + "</sheets></workbook>"});
  entries.push_back({"xl/_rels/workbook.xml.rels", "<Relationships>" + rels + "</Relationships>"});
  return Zipped(entries);
}

std::string ProductOds() {
  const std::string t =
      "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
      "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
      "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"";
  const auto text = [](const std::string& s) {
    return "<table:table-cell office:value-type=\"string\"><text:p>" + s +
           "</text:p></table:table-cell>";
  };
  const auto number = [](const std::string& v) {
    return "<table:table-cell office:value-type=\"float\" office:value=\"" + v + "\"/>";
  };
  std::string rows = "<table:table-row>" + text("codigo") + text("nome") + text("preco") +
                     text("departamento") + "</table:table-row>";
  for (int code = 1; code <= 500; ++code)
    rows += "<table:table-row>" + number(std::to_string(code)) +
            text("PRODUTO " + std::to_string(code)) + number(std::to_string(code) + ".25") +
            number(std::to_string(code % 16 + 1)) + "</table:table-row>";
  return Zipped(
      {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
       {"META-INF/manifest.xml", "<manifest/>"},
       {"content.xml", "<office:document-content " + t + "><table:table table:name=\"Produtos\">" +
                           rows + "</table:table></office:document-content>"}});
}

std::string TestWorkbook(const std::string& name) {
  std::string bytes;
  qx::exchange::ReadProductListFile(std::string(QX_SOURCE_DIR) + "/tests/data/workbooks/" + name,
                                    bytes);
  return bytes;
}

void Import(benchmark::State& state, const std::string& bytes, int expected_rows) {
  for (auto _ : state) {
    qx::ParamSet params;
    qx::exchange::ProductImport import = qx::exchange::PrepareProductImport(params, bytes);
    if (static_cast<int>(import.rows.size()) != expected_rows)
      state.SkipWithError("unexpected import");
    benchmark::DoNotOptimize(import);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  state.counters["file_kB"] = static_cast<double>(bytes.size()) / 1024;
}

void BM_Import500ProductsXlsx(benchmark::State& state) {
  Import(state, Xlsx({ProductSheetXml()}), 500);
}
BENCHMARK(BM_Import500ProductsXlsx)->Unit(benchmark::kMillisecond);

void BM_Import500ProductsOds(benchmark::State& state) { Import(state, ProductOds(), 500); }
BENCHMARK(BM_Import500ProductsOds)->Unit(benchmark::kMillisecond);

void BM_Import10MBWorkbook(benchmark::State& state) {
  Import(state, Xlsx({DataSheetXml(15u << 20), ProductSheetXml()}), 500);
}
BENCHMARK(BM_Import10MBWorkbook)->Unit(benchmark::kMillisecond);

void BM_ImportZipBomb(benchmark::State& state) { Import(state, TestWorkbook("bomba.xlsx"), 0); }
BENCHMARK(BM_ImportZipBomb)->Unit(benchmark::kMillisecond);

void BM_ImportMillionRepeatedRows(benchmark::State& state) {
  Import(state, TestWorkbook("linha_repetida.ods"), 0);
}
BENCHMARK(BM_ImportMillionRepeatedRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
