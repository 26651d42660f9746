#include "model/short_names.h"

#include <algorithm>
#include <vector>

#include "model/search_fold.h"

namespace qx {
namespace {

constexpr std::size_t kShortestWord = 3;

// Folded (upper case, no accents) word -> its abbreviation, as customers' registers show it.
struct Abbreviation {
  std::string_view word;
  std::string_view shorter;
};
constexpr Abbreviation kAbbreviations[] = {
    {"ACHOCOLATADO", "ACHOC"},
    {"AMACIANTE", "AMAC"},
    {"BANDEJA", "BDJ"},
    {"BISCOITO", "BISC"},
    {"BOLACHA", "BOL"},
    {"CAIXA", "CX"},
    {"CERVEJA", "CERV"},
    {"CHOCOLATE", "CHOC"},
    {"CONDICIONADOR", "COND"},
    {"CREME", "CR"},
    {"DESINFETANTE", "DESINF"},
    {"DETERGENTE", "DETERG"},
    {"EMBALAGEM", "EMB"},
    {"ESPECIAL", "ESP"},
    {"EXTRA", "EXT"},
    {"FAMILIA", "FAM"},
    {"GARRAFA", "GARR"},
    {"GRANDE", "GDE"},
    {"INTEGRAL", "INT"},
    {"IOGURTE", "IOG"},
    {"LATA", "LT"},
    {"LITRO", "L"},
    {"LITROS", "L"},
    {"MACARRAO", "MAC"},
    {"MANTEIGA", "MANT"},
    {"MARGARINA", "MARG"},
    {"MEDIO", "MED"},
    {"MORTADELA", "MORT"},
    {"MUSSARELA", "MUSS"},
    {"ORIGINAL", "ORIG"},
    {"PACOTE", "PCT"},
    {"PEQUENO", "PEQ"},
    {"PRESUNTO", "PRES"},
    {"QUEIJO", "QJO"},
    {"RECHEADO", "REC"},
    {"REFRIGERANTE", "REFRIG"},
    {"REQUEIJAO", "REQ"},
    {"SABONETE", "SAB"},
    {"SACHE", "SCH"},
    {"SALSICHA", "SALS"},
    {"SARDINHA", "SARD"},
    {"SEM", "S/"},
    {"TRADICIONAL", "TRAD"},
    {"UNIDADE", "UN"},
    {"UNIDADES", "UN"},
};

constexpr std::string_view kConnectingWords[] = {"DE",  "DA",   "DO", "DAS", "DOS", "E",
                                                 "COM", "EM",   "NA", "NO",  "AO",  "A",
                                                 "O",   "PARA", "C/", "P/"};

constexpr std::string_view kUnits[] = {"KG", "G",  "GR",  "MG",   "L",  "LT",  "ML", "M", "CM",
                                       "MM", "UN", "UND", "UNID", "CX", "PCT", "W",  "V"};

// The word as the tables below write it: the find's fold, in capitals.
std::string Upper(std::string_view word) {
  std::string folded = FoldForSearch(word);
  for (char& c : folded)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return folded;
}

bool HasDigit(std::string_view word) {
  return std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsNumber(std::string_view word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == ',' || c == '.';
  }) && HasDigit(word);
}

template <typename List>
bool Contains(const List& list, std::string_view folded) {
  return std::find(std::begin(list), std::end(list), folded) != std::end(list);
}

// The abbreviation in the word's own style: lower case when the word has lower-case letters.
std::string InStyleOf(std::string_view word, std::string_view abbreviation) {
  const bool lower =
      std::any_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
  std::string result(abbreviation);
  if (lower) {
    for (std::size_t i = 1; i < result.size(); ++i)
      if (result[i] >= 'A' && result[i] <= 'Z')
        result[i] = static_cast<char>(result[i] - 'A' + 'a');
    if (!word.empty() && word.front() >= 'a' && word.front() <= 'z' && result.front() >= 'A' &&
        result.front() <= 'Z')
      result.front() = static_cast<char>(result.front() - 'A' + 'a');
  }
  return result;
}

std::vector<std::string> Words(std::string_view name) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : name) {
    if (c == ' ') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  // A number and its unit are one quantity.
  std::vector<std::string> joined;
  for (std::string& w : words) {
    if (!joined.empty() && IsNumber(joined.back()) && Contains(kUnits, Upper(w))) {
      joined.back() += w;
    } else {
      joined.push_back(std::move(w));
    }
  }
  return joined;
}

