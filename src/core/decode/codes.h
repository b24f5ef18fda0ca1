#pragma once
// Texts of the small codes an entry carries: the return type, the invoice type and the
// treatment of the AMC share by the AMO. Each returns a constant Windows-1252 text that lives
// for the whole program; a code the tables do not know gives "???".

#include <string_view>

namespace noemie::decode {

// Return type (`type_retour`, 1 to 5).
std::string_view type_retour_to_str(int code);

// Invoice type (`type_facture`, one character, compared case-sensitively).
std::string_view type_facture_to_str(char code);

// Treatment of the AMC share by the AMO (`traitement_amc`, one character; a blank is the
// space 0x20 only).
std::string_view part_amo_traitement_to_str(char code);

}  // namespace noemie::decode
