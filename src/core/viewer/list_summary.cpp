#include "core/viewer/list_summary.h"

#include <cstdlib>
#include <unordered_set>

#include "core/decode/amount_conversion.h"
#include "core/decode/reference_table.h"
#include "core/decode/row_reference.h"
#include "core/text/cp1252.h"

namespace noemie::viewer {
namespace {

// 6.55957 francs to the euro, as a ratio of integers.
constexpr std::int64_t kRateNumerator = 655957;
constexpr std::int64_t kRateDenominator = 100000;

std::string counted(int count, std::string_view one) {
  std::string text = std::to_string(count) + ' ' + std::string(one);
  if (count > 1) text += 's';
  return text;
}

}  // namespace

std::int64_t centimes_to_euro_cents(std::int64_t centimes) {
  // The magnitude, in unsigned arithmetic so that the most negative amount has one too.
  const std::uint64_t magnitude = centimes < 0 ? 0 - static_cast<std::uint64_t>(centimes)
                                               : static_cast<std::uint64_t>(centimes);
  const auto num = static_cast<std::uint64_t>(kRateNumerator);
  const auto den = static_cast<std::uint64_t>(kRateDenominator);
  // magnitude * den / num, split so that nothing overflows: the quotient and the remainder.
  const std::uint64_t whole = magnitude / num * den;
  const std::uint64_t rest = magnitude % num * den;  // < num * den
  // Half away from zero: add half the divisor before dividing.
  const std::uint64_t cents = whole + (2 * rest + num) / (2 * num);
  const auto value = static_cast<std::int64_t>(cents);
  return centimes < 0 ? -value : value;
}

std::int64_t cell_euro_cents(std::string_view cell) {
  if (cell.empty()) return 0;
  const decode::CellAmount amount = decode::read_cell_amount(cell);
  return amount.francs ? centimes_to_euro_cents(amount.cents) : amount.cents;
}

ListSummary summarize(const ListControl& list) {
  ListSummary s;
  s.rows = list.row_count();
  std::unordered_set<std::uint32_t> files;
  for (int r = 0; r < s.rows; ++r) {
    files.insert(list.row_file(r));
    switch (decode::reference_category(decode::ref_cell_number(list.cell(r, kColRef)))) {
      case 1:
        ++s.payments;
        break;
      case 2:
        ++s.rejections;
        break;
      case 3:
        ++s.others;
        break;
      default:
        break;
    }
    s.total += cell_euro_cents(list.cell(r, kColTotal));
    s.amo += cell_euro_cents(list.cell(r, kColAmo));
    s.amc += cell_euro_cents(list.cell(r, kColAmc));
  }
  s.files = static_cast<int>(files.size());
  return s;
}

std::string euro_text(std::int64_t cents) {
  const std::uint64_t magnitude =
      cents < 0 ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
  std::string text = cents < 0 ? "-" : "";
  text += std::to_string(magnitude / 100);
  text += '.';
  text += static_cast<char>('0' + magnitude % 100 / 10);
  text += static_cast<char>('0' + magnitude % 10);
  return text;
}

std::string summary_lines(const ListSummary& s) {
  return "lignes " + std::to_string(s.rows) + "\nfichiers " + std::to_string(s.files) +
         "\npaiements " + std::to_string(s.payments) + "\nrejets " + std::to_string(s.rejections) +
         "\nautres " + std::to_string(s.others) + "\ntotal " + euro_text(s.total) + "\namo " +
         euro_text(s.amo) + "\namc " + euro_text(s.amc) + "\n";
}

std::string summary_status_text(const ListSummary& s) {
  const std::string euro(1, text::kEuro);
  return counted(s.rows, "ligne") + ", " + counted(s.files, "fichier") + " : " +
         counted(s.payments, "paiement") + ", " + counted(s.rejections, "rejet") + ", " +
         counted(s.others, "autre") + " - Total " + euro_text(s.total) + ' ' + euro + " - AMO " +
         euro_text(s.amo) + ' ' + euro + " - AMC " + euro_text(s.amc) + ' ' + euro;
}

}  // namespace noemie::viewer
