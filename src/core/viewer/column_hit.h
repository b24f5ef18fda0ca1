#pragma once
// Which column lies under a point of a row: the widths of columns 0, 1, 2 ... are added up
// until the sum reaches or passes the point's offset from the row's left edge.

#include "core/viewer/list_control.h"

namespace noemie::viewer {

// Returned when no column is hit.
inline constexpr int kNoColumn = -1;

// `x` is the point's offset from the row's left edge in pixels (negative parts of a list
// scrolled sideways already removed). x <= 0, or a point right of the last column, hits none.
// A hidden column (width 0) is never hit.
int column_at(const ListControl& list, int x);

// Left edge (offset from the row's left edge) of `column`: the sum of the widths before it.
int column_left(const ListControl& list, int column);

}  // namespace noemie::viewer
