#include "core/viewer/transfer_match.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include "core/bank/statement_text.h"
#include "core/viewer/row_find.h"

namespace noemie::viewer {
namespace {

// A text with letter case and accents dropped and every run of blanks made one blank.
std::string comparable(std::string_view text) {
  std::string out;
  for (const char c : fold_text(text)) {
    const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\xA0';
    if (blank) {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

}  // namespace

StatementMatch match_statement(const std::vector<TransferLine>& lines,
                               const std::vector<bank::BankCredit>& credits) {
  StatementMatch match;
  match.credit_of_line.assign(lines.size(), -1);
  std::vector<std::optional<std::int32_t>> days;
  std::vector<std::string> references;
  for (const TransferLine& line : lines) {
    const auto date = bank::parse_statement_date(line.date);
    days.push_back(date ? std::optional<std::int32_t>(date->day) : std::nullopt);
    references.push_back(comparable(line.reference));
  }
  std::vector<std::size_t> order(credits.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return credits[a].day < credits[b].day; });
  std::vector<bool> matched(credits.size(), false);
  for (const std::size_t c : order) {
    const bank::BankCredit& credit = credits[c];
    const std::string text = comparable(credit.text);
    std::optional<std::size_t> best;
    bool best_named = false;
    for (std::size_t l = 0; l < lines.size(); ++l) {
      if (match.credit_of_line[l] >= 0 || !days[l]) continue;
      const std::int64_t amount = lines[l].announced.value_or(lines[l].total);
      const std::int32_t late = credit.day - *days[l];
      if (amount != credit.cents || late < 0 || late > kTransferDaysToBank) continue;
      const bool named = !references[l].empty() && text.find(references[l]) != std::string::npos;
      if (!best || (named && !best_named) || (named == best_named && *days[l] < *days[*best])) {
        best = l;
        best_named = named;
      }
    }
    if (best) {
      match.credit_of_line[*best] = static_cast<int>(c);
      matched[c] = true;
    }
  }
  for (std::size_t c = 0; c < credits.size(); ++c) {
    if (!matched[c]) match.unmatched.push_back(c);
  }
  return match;
}

}  // namespace noemie::viewer
