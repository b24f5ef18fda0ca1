#include "gui/engine_program.h"

#include <QTimer>

#include "core/noemie/report_mail.h"
#include "core/noemie/version.h"
#include "core/store/flag_store.h"
#include "core/store/settings.h"
#include "core/viewer/viewer.h"
#include "gui/fill_progress.h"
#include "gui/practice_tools.h"
#include "gui/settings_file.h"

namespace noemie::gui {

namespace fs = std::filesystem;

EngineProgram::EngineProgram(EngineSetup setup, EngineServices services)
    : setup_(std::move(setup)), services_(std::move(services)) {
  reporter_.set_send([this](const FaultReport& fault) {
    mail(report_line(fault.path, fault.position, fault.description), services_.shell);
  });
}

EngineProgram::~EngineProgram() {
  // The window and the engine go before the stores they work on.
  close_viewer();
}

void EngineProgram::load_settings() {
  settings_file_ = std::make_unique<SettingsFile>(setup_.settings_file, services_.warnings);
  settings_ = std::make_unique<store::Settings>(settings_file_->registry(), services_.dialogs,
                                                setup_.program_file.string());
  flags_ = std::make_unique<store::FlagStore>(settings_file_->registry(), services_.dialogs);
  if (!settings_file_->load_problem().empty()) {
    services_.dialogs.message_box(settings_file_->load_problem(), viewer::kViewerWarningCaption,
                                  platform::MessageIcon::Warning);
  }
  settings_->lit_config();
  titles_.init_txt_idx();
}

fs::path EngineProgram::folder_setting() const {
  return settings_ ? fs::path(settings_->config.path) : fs::path();
}

void EngineProgram::set_folder(const fs::path& folder) {
  folder_ = folder;
  settings_->config.path = folder.string();
  // The user has chosen: what the run changes may reach the file from now on.
  settings_file_->hold_saves(false);
}

decode::TableFiles EngineProgram::table_files() const {
  decode::TableFiles tables{setup_.regime_table, setup_.fund_directory};
  if (tables.regime_table.empty() || tables.fund_directory.empty()) {
    const decode::TableFiles found =
        decode::find_table_files(decode::table_places(setup_.program_file));
    if (tables.regime_table.empty()) tables.regime_table = found.regime_table;
    if (tables.fund_directory.empty()) tables.fund_directory = found.fund_directory;
  }
  return tables;
}

ViewerStartState EngineProgram::start_state() const {
  const store::Config& c = settings_->config;
  ViewerStartState state;
  state.kind_mask = static_cast<std::uint8_t>(c.noemie_rsp_aff);
  state.abrege = c.noemie_abrege != 0;
  state.stored_rect = {c.noemie_pos_x, c.noemie_pos_y, c.noemie_taille_x, c.noemie_taille_y};
  return state;
}

void EngineProgram::set_dialog_owner(QWidget* owner) {
  reporter_.set_owner(owner);
  if (services_.dialog_owner) services_.dialog_owner(owner);
}

ViewerWindow& EngineProgram::open_viewer() {
  close_viewer();
  viewer::ViewerOptions options;
  options.folder = folder_;
  const decode::TableFiles tables = table_files();
  options.regime_table = tables.regime_table;
  options.fund_directory = tables.fund_directory;
  options.may_write = true;
  options.window_title = viewer_caption();
  viewer_ = std::make_unique<viewer::Viewer>(*settings_, *flags_, titles_, reporter_,
                                             services_.dialogs, services_.clock, options);
  window_ = std::make_unique<ViewerWindow>(viewer_->list(), *this, services_.screens);
  // A child of the window: it goes with it.
  viewer_->set_fill_progress(new FillProgressLine(window_.get()));
  // Error dialogs and message boxes are modal to the window from its first fill on, so that
  // no second fill can start while one is open.
  set_dialog_owner(window_.get());
  // The rows listed before a faulty file stay in sight behind its error dialog.
  reporter_.set_dialog_watch([this](bool open) {
    if (!window_) return;
    if (open) {
      window_->list_model().show_rows_so_far();
    } else {
      window_->list_model().resume_fill();
    }
  });
  window_->initialise(start_state());
  new PracticeTools(*window_, *viewer_);  // a child of the window: it goes with it
  return *window_;
}

void EngineProgram::close_viewer() {
  if (window_ && !window_->has_closed()) window_->close();
  if (viewer_) viewer_->set_fill_progress(nullptr);
  set_dialog_owner(nullptr);
  // The window's list adapter stops observing the engine's list before the list goes.
  window_.reset();
  viewer_.reset();
}

void EngineProgram::run_viewer() {
  ViewerWindow& window = open_viewer();
  if (window_shown_) {
    QTimer::singleShot(0, &window, [this] {
      if (window_ && !window_->has_closed()) window_shown_(*window_);
    });
  }
  run_until_closed(window);
  close_viewer();
}

void EngineProgram::save_settings() {
  const bool recorded = settings_->ecrit_config();
  std::string problem = settings_file_->flush();
  if (problem.empty() && !recorded && settings_file_->file()) {
    problem = settings_save_failure_message(*settings_file_->file());
  }
  if (!problem.empty()) {
    services_.dialogs.message_box(problem, viewer::kViewerWarningCaption,
                                  platform::MessageIcon::Warning);
  }
}

void EngineProgram::window_opening() {
  viewer_->open();
}

void EngineProgram::window_closing(const WindowRect& rect) {
  viewer_->close({rect.x, rect.y, rect.width, rect.height});
}

void EngineProgram::kind_filter_chosen(int type_liste) {
  viewer_->choose_kind_filter(type_liste);
}

void EngineProgram::age_filter_chosen(int type_date) {
  viewer_->choose_age_filter(type_date);
}

void EngineProgram::kind_mask_changed(int mask) {
  viewer_->choose_kind_mask(mask);
}

void EngineProgram::abrege_toggled(bool on) {
  viewer_->choose_abrege(on);
}

void EngineProgram::export_chosen(int mode) {
  if (mode < 0 || mode > 2) return;
  viewer_->sav(static_cast<viewer::ExportMode>(mode));
}

void EngineProgram::mark_chosen(int state) {
  viewer_->marque_traitee(state);
}

void EngineProgram::header_clicked(int column) {
  viewer_->sort_colonne(column);
}

void EngineProgram::cell_double_clicked(int row, int x_in_row) {
  viewer_->list_click(row, x_in_row);
}

std::string EngineProgram::tooltip_text(int row, int x_in_row) {
  return viewer_->listage_tooltip(row, x_in_row);
}

}  // namespace noemie::gui
