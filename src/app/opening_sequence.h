#pragma once
// The viewer window's opening and the rectangle it keeps at close, alike in every front end.
// The window implements OpeningWindow (what it shows and where it goes); the order lives
// here, once:
//   1. "Toutes" and "Toujours" selected, the kind-mask boxes and "Abrégé" checked from the
//      start state, "Toujours visible" unchecked;
//   2. ViewerActions::window_opening (flags, columns, first fill);
//   3. the window placed at the stored rectangle, brought onto a screen when it lies wholly
//      off every screen, and no smaller than the window's minimum size;
//   4. the list's tooltips attached;
//   5. the kind-mask boxes 1927 and 1924 hidden and the text of 1923 cleared;
//   6. the keyboard focus given to the list.

#include <vector>

#include "app/viewer_actions.h"
#include "app/window_placement.h"

namespace noemie::app {

class OpeningWindow {
 public:
  virtual ~OpeningWindow() = default;

  // The radio of the "Référence" group for `type_liste`, of the "Depuis" group for
  // `type_date`, checked (the others of its group unchecked); no action is sent.
  virtual void check_kind_radio(int type_liste) = 0;
  virtual void check_age_radio(int type_date) = 0;
  // The kind-mask boxes checked from `mask` (1 RSP, 2 and 8 hidden boxes, 4 ARL/ARX).
  virtual void check_kind_mask(int mask) = 0;
  virtual void check_abrege(bool on) = 0;
  virtual void check_always_on_top(bool on) = 0;

  // Every screen's rectangle, and the primary screen's area that windows may use.
  virtual std::vector<WindowRect> screens() const = 0;
  virtual WindowRect primary_available() const = 0;
  // The smallest outer size the window may have, its controls laid out as they are now.
  virtual Size minimum_size() = 0;
  // Moves and sizes the window's outer rectangle to `outer`.
  virtual void place_at(const WindowRect& outer) = 0;

  virtual void attach_tooltips() = 0;
  virtual void hide_unused_mask_boxes() = 0;
  virtual void focus_list() = 0;
};

// The rectangle the window opens at: `stored` brought on screen, then widened and heightened
// to `minimum` where it is smaller.
WindowRect opening_rect(const WindowRect& stored, const std::vector<WindowRect>& screens,
                        const WindowRect& primary_available, Size minimum);

// Runs the opening sequence above with `state`.
void run_opening_sequence(OpeningWindow& window, ViewerActions& actions,
                          const ViewerStartState& state);

// The outer rectangle the close sequence stores: `frame` (the window's outer rectangle) when
// the window is shown normally; for a maximised, minimised or full-screen window its
// `restored` rectangle (outer, screen pixels), unless that is empty. The next start then
// opens a normal window of the size the user last gave it.
WindowRect closing_rect(bool shown_normally, const WindowRect& frame, const WindowRect& restored);

}  // namespace noemie::app
