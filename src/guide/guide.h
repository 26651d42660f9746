// The programming guide and the change summary: HTML pages written next to the
// parameter file.
#pragma once

#include <string>
#include <string_view>

#include "common/file_layer.h"
#include "model/param_set.h"

namespace qx {

enum class SectionMode { kFullGuide = 0, kChangesOnly = 1 };

// The local time that goes into a summary's name.
struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The guide's bytes for the set.
std::string BuildGuide(const ParamSet& params);
// The summary's bytes for the set (departments, products and operators with raised markers).
std::string BuildChangeSummary(const ParamSet& params);

// Write the page all or nothing; on failure report the page's creation message through the
// message sink and leave no broken page behind. True on success.
bool WriteGuide(const ParamSet& params, const std::string& path);
bool WriteChangeSummary(const ParamSet& params, const std::string& path);

// Writes a finished page all or nothing. On failure shows error_text (the page's creation
// message) and removes an old file of that name, so no page is left that does not match the
// parameters. True on success. The guide creates the folders of its path; the summary, written
// next to the guide, does not, and fails in a folder that is missing.
bool WritePageFile(const std::string& path, std::string_view page, std::string_view error_text,
                   MissingFolders folders = MissingFolders::kCreate);

// Names derived from the parameter file's path: "loja1.par" gives "loja1.HTM", and the
// summary "loja1-DD-MM-YYYY-hh-mm-ss-RESUMO.HTM".
std::string GuideFileName(const std::string& par_path);
std::string SummaryFileName(const std::string& par_path, const LocalTime& now);

}  // namespace qx
