// The tooltip texts of the list's cells.

#include "core/decode/amount_conversion.h"
#include "core/decode/cell_format.h"
#include "core/decode/codes.h"
#include "core/decode/fund_directory.h"
#include "core/decode/message_explanation.h"
#include "core/decode/row_reference.h"
#include "core/text/c_text.h"
#include "core/viewer/row_detail.h"

namespace noemie::viewer {
namespace {

using text::c_text;

// "-REF Virement-" and the three lines of the bank-transfer reference, when one is given.
std::string virement_text(const EntryDetails& entry) {
  const std::string_view ref1 = entry.ref_virement1;
  const std::string_view ref2 = entry.ref_virement2;
  const std::string_view ref3 = entry.ref_virement3;
  if (ref1.empty() && ref2.empty() && ref3.empty()) return {};
  std::string text = "-REF Virement-\r\n";
  text += ref1;
  text += "\r\n";
  text += ref2;
  text += "\r\n";
  text += ref3;
  return text;
}

// The batch date, then the invoice type on a line of its own.
std::string lot_text(const EntryDetails& entry) {
  std::string text;
  const std::string_view date_lot = entry.date_lot;
  if (!date_lot.empty() && date_lot != "000000") text = decode::format_date_noemie(date_lot);
  if (entry.type_facture != 0) {
    text += "\r\n";
    text += decode::type_facture_to_str(entry.type_facture);
  }
  return text;
}

std::string amo_text(std::string_view cell, const EntryDetails& entry) {
  std::string text = decode::amount_conversion_text(cell, true);
  if (entry.traitement_amc != 0) {
    text += "\r\nTraitement de la part AMC par l'AMO:\r\n";
    text += decode::part_amo_traitement_to_str(entry.traitement_amc);
    text += "\r\nNature d'assurance:";
    text += entry.nature_assurance;
  }
  return text;
}

std::string ref_text(std::string_view cell, const EntryDetails& entry) {
  std::string text = decode::get_type_ref(cell);
  if (entry.type_retour != 0) {
    text += "\r\n";
    text += decode::type_retour_to_str(entry.type_retour);
    text += "\r\n";
    text += entry.texte_retour;
  }
  return text;
}

std::string cell_text(const ListControl& list, int row, int column, const FundDirectory& funds) {
  const std::string_view cell = list.cell(row, column, kCellReadChars);
  const EntryDetails entry = list.details(row);
  switch (column) {
    case kColRef:
      return ref_text(cell, entry);
    case kColDateComptable:
      return virement_text(entry);
    case kColCaisse: {
      const FundNumbers numbers = caisse_cell_numbers(cell);
      return decode::get_nom_caisse(funds.path, numbers.regime, numbers.caisse, numbers.centre,
                                    funds.create_if_missing);
    }
    case kColLot:
      return lot_text(entry);
    case kColTotal:
    case kColAmc:
      return decode::amount_conversion_text(cell, true);
    case kColAmo:
      return amo_text(cell, entry);
    case kColDetail:
      return decode::message_explanation_text(cell);
    default:
      return {};
  }
}

}  // namespace

std::string tooltip_text(const ListControl& list, int row, int column, const FundDirectory& funds) {
  if (row < 0 || row >= list.row_count()) return {};
  std::string text = cell_text(list, row, column, funds);
  // The tip holds what fits in its 500-character buffer, and ends at a NUL like any text.
  text.resize(text::first_chars(c_text(text), kTooltipMaxChars).size());
  return text;
}

}  // namespace noemie::viewer
