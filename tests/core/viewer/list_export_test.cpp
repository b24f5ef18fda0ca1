#include "core/viewer/list_export.h"

#include <gtest/gtest.h>

#include "core/viewer/column_hit.h"
#include "core/viewer/list_fixture.h"

namespace noemie::viewer {
namespace {

using testing::add_columns;
using testing::add_row;

TEST(ExportExtension, AppendedUnlessPresentAnywhere) {
  struct Case {
    const char* name;
    ExportMode mode;
    const char* expected;
  } cases[] = {
      {"liste", ExportMode::Text, "liste.txt"},
      {"Liste.TXT", ExportMode::Text, "Liste.TXT"},
      {"liste.csv", ExportMode::Text, "liste.csv.txt"},
      {"a.html.bak", ExportMode::Html, "a.html.bak"},
      {"a.htm", ExportMode::Html, "a.htm.html"},
      {"/tmp/r.XLS", ExportMode::Excel, "/tmp/r.XLS"},
      {"r", ExportMode::Excel, "r.xls"},
  };
  for (const auto& c : cases) EXPECT_EQ(with_export_extension(c.name, c.mode), c.expected);
}

TEST(ExportCell, EachModeWritesItsForm) {
  struct Case {
    std::string cell;
    int width;
    ExportMode mode;
    std::string expected;
  } cases[] = {
      {"abcde", 140, ExportMode::Text, "abcde" + std::string(15, ' ') + "|"},
      {"", 20, ExportMode::Text, "  |"},
      {"long text", 0, ExportMode::Text, "|"},
      {"long text", 6, ExportMode::Text, "|"},
      {"long text", 21, ExportMode::Text, "lon|"},
      {"a<b>&c", 0, ExportMode::Excel, "a<b>&c\t"},
      {"a<b>&c", 0, ExportMode::Html, "<td>a&lt;b&gt;&amp;c</td>"},
      {"\"q\" \x80", 0, ExportMode::Html, "<td>\"q\" \x80</td>"},
  };
  for (const auto& c : cases) {
    std::string out;
    sav_write_data(out, c.cell, c.width, c.mode);
    EXPECT_EQ(out, c.expected) << c.cell << " width " << c.width;
  }
}

TEST(ExportList, EmptyListGivesTheHeaderOnly) {
  ListControl list;
  list.insert_column(0, "Trait\xE9", Align::Right, 20);
  list.insert_column(1, "Fichier", Align::Left, 50);
  EXPECT_EQ(export_list(list, ExportMode::Text, "T"), "Tr|Fichier|\r\n");
  EXPECT_EQ(export_list(list, ExportMode::Excel, "T"), "Trait\xE9\tFichier\t\r\n");
  EXPECT_EQ(export_list(list, ExportMode::Html, "A & B"),
            "<html><head><title>A &amp; B</title>"
            "<meta http-equiv=\"content-type\" content=\"text/html; charset=windows-1252\">"
            "</head><body bgcolor=\"#E0FFFF\" text=\"#000000\" link=\"#000080\">"
            "<table border=\"1\" cellpadding=\"1\" cellspacing=\"0\"><tr>"
            "<td>Trait\xE9</td><td>Fichier</td></tr></table>");
}

TEST(ExportList, RowsFollowTheListOrderAndWidths) {
  ListControl list;
  add_columns(list, {20, 50, 0, 14, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 70});
  add_row(list, {{1, "12  (01/02/03)"}, {2, "(531)"}, {3, "01/02/2003"}, {16, "MSG"}});
  add_row(list, {{1, "7"}});
  const std::string text = export_list(list, ExportMode::Text, "");
  const std::string header = "C0|C1     ||C3|C|C|C|C|C|C|C|C|C|C|C|C|C16       |\r\n";
  const std::string row1 = "  |12  (01||01| | | | | | | | | | | | |MSG       |\r\n";
  const std::string row2 = "  |7      ||  | | | | | | | | | | | | |          |\r\n";
  EXPECT_EQ(text, header + row1 + row2);
  const std::string excel = export_list(list, ExportMode::Excel, "");
  EXPECT_NE(excel.find("\t12  (01/02/03)\t(531)\t01/02/2003\t"), std::string::npos);
}

TEST(ColumnHit, SumOfWidthsReachesThePoint) {
  ListControl list;
  add_columns(list, {20, 50, 0, 30});
  struct Case {
    int x;
    int column;
  } cases[] = {{0, kNoColumn}, {-5, kNoColumn}, {1, 0},   {20, 0},         {21, 1},
               {70, 1},        {71, 3},         {100, 3}, {101, kNoColumn}};
  for (const auto& c : cases) EXPECT_EQ(column_at(list, c.x), c.column) << "x " << c.x;
  EXPECT_EQ(column_left(list, 3), 70);
}

}  // namespace
}  // namespace noemie::viewer
