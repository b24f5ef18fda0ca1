// The rows of a list on pages: which rows go on which page, wrapping, the columns shown, the
// heading, the summary and the page numbers, read back from the drawing operations.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "list_fixture.h"
#include "print/list_layout.h"
#include "print/text_metrics.h"

namespace noemie::testing {
namespace {

using print::Document;
using print::Page;
using print::TextRun;

// The bottom of the room for rows: above the foot's line and its gap.
constexpr double kRowBottom =
    print::kPageHeight - print::kMargin - print::line_height(print::kHeadingSize) - 4;

std::vector<TextRun> runs(const Page& page) {
  std::vector<TextRun> out;
  for (const auto& op : page.operations) {
    if (const auto* t = std::get_if<TextRun>(&op)) out.push_back(*t);
  }
  return out;
}

std::vector<print::Line> lines(const Page& page) {
  std::vector<print::Line> out;
  for (const auto& op : page.operations) {
    if (const auto* l = std::get_if<print::Line>(&op)) out.push_back(*l);
  }
  return out;
}

bool shows(const Page& page, const std::string& text) {
  const auto all = runs(page);
  return std::any_of(all.begin(), all.end(), [&](const TextRun& t) { return t.text == text; });
}

// The texts of the runs of `page` that start with `prefix`, in order.
std::vector<std::string> texts_from(const Page& page, const std::string& prefix) {
  std::vector<std::string> out;
  for (const TextRun& t : runs(page)) {
    if (t.text.rfind(prefix, 0) == 0) out.push_back(t.text);
  }
  return out;
}

struct PrintedList {
  viewer::ListControl list;
  print::PrintHeading heading{"Affichage",
                              "/srv/retours",
                              "R\xE9"
                              "f\xE9rence : Toutes",
                              "",
                              "Imprim\xE9 le 09/12/2026 \xE0 14:05",
                              "3 lignes"};

