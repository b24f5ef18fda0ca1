#include "core/viewer/row_cells.h"

#include <charconv>

#include "core/decode/regime_table.h"
#include "core/text/c_text.h"
#include "core/text/cp1252.h"

namespace noemie::viewer {
namespace {

using text::c_text;

// Appends `value` in decimal ("%d") to `out`, followed by `suffix`.
void append_number(std::string& out, std::int64_t value, std::string_view suffix = {}) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
  out += suffix;
}

void append_lot(std::string& out, std::int32_t num_lot) {
  if (num_lot == 0 || num_lot == 999) {
    out += '-';
  } else {
    append_number(out, num_lot);
  }
}

void append_fse(std::string& out, std::int32_t num_facture) {
  if (num_facture > 1 && num_facture != 999999999) append_number(out, num_facture);
}

void append_rate(std::string& out, std::int32_t rate) {
  if (rate != 0) append_number(out, rate, "%");
}

void append_amount(std::string& out, std::int64_t cents, char currency, AmountTexts& amounts) {
  if (cents != 0) out += amounts.text(cents, currency);
}

// A text field with its terminator, for a formatter that stops at the first NUL itself.
template <std::size_t N>
std::string_view whole(const std::array<char, N>& field) {
  return {field.data(), N};
}

}  // namespace

const std::string& AmountTexts::text(std::int64_t cents, char currency) {
  const auto hash = static_cast<std::uint64_t>(cents) * 0x9E3779B97F4A7C15u;
  Slot& slot = slots_[static_cast<std::size_t>(hash >> 54) % kSlots];
  if (!slot.used || slot.cents != cents || slot.currency != currency) {
    slot.text = decode::formate_valeur(cents, currency);
    slot.cents = cents;
    slot.currency = currency;
    slot.used = true;
  }
  return slot.text;
}

FileCells make_file_cells(const ReturnRecord& rec, std::string_view file_name,
                          std::int64_t file_time, const decode::RegimeTable& regimes) {
  FileCells file;
  file.fichier = decode::format_nom_fic(file_name, file_time);
  file.ref = decode::format_noemie_ref(rec.ref());
  file.caisse = decode::format_destinataire(rec.destinataire(), regimes);
  file.currency = rec.euro == 0 ? decode::kFrancSymbol : text::kEuro;
  return file;
}

std::size_t add_entry_row(const FileCells& file, const ReturnEntry& entry, RowBlock& block,
                          AmountTexts& amounts) {
  RowBlock::RowWriter row(block);
  std::string& out = row.text();
  const auto end = [&row] { row.end_text(); };
  end();  // "Fichier": the file's
  end();  // "Réf": the file's
  // The formatters read each field up to its first NUL themselves.
  decode::append_date_noemie(out, whole(entry.date_comptable));
  end();
  end();  // "Caisse": the file's
  decode::append_nom(out, whole(entry.nom_assure), whole(entry.prenom_assure),
                     whole(entry.immatriculation));
  end();
  decode::append_nom(out, whole(entry.nom_malade), whole(entry.prenom_malade), {});
  end();
  append_lot(out, entry.num_lot);
  end();
  append_fse(out, entry.num_facture);
  end();
  decode::append_date_noemie(out, whole(entry.date_acte));
  end();
  out += c_text(entry.actes);
  end();
  append_amount(out, entry.montant_total, file.currency, amounts);
  end();
  append_rate(out, entry.taux_amo);
  end();
  append_amount(out, entry.montant_amo, file.currency, amounts);
  end();
  append_rate(out, entry.taux_amc);
  end();
  append_amount(out, entry.montant_amc, file.currency, amounts);
  end();
  decode::append_info_noemie(out, whole(entry.detail), kDetailCellChars);
  end();
  // What the tooltips read, in the order of EntryDetails.
  for (const std::string_view detail :
       {c_text(entry.ref_virement1), c_text(entry.ref_virement2), c_text(entry.ref_virement3),
        c_text(entry.texte_retour), c_text(entry.date_lot), c_text(entry.nature_assurance)}) {
    out += detail;
    end();
  }
  return row.end_row(entry.type_retour, entry.traitement_amc, entry.type_facture);
}

int file_kind_icon(std::string_view file_name, int pattern_icon) {
  if (file_name.empty()) return pattern_icon;
  switch (file_name.back()) {
    case 'P':
      return 0;
    case 'X':
      return file_name.size() >= 2 && file_name[file_name.size() - 2] == 'S' ? kIconArchivedFile
                                                                             : 0;
    case 'Z':
      return kIconCondemnedFile;
    default:
      return pattern_icon;
  }
}

std::string lot_cell(std::int32_t num_lot) {
  std::string out;
  append_lot(out, num_lot);
  return out;
}

std::string fse_cell(std::int32_t num_facture) {
  std::string out;
  append_fse(out, num_facture);
  return out;
}

std::string rate_cell(std::int32_t rate) {
  std::string out;
  append_rate(out, rate);
  return out;
}

std::string amount_cell(std::int64_t cents, char currency) {
  return cents == 0 ? std::string() : decode::formate_valeur(cents, currency);
}

}  // namespace noemie::viewer
