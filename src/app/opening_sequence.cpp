#include "app/opening_sequence.h"

#include <algorithm>

namespace noemie::app {

WindowRect opening_rect(const WindowRect& stored, const std::vector<WindowRect>& screens,
                        const WindowRect& primary_available, Size minimum) {
  WindowRect rect = bring_on_screen(stored, screens, primary_available);
  rect.width = std::max(rect.width, minimum.width);
  rect.height = std::max(rect.height, minimum.height);
  return rect;
}

void run_opening_sequence(OpeningWindow& window, ViewerActions& actions,
                          const ViewerStartState& state) {
  window.check_kind_radio(0);
  window.check_age_radio(0);
  window.check_kind_mask(state.kind_mask);
  window.check_abrege(state.abrege);
  window.check_always_on_top(false);

  actions.window_opening();

  window.place_at(opening_rect(state.stored_rect, window.screens(), window.primary_available(),
                               window.minimum_size()));
  window.attach_tooltips();
  window.hide_unused_mask_boxes();
  window.focus_list();
}

WindowRect closing_rect(bool shown_normally, const WindowRect& frame, const WindowRect& restored) {
  if (shown_normally || restored.width <= 0 || restored.height <= 0) return frame;
  return restored;
}

}  // namespace noemie::app
