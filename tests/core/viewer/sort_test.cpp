#include "core/viewer/sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/text/cp1252.h"
#include "core/viewer/list_fixture.h"

namespace noemie::viewer {
namespace {

using testing::add_row;

// Sorts rows holding `cells` in `column` and returns the cells in their new order.
std::vector<std::string> sorted(int column, const std::vector<std::string>& cells) {
  ListControl list;
  for (const auto& c : cells) add_row(list, {{column, c}});
  sort_colonne(list, column);
  std::vector<std::string> out;
  for (int r = 0; r < list.row_count(); ++r) {
    EXPECT_EQ(list.row_data(r).row_index, r);
    out.emplace_back(list.cell(r, column));
  }
  return out;
}

struct SortCase {
  const char* name;
  int column;
  std::vector<std::string> input;
  std::vector<std::string> expected;
};

TEST(Sort, EachColumnKindOrdersAsDisplayed) {
  const std::string euro(1, text::kEuro);
  const SortCase cases[] = {
      {"references",
       kColRef,
       {"(930)", "x(534)", "(900)", "(531)"},
       {"(531)", "x(534)", "(900)", "(930)"}},
      {"batch dash first", kColLot, {"12", "-", "3", "-"}, {"-", "-", "3", "12"}},
      {"empty invoice first", kColFse, {"123456789", "", "42"}, {"", "42", "123456789"}},
      {"rates", kColTxAmo, {"100%", "65%", ""}, {"", "65%", "100%"}},
      {"francs before close euros",
       kColTotal,
       {"12.20" + euro, "80.00F", ""},
       {"", "80.00F", "12.20" + euro}},
      {"negative amount first",
       kColAmo,
       {"1.00F", "-17.55F", "0.05F"},
       {"-17.55F", "0.05F", "1.00F"}},
      {"dates in calendar order",
       kColDateActe,
       {"01/01/2004", "31/12/2003", "", "02/01/2004", "01/02/2003"},
       {"", "01/02/2003", "31/12/2003", "01/01/2004", "02/01/2004"}},
      {"text is byte order",
       kColAssure,
       {"\xC9TIENNE", "Dupont", "DUPONT"},
       {"DUPONT", "Dupont", "\xC9TIENNE"}},
      {"prefix first", kColDetail, {"abc", "ab", "b"}, {"ab", "abc", "b"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sorted(c.column, c.input), c.expected) << c.name;
  }
}

TEST(Sort, EqualKeysKeepTheirOrder) {
  ListControl list;
  add_row(list, {{kColFichier, "2"}, {kColLot, "-"}});
  add_row(list, {{kColFichier, "1"}, {kColLot, "7"}});
  add_row(list, {{kColFichier, "3"}, {kColLot, "0"}});  // "0" and "-" both key 0
  sort_colonne(list, kColLot);
  EXPECT_EQ(list.cell(0, kColFichier), "2");
  EXPECT_EQ(list.cell(1, kColFichier), "3");
  EXPECT_EQ(list.cell(2, kColFichier), "1");
}

TEST(Sort, SameHeaderTwiceNeverFlipsOrder) {
  const std::vector<std::string> in = {"b", "c", "a"};
  ListControl list;
  for (const auto& c : in) add_row(list, {{kColMalade, c}});
  sort_colonne(list, kColMalade);
  sort_colonne(list, kColMalade);
  EXPECT_EQ(list.cell(0, kColMalade), "a");
  EXPECT_EQ(list.cell(2, kColMalade), "c");
}

TEST(Sort, StateColumnHasNoTextSoOrderStays) {
  EXPECT_EQ(sort_kind_of(kColTraite), SortKind::Text);
  EXPECT_EQ(sort_kind_of(-1), SortKind::Text);
  EXPECT_EQ(sort_kind_of(17), SortKind::Text);
  ListControl list;
  add_row(list, {{kColFichier, "z"}}, 7);
  add_row(list, {{kColFichier, "a"}}, 6);
  sort_colonne(list, kColTraite);
  EXPECT_EQ(list.cell(0, kColFichier), "z");
}

TEST(Sort, OnlyTheReadPrefixOfALongCellCounts) {
  // Two texts equal in their first 259 characters compare equal: stable order decides.
  const std::string common(259, 'a');
  ListControl list;
  add_row(list, {{kColDetail, common + "z"}, {kColFichier, "1"}});
  add_row(list, {{kColDetail, common + "b"}, {kColFichier, "2"}});
  sort_colonne(list, kColDetail);
  EXPECT_EQ(list.cell(0, kColFichier), "1");
}

struct KeyCase {
  std::string cell;
  long long key;
};

TEST(SortKeys, NumberKey) {
  const KeyCase cases[] = {{"(531)", 531}, {"x(534)", 534},
                           {"65%", 65},    {"-", 0},
                           {"", 0},        {"-42", 42},
                           {"12a34", 12},  {"99999999999999999999999", 9223372036854775807LL}};
  for (const auto& c : cases) EXPECT_EQ(number_key(c.cell), c.key) << c.cell;
}

TEST(SortKeys, DateKey) {
  EXPECT_EQ(date_key(""), 0);
  EXPECT_EQ(date_key("31/12/2003"), 31 + 31 * 12 + 372 * 2003);
  EXPECT_LT(date_key("31/12/2003"), date_key("01/01/2004"));
  EXPECT_LT(date_key("28/02/2004"), date_key("01/03/2004"));
  // A short text reads NUL past its end instead of running off the cell.
  EXPECT_EQ(date_key("1"),
            ('1' - '0') * 10 + (0 - '0') + 31 * ((0 - '0') * 11) + 372 * ((0 - '0') * 1111));
}

TEST(SortKeys, AmountKey) {
  const std::string euro(1, text::kEuro);
  EXPECT_DOUBLE_EQ(amount_key("80.00F"), 80.0);
  EXPECT_DOUBLE_EQ(amount_key("12.20" + euro), 12.20 * 6.55957);
  EXPECT_DOUBLE_EQ(amount_key(""), 0.0);
  EXPECT_DOUBLE_EQ(amount_key("F"), 0.0);
  EXPECT_DOUBLE_EQ(amount_key("abcF"), 0.0);
  EXPECT_DOUBLE_EQ(amount_key(" -3.5F"), -3.5);
  EXPECT_DOUBLE_EQ(amount_key(".5F"), 0.5);
  EXPECT_DOUBLE_EQ(amount_key("7.F"), 7.0);
}

}  // namespace
}  // namespace noemie::viewer

namespace noemie::viewer {
namespace {

// Random cells sorted by the list agree with a plain stable sort of the same keys, for every
// column kind, and the rows travel whole; a large list too (sorted in halves on two threads).
TEST(Sort, AgreesWithAReferenceStableSortOnRandomCells) {
  std::mt19937 rng(7);
  const std::string alphabet = std::string("aAbB ()-/.%F0123456789") + text::kEuro + "\xE9\xC9";
  auto random_text = [&](int max_len) {
    std::string s;
    const int len = std::uniform_int_distribution<int>(0, max_len)(rng);
    for (int i = 0; i < len; ++i) {
      s += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
    }
    return s;
  };
  for (const auto& [column, count] : {std::pair{kColFichier, 300},
                                      {kColRef, 300},
                                      {kColDateActe, 300},
                                      {kColTotal, 300},
                                      {kColDetail, 300},
                                      {kColAssure, 70000},
                                      {kColRef, 70000},
                                      {kColAmo, 70000}}) {
    ListControl list;
    std::vector<std::pair<std::string, std::string>> rows;  // (cell, identity)
    for (int r = 0; r < count; ++r) {
      const std::string cell = random_text(column == kColDateActe ? 10 : 12);
      rows.emplace_back(cell, std::to_string(r));
      add_row(list, {{column, cell}, {kColMalade, std::to_string(r)}});
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
      switch (sort_kind_of(column)) {
        case SortKind::Number:
          return number_key(a.first) < number_key(b.first);
        case SortKind::Date:
          return date_key(a.first) < date_key(b.first);
        case SortKind::Amount:
          return amount_key(a.first) < amount_key(b.first);
        case SortKind::Text:
          break;
      }
      return std::lexicographical_compare(
          a.first.begin(), a.first.end(), b.first.begin(), b.first.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
          });
    });
    sort_colonne(list, column);
    for (int r = 0; r < list.row_count(); ++r) {
      ASSERT_EQ(list.cell(r, column), rows[static_cast<std::size_t>(r)].first) << column;
      ASSERT_EQ(list.cell(r, kColMalade), rows[static_cast<std::size_t>(r)].second) << column;
      ASSERT_EQ(list.row_data(r).row_index, r);
    }
  }
}

}  // namespace
}  // namespace noemie::viewer

