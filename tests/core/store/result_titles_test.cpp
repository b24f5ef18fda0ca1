#include "core/store/result_titles.h"

#include <gtest/gtest.h>

#include "support/list_titles.h"

#include <algorithm>
#include <string>
#include <vector>

namespace noemie::store {
namespace {

TEST(ResultTitles, RowThreeHoldsTheViewerColumns) {
  ResultTitles titles;
  EXPECT_EQ(titles.title(3, 0), "") << "nothing before the split";
  titles.init_txt_idx();
  for (int col = 0; col < kTitleColumns; ++col) {
    const std::string_view expected =
        col < 17 ? noemie::testing::kListTitles[static_cast<std::size_t>(col)] : "";
    EXPECT_EQ(titles.title(kViewerTitleRow, col), expected) << col;
  }
  EXPECT_EQ(titles.title(3, 20), "");
  EXPECT_EQ(titles.title(18, 0), "");
  EXPECT_EQ(titles.title(-1, 0), "");
}

TEST(ResultTitles, TheTextHoldsExactlyEighteenRowsOfTwentyTitles) {
  const std::string_view text = result_txt();
  EXPECT_EQ(std::count(text.begin(), text.end(), '_'), kTitleRows * kTitleColumns);
  EXPECT_EQ(text.back(), '_');
  ResultTitles titles;
  titles.init_txt_idx();
  EXPECT_TRUE(std::none_of(titles.result_txt_idx.begin(), titles.result_txt_idx.end(),
                           [](std::int32_t pos) { return pos == kNoTitle; }));
  // Each row starts right after the 20 titles of the row before.
  for (int row = 1; row < kTitleRows; ++row) {
    const auto pos = static_cast<std::size_t>(titles.result_txt_idx[row * kTitleColumns]);
    const auto before = text.substr(0, pos);
    EXPECT_EQ(std::count(before.begin(), before.end(), '_'), row * kTitleColumns) << row;
  }
}

TEST(ResultTitles, SplittingStopsAtTheEndOrAtTenThousandCharacters) {
  struct Case {
    const char* what;
    std::string text;
    int columns, rows;
    std::vector<std::int32_t> expected;
  };
  const std::string long_title(9998, 'x');
  const std::string longer_title(9999, 'x');
  const Case cases[] = {
      {"plain", "a_bc__d_", 2, 2, {0, 2, 5, 6}},
      {"text ends early", "a_b", 2, 2, {0, 2, kNoTitle, kNoTitle}},
      {"last title without _", "a_b", 3, 1, {0, 2, kNoTitle}},
      {"position 9999 is split", long_title + "_y_z_", 3, 1, {0, 9999, kNoTitle}},
      {"position 10000 stops", longer_title + "_y_z_", 3, 1, {0, kNoTitle, kNoTitle}},
  };
  for (const auto& c : cases) {
    std::vector<std::int32_t> index(c.expected.size(), 12345);
    init_txt_idx_(c.text, index, c.columns, c.rows);
    EXPECT_EQ(index, c.expected) << c.what;
  }
}

}  // namespace
}  // namespace noemie::store
