// The section writers of the guide, in the order the guide calls them. Each appends its
// lines to the page with WriteTextLine and writes nothing when it has nothing to program.
#pragma once

#include <cstddef>
#include <string>

#include "guide/guide.h"
#include "model/param_set.h"

namespace qx {

// About the size of the page for the set: the guide (kFullGuide), or the summary of its
// changed records (kChangesOnly). Reserved up front, so a page is made in one allocation.
std::size_t ExpectedPageSize(const ParamSet& params, SectionMode mode);

void WriteRegisterNumberSection(std::string& page, const ParamSet& params);
void WriteSystemOptionsSection(std::string& page, const ParamSet& params);
void WritePrintOptionsSection(std::string& page, const ParamSet& params);
void WriteFunctionKeyStatusSection(std::string& page, const ParamSet& params);
void WriteFunctionKeyNameSection(std::string& page, const ParamSet& params);
void WriteFunctionKeyValueSection(std::string& page, const ParamSet& params);

void WriteDepartmentStatusSection(std::string& page, const ParamSet& params, SectionMode mode);
void WriteDepartmentPriceSection(std::string& page, const ParamSet& params, SectionMode mode);
void WriteDepartmentNameSection(std::string& page, const ParamSet& params, SectionMode mode);

void WriteProductStatusSection(std::string& page, const ParamSet& params, SectionMode mode);
void WriteProductPriceSection(std::string& page, const ParamSet& params, SectionMode mode);
void WriteProductNameSection(std::string& page, const ParamSet& params, SectionMode mode);
void WriteProductLinkSection(std::string& page, const ParamSet& params, SectionMode mode);

void WriteOperatorSection(std::string& page, const ParamSet& params, SectionMode mode);
void WriteHeaderSection(std::string& page, const ParamSet& params);
void WriteFooterSection(std::string& page, const ParamSet& params);

}  // namespace qx
