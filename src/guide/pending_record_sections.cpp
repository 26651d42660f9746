// Placeholders for the record sections until they are written; each is removed from this
// file when its real writer lands.
#include "guide/sections.h"

namespace qx {

void WriteRegisterNumberSection(std::string&, const ParamSet&) {}
void WriteProductStatusSection(std::string&, const ParamSet&, SectionMode) {}
void WriteProductPriceSection(std::string&, const ParamSet&, SectionMode) {}
void WriteProductNameSection(std::string&, const ParamSet&, SectionMode) {}
void WriteProductLinkSection(std::string&, const ParamSet&, SectionMode) {}
void WriteOperatorSection(std::string&, const ParamSet&, SectionMode) {}
void WriteHeaderSection(std::string&, const ParamSet&) {}
void WriteFooterSection(std::string&, const ParamSet&) {}
std::string BuildChangeSummary(const ParamSet&) { return {}; }
bool WriteChangeSummary(const ParamSet&, const std::string&) { return true; }

}  // namespace qx