namespace noemie::viewer {
namespace {

// Texts that share long beginnings and end on either side of every 8-byte boundary sort in
// plain byte order, equal ones in row order.
TEST(Sort, LongSharedBeginningsSortInByteOrder) {
  std::mt19937 rng(11);
  const std::string stem = "LOT EN DOUBLE ***** message ";
  ListControl list;
  std::vector<std::pair<std::string, int>> expected;
  for (int r = 0; r < 2000; ++r) {
    std::string text = stem.substr(0, std::uniform_int_distribution<std::size_t>(0, 28)(rng));
    const int tail = std::uniform_int_distribution<int>(0, 3)(rng);
    for (int i = 0; i < tail; ++i) text += "ab\xE9"[std::uniform_int_distribution<int>(0, 2)(rng)];
    add_row(list, {{kColDetail, text}, {kColMalade, std::to_string(r)}});
    expected.emplace_back(text, r);
  }
  std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
    return std::lexicographical_compare(
        a.first.begin(), a.first.end(), b.first.begin(), b.first.end(), [](char x, char y) {
          return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
  });
  sort_colonne(list, kColDetail);
  for (int r = 0; r < list.row_count(); ++r) {
    ASSERT_EQ(list.cell(r, kColDetail), expected[static_cast<std::size_t>(r)].first) << r;
    ASSERT_EQ(list.cell(r, kColMalade),
              std::to_string(expected[static_cast<std::size_t>(r)].second));
  }
}

}  // namespace
}  // namespace noemie::viewer
