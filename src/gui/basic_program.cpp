#include "gui/basic_program.h"

#include "gui/window_placement.h"

namespace noemie::gui {

void add_standard_columns(viewer::ListControl& list) {
  struct Column {
    const char* title;
    viewer::Align align;
    int width;
  };
  using viewer::Align;
  static constexpr Column kColumns[viewer::kColumnCount] = {
      {"Trait\xE9", Align::Right, 20},
      {"Fichier", Align::Left, 50},
      {"R\xE9"
       "f",
       Align::Left, 55},
      {"Date Comptable", Align::Left, 55},
      {"Caisse", Align::Left, 70},
      {"Assur\xE9", Align::Left, 60},
      {"Malade", Align::Left, 140},
      {"Lot", Align::Right, 30},
      {"FSE", Align::Right, 40},
      {"Date Acte", Align::Right, 70},
      {"Acte", Align::Right, 35},
      {"Total", Align::Right, 55},
      {"Tx AMO", Align::Right, 40},
      {"AMO", Align::Right, 55},
      {"Tx AMC", Align::Right, 40},
      {"AMC", Align::Right, 55},
      {"D\xE9tail", Align::Left, 300},
  };
  for (int c = 0; c < viewer::kColumnCount; ++c) {
    const Column& col = kColumns[c];
    list.insert_column(c, col.title, col.align, col.width);
  }
}

void BasicDesktopProgram::window_opening() {
  if (list_.column_count() == 0) add_standard_columns(list_);
  list_.begin_reset();
  list_.clear();
  list_.end_reset();
}

void BasicDesktopProgram::run_viewer() {
  QtScreens screens;
  ViewerWindow window(list_, *this, screens);
  dialogs_.set_owner(&window);
  window.initialise(state_);
  run_until_closed(window);
  dialogs_.set_owner(nullptr);
}

}  // namespace noemie::gui
