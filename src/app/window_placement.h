#pragma once
// Where the viewer window goes, in any front end: the stored rectangle brought back onto a
// screen when it lies wholly off every screen, and the smallest size the tool frame allows.

#include <vector>

#include "app/viewer_actions.h"

namespace noemie::app {

// The stored outer rectangle where it may be shown: unchanged when it overlaps any of
// `screens` by at least one pixel; otherwise (wholly off every screen, or empty) moved onto
// `primary_available` (the primary screen's area that windows may use), centred there, its
// size kept but no larger than that area. With no screen known, or an empty area, it is
// returned unchanged.
WindowRect bring_on_screen(const WindowRect& stored, const std::vector<WindowRect>& screens,
                           const WindowRect& primary_available);

// A width and a height in pixels.
struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// The smallest outer size of the window: the tool frame's width, and twice the sum of the
// tool frame's height and `header` (the distance from the window's outer top edge to the tool
// frame's top edge).
Size minimum_window_size(int tool_frame_width, int tool_frame_height, int header);

}  // namespace noemie::app
