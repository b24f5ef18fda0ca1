#include "core/viewer/row_cells.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "core/decode/regime_table.h"
#include "core/text/c_text.h"
#include "core/text/cp1252.h"
#include "core/viewer/list_summary.h"

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

// The longest text of a number cell ("%d" of a 32-bit number and "%").
constexpr std::size_t kNumberMaxChars = 12;

// The most an entry's texts can take: every field at its full size, every number and amount
// at its longest.
constexpr std::size_t kEntryRowMaxBytes =
    2 * decode::kDateMaxChars +
    (sizeof(ReturnEntry::nom_assure) + sizeof(ReturnEntry::prenom_assure) +
     sizeof(ReturnEntry::immatriculation) + 4) +
    (sizeof(ReturnEntry::nom_malade) + sizeof(ReturnEntry::prenom_malade) + 4) +
    4 * kNumberMaxChars + sizeof(ReturnEntry::actes) + 3 * decode::kValeurMaxChars +
    std::min(sizeof(ReturnEntry::detail), kDetailCellChars) + sizeof(ReturnEntry::ref_virement1) +
    sizeof(ReturnEntry::ref_virement2) + sizeof(ReturnEntry::ref_virement3) +
    sizeof(ReturnEntry::texte_retour) + sizeof(ReturnEntry::date_lot) +
    sizeof(ReturnEntry::nature_assurance);

// A text field with its terminator, for a formatter that stops at the first NUL itself.
template <std::size_t N>
std::string_view whole(const std::array<char, N>& field) {
  return {field.data(), N};
}

}  // namespace

FileCells make_file_cells(const ReturnRecord& rec, std::string_view file_name,
                          std::int64_t file_time, const decode::RegimeTable& regimes) {
  FileCells file;
  file.fichier = decode::format_nom_fic(file_name, file_time);
  file.ref = decode::format_noemie_ref(rec.ref());
  file.caisse = decode::format_destinataire(rec.destinataire(), regimes);
  file.currency = rec.euro == 0 ? decode::kFrancSymbol : text::kEuro;
  return file;
}

std::size_t add_entry_row(const FileCells& file, const ReturnEntry& entry, RowBlock& block) {
  // Room for the longest row an entry can make, taken once; every text is then written
  // straight into the block.
  RowBlock::RowWriter row(block, kEntryRowMaxBytes);
  const auto amount = [&row, &file](std::int64_t cents) {
    char* p = row.text();
    row.end_text(cents == 0 ? p : decode::put_valeur(p, cents, file.currency));
  };
  const auto date = [&row](std::string_view field) {
    row.end_text(decode::put_date_noemie(row.text(), field));
  };
  const auto nom = [&row](std::string_view nom, std::string_view prenom,
                          std::string_view immatriculation) {
    row.end_text(decode::put_nom(row.text(), nom, prenom, immatriculation));
  };
  // The formatters read each field up to its first NUL themselves.
  row.put({});  // "Fichier": the file's
  row.put({});  // "Réf": the file's
  date(whole(entry.date_comptable));
  row.put({});  // "Caisse": the file's
  nom(whole(entry.nom_assure), whole(entry.prenom_assure), whole(entry.immatriculation));
  nom(whole(entry.nom_malade), whole(entry.prenom_malade), {});
  row.put(lot_cell(entry.num_lot));  // short texts: no allocation
  row.put(fse_cell(entry.num_facture));
  date(whole(entry.date_acte));
  row.put(c_text(entry.actes));
  amount(entry.montant_total);
  row.put(rate_cell(entry.taux_amo));
  amount(entry.montant_amo);
  row.put(rate_cell(entry.taux_amc));
  amount(entry.montant_amc);
  row.put(decode::info_noemie_text(whole(entry.detail), kDetailCellChars));
  // What the tooltips read, in the order of EntryDetails.
  row.put(c_text(entry.ref_virement1));
  row.put(c_text(entry.ref_virement2));
  row.put(c_text(entry.ref_virement3));
  row.put(c_text(entry.texte_retour));
  row.put(c_text(entry.date_lot));
  row.put(c_text(entry.nature_assurance));
  return row.end_row(entry.type_retour, entry.traitement_amc, entry.type_facture, entry.virement);
}

std::string transfer_reference(std::string_view ref1, std::string_view ref2,
                               std::string_view ref3) {
  std::string out;
  for (std::string_view part : {ref1, ref2, ref3}) {
    part = c_text(part);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    if (part.empty()) continue;
    if (!out.empty()) out += ' ';
    out += part;
  }
  return out;
}

std::vector<BlockTransfer> block_transfers(const ReturnRecord& rec, std::string_view file_name) {
  std::vector<BlockTransfer> transfers;
  transfers.reserve(rec.virements.size());
  for (const Virement& v : rec.virements) {
    BlockTransfer t;
    t.file_name = std::string(file_name);
    t.position = static_cast<std::int32_t>(transfers.size());
    t.date = decode::format_date_noemie(whole(v.date_comptable));
    t.reference =
        transfer_reference(whole(v.ref_virement1), whole(v.ref_virement2), whole(v.ref_virement3));
    if (v.montant_annonce) {
      t.announced = rec.euro == 0 ? centimes_to_euro_cents(*v.montant_annonce) : *v.montant_annonce;
    }
    transfers.push_back(std::move(t));
  }
  return transfers;
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
