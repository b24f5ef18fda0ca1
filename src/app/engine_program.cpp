#include "app/engine_program.h"

#include "app/settings_file.h"
#include "app/settings_store.h"
#include "core/noemie/version.h"
#include "core/platform/heap_room.h"
#include "core/platform/path_text.h"
#include "core/store/flag_store.h"
#include "core/store/settings.h"
#include "core/viewer/viewer.h"

namespace noemie::app {

namespace fs = std::filesystem;

EngineProgram::EngineProgram(EngineSetup setup, EngineServices services)
    : setup_(std::move(setup)),
      services_(std::move(services)),
      reporter_(services_.front, services_.shell) {}

EngineProgram::~EngineProgram() {
  // The window and the engine go before the stores they work on.
  close_viewer();
}

void EngineProgram::warn(const std::string& problem) {
  if (problem.empty()) return;
  services_.dialogs.message_box(problem, viewer::kViewerWarningCaption,
                                platform::MessageIcon::Warning);
}

void EngineProgram::load_settings() {
  if (setup_.system_registry) {
    settings_store_ = std::make_unique<RegistrySettings>(*setup_.system_registry);
  } else {
    settings_store_ = std::make_unique<SettingsFile>(setup_.settings_file, services_.warnings);
  }
  settings_ = std::make_unique<store::Settings>(settings_store_->registry(), services_.dialogs,
                                                platform::path_to_setting(setup_.program_file));
  flags_ = std::make_unique<store::FlagStore>(settings_store_->registry(), services_.dialogs);
  warn(settings_store_->load_problem());
  settings_->lit_config();
  titles_.init_txt_idx();
}

fs::path EngineProgram::folder_setting() const {
  return settings_ ? platform::path_from_setting(settings_->config.path) : fs::path();
}

void EngineProgram::set_folder(const fs::path& folder) {
  folder_ = folder;
  settings_->config.path = platform::path_to_setting(folder);
  // The user has chosen: what the run changes may reach the store from now on.
  settings_store_->hold_saves(false);
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

void EngineProgram::open_viewer() {
  close_viewer();
  viewer::ViewerOptions options;
  options.folder = folder_;
  const decode::TableFiles tables = table_files();
  options.regime_table = tables.regime_table;
  options.fund_directory = tables.fund_directory;
  options.may_write = true;
  options.window_title = viewer_caption();
  options.summarize_files = true;  // the window shows the summary after every fill
  options.expect_memory = platform::expect_heap_use;
  options.keep_listing = true;  // the window watches the folder from what each fill saw
  viewer_ = std::make_unique<viewer::Viewer>(*settings_, *flags_, titles_, reporter_,
                                             services_.dialogs, services_.clock, options);
  // A window that shows how a long fill goes is told from its first fill on.
  viewer_->set_fill_progress(services_.front.fill_progress());
  services_.front.open_window(*viewer_, *this, start_state());
}

void EngineProgram::close_viewer() {
  // The window stops showing the engine's list before the list goes.
  services_.front.close_window();
  viewer_.reset();
}

void EngineProgram::run_viewer() {
  open_viewer();
  services_.front.run_window();
  close_viewer();
}

void EngineProgram::save_settings() {
  const bool recorded = settings_->ecrit_config();
  std::string problem = settings_store_->flush();
  if (problem.empty() && !recorded) problem = settings_store_->save_failure_message();
  warn(problem);
}

void EngineProgram::window_opening() {
  viewer_->open();
}

void EngineProgram::window_closing(const WindowRect& rect) {
  viewer_->close({rect.x, rect.y, rect.width, rect.height});
}

void EngineProgram::session_ending(const WindowRect& rect) {
  if (!viewer_) return;
  // What the close sequence saves, without releasing the rows (the window is still open,
  // maybe in a fill) and without a message box (nobody may be there to close it).
  flags_->ecrit_info_traite(settings_->config);
  viewer_->enreg_taille_col();
  viewer_->ferme_noemie({rect.x, rect.y, rect.width, rect.height});
  settings_->ecrit_config();
  settings_store_->flush();
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

}  // namespace noemie::app
