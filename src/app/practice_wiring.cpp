#include "app/practice_wiring.h"

#include "core/viewer/list_summary.h"
#include "core/viewer/viewer.h"

namespace noemie::app {

PracticeWiring::PracticeWiring(viewer::Viewer& viewer, PracticeHost& host)
    : viewer_(viewer),
      host_(host),
      folder_(std::make_unique<viewer::FolderWatch>(viewer.options().folder)) {
  note_filled();
}

void PracticeWiring::note_filled() {
  if (const viewer::FolderListing* listing = viewer_.last_listing()) {
    folder_->note_filled(*listing);
  } else {
    folder_->note_filled();
  }
}

PracticeWiring::~PracticeWiring() = default;

void PracticeWiring::find_text_changed(std::string_view text) {
  if (stopped_ || showing_narrowing_) return;
  viewer_.set_find_text(text);
}

void PracticeWiring::show_narrowing() {
  if (stopped_) return;
  showing_narrowing_ = true;
  host_.show_find_text(viewer_.transfer_narrowing_text());
  showing_narrowing_ = false;
}

std::string PracticeWiring::summary_text() const {
  return viewer::summary_status_text(viewer_.summary());
}

void PracticeWiring::update_summary() {
  if (!stopped_) host_.show_summary(summary_text());
}

void PracticeWiring::refresh(bool automatic) {
  if (stopped_) return;
  const int new_top = viewer_.actualise(host_.top_row(), automatic);
  note_filled();
  host_.show_top_row(new_top);
}

void PracticeWiring::folder_changed() {
  if (!host_.look_timer_active()) host_.start_look_timer(kSettleMs);
}

void PracticeWiring::poll_due() {
  if (!host_.look_timer_active()) look();
}

void PracticeWiring::look_due() {
  look();
}

void PracticeWiring::look() {
  if (stopped_) return;
  // Never while a dialog waits for the user: a fill may be under way behind it.
  if (host_.dialog_or_menu_open()) {
    host_.start_look_timer(kSettleMs);
    return;
  }
  switch (folder_->look()) {
    case viewer::FolderWatch::Step::Nothing:
      break;
    case viewer::FolderWatch::Step::Wait:
      host_.start_look_timer(kSettleMs);
      break;
    case viewer::FolderWatch::Step::Refresh:
      refresh(true);
      break;
  }
}

}  // namespace noemie::app
