#pragma once
// Builds synthetic NOEMIE return files, record by record, for tests, benchmarks and the
// sample folder. Only invented data: never put a real person's name or number in a file.
//
// A file is: optional bytes before the header, a 128-byte header, then records, each
// followed by the file's separator ("@" unless told otherwise). A record is a run of bytes
// beginning with its 3-character type and 2-digit level; its fields stand at offsets
// counted from its first type character, and every byte no field covers is a space.
//
//   const std::string bytes = ReturnFileBuilder()
//                                 .header({.ref = "531"})
//                                 .add(facture_102({.num_facture = 42}))
//                                 .add(assure_11x({.nom = "DUPONT JEAN"}))
//                                 .add(ligne_21x({.acte = "C", .montant_amo = 1650}))
//                                 .add(cloture_99x({.montant_total = 1650}))
//                                 .bytes();

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace noemie::testing {

// The separator bytes of the three forms the format knows.
inline constexpr char kSeparatorAt = '@';
inline constexpr char kSeparatorSpace = ' ';
inline constexpr char kSeparatorC3 = '\xC3';

// One record. The constructor writes the type and the level and fills the rest with spaces.
class Record {
 public:
  // `type`: 3 characters, usually digits ("102", "21" "5"), but anything goes; `level`:
  // 0 to 99, written as 2 digits; `length`: the record's length, at least 5 (usually the
  // layout's end offset). Fields written past `length` make the record longer.
  Record(std::string_view type, int level, std::size_t length);

  // A record made of exactly these bytes.
  static Record raw(std::string_view bytes);

  // Writes `value` at `offset`, as it is.
  Record& text(std::size_t offset, std::string_view value);
  // Writes `value` at `offset` padded with spaces (or cut) to exactly `width` characters.
  Record& text(std::size_t offset, std::size_t width, std::string_view value);
  // Writes `value` at `offset` as `width` decimal digits, zero-padded. Throws
  // std::invalid_argument for a negative value or one that does not fit.
  Record& number(std::size_t offset, std::size_t width, std::int64_t value);

  const std::string& bytes() const { return bytes_; }

 private:
  Record() = default;
  void reach(std::size_t end);
  std::string bytes_;
};

// Header zones; the other header characters are a fixed filler, so that the start detection
// finds the header: it begins "000" and ends with spaces from position 96 on.
struct Header {
  std::string destinataire = "CP00000001751001      ";  // 22 characters at 3
  std::string ref = "531";                              // 3 characters at 61
  std::string devise = "NU";                            // 2 characters at 68 ("NU" = euros)
};

// The 128 bytes of a header with these zones (each padded with spaces or cut to its size).
std::string header_bytes(const Header& header);

// ---- Typed records, one per common layout. Dates are DDMMYY text; amounts in cents. ----

// 07x (third digit not 1): accounting date at 5. Length 11.
Record comptable_07x(int third = 0, int level = 1, std::string_view date = "150324");

struct Virement {
  int level = 1;
  std::string date_comptable = "150324";
  std::string ref1 = "VIR SEPA 0001";  // 32 characters at 11
  std::string ref2 = "CPAM TEST";      // 32 characters at 43
  std::string ref3 = "REF0000001";     // 10 characters at 75
};
// 071: accounting date and bank-transfer reference. Length 85.
Record virement_071(const Virement& v);

// 08x (third digit not 1): batch date at 5, batch number (3 digits) at 11. Length 14.
Record lot_08x(int third = 0, int level = 2, std::string_view date_lot = "140324",
               int num_lot = 12);

// 081: return type (2 digits) at 5, its text (14 characters) at 7. Length 21.
Record retour_081(int level = 2, int type_retour = 1, std::string_view texte = "PAIEMENT");

// 10x (not 102, 103): invoice number (9 digits) at 5. Length 14.
Record facture_10x(int third = 0, int level = 3, std::int64_t num_facture = 1);

struct Facture102 {
  int level = 3;
  std::int64_t num_facture = 1;         // 9 digits at 5
  std::optional<int> num_lot = 12;      // 3 digits at 20; nullopt writes 3 spaces
  std::string date_lot = "140324";      // at 23
  char type_facture = '1';              // at 29
  std::string date_acte = "120324";     // at 30
  char traitement_amc = '0';            // at 36
  std::string nature_assurance = "10";  // at 37
};
// 102: invoice. Length 39.
Record facture_102(const Facture102& f);

struct Identite103 {
  int level = 3;
  std::string immatriculation = "1700175123456";  // 15 at 5
  std::string nom_assure = "DUPONT";              // 50 at 20
  std::string prenom_assure = "JEAN";             // 15 at 70
  std::string nom_malade = "DUPONT";              // 25 at 107
  std::string prenom_malade = "MARIE";            // 15 at 132
};
// 103: insured person and patient. Length 147.
Record identite_103(const Identite103& i);

struct Assure11x {
  int third = 0;
  int level = 4;
  std::string immatriculation = "1700175123456";  // 15 at 5
  std::string nom = "DUPONT";                     // 25 at 21
  std::string prenom = "JEAN";                    // 15 at 72
};
// 11x: insured person. Length 87.
Record assure_11x(const Assure11x& a);

struct Malade12x {
  int third = 0;
  int level = 4;
  std::string nom = "DUPONT";    // 25 at 12
  std::string prenom = "MARIE";  // 15 at 37
};
// 12x: patient. Length 56.
Record malade_12x(const Malade12x& m);

// 16x: zone_16 (16 characters) at 5. Length 21.
Record zone_16x(int third = 0, int level = 4, std::string_view zone = "ZONE SEIZE 16");

// 198 (AMO) or 199 (AMC): amount (8 digits) at 14. Length 22.
Record montant_19x(int third, int level, std::int64_t montant);

struct Ligne21x {
  int third = 0;
  int level = 5;
  std::string marker = "00000";      // 5 at 5 ("01000" submits the date to the reorder)
  std::string date_acte = "120324";  // 6 at 21
  std::optional<int> taux_amo = 70;  // 3 digits at 49
  std::int64_t montant_amo = 1650;   // 7 digits at 53
  std::string acte = "C";            // 5 at 61
  std::optional<int> taux_amc = 30;  // 3 digits at 98; nullopt writes spaces (no rate)
  std::int64_t montant_amc = 0;      // 7 digits at 102
};
// 21x: detail line. Length 117.
Record ligne_21x(const Ligne21x& l);

struct Ligne22x {
  int third = 0;
  int level = 5;
  std::string date_acte = "120324";  // 6 at 15
  int taux_amo = 70;                 // 3 digits at 43
  std::int64_t montant_amo = 1650;   // 7 digits at 47
  std::string acte = "C";            // 5 at 55
  int taux_amc = 30;                 // 3 digits at 98
  std::int64_t montant_amc = 0;      // 7 digits at 102
};
// 22x: detail line. Length 109.
Record ligne_22x(const Ligne22x& l);

// 29x message: the text (padded with spaces to 80 characters) at 15, or at 17 for 290.
Record message_29x(int third, int level, std::string_view texte);

struct Cloture99x {
  int third = 0;
  int level = 5;
  std::int64_t valeur_fin = 1;     // 7 digits at 23
  std::int64_t montant_total = 0;  // 10 digits at 31
};
// 990 to 998: closing record. Length 42.
Record cloture_99x(const Cloture99x& c);

// A whole file.
class ReturnFileBuilder {
 public:
  // Bytes written before the header (they must not hold a run of 21 spaces from position
  // 96 of the file on, or the start detection finds them instead).
  ReturnFileBuilder& before_header(std::string_view bytes);
  // The header from its zones (the default Header when never called).
  ReturnFileBuilder& header(const Header& header);
  // The header as given, byte for byte (any length).
  ReturnFileBuilder& raw_header(std::string_view bytes);
  // The byte written after each record from now on ("@" by default).
  ReturnFileBuilder& separator(char separator);
  // A record followed by the current separator.
  ReturnFileBuilder& add(const Record& record);
  // Bytes as they are, with no separator.
  ReturnFileBuilder& add_raw(std::string_view bytes);

  // The file's bytes.
  std::string bytes() const;
  // Writes the file's bytes to `path` (throws std::runtime_error on failure).
  void write(const std::filesystem::path& path) const;

 private:
  std::string before_;
  std::optional<std::string> header_;
  std::string body_;
  char separator_ = kSeparatorAt;
};

}  // namespace noemie::testing
