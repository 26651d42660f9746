// The ".par" parameter file: loading it into the parameter set and saving the set to it.
#pragma once

#include <string>
#include <string_view>

#include "model/param_set.h"

namespace qx {

// Resets the set, then overlays every record found in the file. Reports a missing file
// (the normal start of a new customer file), an empty file or a failed read through the
// message sink; never fails otherwise.
void LoadParFile(ParamSet& params, const std::string& path);

// Loads from bytes already in memory (what LoadParFile does after reading the file).
void LoadParBytes(ParamSet& params, std::string_view bytes);

// The whole file's bytes for the set, CR LF after every line.
std::string FormatParFile(const ParamSet& params);

// Writes the set to the file, replacing it all or nothing. Reports
// "ERRO NA CRIAÇÃO DO ARQUIVO" through the message sink when it cannot. True on success.
bool SaveParFile(const ParamSet& params, const std::string& path);

}  // namespace qx
