// Short names for products whose list name is longer than the register takes, proposed as a
// careful technician abbreviates Portuguese retail names. Each step runs only while the name
// is still too long, and the first that makes it fit ends the work:
//  1. blanks are collapsed, and a number followed by its unit is joined ("500 G" -> "500G");
//  2. connecting words are dropped (DE, DA, DO, DAS, DOS, E, COM, EM, NA, NO, AO, A, O,
//     PARA, C/, P/), never the first word (nor "SEM", which becomes "S/");
//  3. the usual abbreviations are used ("REFRIGERANTE" -> "REFRIG", "PACOTE" -> "PCT",
//     "UNIDADE" -> "UN", "SEM" -> "S/", ...);
//  4. the longest word is shortened by one letter at a time (the last of equal ones first,
//     none below three letters); words holding a digit (quantities such as "5KG", "2L",
//     "12X350ML") are never shortened nor dropped;
//  5. only then is the name cut.
// "REFRIGERANTE COLA 2 L" gives "REFR COLA 2L"; "BISCOITO RECHEADO DE MORANGO 140G" gives
// "BIS REC 140G". Texts are Windows-1252 bytes, one character each, as the product editor
// counts them.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace qx {

// A name of at most `limit` characters for `name`; a name that fits is given back with its
// blanks trimmed and collapsed.
std::string ProposeShortName(std::string_view name, std::size_t limit);

// `proposal` itself when `taken` says no, else the first of proposal cut and followed by 2,
// 3, ... (put before a quantity at its end) that is not taken, within `limit` characters.
// Empty when none is free (after 9999 tries).
std::string MakeUniqueName(std::string_view proposal, std::size_t limit,
                           const std::function<bool(std::string_view)>& taken);

// A name folded for telling names apart (the find's fold: letter case and accents do not count),
// blanks are trimmed.
std::string FoldName(std::string_view name);

}  // namespace qx
