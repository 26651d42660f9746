// The programming guide and the change summary: HTML pages written next to the
// parameter file.
#pragma once

#include <string>
#include <string_view>

#include "common/file_layer.h"
#include "common/file_status.h"
#include "common/local_clock.h"
#include "model/param_set.h"

namespace qx {

enum class SectionMode { kFullGuide = 0, kChangesOnly = 1 };

// The guide's bytes for the set.
std::string BuildGuide(const ParamSet& params);
// The summary's bytes for the set (departments, products and operators with raised markers).
std::string BuildChangeSummary(const ParamSet& params);

// Write the page all or nothing: on failure (kWriteFailed, with the page's creation message)
// whatever stood at the path stays byte for byte.
FileStatus WriteGuide(const ParamSet& params, const std::string& path);
FileStatus WriteChangeSummary(const ParamSet& params, const std::string& path);

// Writes a finished page all or nothing. A target that is not a regular file (a folder, a
// pipe, a device, a link to one) is refused before anything is written; on any failure the
// status carries error_text (UTF-8, the page's creation message) and the path. The guide
// creates the folders of its path; the summary, written next to the guide, does not, and
// fails in a folder that is missing.
FileStatus WritePageFile(const std::string& path, std::string_view page,
                         std::string_view error_text,
                         MissingFolders folders = MissingFolders::kCreate);

// Names derived from the parameter file's path: "loja1.par" gives "loja1.HTM", and the
// summary "loja1-DD-MM-YYYY-hh-mm-ss-RESUMO.HTM". Only the file name part is cut, so the
// pages stay in the parameter file's folder ("v1.d/a" gives "v1.d/a.HTM").
std::string GuideFileName(const std::string& par_path);
std::string SummaryFileName(const std::string& par_path, const LocalTime& now);

}  // namespace qx
