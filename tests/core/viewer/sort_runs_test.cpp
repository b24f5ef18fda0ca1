// The fill's closing sort: sorting runs of rows that share their text gives the row sort's
// order.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/decode/cell_format.h"
#include "core/viewer/file_order.h"
#include "core/viewer/list_fixture.h"
#include "core/viewer/sort.h"

namespace noemie::viewer {
namespace {

constexpr std::int64_t kDayUnits = 24LL * 3600 * 10'000'000;

// Files known before they are read go in the order of their "Fichier" texts, as a sort of the
// filled list would put them; a file's time is looked at only where its name part does not
// decide.
TEST(FileOrder, FichierTextsInByteOrderLookingAtTimesOnlyWhereNamesTie) {
  struct Case {
    std::vector<std::string> names;
    std::vector<std::int64_t> days;  // each file's time, in days from 1601
    std::vector<std::size_t> order;
    std::vector<std::size_t> times_asked;
  };
  // 22/08/22, the day before, and a month after (21/09/22).
  const std::int64_t day = 154'000, before = day - 1, later = day + 30;
  const std::vector<Case> cases = {
      // Leading zeros and the extension leave the texts: "1  (", "10  (", "2  (".
      {{"00000002.RSP", "00000010.RSP", "00000001.ARL"}, {before, before, before}, {2, 1, 0}, {}},
      // One name part: the dates decide, day first ("21/09/22" before "22/08/22").
      {{"00000007.RSP", "00000007.RSX", "7"}, {day, later, day}, {1, 0, 2}, {0, 1, 2}},
      // Same text: the order given.
      {{"3.RSP", "3.ARL"}, {before, before}, {0, 1}, {0, 1}},
      // A blank sorts before a digit; a name part holding "  (" is the beginning of another's
      // text only with its date.
      {{"1 2.RSP", "1.RSP", "1  (x.RSP"}, {before, day, before}, {1, 2, 0}, {1, 2}},
  };
  for (const Case& c : cases) {
    std::vector<std::string_view> names(c.names.begin(), c.names.end());
    std::vector<std::size_t> asked;
    const std::vector<std::size_t> order = fichier_order(names, [&](std::size_t i) {
      asked.push_back(i);
      return c.days[i] * kDayUnits;
    });
    EXPECT_EQ(order, c.order) << c.names[0];
    std::sort(asked.begin(), asked.end());
    asked.erase(std::unique(asked.begin(), asked.end()), asked.end());
    EXPECT_EQ(asked, c.times_asked) << c.names[0];
    // The same order as the texts themselves sorted.
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < names.size(); ++i) {
      texts.push_back(decode::format_nom_fic(names[i], c.days[i] * kDayUnits));
    }
    std::vector<std::size_t> by_text = order;
    std::stable_sort(by_text.begin(), by_text.end(),
                     [&](std::size_t a, std::size_t b) { return texts[a] < texts[b]; });
    EXPECT_EQ(by_text, order) << c.names[0];
  }
}

std::vector<std::int32_t> entries_in_order(const ListControl& list) {
  std::vector<std::int32_t> out;
  for (int r = 0; r < list.row_count(); ++r)
    out.push_back(std::stoi(std::string(list.cell(r, kColLot))));
  return out;
}

TEST(SortRuns, SameOrderAsTheRowSort) {
  const char* texts[] = {
      "12  (01/01/24)", "5  (01/01/24)", "5  (02/01/24)", "", "\xC9t\xE9", "5  (01/01/24)", "a",
      "12  (01/01/24)"};
  std::mt19937 rng(3);
  for (int round = 0; round < 200; ++round) {
    ListControl by_rows, by_runs;
    std::vector<std::int32_t> starts;
    int id = 0;
    for (int run = std::uniform_int_distribution<int>(0, 12)(rng); run > 0; --run) {
      const char* text = texts[std::uniform_int_distribution<int>(0, 7)(rng)];
      starts.push_back(by_runs.row_count());
      for (int n = std::uniform_int_distribution<int>(1, 4)(rng); n > 0; --n, ++id) {
        for (ListControl* list : {&by_rows, &by_runs}) {
          testing::add_row(*list, {{kColFichier, text}, {kColLot, std::to_string(id)}});
        }
      }
    }
    sort_rows(by_rows, kColFichier);
    sort_runs(by_runs, kColFichier, starts);
    ASSERT_EQ(entries_in_order(by_runs), entries_in_order(by_rows)) << "round " << round;
    for (int r = 0; r < by_runs.row_count(); ++r) EXPECT_EQ(by_runs.row_data(r).row_index, r);
  }
}

TEST(SortRuns, TextSortMatchesAPlainStableSort) {
  // Texts that share long beginnings, of every length around eight bytes, high bytes included.
  const std::string pieces[] = {"", "a", "DUPONT J", "DUPONT JEAN", "\xC9", "DUPONT", " ", "z"};
  std::mt19937 rng(11);
  for (int round = 0; round < 200; ++round) {
    ListControl list;
    std::vector<std::pair<std::string, int>> expected;
    const int rows = std::uniform_int_distribution<int>(0, 80)(rng);
    for (int i = 0; i < rows; ++i) {
      std::string text;
      for (int n = std::uniform_int_distribution<int>(0, 3)(rng); n > 0; --n) {
        text += pieces[std::uniform_int_distribution<int>(0, 7)(rng)];
      }
      testing::add_row(list, {{kColAssure, text}, {kColLot, std::to_string(i)}});
      expected.emplace_back(text, i);
    }
    std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
      return std::lexicographical_compare(
          a.first.begin(), a.first.end(), b.first.begin(), b.first.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
          });
    });
    sort_rows(list, kColAssure);
    for (int r = 0; r < rows; ++r) {
      ASSERT_EQ(list.cell(r, kColLot), std::to_string(expected[static_cast<std::size_t>(r)].second))
          << "round " << round << " row " << r;
    }
  }
}

