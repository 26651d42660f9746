// The fold that finds names whatever their letter case and accents: the product table's find
// and sort, and the import's department names.
#pragma once

#include <string>
#include <string_view>

namespace qx {

// The text used to find and to sort by name (Windows-1252 in, plain ASCII letters out): lower
// case, accents dropped ("AÇÚCAR" gives "acucar", "Æ" gives "ae"), the expanded-letter
// switches "{" and "}" left out, since the register prints none of them.
std::string FoldForSearch(std::string_view text);

}  // namespace qx
