#include "app/tooltip_rearm.h"

namespace noemie::app {

void TooltipRearm::tip_shown(const CellBox& cell) {
  cell_ = cell;
  armed_ = false;
}

void TooltipRearm::reset() {
  cell_ = {};
  armed_ = false;
}

TooltipRearm::Move TooltipRearm::pointer_moved(int x, int y) {
  if (!cell_.empty()) {
    if (cell_.contains(x, y)) return Move::InTipCell;
    cell_ = {};
    armed_ = true;
    return Move::LeftCell;
  }
  return armed_ ? Move::Resting : Move::Nothing;
}

}  // namespace noemie::app
