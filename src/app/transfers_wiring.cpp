#include "app/transfers_wiring.h"

#include <chrono>

#include "app/practice_wiring.h"
#include "core/viewer/list_summary.h"
#include "core/viewer/viewer.h"
#include "print/transfers_document.h"

namespace noemie::app {
namespace {

constexpr const char* kStatementChooserTitle = "Choisissez un relev\xE9 bancaire";

print::PrintDate today() {
  return print::local_date(std::chrono::system_clock::now());
}

}  // namespace

std::string credit_cell(const bank::BankCredit& credit, int column) {
  switch (column) {
    case 0:
      return credit.date;
    case 1:
      return viewer::euro_text(credit.cents);
    case 2:
      return credit.text;
    default:
      return {};
  }
}

TransfersWiring::TransfersWiring(viewer::Viewer& viewer, platform::Dialogs& dialogs,
                                 PracticeWiring& practice)
    : viewer_(viewer),
      dialogs_(dialogs),
      practice_(practice),
      ticks_(viewer.tick_file()),
      model_(viewer, ticks_, dialogs) {}

void TransfersWiring::warn(const std::string& problem) {
  if (!problem.empty()) {
    dialogs_.message_box(problem, viewer::kViewerWarningCaption, platform::MessageIcon::Warning);
  }
}

void TransfersWiring::opened(TransfersView& view) {
  view_ = &view;
  // A load forgets this run's unsaved ticks: those are written first, which reads the file too.
  const std::string problem = ticks_.has_changes() ? ticks_.save() : ticks_.load();
  model_.refresh();
  show();
  warn(problem);
}

void TransfersWiring::show() {
  if (view_) view_->show_table();
}

void TransfersWiring::list_changed() {
  if (!view_) return;
  model_.refresh();
  show();
}

void TransfersWiring::title_clicked(int column) {
  model_.sort(column);
  show();
}

void TransfersWiring::tick_toggled(int row) {
  if (row < 0 || row >= model_.row_count()) return;
  model_.set_ticked(row, !model_.ticked(row));
  show();
}

void TransfersWiring::line_activated(int row) {
  if (row < 0 || row >= model_.row_count()) return;
  model_.narrow_list_to(row);
  practice_.show_narrowing();
}

void TransfersWiring::export_chosen(int entry) {
  if (entry >= 0 && entry <= 2) {
    model_.sav(static_cast<viewer::ExportMode>(entry));
  } else if (entry == 3) {
    pdf_save_.run(
        [this](const print::PrintDate& date) {
          return print::transfers_document(viewer_, model_.sheet(), date);
        },
        dialogs_, today());
  }
}

void TransfersWiring::print() {
  if (view_) view_->preview(print::transfers_document(viewer_, model_.sheet(), today()));
}

void TransfersWiring::statement_asked() {
  const std::optional<std::filesystem::path> file = dialogs_.choose_open_file(
      kStatementChooserTitle, viewer::TransfersModel::statement_filters(), statement_folder_);
  if (!file) return;
  statement_folder_ = file->parent_path();
  model_.apply_statement(*file);
  show();
}

void TransfersWiring::viewer_closing() {
  closed();
  if (ticks_.has_changes()) warn(ticks_.save());
}

}  // namespace noemie::app
