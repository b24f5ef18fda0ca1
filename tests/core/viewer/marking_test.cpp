// Marking the files of the selected rows as processed or not processed.

#include "core/viewer/marking.h"

#include <gtest/gtest.h>

#include "core/platform/recording_dialogs.h"
#include "core/store/flag_store.h"
#include "core/store/tree_registry.h"
#include "core/viewer/flag_list_fixture.h"
#include "core/viewer/list_fixture.h"

namespace noemie::viewer {
namespace {

using testing::add_row;

struct MarkFixture : testing::FlagListFixture {
  int add(const std::string& fichier, const std::string& ref, int icon, bool selected) {
    const int row = add_row(list, {{kColFichier, fichier}, {kColRef, ref}}, icon);
    list.set_selected(row, selected);
    return row;
  }
  std::vector<int> icons() const {
    std::vector<int> out;
    for (int r = 0; r < list.row_count(); ++r) out.push_back(list.icon(r, kColTraite));
    return out;
  }
  int state(std::size_t n) const {
    return n < flags.info_traite().size() ? flags.info_traite()[n] : 0;
  }
};

TEST(Marking, EligibleSelectedRowsMarkEveryRowOfTheirFile) {
  MarkFixture f;
  f.add("42  (01/01/24)", "(531)", 6, true);    // eligible
  f.add("42  (01/01/24)", "(531)", 12, false);  // RSX of the same number: follows
  f.add("43  (01/01/24)", "(930)", 9, true);    // kind A: never eligible
  f.add("44  (01/01/24)", "(575)", 6, true);    // kind I
  f.add("45  (01/01/24)", "(900)", 13, true);   // icon 13
  f.add("46  (01/01/24)", "x(534)", 8, true);   // kind R, state 2
  f.add("46  (09/01/24)", "(531)", 9, false);   // same number, not selected: follows
  f.add("47  (01/01/24)", "(531)", 6, false);   // not selected
  marque_traitee(f.list, f.flags, f.dialogs, 1);
  EXPECT_EQ(f.icons(), (std::vector<int>{7, 7, 9, 6, 13, 7, 7, 6}));
  EXPECT_EQ(f.state(42), 1);
  EXPECT_EQ(f.state(43), 0);
  EXPECT_EQ(f.state(44), 0);
  EXPECT_EQ(f.state(45), 0);
  EXPECT_EQ(f.state(46), 1);
  EXPECT_EQ(f.state(47), 0);
  EXPECT_TRUE(f.dialogs.boxes.empty());

  marque_traitee(f.list, f.flags, f.dialogs, 0);
  EXPECT_EQ(f.icons(), (std::vector<int>{6, 6, 9, 6, 13, 6, 6, 6}));
  EXPECT_EQ(f.state(46), 0);
}

TEST(Marking, NothingEligibleChangesNothing) {
  MarkFixture f;
  f.add("43  (01/01/24)", "(930)", 9, true);
  f.add("44  (01/01/24)", "", 6, true);
  f.add("45  (01/01/24)", "(531)", 6, false);
  marque_traitee(f.list, f.flags, f.dialogs, 1);
  EXPECT_EQ(f.icons(), (std::vector<int>{9, 6, 6}));
  EXPECT_EQ(f.flags.info_traite().size(), 1u);
  EXPECT_TRUE(f.dialogs.boxes.empty());
}

TEST(Marking, AtMost500NumbersAndOneMessage) {
  struct Case {
    int eligible;
    int marked;
    std::size_t boxes;
  } cases[] = {{499, 499, 0}, {500, 500, 1}, {600, 500, 1}};
  for (const auto& c : cases) {
    MarkFixture f;
    for (int i = 1; i <= c.eligible; ++i)
      f.add(std::to_string(i) + "  (01/01/24)", "(531)", 6, true);
    marque_traitee(f.list, f.flags, f.dialogs, 1);
    int marked = 0;
    for (int r = 0; r < f.list.row_count(); ++r) {
      const bool expected = r < c.marked;
      EXPECT_EQ(f.list.icon(r, kColTraite), expected ? 7 : 6) << r;
      EXPECT_EQ(f.state(static_cast<std::size_t>(r + 1)), expected ? 1 : 0) << r;
      marked += f.list.icon(r, kColTraite) == 7;
    }
    EXPECT_EQ(marked, c.marked);
    ASSERT_EQ(f.dialogs.boxes.size(), c.boxes) << c.eligible;
    if (c.boxes) {
      EXPECT_EQ(f.dialogs.boxes[0].text, "Trop d'\xE9l\xE9ments \xE0 marquer comme trait\xE9s");
      EXPECT_EQ(f.dialogs.boxes[0].caption, "VL - Derudiv Uzuviz");
    }
  }
}

TEST(Marking, RowsOfOneFileCountOncePerRowTowardsTheLimit) {
  MarkFixture f;
  for (int i = 0; i < 500; ++i) f.add("7  (01/01/24)", "(531)", 6, true);
  f.add("8  (01/01/24)", "(531)", 6, true);
  marque_traitee(f.list, f.flags, f.dialogs, 1);
  EXPECT_EQ(f.dialogs.boxes.size(), 1u);
  EXPECT_EQ(f.state(7), 1);
  EXPECT_EQ(f.state(8), 0);
  EXPECT_EQ(f.list.icon(500, kColTraite), 6);
}

TEST(Marking, NumbersAboveTheStoredRangeChangeIconsForThisRunOnly) {
  MarkFixture f;
  f.add("123456789  (01/01/24)", "(531)", 6, true);
  f.add("123456789  (02/01/24)", "(531)", 6, false);
  marque_traitee(f.list, f.flags, f.dialogs, 1);
  EXPECT_EQ(f.icons(), (std::vector<int>{7, 7}));
  EXPECT_EQ(f.flags.info_traite().size(), 1u);
}

}  // namespace
}  // namespace noemie::viewer
