#pragma once
// The parsed form of one NOEMIE return file: its 128-byte header and its entries.
//
// Text fields hold raw Windows-1252 bytes copied from the file, padding spaces included,
// and are always terminated: each is a std::array one longer than the text it can hold,
// and nothing is ever written into its last byte but a NUL.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/text/c_text.h"

namespace noemie {

// A text field of N characters and its terminator.
template <std::size_t N>
using TextField = std::array<char, N + 1>;

// One group of records of a return file: an invoice with its patient, a detail line, a
// message or a payment notice. A new entry is zero-filled (value-initialised).
struct ReturnEntry {
  TextField<6> date_comptable{};    // accounting date DDMMYY (07x)
  TextField<6> date_acte{};         // date of the act DDMMYY (102, 21x, 22x)
  TextField<50> nom_assure{};       // insured person's name (103: 50 characters, 11x: 25)
  TextField<15> prenom_assure{};    // insured person's first name (103, 11x)
  TextField<15> immatriculation{};  // registration number (103, 11x)
  TextField<25> nom_malade{};       // patient's name (103, 12x)
  TextField<15> prenom_malade{};    // patient's first name (103, 12x)
  TextField<16> zone_16{};          // zone of a 16x record; not shown
  TextField<32> ref_virement1{};    // bank-transfer reference, line 1 (071)
  TextField<32> ref_virement2{};    // line 2 (071)
  TextField<10> ref_virement3{};    // line 3 (071)
  std::int32_t type_retour = 0;     // return type, 2 digits (081)
  TextField<2> nature_assurance{};  // nature-of-insurance code (102)
  char traitement_amc = 0;          // treatment of the AMC share by the AMO (102)
  char type_facture = 0;            // invoice type code (102)
  TextField<14> texte_retour{};     // text that goes with type_retour (081)
  std::int32_t num_facture = 0;     // invoice number, 9 digits, never negative (10x)
  TextField<6> date_lot{};          // batch date DDMMYY (08x, 102)
  std::int32_t num_lot = 0;         // batch number, 3 digits (08x, 102)
  std::int8_t ligne_detail = 0;     // 1 once a detail line was read, 0 after a message
  TextField<19> actes{};            // act codes of the detail lines, joined by "+"
  std::int32_t taux_amo = 0;        // AMO rate, percent
  std::int32_t montant_amo = 0;     // AMO amount, cents
  std::int32_t taux_amc = 0;        // AMC rate, percent
  std::int32_t montant_amc = 0;     // AMC amount, cents
  TextField<400> detail{};          // messages, joined by " ***** "
  std::int32_t valeur_fin = 0;      // first number of the closing record
  std::int64_t montant_total = 0;   // total amount, cents; 10 digits, so kept in 64 bits
  // The bank transfer the entry belongs to: its index in ReturnRecord::virements, or
  // kAucunVirement. Not a field of the file: the walk works it out (see Virement).
  std::int32_t virement = -1;
};

// ReturnEntry::virement of an entry that belongs to no transfer.
inline constexpr std::int32_t kAucunVirement = -1;

// One bank transfer of a return file: a 07x record (071 included) as the walk read it, and the
// closing record that ended it, if any. Each 07x record makes one, which becomes the file's
// current transfer; a closing record (990 to 998) whose level is not above the current
// transfer's ends it, even one passed over because its entry was already closed. An entry
// belongs to the last 07x record read while it was the current entry; when none was, to the
// transfer that was current when the entry was started, or to none.
struct Virement {
  TextField<6> date_comptable{};  // accounting date DDMMYY at 5; empty when cut
  TextField<32> ref_virement1{};  // 071 only: at 11 (32 characters), empty when cut
  TextField<32> ref_virement2{};  // at 43 (32)
  TextField<10> ref_virement3{};  // at 75 (10)
  std::int32_t niveau = 0;        // the record's level, 0 to 99
  // The total that the closing record which ended the transfer announces (its 10 digits at 31,
  // read as montant_total is), in cents of the file's currency; none when no closing record
  // ended it or when fewer than 38 characters followed that record's offset 4.
  std::optional<std::int64_t> montant_annonce;
};

// Offsets and lengths of the header zones that the viewer reads.
inline constexpr std::size_t kHeaderSize = 128;
inline constexpr std::size_t kDestinataireOffset = 3;
inline constexpr std::size_t kDestinataireSize = 22;
inline constexpr std::size_t kRefOffset = 61;
inline constexpr std::size_t kRefSize = 3;
inline constexpr std::size_t kDeviseOffset = 68;
inline constexpr std::size_t kDeviseSize = 2;

// One parsed return file.
struct ReturnRecord {
  // 1 only when the parse reached its end (normally, or after a fault that keeps the
  // entries read so far). Only such a record is listed.
  std::int8_t valide = 0;
  // The header, byte for byte; not terminated, read by fixed offsets only.
  std::array<char, kHeaderSize> entete{};
  // The entries; empty when the parse stopped before the header was found, otherwise
  // der_entree + 1 entries.
  std::vector<ReturnEntry> entrees;
  // Index of the last entry (0 for a single entry).
  std::int32_t der_entree = 0;
  // The bank transfers, in the order of their 07x records.
  std::vector<Virement> virements;
  // 1 when the header's currency zone says euros ("NU", " U", "0U", "N "), 0 for francs.
  std::int8_t euro = 0;

  std::string_view destinataire() const {
    return {entete.data() + kDestinataireOffset, kDestinataireSize};
  }
  std::string_view ref() const { return {entete.data() + kRefOffset, kRefSize}; }
  std::string_view devise() const { return {entete.data() + kDeviseOffset, kDeviseSize}; }
};

}  // namespace noemie
