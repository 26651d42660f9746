// The ".par" parameter file: loading it into the parameter set and saving the set to it.
#pragma once

#include <string>
#include <string_view>

#include "common/file_status.h"
#include "model/param_set.h"

namespace qx {

// Resets the set, then overlays every record found in the file. The status tells a missing
// file (the normal start of a new customer file) from one that exists but cannot be read,
// an empty file (or a failed read) and a lack of memory; in each of those the set holds its
// defaults.
FileStatus LoadParFile(ParamSet& params, const std::string& path);

// Loads from bytes already in memory (what LoadParFile does after reading the file).
void LoadParBytes(ParamSet& params, std::string_view bytes);

// The whole file's bytes for the set, CR LF after every line.
std::string FormatParFile(const ParamSet& params);

// Writes the set to the file, replacing it all or nothing, after keeping the previous
// content in BackupFileName(path). kWriteFailed or kBackupFailed (with the backup's path)
// leave the old file as it was.
FileStatus SaveParFile(const ParamSet& params, const std::string& path);

// The backup beside a parameter file: its last extension replaced by ".bak" ("loja1.par"
// gives "loja1.bak"), ".bak" added to a name without one (or to a name that already ends in
// ".bak", which must not be its own backup).
std::string BackupFileName(const std::string& path);

}  // namespace qx
