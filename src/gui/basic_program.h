#pragma once
// The desktop program with the window alone, until the list engine is attached: settings
// kept in memory with their defaults, the list's 17 columns with their titles and the
// default "Toutes" widths, and no rows. Every user action is accepted and has no effect.
// The engine's program implements the same two seams (DesktopProgram, ViewerActions) and
// takes its place in run_desktop.

#include <filesystem>

#include "core/viewer/list_control.h"
#include "gui/qt_dialogs.h"
#include "gui/startup.h"
#include "gui/viewer_actions.h"
#include "gui/viewer_window.h"

namespace noemie::gui {

// Creates the 17 columns of the list: titles, alignments (columns 1 to 6 and 16 left, the
// others right) and the default widths of the "Toutes" filter.
void add_standard_columns(viewer::ListControl& list);

class BasicDesktopProgram final : public DesktopProgram, public ViewerActions {
 public:
  explicit BasicDesktopProgram(QtDialogs& dialogs) : dialogs_(dialogs) {}

  // DesktopProgram
  void load_settings() override {}
  std::filesystem::path folder_setting() const override { return folder_; }
  void set_folder(const std::filesystem::path& folder) override { folder_ = folder; }
  void run_viewer() override;
  void save_settings() override {}

  // ViewerActions
  void window_opening() override;
  void window_closing(const WindowRect& rect) override { state_.stored_rect = rect; }
  void kind_filter_chosen(int) override {}
  void age_filter_chosen(int) override {}
  void kind_mask_changed(int mask) override { state_.kind_mask = mask; }
  void abrege_toggled(bool on) override { state_.abrege = on; }
  void export_chosen(int) override {}
  void mark_chosen(int) override {}
  void header_clicked(int) override {}
  void cell_double_clicked(int, int) override {}
  std::string tooltip_text(int, int) override { return {}; }

 private:
  QtDialogs& dialogs_;
  std::filesystem::path folder_;
  ViewerStartState state_;
  viewer::ListControl list_;
};

}  // namespace noemie::gui