// Runs added whole, as a fill adds the rows of a file, each with its icons: a row selected or
// given another icon since goes to its new place with them.
TEST(SortRuns, RowsKeepTheirIconsAndSelection) {
  struct Case {
    const char* what;
    int selected_row;  // -1: none
    int changed_icon_row;
  };
  const Case cases[] = {{"untouched", -1, -1}, {"a row selected", 4, -1}, {"an icon set", -1, 1}};
  for (const Case& c : cases) {
    ListControl list;
    std::vector<std::int32_t> starts;
    const char* texts[] = {"c", "a", "b", "a"};  // run k holds k + 1 rows
    int id = 0;
    for (int run = 0; run < 4; ++run) {
      auto block = std::make_shared<RowBlock>();
      for (int n = 0; n <= run; ++n, ++id) {
        RowBlock::Cells cells;
        cells[kColFichier] = texts[run];
        cells[kColLot] = std::to_string(id);
        block->add_row(cells, {});
      }
      starts.push_back(list.row_count());
      list.add_rows(block, run, 10 + run);
    }
    if (c.selected_row >= 0) list.set_selected(c.selected_row, true);
    if (c.changed_icon_row >= 0) list.set_icon(c.changed_icon_row, kColTraite, 7);
    sort_runs(list, kColFichier, starts);
    const std::vector<std::int32_t> ids = {1, 2, 6, 7, 8, 9, 3, 4, 5, 0};
    ASSERT_EQ(entries_in_order(list), ids) << c.what;
    const int run_of[] = {0, 1, 1, 2, 2, 2, 3, 3, 3, 3};
    for (int r = 0; r < list.row_count(); ++r) {
      const int was = ids[static_cast<std::size_t>(r)];
      const int run = run_of[was];
      EXPECT_EQ(list.icon(r, kColTraite), was == c.changed_icon_row ? 7 : run) << c.what;
      EXPECT_EQ(list.icon(r, kColRef), 10 + run) << c.what;
      EXPECT_EQ(list.selected(r), was == c.selected_row) << c.what;
      EXPECT_EQ(list.row_data(r).row_index, r) << c.what;
    }
  }
}

TEST(SortRuns, BadRunsFallBackOnTheRowSort) {
  const std::vector<std::vector<std::int32_t>> bad = {{}, {1}, {0, 0}, {0, 2, 1}, {0, 9}};
  for (const auto& starts : bad) {
    ListControl list;
    for (const char* text : {"b", "a", "c"}) testing::add_row(list, {{kColFichier, text}});
    sort_runs(list, kColFichier, starts);
    EXPECT_EQ(list.cell(0, kColFichier), "a");
    EXPECT_EQ(list.cell(2, kColFichier), "c");
  }
}

}  // namespace
}  // namespace noemie::viewer
