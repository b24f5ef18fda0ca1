#include "core/viewer/column_hit.h"

#include <algorithm>

namespace noemie::viewer {

namespace {
// The list never looks further than this many columns.
constexpr int kMaxColumns = 100;
}  // namespace

int column_at(const ListControl& list, int x) {
  if (x <= 0) return kNoColumn;
  long long sum = 0;
  const int count = std::min(list.column_count(), kMaxColumns);
  for (int c = 0; c < count; ++c) {
    sum += list.column_width(c);
    if (sum >= x) return c;
  }
  return kNoColumn;
}

int column_left(const ListControl& list, int column) {
  int sum = 0;
  for (int c = 0; c < column && c < list.column_count(); ++c) sum += list.column_width(c);
  return sum;
}

}  // namespace noemie::viewer
