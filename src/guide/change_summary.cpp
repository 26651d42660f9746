// The change summary: the departments, products and operators altered since the parameter
// file was opened, with exactly the rows the guide shows for them, and a closing word that
// says whether anything was altered at all.
#include <string>

#include "common/cp1252.h"
#include "common/file_layer.h"
#include "guide/guide.h"
#include "guide/html.h"
#include "guide/sections.h"

namespace qx {

std::string BuildChangeSummary(const ParamSet& params) {
  static const std::string zoom_hint =
      Win1252("\n\nUse \"CONTROL +\" para ampliar esta página e \"CONTROL -\" para reduzir.\n\n");
  static const std::string no_changes = Win1252("S E M     A L T E R A Ç Ã O");

  std::string page;
  page.reserve(ExpectedPageSize(params, SectionMode::kChangesOnly));
  // The summary's own title comes before the guide's two titles.
  WriteTextLine(page, kHtmlHead);
  WriteTextLine(page, kBodyStart);
  WriteTextLine(page, kSummaryTitle);
  WriteTextLine(page, kGuideTitle);
  WriteTextLine(page, kGuideSubtitle);
  WriteHtmlBlock(page, kBlackHeading, zoom_hint);
  WriteHtmlBlock(page, kCenteredTitle, "Departamentos, produtos e operadores");
  WriteLineBreaks(page, 5);

  // Each section shows only the groups holding a record whose marker for it is raised.
  constexpr SectionMode mode = SectionMode::kChangesOnly;
  WriteDepartmentStatusSection(page, params, mode);
  WriteDepartmentPriceSection(page, params, mode);
  WriteDepartmentNameSection(page, params, mode);
  WriteProductStatusSection(page, params, mode);
  WriteProductPriceSection(page, params, mode);
  WriteProductNameSection(page, params, mode);
  WriteProductLinkSection(page, params, mode);
  WriteOperatorSection(page, params, mode);

  // Any raised marker counts, also one that no section could show (an unnamed record).
  WriteHtmlBlock(page, kCenteredTitle, AnyChangeMarker(params) ? "F   I   M" : no_changes);
  return page;
}

FileStatus WriteChangeSummary(const ParamSet& params, const std::string& path) {
  // The guide, written just before into the same folder, has made the folders already.
  return WritePageFile(path, BuildChangeSummary(params), "ERRO NA CRIAÇÃO DO ARQUIVO RESUMO",
                       MissingFolders::kFail);
}

}  // namespace qx
