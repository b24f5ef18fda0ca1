#include "core/viewer/list_control.h"

#include <gtest/gtest.h>

namespace noemie::viewer {
namespace {

ListControl::Cells cells_of(const std::string& prefix) {
  ListControl::Cells cells;
  for (int c = 1; c < kColumnCount; ++c) cells[c] = prefix + std::to_string(c);
  return cells;
}

int add(ListControl& list, const std::string& prefix) {
  auto data = std::make_unique<ListRow>();
  data->row_index = list.row_count();
  return list.add_row(std::move(data), cells_of(prefix), 6, 1);
}

TEST(ListControl, CellsReadBackAsSet) {
  ListControl list;
  add(list, "a");
  add(list, "b");
  EXPECT_EQ(list.cell(1, 16), "b16");
  EXPECT_EQ(list.cell(0, 0), "");
  EXPECT_EQ(list.cell(2, 1), "");   // no such row
  EXPECT_EQ(list.cell(0, 17), "");  // no such column
  EXPECT_EQ(list.cell(0, 10, 2), "a1");
}

TEST(ListControl, SetCellKeepsTheOtherCells) {
  ListControl list;
  add(list, "r");
  list.set_cell(0, 5, "a much longer text than before");
  list.set_cell(0, 9, "");
  for (int c = 1; c < kColumnCount; ++c) {
    const std::string expected = c == 5   ? "a much longer text than before"
                                 : c == 9 ? ""
                                          : "r" + std::to_string(c);
    EXPECT_EQ(list.cell(0, c), expected) << "column " << c;
  }
}

TEST(ListControl, IconsLiveInColumnsZeroAndTwoOnly) {
  ListControl list;
  add(list, "r");
  EXPECT_EQ(list.icon(0, kColTraite), 6);
  EXPECT_EQ(list.icon(0, kColRef), 1);
  EXPECT_EQ(list.icon(0, kColCaisse), kNoIcon);
  list.set_icon(0, kColTraite, 9);
  EXPECT_EQ(list.icon(0, kColTraite), 9);
  EXPECT_EQ(list.icon(5, kColTraite), kNoIcon);
}

TEST(ListControl, ReorderMovesWholeRows) {
  ListControl list;
  add(list, "a");
  add(list, "b");
  add(list, "c");
  list.set_selected(2, true);
  list.reorder({2, 0, 1});
  EXPECT_EQ(list.cell(0, 1), "c1");
  EXPECT_TRUE(list.selected(0));
  EXPECT_EQ(list.row_data(0).row_index, 2);  // renumbering is the sort's job
  EXPECT_THROW(list.reorder({0, 0, 1}), std::invalid_argument);
  EXPECT_THROW(list.reorder({0, 1}), std::invalid_argument);
}

TEST(ListControl, ColumnWidthsOfMissingColumnsReadZero) {
  ListControl list;
  list.insert_column(0, "A", Align::Left, 20);
  list.insert_column(1, "B", Align::Right, 30);
  EXPECT_EQ(list.column_width(1), 30);
  EXPECT_EQ(list.column_width(2), 0);
  EXPECT_EQ(list.column(2), nullptr);
  list.set_column_width(7, 5);  // ignored
  EXPECT_EQ(list.column_count(), 2);
}

TEST(ListControl, CellTextsEndAtTheirFirstNul) {
  ListControl list;
  ListControl::Cells cells = cells_of("n");
  cells[3] = std::string("ab\0cd", 5);
  cells[16] = std::string("\0x", 2);
  auto data = std::make_unique<ListRow>();
  list.add_row(std::move(data), cells, 6, 1);
  EXPECT_EQ(list.cell(0, 3), "ab");
  EXPECT_EQ(list.cell(0, 4), "n4");
  EXPECT_EQ(list.cell(0, 16), "");
  list.set_cell(0, 5, std::string_view("xy\0z", 4));
  EXPECT_EQ(list.cell(0, 5), "xy");
  EXPECT_EQ(list.cell(0, 6), "n6");
}

// A block keeps each row's text ends as narrow as its longest row allows (one, two or four
// bytes); rows on either side of each step, made in one block and read back from it and from
// its copy, keep every text.
TEST(RowBlock, RowsOfEveryLengthReadBackWhole) {
  // The total length of a row's texts: the cell of column 5 takes what the others leave.
  const std::size_t totals[] = {60, 255, 200, 256, 65535, 90, 65536, 70000, 41};
  const std::size_t others = [] {
    std::size_t size = 0;
    for (int c = 1; c < kColumnCount; ++c) {
      if (c != kColAssure) size += ("r" + std::to_string(c)).size();
    }
    return size + std::string("VIR").size();
  }();
  RowBlock block;
  std::vector<ListControl::Cells> made;
  for (std::size_t i = 0; i < std::size(totals); ++i) {
    ListControl::Cells cells = cells_of("r");
    cells[kColAssure] = std::string(totals[i] - others, static_cast<char>('a' + i));
    EntryDetails details;
    details.ref_virement1 = "VIR";
    block.add_row(cells, details);
    made.push_back(cells);
    // After each row, what the block held before it is still there.
    const RowBlock copy(block);
    for (const RowBlock* b : {static_cast<const RowBlock*>(&block), &copy}) {
      for (std::size_t r = 0; r <= i; ++r) {
        for (int c = 1; c < kColumnCount; ++c) {
          ASSERT_EQ(b->cell(r, c), made[r][static_cast<std::size_t>(c)])
              << "row " << r << " (" << totals[r] << " bytes), column " << c << ", after "
              << totals[i];
        }
        std::array<std::string_view, kColumnCount> all;
        b->cells(r, all);
        ASSERT_EQ(all[kColAssure], made[r][kColAssure]) << totals[r];
        ASSERT_EQ(b->details(r).ref_virement1, "VIR") << totals[r];
      }
    }
  }
}

TEST(ListControl, RowsOfASharedBlockShowItsCellsAndKeepItAsMade) {
  auto block = std::make_shared<RowBlock>();
  block->share_cell(kColFichier, "12  (01/02/03)");
  block->add_row(cells_of("a"), {});
  EntryDetails details;
  details.ref_virement1 = "VIR";
  details.type_facture = 'F';
  block->add_row(cells_of("b"), details);
  ListControl list;
  add(list, "x");
  EXPECT_EQ(list.add_rows(block, 7, 1), 1);
  ASSERT_EQ(list.row_count(), 3);
  EXPECT_EQ(list.cell(2, kColFichier), "12  (01/02/03)");
  EXPECT_EQ(list.cell(2, kColCaisse), "b4");
  EXPECT_EQ(list.row_data(2).row_index, 2);
  EXPECT_EQ(list.details(2).ref_virement1, "VIR");
  EXPECT_EQ(list.details(2).type_facture, 'F');
  EXPECT_EQ(list.icon(1, kColTraite), 7);
  // A changed cell belongs to the list's row only: the block (shared with the files read)
  // stays as it was made.
  list.set_cell(1, kColFichier, "changed");
  list.set_cell(2, kColAssure, std::string(70000, 'w'));  // beyond a short row's room
  EXPECT_EQ(list.cell(1, kColFichier), "changed");
  EXPECT_EQ(list.cell(1, kColDetail), "a16");
  EXPECT_EQ(list.cell(2, kColAssure).size(), 70000u);
  EXPECT_EQ(list.cell(2, kColMalade), "b6");
  EXPECT_EQ(list.details(2).ref_virement1, "VIR");
  EXPECT_EQ(list.cell(0, kColFichier), "x1");
  EXPECT_EQ(block->cell(0, kColFichier), "12  (01/02/03)");
  EXPECT_EQ(block->cell(1, kColAssure), "b5");
  list.clear_keeping_room();
  EXPECT_EQ(list.row_count(), 0);
  EXPECT_EQ(list.cell(0, 1), "");
}

}  // namespace
}  // namespace noemie::viewer
