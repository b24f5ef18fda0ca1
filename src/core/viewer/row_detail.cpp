#include "core/viewer/row_detail.h"

#include <limits>

#include "core/decode/amount_conversion.h"
#include "core/decode/fund_directory.h"
#include "core/decode/message_explanation.h"
#include "core/decode/row_reference.h"
#include "core/store/flag_store.h"
#include "core/text/c_text.h"

namespace noemie::viewer {
namespace {

// The characters of `cell` at [from, from + length), positions before 0 or past the end left
// out.
std::string_view chars_at(std::string_view cell, long long from, long long length) {
  long long end = from + length;
  if (from < 0) from = 0;
  const auto size = static_cast<long long>(cell.size());
  if (end > size) end = size;
  if (from >= end) return {};
  return cell.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(end - from));
}

// A plain decimal conversion: leading blanks, an optional sign, then digits; the value stops
// at the first other character. Saturates instead of overflowing.
int plain_integer(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    value = value * 10 + (s[i] - '0');
    if (value > std::numeric_limits<int>::max()) value = std::numeric_limits<int>::max();
  }
  return static_cast<int>(negative ? -value : value);
}

bool is_amount_column(int column) {
  return column == kColTotal || column == kColAmo || column == kColAmc;
}

}  // namespace

FundNumbers caisse_cell_numbers(std::string_view caisse_cell) {
  const std::string_view cell = text::first_chars(text::c_text(caisse_cell), kCellReadChars);
  const auto n = static_cast<long long>(cell.size());
  return {plain_integer(chars_at(cell, n - 10, 2)), plain_integer(chars_at(cell, n - 7, 3)),
          plain_integer(chars_at(cell, n - 3, 3))};
}

std::optional<DetailBox> detail_box(const ListControl& list, int row, int column,
                                    const FundDirectory& funds) {
  if (row < 0 || row >= list.row_count()) return std::nullopt;
  const std::string_view cell = list.cell(row, column, kCellReadChars);
  using platform::MessageIcon;
  switch (column) {
    case kColRef: {
      std::string text = decode::get_type_ref(cell);
      if (text.empty()) return std::nullopt;
      return DetailBox{std::move(text), std::string(kRefBoxCaption), MessageIcon::None};
    }
    case kColCaisse: {
      const FundNumbers numbers = caisse_cell_numbers(cell);
      return DetailBox{decode::get_nom_caisse(funds.path, numbers.regime, numbers.caisse,
                                              numbers.centre, funds.create_if_missing),
                       std::string(kFundBoxCaption), MessageIcon::Information};
    }
    case kColDetail:
      return DetailBox{decode::message_explanation_text(cell), std::string(kMessageBoxCaption),
                       MessageIcon::None};
    default:
      break;
  }
  if (is_amount_column(column) && !cell.empty()) {
    return DetailBox{decode::amount_conversion_text(cell, false),
                     std::string(kConversionBoxCaption), MessageIcon::Information};
  }
  return std::nullopt;
}

bool step_processed_state(ListControl& list, store::FlagStore& flags, int row) {
  if (row < 0 || row >= list.row_count()) return false;
  const int icon = list.icon(row, kColTraite);
  const bool processed_icon = icon >= store::kStateIconBase && icon <= store::kStateIconBase + 3;
  if (!processed_icon || decode::get_type_ref_(list.cell(row, kColRef, kCellReadChars)) != 'R') {
    return false;
  }
  const std::uint64_t number = store::file_number(list.cell(row, kColFichier, kCellReadChars));
  const int new_icon = store::kStateIconBase + flags.rsp_traite_set(number);
  // Every row of that file number follows, whatever its extension or its icon, shown or not.
  for (int r = 0; r < list.all_row_count(); ++r) {
    const std::string_view fichier =
        text::first_chars(list.all_cell(r, kColFichier), kCellReadChars);
    if (store::file_number(fichier) != number) continue;
    if (list.all_icon(r, kColTraite) != new_icon) list.set_all_icon(r, kColTraite, new_icon);
  }
  return true;
}

}  // namespace noemie::viewer
