#include "core/noemie/record_layouts.h"

#include <array>

namespace noemie::parsing {
namespace {

// Ends of the layouts, in the order of Layout.
constexpr std::array<LayoutEnd, 21> kEnds = {{
    {20, true},    // kSansChamp20
    {11, true},    // kComptable
    {85, true},    // kVirement
    {14, true},    // kLot
    {21, false},   // kRetour
    {14, true},    // kFacture
    {39, true},    // kFacture102
    {147, false},  // kIdentite103
    {87, true},    // kAssure
    {56, true},    // kMalade
    {7, true},     // kSansChamp7
    {21, true},    // kZone16
    {4, false},    // kSansChamp19x
    {22, false},   // kMontantAmo198
    {22, false},   // kMontantAmc199
    {117, true},   // kLigne21
    {109, false},  // kLigne22
    {15, false},   // kMessage
    {17, false},   // kMessage290
    {42, true},    // kCloture
    {4, false},    // kAutre
}};
static_assert(kEnds.size() == static_cast<std::size_t>(Layout::kAutre) + 1);

bool is_digit_between(unsigned char c, char low, char high) {
  return c >= low && c <= high;
}

// A 9-digit invoice number: its low 32 bits, a negative result being stored as 0.
void read_num_facture(const RecordView& r, ReturnEntry& e) {
  if (!r.holds(5, 9)) return;
  const std::int32_t v = low_32(decimal_value(r.at(5), 9));
  e.num_facture = v < 0 ? 0 : v;
}

void read_facture_102(const RecordView& r, ReturnEntry& e) {
  read_num_facture(r, e);
  // A blank in front of the batch number means no batch.
  if (r.holds(20, 3)) e.num_lot = r.byte(20) == ' ' ? 0 : low_32(decimal_value(r.at(20), 3));
  read_text<6>(r, 23, e.date_lot);
  if (r.holds(29, 1)) e.type_facture = static_cast<char>(r.byte(29));
  read_text<6>(r, 30, e.date_acte);
  if (r.holds(36, 1)) e.traitement_amc = static_cast<char>(r.byte(36));
  read_text<2>(r, 37, e.nature_assurance);
}

void read_identite_103(const RecordView& r, ReturnEntry& e) {
  read_text<15>(r, 5, e.immatriculation);
  read_text<50>(r, 20, e.nom_assure);
  read_text<15>(r, 70, e.prenom_assure);
  read_text<25>(r, 107, e.nom_malade);
  read_text<15>(r, 132, e.prenom_malade);
}

}  // namespace

Layout layout_of(int family, unsigned char third) {
  switch (family) {
    case 2:
    case 4:
      return Layout::kSansChamp20;
    case 7:
      return third == '1' ? Layout::kVirement : Layout::kComptable;
    case 8:
      return third == '1' ? Layout::kRetour : Layout::kLot;
    case 10:
      if (third == '2') return Layout::kFacture102;
      if (third == '3') return Layout::kIdentite103;
      return Layout::kFacture;
    case 11:
      return Layout::kAssure;
    case 12:
      return Layout::kMalade;
    case 15:
      return Layout::kSansChamp7;
    case 16:
      return Layout::kZone16;
    case 19:
      if (third == '8') return Layout::kMontantAmo198;
      if (third == '9') return Layout::kMontantAmc199;
      // 190 to 197 and the types of the family that have no layout read the same: no field,
      // end at 4, no fixed end.
      return is_digit_between(third, '0', '7') ? Layout::kSansChamp19x : Layout::kAutre;
    case 21:
      return Layout::kLigne21;
    case 22:
      return Layout::kLigne22;
    case 29:
      return third == '0' ? Layout::kMessage290 : Layout::kMessage;
    case 99:
      return is_digit_between(third, '0', '8') ? Layout::kCloture : Layout::kAutre;
    default:
      return Layout::kAutre;
  }
}

LayoutEnd layout_end(Layout layout) {
  return kEnds[static_cast<std::size_t>(layout)];
}

bool is_plain_layout(Layout layout) {
  switch (layout) {
    case Layout::kLigne21:
    case Layout::kLigne22:
    case Layout::kMessage:
    case Layout::kMessage290:
    case Layout::kCloture:
      return false;
    default:
      return true;
  }
}

void read_plain_layout(Layout layout, const RecordView& r, ReturnEntry& e) {
  switch (layout) {
    case Layout::kComptable:
      read_text<6>(r, 5, e.date_comptable);
      break;
    case Layout::kVirement:
      read_text<6>(r, 5, e.date_comptable);
      read_text<32>(r, 11, e.ref_virement1);
      read_text<32>(r, 43, e.ref_virement2);
      read_text<10>(r, 75, e.ref_virement3);
      break;
    case Layout::kLot:
      read_text<6>(r, 5, e.date_lot);
      read_number(r, 11, 3, e.num_lot);
      break;
    case Layout::kRetour:
      read_number(r, 5, 2, e.type_retour);
      read_text<14>(r, 7, e.texte_retour);
      break;
    case Layout::kFacture:
      read_num_facture(r, e);
      break;
    case Layout::kFacture102:
      read_facture_102(r, e);
      break;
    case Layout::kIdentite103:
      read_identite_103(r, e);
      break;
    case Layout::kAssure:
      // Only the first 25 characters of the name: the field ends after them, whatever a 103
      // record wrote further on.
      read_text<15>(r, 5, e.immatriculation);
      read_text<25>(r, 21, e.nom_assure);
      read_text<15>(r, 72, e.prenom_assure);
      break;
    case Layout::kMalade:
      read_text<25>(r, 12, e.nom_malade);
      read_text<15>(r, 37, e.prenom_malade);
      break;
    case Layout::kZone16:
      read_text<16>(r, 5, e.zone_16);
      break;
    case Layout::kMontantAmo198:
      read_number(r, 14, 8, e.montant_amo);
      break;
    case Layout::kMontantAmc199:
      read_number(r, 14, 8, e.montant_amc);
      break;
    default:
      break;  // no field
  }
}

}  // namespace noemie::parsing
