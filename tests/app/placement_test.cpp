// Where the window goes and how column widths scale between the core and a view.

#include <gtest/gtest.h>

#include "app/column_scale.h"
#include "app/window_placement.h"

namespace noemie::app {
namespace {

TEST(Placement, AStoredRectangleOffEveryScreenIsBroughtOntoThePrimaryOne) {
  const std::vector<WindowRect> screens = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  const WindowRect area{0, 0, 1920, 1040};
  const struct {
    WindowRect stored;
    WindowRect placed;
  } cases[] = {
      {{0, 0, 500, 400}, {0, 0, 500, 400}},
      {{2500, 100, 500, 400}, {2500, 100, 500, 400}},    // on the second screen
      {{-499, -399, 500, 400}, {-499, -399, 500, 400}},  // one pixel on screen
      {{-500, 0, 500, 400}, {710, 320, 500, 400}},       // just off the left edge
      {{5000, 5000, 3000, 2000}, {0, 0, 1920, 1040}},    // too big: the whole area
      {{100, 100, 0, 0}, {960, 520, 0, 0}},              // empty: never on screen
  };
  for (const auto& c : cases) EXPECT_EQ(bring_on_screen(c.stored, screens, area), c.placed);
  EXPECT_EQ(bring_on_screen({-9000, 0, 10, 10}, {}, area), (WindowRect{-9000, 0, 10, 10}));
  EXPECT_EQ(minimum_window_size(600, 80, 35), (Size{600, 230}));
}

TEST(Placement, ColumnScaleRoundTripsAndKeepsColumnsUnderPoints) {
  ColumnScale scale(1.27);
  const struct {
    int core;
    int view;
  } widths[] = {{0, 0}, {1, 1}, {20, 25}, {55, 70}, {300, 381}};
  for (const auto& w : widths) EXPECT_EQ(scale.to_view(0, w.core), w.view);
  // A dragged width reads back exactly.
  for (int view = 1; view < 200; ++view) {
    const int core = scale.from_view(4, view);
    EXPECT_EQ(scale.to_view(4, core), view);
  }
  EXPECT_EQ(scale.from_view(4, 0), 0);
  EXPECT_EQ(ColumnScale::factor_for(120.0), 2.0);
  EXPECT_EQ(ColumnScale::factor_for(10.0), 0.75);

  // Points keep their column: core columns 10, 0, 20; view columns 13, 0, 25.
  const std::vector<int> core = {10, 0, 20};
  const std::vector<int> view = {13, 0, 25};
  const struct {
    int view_x;
    int core_x;
  } points[] = {{-4, -4}, {0, 0}, {1, 1}, {13, 10}, {14, 11}, {38, 30}, {40, 32}};
  for (const auto& p : points) EXPECT_EQ(ColumnScale::x_to_core(p.view_x, view, core), p.core_x);
}

}  // namespace
}  // namespace noemie::app
