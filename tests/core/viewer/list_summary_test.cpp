// The conversion the summary adds francs with, and the folding the find compares with.

#include <gtest/gtest.h>

#include <limits>

#include "core/viewer/list_summary.h"
#include "core/viewer/row_find.h"
#include "viewer_fixture.h"

namespace noemie::viewer {
namespace {

TEST(ListSummary, FrancsBecomeEuroCentsRoundedHalfAwayFromZero) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  const struct {
    std::int64_t centimes;
    std::int64_t cents;
  } cases[] = {
      {0, 0},
      {655957, 100000},  // 6559.57 F is 1000 € exactly
      {10000, 1524},     // 15.2449 €
      {3, 0},            // 0.457 cents
      {4, 1},            // 0.609 cents
      {-4, -1},
      {-10000, -1524},
      {kMax, 1406094002633522595},  // no overflow on the way
      {std::numeric_limits<std::int64_t>::min(), -1406094002633522595},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(centimes_to_euro_cents(c.centimes), c.cents) << c.centimes;
  }
  EXPECT_EQ(euro_text(-5), "-0.05");
  EXPECT_EQ(cell_euro_cents("100.00F"), 1524);
  EXPECT_EQ(cell_euro_cents("12.34\x80"), 1234);
}

TEST(RowFind, LetterCaseAndAccentsAreIgnored) {
  const struct {
    const char* typed;
    const char* cell;
    bool found;
  } cases[] = {
      {"helene", "MME H\xC9L\xC8NE", true},
      {"H\xC9L\xC8NE", "helene martin", true},
      {"fran\xE7ois", "FRANCOIS", true},
      {"\x9C", "C\x8CUR", true},  // œ and Œ
      {"1234", "DUPONT J (1841234567890)", true},
      {"", "", true},
      {"helenes", "HELENE", false},
      {"e", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RowFinder(c.typed).matches(c.cell), c.found) << c.typed << " in " << c.cell;
  }
}

// Each typed text, one after the other as the user refines it, shows the rows that hold it in
// any column from "Fichier" to "Détail", whether or not it holds the text typed before.
TEST(RowFind, EachColumnIsSearchedAndOnlyATextHoldingThePreviousOneNarrows) {
  testing::ViewerFixture f;
  Viewer& v = f.open();  // an empty folder: the rows below are the list's only ones
  ListControl& list = v.list();
  // Row k holds its word in column k + 1 only.
  const char* const words[kColumnCount - 1] = {
      "1  (09/01/24)", "(536)", "02/06/2025", "CP00000001",    "DUPONT MARIE", "MARTIN PAUL",
      "142",           "7",     "20/10/2025", "AMI4",          "65.00F",       "65%",
      "16.50F",        "70%",   "7.00F",      "REJET MOTIF 12"};
  for (int k = 0; k < kColumnCount - 1; ++k) {
    ListControl::Cells cells;
    for (int c = 1; c < kColumnCount; ++c) cells[static_cast<std::size_t>(c)] = "~";
    cells[static_cast<std::size_t>(k + 1)] = words[k];
    list.add_row(std::make_unique<ListRow>(), cells, 0, kNoIcon);
  }
  const auto shown = [&list] {
    std::vector<std::string> rows;
    for (int r = 0; r < list.row_count(); ++r) {
      for (int c = 1; c < kColumnCount; ++c) {
        if (list.cell(r, c) != "~") rows.emplace_back(list.cell(r, c));
      }
    }
    return rows;
  };
  using Rows = std::vector<std::string>;
  const struct {
    const char* typed;
    Rows rows;
  } steps[] = {
      {"motif", {"REJET MOTIF 12"}},  // the last column
      {"(09/", {"1  (09/01/24)"}},    // the first
      {"du", {"DUPONT MARIE"}},
      {"mart", {"MARTIN PAUL"}},  // longer, but not the same text: every row is looked at
      {"martin", {"MARTIN PAUL"}},
      {"ma", {"DUPONT MARIE", "MARTIN PAUL"}},
      {"%", {"65%", "70%"}},
      {"70%", {"70%"}},
      {"7", {"7", "70%", "7.00F"}},  // shorter: every row again
      {"", {}},
  };
  for (const auto& step : steps) {
    v.set_find_text(step.typed);
    const Rows expected = *step.typed ? step.rows : Rows(std::begin(words), std::end(words));
    EXPECT_EQ(shown(), expected) << "after typing '" << step.typed << "'";
  }
}

}  // namespace
}  // namespace noemie::viewer
