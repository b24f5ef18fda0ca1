#pragma once
// When a cell's tooltip goes and the next one comes, in every front end: leaving the cell
// whose tip is on show hides the tip at once, and the next cell's tip shows once the pointer
// has rested kQuickTipDelayMs there (the short delay counts from the pointer's last move);
// within the cell, the tip stays. Before any tip was shown, the toolkit's own delay holds.

#include "app/window_texts.h"

namespace noemie::app {

// A cell's rectangle in the list's pixels; right and bottom are outside it.
struct CellBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool empty() const { return right <= left || bottom <= top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  friend bool operator==(const CellBox&, const CellBox&) = default;
};

class TooltipRearm {
 public:
  enum class Move {
    Nothing,    // no tip on show and none armed: the toolkit's own delay holds
    InTipCell,  // still in the cell whose tip is on show: keep it
    LeftCell,   // left the tip's cell: hide the tip now and (re)start the short delay
    Resting,    // a next tip is armed: (re)start the short delay
  };

  // A tip is on show for `cell`.
  void tip_shown(const CellBox& cell);
  // No tip is on show any more (hidden, or the pointer left the list); the short delay stays
  // armed when it was.
  void tip_hidden() { cell_ = {}; }
  // Tooltips detached: nothing on show, nothing armed.
  void reset();

  Move pointer_moved(int x, int y);

  // The cell whose tip is on show; empty when none.
  const CellBox& tip_cell() const { return cell_; }
  bool armed() const { return armed_; }

 private:
  CellBox cell_;
  bool armed_ = false;
};

}  // namespace noemie::app
