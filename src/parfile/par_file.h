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

// The electronic journal print and the training message are never carried over from a file:
// the register is always programmed with both off. Whoever opens a file applies this after
// loading it, whatever the load gave.
void TurnOffUncarriedPrintOptions(ParamSet& params);

// Loads from bytes already in memory (what LoadParFile does after reading the file).
void LoadParBytes(ParamSet& params, std::string_view bytes);

// The whole file's bytes for the set, CR LF after every line.
std::string FormatParFile(const ParamSet& params);

// Writes the set to the file, replacing it all or nothing; the previous content becomes
// BackupFileName(path) once the new file stands. kWriteFailed, kBackupFailed (with the
// backup's path), kBusy (another save of the file is running) and kDamaged (an interrupted
// save damaged the file: nothing is written until it is restored) leave the file and its
// backup as they were.
FileStatus SaveParFile(const ParamSet& params, const std::string& path);

// Puts the backup's content back in a file that an interrupted save damaged, and clears the
// damage. kUnreadable with the backup's path when there is no usable backup.
FileStatus RestoreParFile(const std::string& path);

// The backup beside a parameter file: the whole name plus ".bak" ("loja1.par" gives
// "loja1.par.bak").
std::string BackupFileName(const std::string& path);

// The first line of the message that tells a damaged file (kDamaged).
extern const std::string_view kDamagedText;

}  // namespace qx
