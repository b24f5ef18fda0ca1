#pragma once
// Matching a bank statement's credits with the transfer list: each credit goes to at most one
// transfer, and each transfer takes at most one credit.

#include <cstddef>
#include <vector>

#include "core/bank/bank_statement.h"
#include "core/viewer/transfer_list.h"

namespace noemie::viewer {

// Days after its accounting date within which a transfer may reach the bank.
inline constexpr int kTransferDaysToBank = 10;

struct StatementMatch {
  // For each transfer line, the index of its credit in the statement, or -1.
  std::vector<int> credit_of_line;
  // The credits that matched no transfer, as indexes in the statement, in its order.
  std::vector<std::size_t> unmatched;
};

// A credit matches a transfer whose amount is the same in cents (its announced total, else its
// Total) and whose accounting date lies 0 to kTransferDaysToBank days before the credit's.
// Credits are taken in date order (then in the statement's order); among several transfers a
// credit matches, it takes one whose reference appears in its text (letter case, accents and
// repeated blanks aside) before one whose does not, then the one of the earliest date, then
// the first in the list.
StatementMatch match_statement(const std::vector<TransferLine>& lines,
                               const std::vector<bank::BankCredit>& credits);

}  // namespace noemie::viewer
