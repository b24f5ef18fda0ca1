#pragma once
// The summary of the rows a list shows: how many, from how many return files, how many the
// "Paiements", "Rejets" and "Autres" filters would keep, and the sums of the "Total", "AMO"
// and "AMC" cells in euros. It is worked out from the cells as the list shows them.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/viewer/list_control.h"

namespace noemie::viewer {

struct ListSummary {
  int rows = 0;
  int files = 0;           // distinct return files among the rows
  int payments = 0;        // rows whose reference is a payment one ("Paiements")
  int rejections = 0;      // "Rejets"
  int others = 0;          // "Autres"; acknowledgements (930) are in none of the three
  std::int64_t total = 0;  // euro cents of the "Total" cells
  std::int64_t amo = 0;    // of the "AMO" cells
  std::int64_t amc = 0;    // of the "AMC" cells
  bool operator==(const ListSummary&) const = default;

  // Adds the rows of `other`, taken as rows of other files.
  ListSummary& operator+=(const ListSummary& other);
};

// Euro cents of an amount in francs (centimes) at 6.55957 francs to the euro, rounded to the
// nearest cent, half away from zero. Exact for every 64-bit amount.
std::int64_t centimes_to_euro_cents(std::int64_t centimes);

// Euro cents of an amount cell ("12.34F" converted, "12.34€" as it is); 0 for an empty cell.
std::int64_t cell_euro_cents(std::string_view cell);

// The summary of the rows `list` shows.
ListSummary summarize(const ListControl& list);
// The summary of every row of `block`, taken as the rows of one file (none when it has none).
ListSummary summarize_block(const RowBlock& block);

// Cents as "-12.34" (two decimals, a point).
std::string euro_text(std::int64_t cents);

// The eight lines of the summary command ("lignes 16\n" ... "amc 79.35\n").
std::string summary_lines(const ListSummary& summary);

// The window's status line (Windows-1252): "16 lignes, 8 fichiers : 9 paiements, 4 rejets,
// 3 autres - Total 246.52 € - AMO 312.40 € - AMC 79.35 €".
std::string summary_status_text(const ListSummary& summary);

}  // namespace noemie::viewer
