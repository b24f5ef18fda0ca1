#pragma once
// Building small lists for the engine's tests: rows given by a few cell texts.

#include <initializer_list>
#include <map>
#include <string>

#include "core/viewer/list_control.h"

namespace noemie::testing {

// Adds a row whose cells are empty but for the given ones; row_index is its position.
inline int add_row(viewer::ListControl& list, const std::map<int, std::string>& cells,
                   int state_icon = 6, int marker_icon = 1,
                   const viewer::EntryDetails& details = {}) {
  viewer::ListControl::Cells all;
  for (const auto& [col, text] : cells) all[static_cast<std::size_t>(col)] = text;
  auto data = std::make_unique<viewer::ListRow>();
  data->row_index = list.row_count();
  return list.add_row(std::move(data), all, state_icon, marker_icon, details);
}

// Adds the 17 columns with the given widths and titles "C0" .. "C16".
inline void add_columns(viewer::ListControl& list, std::initializer_list<int> widths) {
  int c = 0;
  for (int w : widths) {
    list.insert_column(c, "C" + std::to_string(c), viewer::Align::Left, w);
    ++c;
  }
}

}  // namespace noemie::testing
