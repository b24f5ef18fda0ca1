#include "app/column_scale.h"

#include <algorithm>
#include <cmath>

namespace noemie::app {

double ColumnScale::factor_for(double digits_width) {
  return std::clamp(digits_width / kReferenceDigitsWidth, 0.75, 3.0);
}

void ColumnScale::set_factor(double factor) {
  factor_ = factor;
  remembered_.fill({});
}

int ColumnScale::to_view(int column, int core_width) const {
  if (core_width <= 0) return 0;
  if (column >= 0 && column < viewer::kColumnCount) {
    const Remembered& r = remembered_[static_cast<std::size_t>(column)];
    if (r.core == core_width) return r.view;
  }
  return std::max(1, static_cast<int>(std::lround(core_width * factor_)));
}

int ColumnScale::from_view(int column, int view_width) {
  const int core =
      view_width <= 0 ? 0 : std::max(1, static_cast<int>(std::lround(view_width / factor_)));
  if (column >= 0 && column < viewer::kColumnCount) {
    remembered_[static_cast<std::size_t>(column)] = {std::max(0, view_width), core};
  }
  return core;
}

int ColumnScale::x_to_core(int view_x, const std::vector<int>& view_widths,
                           const std::vector<int>& core_widths) {
  if (view_x <= 0) return view_x;
  const std::size_t n = std::min(view_widths.size(), core_widths.size());
  int view_left = 0;
  int core_left = 0;
  for (std::size_t c = 0; c < n; ++c) {
    const int vw = view_widths[c];
    const int cw = core_widths[c];
    if (vw > 0 && view_x <= view_left + vw) {
      // Inside this column (its right edge included, as the core's sum counts it):
      // the same fraction of the core width, at least 1 so the column stays hit.
      const double fraction = static_cast<double>(view_x - view_left) / vw;
      const int inside = std::clamp(static_cast<int>(std::ceil(fraction * cw)), 1, std::max(1, cw));
      return core_left + inside;
    }
    view_left += std::max(0, vw);
    core_left += std::max(0, cw);
  }
  return core_left + (view_x - view_left);
}

}  // namespace noemie::app
