#include "app/window_placement.h"

#include <algorithm>

namespace noemie::app {
namespace {

bool empty(const WindowRect& r) {
  return r.width <= 0 || r.height <= 0;
}

bool overlap(const WindowRect& a, const WindowRect& b) {
  return !empty(a) && !empty(b) && a.x < b.x + b.width && b.x < a.x + a.width &&
         a.y < b.y + b.height && b.y < a.y + a.height;
}

}  // namespace

WindowRect bring_on_screen(const WindowRect& stored, const std::vector<WindowRect>& screens,
                           const WindowRect& primary_available) {
  if (screens.empty()) return stored;
  for (const WindowRect& screen : screens) {
    if (overlap(screen, stored)) return stored;
  }
  const WindowRect& area = primary_available;
  if (empty(area)) return stored;
  const int width = std::clamp(stored.width, 0, area.width);
  const int height = std::clamp(stored.height, 0, area.height);
  return {area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width, height};
}

Size minimum_window_size(int tool_frame_width, int tool_frame_height, int header) {
  return {tool_frame_width, 2 * (tool_frame_height + header)};
}

}  // namespace noemie::app