  PrintedList() {
    add_columns(list, {20, 60, 90, 70, 70, 80, 80, 60, 60, 60, 60, 60, 60, 60, 60, 60, 200});
  }
  // Rows "row 0", "row 1", ... in the "Fichier" column.
  void add_rows(int count) {
    for (int i = 0; i < count; ++i) add_row(list, {{1, "row " + std::to_string(i)}});
  }
  Document document() const { return print::lay_out_list(list, heading, "Affichage"); }
};

// The separator under the last row of a page.
double last_row_bottom(const Page& page) {
  double bottom = 0;
  for (const print::Line& l : lines(page)) {
    if (l.grey != 0) bottom = std::max(bottom, l.y1);
  }
  return bottom;
}

TEST(ListLayout, RowsFillEachPageInOrderAndEveryFootCountsThePages) {
  for (const int rows : {0, 1, 45, 120}) {
    PrintedList p;
    p.add_rows(rows);
    const Document doc = p.document();
    const std::size_t pages = doc.pages.size();
    int next = 0;
    for (std::size_t n = 0; n < pages; ++n) {
      const Page& page = doc.pages[n];
      EXPECT_TRUE(shows(page, "page " + std::to_string(n + 1) + " / " + std::to_string(pages)))
          << rows << " rows, page " << n + 1;
      // The titles on every page, the heading on the first only.
      EXPECT_TRUE(shows(page, "C1"));
      EXPECT_EQ(!texts_from(page, "Dossier : ").empty(), n == 0);
      for (const std::string& text : texts_from(page, "row ")) {
        EXPECT_EQ(text, "row " + std::to_string(next++));
      }
      for (const TextRun& t : runs(page)) {
        if (t.text.rfind("row ", 0) == 0) {
          EXPECT_LT(t.baseline, kRowBottom);
        }
      }
      // A page ends when the next row would pass the foot, not before.
      if (n + 1 < pages && !texts_from(doc.pages[n + 1], "row ").empty()) {
        const double bottom = last_row_bottom(page);
        EXPECT_LE(bottom, kRowBottom);
        EXPECT_GT(bottom + print::line_height(print::kCellSize) + 2 * print::kCellPadding,
                  kRowBottom);
      }
    }
    EXPECT_EQ(next, rows);
    EXPECT_EQ(pages > 1, rows > 1) << rows;
  }
}

TEST(ListLayout, ASummaryThatDoesNotFitGoesToAPageOfItsOwn) {
  bool seen_alone = false;
  for (int rows = 30; rows < 100; ++rows) {
    PrintedList p;
    p.add_rows(rows);
    const Document doc = p.document();
    const Page& last = doc.pages.back();
    for (std::size_t n = 0; n + 1 < doc.pages.size(); ++n)
      EXPECT_FALSE(shows(doc.pages[n], "3 lignes"));
    ASSERT_TRUE(shows(last, "3 lignes")) << rows;
    // Never below the room for rows: its line (from the top of the line to its baseline, 0.83
    // of the size; 1.15 in all) ends above the foot.
    EXPECT_LE(texts_from(last, "3 lignes").size(), 1u);
    for (const TextRun& t : runs(last)) {
      if (t.text == "3 lignes") {
        EXPECT_LE(t.baseline + 0.32 * t.size, kRowBottom + 1e-9) << rows;
      }
    }
    if (!texts_from(last, "row ").empty()) continue;
    // Alone only when it would not fit under the last row.
    seen_alone = true;
    const Page& before = doc.pages[doc.pages.size() - 2];
    EXPECT_GT(last_row_bottom(before) + 3 + print::line_height(print::kHeadingSize), kRowBottom);
  }
  EXPECT_TRUE(seen_alone);
}

TEST(ListLayout, ALongCellWrapsBetweenWordsAndGrowsItsRow) {
  struct Case {
    int column;
    std::string text;
  };
  const std::string words =
      "REJET DE LA FACTURE POUR CAUSE DE DROITS NON OUVERTS A LA DATE "
      "DES SOINS MERCI DE VERIFIER LA CARTE DU PATIENT";
  const Case cases[] = {
      {16, words},
      {5, "DUPONT-DURAND-LEFEBVRE MARIE-HELENE"},
      // A word wider than its column breaks inside.
      {16, std::string(400, 'X')},
  };
  for (const Case& c : cases) {
    PrintedList p;
    add_row(p.list, {{1, "short"}, {c.column, c.text}});
    add_row(p.list, {{1, "next"}});
    const Document doc = p.document();
    const Page& page = doc.pages[0];
    std::vector<TextRun> cell;
    double next_row = 0;
    for (const TextRun& t : runs(page)) {
      if (t.text == "next") next_row = t.baseline;
      if (c.text.find(t.text) != std::string::npos && t.text != "short" &&
          t.size == print::kCellSize && t.weight == print::Weight::Regular) {
        cell.push_back(t);
      }
    }
    ASSERT_GT(cell.size(), 1u) << c.text;
    std::string joined;
    for (const TextRun& t : cell) {
      joined += (joined.empty() || c.text[joined.size()] != ' ') ? t.text : " " + t.text;
      EXPECT_EQ(t.x, cell[0].x);
    }
    EXPECT_EQ(joined, c.text);
    const double step = print::line_height(print::kCellSize);
    EXPECT_NEAR(cell.back().baseline - cell[0].baseline, step * double(cell.size() - 1), 1e-9);
    EXPECT_NEAR(next_row - cell[0].baseline, step * double(cell.size()) + 2 * print::kCellPadding,
                1e-9);
  }
}

TEST(ListLayout, ARowTallerThanAPageGoesOnTheNextPagesUncut) {
  PrintedList p;
  std::string words;
  for (int i = 0; i < 900; ++i) words += "mot" + std::to_string(i) + " ";
  add_row(p.list, {{1, "long"}, {16, words}});
  const Document doc = p.document();
  ASSERT_GT(doc.pages.size(), 1u);
  int next = 0;
  for (const Page& page : doc.pages) {
    for (const std::string& text : texts_from(page, "mot")) {
      std::size_t at = 0;
      while ((at = text.find("mot", at)) != std::string::npos) {
        EXPECT_EQ(text.substr(at, 3 + std::to_string(next).size()), "mot" + std::to_string(next));
        ++next;
        ++at;
      }
    }
    for (const TextRun& t : runs(page)) {
      if (t.text.rfind("mot", 0) == 0) {
        EXPECT_LT(t.baseline, kRowBottom);
      }
    }
  }
  EXPECT_EQ(next, 900);
}

TEST(ListLayout, ColumnsOfWidthZeroStayOutAndTheOthersShareThePage) {
  PrintedList p;
  p.list.set_column_width(5, 0);
  p.list.set_column_width(9, 0);
  add_row(p.list, {{5, "HIDDEN"}, {8, "SHOWN"}});
  const Document doc = p.document();
  const Page& page = doc.pages[0];
  EXPECT_FALSE(shows(page, "C5") || shows(page, "C9") || shows(page, "HIDDEN"));
  EXPECT_TRUE(shows(page, "C4") && shows(page, "C10") && shows(page, "SHOWN"));
  // The state of column 0 as a disc of its colour, inside the page's width.
  int discs = 0;
  for (const auto& op : page.operations) {
    if (const auto* d = std::get_if<print::FilledDisc>(&op)) {
      ++discs;
      EXPECT_EQ(d->colour, (print::Colour{0xD0, 0x20, 0x20}));
    }
  }
  EXPECT_EQ(discs, 1);
  for (const TextRun& t : runs(page)) {
    EXPECT_LE(t.x + print::text_width(t.text, t.weight, t.size),
              print::kPageWidth - print::kMargin + 1e-9)
        << t.text;
  }
}

TEST(ListLayout, TheHeadingNamesTheFindOnlyWhenOneIsInForce) {
  for (const std::string find : {"", "H\xC9L\xC8NE"}) {
    PrintedList p;
    p.heading.find = find;
    p.add_rows(1);
    const Document doc = p.document();
    const Page& page = doc.pages[0];
    EXPECT_TRUE(shows(page, "Dossier : /srv/retours"));
    EXPECT_TRUE(shows(page, "Imprim\xE9 le 09/12/2026 \xE0 14:05"));
    EXPECT_EQ(shows(page, "Recherche : \xAB\xA0" + find + "\xA0\xBB"), !find.empty());
    EXPECT_EQ(texts_from(page, "Recherche").size(), find.empty() ? 0u : 1u);
  }
}

TEST(TextMetrics, WrapBreaksBetweenWordsAndInsideOnlyTooWideOnes) {
  const double a = print::text_width("a", print::Weight::Regular, 10);  // 5.56
  struct Case {
    std::string text;
    double width;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", 100, {}},
      {"aa aa", 100, {"aa aa"}},
      {"aa aa", 3 * a, {"aa", "aa"}},
      {"aa   aa", 3 * a, {"aa", "aa"}},
      {"  aa", 100, {"  aa"}},
      {"aaaaa", 2 * a, {"aa", "aa", "a"}},
      {"a aaaaa", 2 * a, {"a", "aa", "aa", "a"}},
      {"aaa", 0.1, {"a", "a", "a"}},
      {"a  a", -3, {"a", "a"}},
      {"a\x80\xE9 b", 100, {"a\x80\xE9 b"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(print::wrap_text(c.text, print::Weight::Regular, 10, c.width), c.lines)
        << "'" << c.text << "' in " << c.width;
  }
  EXPECT_DOUBLE_EQ(a, 5.56);
  EXPECT_DOUBLE_EQ(print::text_width("\x80\x01", print::Weight::Regular, 10), 5.56);
  EXPECT_DOUBLE_EQ(print::text_width("b", print::Weight::Bold, 10), 6.11);
  EXPECT_DOUBLE_EQ(print::widest_word("ab abc a", print::Weight::Regular, 10),
                   print::text_width("abc", print::Weight::Regular, 10));
}

}  // namespace
}  // namespace noemie::testing
