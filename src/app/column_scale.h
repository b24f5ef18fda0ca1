#pragma once
// Column widths have two units. The core keeps them, stores them and exports with them in
// the pixels of the list font they were chosen for (an 8-point dialog font
// whose digits are 6 pixels wide); the view shows them in its own font's pixels, scaled by
// the ratio of the two fonts' digit widths, so that a stored width shows the same text on
// any font and any screen. A width of 0 (a hidden column) is 0 in both.
//
// A width the user drags is remembered next to its core value, so that the core value read
// back gives exactly the width the user left, however the scale rounds.

#include <array>
#include <vector>

#include "core/viewer/list_control.h"

namespace noemie::app {

class ColumnScale {
 public:
  // Width in pixels of the digits 0 to 9 in the font the core's widths were chosen for.
  static constexpr double kReferenceDigitsWidth = 60.0;

  // The scale for a list font whose digits 0 to 9 are `digits_width` pixels wide: that width
  // over the reference, kept between 0.75 and 3.
  static double factor_for(double digits_width);

  explicit ColumnScale(double factor = 1.0) : factor_(factor) {}

  double factor() const { return factor_; }
  // Changes the scale and forgets the remembered widths.
  void set_factor(double factor);

  // The view width of `column` for the core width `core_width` (negative counts as 0).
  int to_view(int column, int core_width) const;
  // The core width for a view width the user gave `column`; remembered for to_view.
  int from_view(int column, int view_width);

  // A point's offset from the row's left edge, from view pixels to core pixels: the point
  // keeps its column and its relative place in it. `view_widths` and `core_widths` are the
  // current widths of every column in both units. Points at or left of the row's edge and
  // points right of the last column keep their distance to that edge.
  static int x_to_core(int view_x, const std::vector<int>& view_widths,
                       const std::vector<int>& core_widths);

 private:
  struct Remembered {
    int view = -1;
    int core = -1;
  };
  double factor_;
  std::array<Remembered, viewer::kColumnCount> remembered_{};
};

}  // namespace noemie::app
