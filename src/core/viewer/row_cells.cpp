#include "core/viewer/row_cells.h"

#include <charconv>

#include "core/decode/regime_table.h"
#include "core/text/c_text.h"
#include "core/text/cp1252.h"

namespace noemie::viewer {
namespace {

using text::c_text;

// Writes `value` in decimal ("%d") into `out`, followed by `suffix`.
void assign_number(std::string& out, std::int64_t value, std::string_view suffix = {}) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.assign(digits, end);
  out += suffix;
}

void assign_lot(std::string& out, std::int32_t num_lot) {
  if (num_lot == 0 || num_lot == 999) {
    out = "-";
  } else {
    assign_number(out, num_lot);
  }
}

void assign_fse(std::string& out, std::int32_t num_facture) {
  if (num_facture > 1 && num_facture != 999999999) {
    assign_number(out, num_facture);
  } else {
    out.clear();
  }
}

void assign_rate(std::string& out, std::int32_t rate) {
  if (rate == 0) {
    out.clear();
  } else {
    assign_number(out, rate, "%");
  }
}

void assign_amount(std::string& out, std::int64_t cents, char currency, AmountTexts& amounts) {
  if (cents == 0) {
    out.clear();
  } else {
    out = amounts.text(cents, currency);
  }
}

std::string& cell(ListControl::Cells& cells, int column) {
  return cells[static_cast<std::size_t>(column)];
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

void make_entry_cells(const FileCells& file, const ReturnEntry& entry, ListControl::Cells& cells,
                      AmountTexts& amounts) {
  cell(cells, kColTraite).clear();
  cell(cells, kColFichier) = file.fichier;
  cell(cells, kColRef) = file.ref.text;
  cell(cells, kColDateComptable) = decode::format_date_noemie(c_text(entry.date_comptable));
  cell(cells, kColCaisse) = file.caisse;
  cell(cells, kColAssure) = decode::format_nom(
      c_text(entry.nom_assure), c_text(entry.prenom_assure), c_text(entry.immatriculation));
  cell(cells, kColMalade) =
      decode::format_nom(c_text(entry.nom_malade), c_text(entry.prenom_malade), {});
  assign_lot(cell(cells, kColLot), entry.num_lot);
  assign_fse(cell(cells, kColFse), entry.num_facture);
  cell(cells, kColDateActe) = decode::format_date_noemie(c_text(entry.date_acte));
  cell(cells, kColActe) = c_text(entry.actes);
  assign_amount(cell(cells, kColTotal), entry.montant_total, file.currency, amounts);
  assign_rate(cell(cells, kColTxAmo), entry.taux_amo);
  assign_amount(cell(cells, kColAmo), entry.montant_amo, file.currency, amounts);
  assign_rate(cell(cells, kColTxAmc), entry.taux_amc);
  assign_amount(cell(cells, kColAmc), entry.montant_amc, file.currency, amounts);
  cell(cells, kColDetail) = decode::format_info_noemie(c_text(entry.detail), kDetailCellChars);
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
  assign_lot(out, num_lot);
  return out;
}

std::string fse_cell(std::int32_t num_facture) {
  std::string out;
  assign_fse(out, num_facture);
  return out;
}

std::string rate_cell(std::int32_t rate) {
  std::string out;
  assign_rate(out, rate);
  return out;
}

std::string amount_cell(std::int64_t cents, char currency) {
  return cents == 0 ? std::string() : decode::formate_valeur(cents, currency);
}

}  // namespace noemie::viewer
