#pragma once
// The texts of the list's cells, made from the fields of a return file. Every text is
// Windows-1252 and ends at its first NUL: inputs are read only up to their first NUL, and no
// output ever holds one. Other parts of the viewer read numbers back from these texts
// (reference, file number, fund numbers, amounts), so their forms are a contract.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace noemie::decode {

class RegimeTable;

// The "Réf" cell: its text and its marker icon.
struct RefCell {
  std::string text;  // "(531)", "x(534)", "(930)", ...
  int icon = 0;      // kIcon... of reference_table.h
};

// "Réf" cell of the header zone `ref` (three characters): the reference number in
// parentheses, without leading zeros, with an "x" before it for 534; a number that is not
// three digits is written as computed, e.g. "(-48)".
RefCell format_noemie_ref(std::string_view ref3);

// "Caisse" cell of the header zone `destinataire` (22 characters; the regime at positions 8-9,
// the caisse at 10-12, the centre at 13-15). When the regime's two characters are ASCII digits
// and `regimes` has an entry for it: "<text B> (<text A>) rr ccc ddd", the caisse and the
// centre converted character by character (c - '0', no digit check) and written as "%03d"
// (a negative value keeps its sign). Otherwise the zone as it is, up to its first NUL.
std::string format_destinataire(std::string_view destinataire, const RegimeTable& regimes);

// "Assuré" / "Malade" cell: first word of `nom`, a blank, first word of `prenom`, then, when
// `immatriculation` is not empty, " (" + its first word + ")". A word ends at the first blank
// (0x20). Empty names give a single blank.
std::string format_nom(std::string_view nom, std::string_view prenom,
                       std::string_view immatriculation);
// The same text written at `out`, which has room for the three texts' sizes and 4 more
// characters; returns the end of what was written.
char* put_nom(char* out, std::string_view nom, std::string_view prenom,
              std::string_view immatriculation);

// Date cell of a DDMMYY field: "DD/MM/CCYY", the century "19" when the first year digit is '9'
// and "20" otherwise; the empty text when the field is empty or begins with "00". Characters
// are copied without any test. A field shorter than six characters gives what copying up to
// its end yields: the text stops where the first missing character would go ("1512" gives
// "15/12/20", "151" gives "15/1").
std::string format_date_noemie(std::string_view date6);
// The same text written at `out`, which has room for kDateMaxChars; returns its end.
char* put_date_noemie(char* out, std::string_view date6);
inline constexpr std::size_t kDateMaxChars = 10;

// "Fichier" cell: the file name (Windows-1252) without its leading '0's, up to its first '.',
// then "  (DD/MM/YY)" with the UTC calendar date of `file_time` (100-ns units since 1601).
// Any file time works: YY is the year modulo 100 taken in 0..99, also for years before 1.
std::string format_nom_fic(std::string_view file_name, std::int64_t file_time);
// What stands in it before "  (": the name without its leading '0's, up to its first '.'.
std::string_view nom_fic_name(std::string_view file_name);
// What stands between the name and the date.
inline constexpr std::string_view kNomFicDateOpening = "  (";

// "Détail" cell: the text without its trailing blanks (0x20), then cut to `max_chars`
// characters. The list passes kDetailMaxChars.
std::string format_info_noemie(std::string_view detail, std::size_t max_chars);
// The same text, as the part of `detail` it is.
std::string_view info_noemie_text(std::string_view detail, std::size_t max_chars);

// Longest "Détail" cell of the list.
inline constexpr std::size_t kDetailMaxChars = 2000;

// Amount cell: "<units>.<2-digit cents><currency>", e.g. 12345 cents and 'F' give "123.45F";
// a negative amount gives "-" and the text of its absolute value ("-17.55F"). The list leaves
// the cell empty for 0 and does not call this.
std::string formate_valeur(std::int64_t cents, char currency);
// The same text written at `out`, which has room for kValeurMaxChars; returns its end.
char* put_valeur(char* out, std::int64_t cents, char currency);
inline constexpr std::size_t kValeurMaxChars = 24;

// Currency characters of amount cells.
inline constexpr char kFrancSymbol = 'F';

}  // namespace noemie::decode
