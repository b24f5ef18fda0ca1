#pragma once
// The column-title table `result_txt` of the lists of the suite, and its index
// `result_txt_idx`: one text of 18 rows of 20 titles, each title followed by "_" (an empty
// title is an empty piece between two "_"). The viewer's list uses row 3.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace noemie::store {

inline constexpr int kTitleRows = 18;
inline constexpr int kTitleColumns = 20;
// Row of the viewer list.
inline constexpr int kViewerTitleRow = 3;
// Splitting stops at this position of the text.
inline constexpr std::size_t kTitleSplitLimit = 10000;
// Index entry of a title the split did not reach.
inline constexpr std::int32_t kNoTitle = -1;

// The whole title text, Windows-1252.
std::string_view result_txt();

// Splits a title text into `rows` × `columns` positions, row after row: each entry is where
// a title starts, the title running to the next "_" (or the end of the text). Entries that
// the split does not reach, because the text ends or the position reaches 10000, are
// kNoTitle. The text is not changed, so it can be split again. `index` must hold
// rows × columns entries (extra entries are left alone, missing ones are not written).
void init_txt_idx_(std::string_view text, std::span<std::int32_t> index, int columns, int rows);

// The title table with its index.
class ResultTitles {
 public:
  ResultTitles() { result_txt_idx.fill(kNoTitle); }

  // Builds the index of result_txt(); called once at start-up after the settings are loaded.
  void init_txt_idx();

  // Title (row, column), "" when out of range or not indexed.
  std::string_view title(int row, int column) const;

  std::array<std::int32_t, kTitleRows * kTitleColumns> result_txt_idx;
};

}  // namespace noemie::store
