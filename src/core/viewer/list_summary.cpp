#include "core/viewer/list_summary.h"

#include <cstdlib>
#include <vector>

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

ListSummary& ListSummary::operator+=(const ListSummary& other) {
  rows += other.rows;
  files += other.files;
  payments += other.payments;
  rejections += other.rejections;
  others += other.others;
  total += other.total;
  amo += other.amo;
  amc += other.amc;
  return *this;
}

namespace {

// Adds rows to a summary, but for the count of rows and files. The rows of one file share
// their "Réf" text: its category is worked out again only when the text is another.
class RowCounter {
 public:
  explicit RowCounter(ListSummary& summary) : s_(summary) {}

  template <typename Cell>
  void add(const Cell& cell) {
    const std::string_view ref = cell(kColRef);
    if (!known_ || ref.data() != ref_.data() || ref.size() != ref_.size()) {
      ref_ = ref;
      known_ = true;
      category_ = decode::reference_category(decode::ref_cell_number(ref));
    }
    switch (category_) {
      case 1:
        ++s_.payments;
        break;
      case 2:
        ++s_.rejections;
        break;
      case 3:
        ++s_.others;
        break;
      default:
        break;
    }
    s_.total += cell_euro_cents(cell(kColTotal));
    s_.amo += cell_euro_cents(cell(kColAmo));
    s_.amc += cell_euro_cents(cell(kColAmc));
  }

 private:
  ListSummary& s_;
  std::string_view ref_;
  bool known_ = false;
  int category_ = 0;
};

}  // namespace

ListSummary summarize(const ListControl& list) {
  ListSummary s;
  s.rows = list.row_count();
  RowCounter counter(s);
  // The files seen, by the number the list gives each (numbered from 0 as they were added).
  std::vector<bool> seen_files;
  for (int r = 0; r < s.rows; ++r) {
    const std::uint32_t file = list.row_file(r);
    if (file >= seen_files.size()) seen_files.resize(file + 1);
    if (!seen_files[file]) {
      seen_files[file] = true;
      ++s.files;
    }
    counter.add([&](int column) { return list.cell(r, column); });
  }
  return s;
}

ListSummary summarize_block(const RowBlock& block) {
  ListSummary s;
  s.rows = static_cast<int>(block.row_count());
  s.files = s.rows > 0 ? 1 : 0;
  RowCounter counter(s);
  for (std::size_t r = 0; r < block.row_count(); ++r) {
    counter.add([&](int column) { return block.cell(r, column); });
  }
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