std::size_t Length(const std::vector<std::string>& words) {
  std::size_t length = words.empty() ? 0 : words.size() - 1;
  for (const std::string& w : words) length += w.size();
  return length;
}

std::string Join(const std::vector<std::string>& words) {
  std::string name;
  for (const std::string& w : words) {
    if (!name.empty()) name += ' ';
    name += w;
  }
  return name;
}

void DropConnectingWords(std::vector<std::string>& words) {
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0 && Contains(kConnectingWords, Upper(words[i]))) continue;
    kept.push_back(words[i]);
  }
  words = std::move(kept);
}

void Abbreviate(std::vector<std::string>& words) {
  for (std::string& w : words) {
    const std::string folded = Upper(w);
    for (const Abbreviation& a : kAbbreviations) {
      if (a.word == folded) {
        w = InStyleOf(w, a.shorter);
        break;
      }
    }
  }
}

// Cuts the longest word that may still lose a letter; false when none may.
bool ShortenLongestWord(std::vector<std::string>& words) {
  std::string* longest = nullptr;
  for (std::string& w : words) {
    if (HasDigit(w) || w.size() <= kShortestWord) continue;
    if (longest == nullptr || w.size() >= longest->size()) longest = &w;
  }
  if (longest == nullptr) return false;
  longest->pop_back();
  return true;
}

std::string CutTo(std::string name, std::size_t limit) {
  if (name.size() > limit) name.resize(limit);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

// The last resort: the name is cut, but a quantity at its end stays whole.
std::string CutKeepingQuantity(std::vector<std::string> words, std::size_t limit) {
  std::vector<std::string> quantity;
  while (words.size() > 1 && HasDigit(words.back())) {
    quantity.insert(quantity.begin(), words.back());
    words.pop_back();
  }
  const std::size_t tail = Length(quantity);
  if (quantity.empty() || tail + 2 > limit) return CutTo(Join(words) + " " + Join(quantity), limit);
  return CutTo(Join(words), limit - tail - 1) + " " + Join(quantity);
}

}  // namespace

std::string ProposeShortName(std::string_view name, std::size_t limit) {
  std::vector<std::string> words = Words(name);
  if (Length(words) > limit) DropConnectingWords(words);
  if (Length(words) > limit) Abbreviate(words);
  while (Length(words) > limit && ShortenLongestWord(words)) {
  }
  if (Length(words) <= limit) return Join(words);
  return CutKeepingQuantity(std::move(words), limit);
}

std::string MakeUniqueName(std::string_view proposal, std::size_t limit,
                           const std::function<bool(std::string_view)>& taken) {
  if (!taken(proposal)) return std::string(proposal);
  // The number goes before a quantity at the end ("REFR COL2 2L", not "REFR COLA 22", which
  // would read as another size).
  std::vector<std::string> words = Words(proposal);
  std::string quantity;
  if (words.size() > 1 && HasDigit(words.back())) {
    quantity = " " + words.back();
    words.pop_back();
  }
  const std::string stem = Join(words);
  for (int n = 2; n <= 10000; ++n) {
    const std::string number = std::to_string(n);
    const std::string tail = number.size() + quantity.size() < limit ? quantity : "";
    if (number.size() + tail.size() >= limit) break;
    std::string candidate = CutTo(stem, limit - number.size() - tail.size()) + number + tail;
    if (!taken(candidate)) return candidate;
  }
  return {};
}

std::string FoldName(std::string_view name) {
  std::string folded = Upper(name);
  const std::size_t first = folded.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const std::size_t last = folded.find_last_not_of(' ');
  return folded.substr(first, last - first + 1);
}

}  // namespace qx
