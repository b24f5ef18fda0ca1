#pragma once
// The titles of the viewer list's 17 columns, written out once for the tests that check
// them or build an expected export (Windows-1252).

#include <array>
#include <string_view>

namespace noemie::testing {

inline constexpr std::array<std::string_view, 17> kListTitles = {"Trait\xE9",
                                                                 "Fichier",
                                                                 "R\xE9"
                                                                 "f",
                                                                 "Date Comptable",
                                                                 "Caisse",
                                                                 "Assur\xE9",
                                                                 "Malade",
                                                                 "Lot",
                                                                 "FSE",
                                                                 "Date Acte",
                                                                 "Acte",
                                                                 "Total",
                                                                 "Tx AMO",
                                                                 "AMO",
                                                                 "Tx AMC",
                                                                 "AMC",
                                                                 "D\xE9tail"};

}  // namespace noemie::testing
