#include "core/noemie/detail_lines.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace noemie::parsing {
namespace {

constexpr std::size_t kActeLength = 5;
constexpr std::size_t kActesMax = 19;     // characters `actes` can hold
constexpr std::size_t kDetailMax = 400;   // characters `detail` can hold
constexpr std::size_t kMessageText = 80;  // characters a message brings
constexpr std::string_view kMessageJoin = " ***** ";

// The act code of a line lies at `offset`; when its 5 characters are not wholly inside the
// window nothing is appended, not even the "+".
void read_acte(const RecordView& r, std::size_t offset, ReturnEntry& e) {
  if (r.holds(offset, kActeLength)) append_acte(e, r.at(offset));
}

bool marker_submits_date(const RecordView& r) {
  return r.holds(5, 5) && std::memcmp(r.at(5), "01000", 5) == 0;
}

void read_date_acte_21x(const RecordView& r, const Ligne21Context& c, ReturnEntry& e) {
  if (!r.holds(21, 6)) return;
  const unsigned char* d = r.at(21);
  if (c.destinataire_sm && (!c.at_form || marker_submits_date(r))) {
    // YYMMDD stored as DDMMYY.
    const unsigned char reordered[6] = {d[4], d[5], d[2], d[3], d[0], d[1]};
    copy_text(e.date_acte, reordered, 6);
  } else {
    copy_text(e.date_acte, d, 6);
  }
}

// A merged amount adds up in 64 bits and keeps the low 32 bits.
void add_amount(std::int32_t& total, const RecordView& r, std::size_t offset) {
  if (r.holds(offset, 7)) total = low_32(std::int64_t{total} + decimal_value(r.at(offset), 7));
}

}  // namespace

void append_acte(ReturnEntry& e, const unsigned char* code) {
  char* actes = e.actes.data();
  // The length counts up to 18 at most, so that a "+" always fits.
  std::size_t n = 0;
  while (n < kActesMax - 1 && actes[n] != '\0') ++n;
  if (n > 0) actes[n++] = '+';
  for (std::size_t i = 0; i < kActeLength && n < kActesMax; ++i) {
    if (code[i] == ' ' || code[i] == '\0') break;
    actes[n++] = static_cast<char>(code[i]);
  }
  actes[n] = '\0';
}

void read_ligne_21x(const RecordView& r, const Ligne21Context& c, ReturnEntry& e) {
  read_date_acte_21x(r, c, e);
  const bool has_taux_amo = r.holds(49, 3);
  const bool has_taux_amc = r.holds(98, 3);
  if (!c.merging) {
    read_number(r, 49, 3, e.taux_amo);
    read_number(r, 53, 7, e.montant_amo);
    if (has_taux_amc) {
      e.taux_amc = r.byte(98) == ' ' ? 0 : low_32(decimal_value(r.at(98), 3));
    }
    read_number(r, 102, 7, e.montant_amc);
  } else {
    add_amount(e.montant_amo, r, 53);
    add_amount(e.montant_amc, r, 102);
    // Rates that differ between merged lines cannot be shown as one: they become 0.
    if (has_taux_amo && low_32(decimal_value(r.at(49), 3)) != e.taux_amo) e.taux_amo = 0;
    if (has_taux_amc && r.byte(98) != ' ' && low_32(decimal_value(r.at(98), 3)) != e.taux_amc) {
      e.taux_amc = 0;
    }
  }
  read_acte(r, 61, e);
  e.ligne_detail = 1;
}

void read_ligne_22x(const RecordView& r, ReturnEntry& e) {
  read_text<6>(r, 15, e.date_acte);
  read_number(r, 43, 3, e.taux_amo);
  read_number(r, 47, 7, e.montant_amo);
  read_acte(r, 55, e);
  read_number(r, 98, 3, e.taux_amc);
  read_number(r, 102, 7, e.montant_amc);
  e.ligne_detail = 1;
}

void read_message_29x(const RecordView& r, std::size_t text_offset, ReturnEntry& e) {
  e.actes[3] = '\0';
  e.ligne_detail = 0;

  char* detail = e.detail.data();
  std::size_t k = 0;
  while (k < kDetailMax && detail[k] != '\0') ++k;
  while (k > 0 && detail[k - 1] == ' ') --k;
  if (k > 0 && k < kDetailMax - kMessageJoin.size()) {
    std::memcpy(detail + k, kMessageJoin.data(), kMessageJoin.size());
    k += kMessageJoin.size();
  }
  // The text takes the bytes that exist when the window ends inside it.
  const std::size_t text = std::min(kMessageText, r.room_from(text_offset));
  const std::size_t n = std::min(kDetailMax - k, text);
  if (n > 0) std::memcpy(detail + k, r.at(text_offset), n);
  detail[k + n] = '\0';
}

}  // namespace noemie::parsing
