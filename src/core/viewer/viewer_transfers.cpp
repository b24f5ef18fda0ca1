// The viewer's bank transfers: the transfer list of the rows found, and the narrowing of the
// list to the rows of one transfer.

#include "core/viewer/viewer.h"

#include "core/store/settings.h"
#include "core/store/tick_store.h"

namespace noemie::viewer {

std::vector<TransferLine> Viewer::transfer_lines() const {
  if (finder_.empty()) return viewer::transfer_lines(list_, [](int) { return true; });
  return viewer::transfer_lines(list_, [this](int r) { return finder_.row_matches(list_, r); });
}

std::vector<bool> Viewer::rows_to_show() const {
  std::vector<bool> shown =
      finder_.empty() ? std::vector<bool>(static_cast<std::size_t>(list_.all_row_count()), true)
                      : find_rows(list_, finder_, false);
  if (!narrowing_) return shown;
  for (int r = 0; r < list_.all_row_count(); ++r) {
    const BlockTransfer* t = list_.all_row_transfer(r);
    if (t == nullptr || t->position != narrowing_->position ||
        t->file_name != narrowing_->file_name) {
      shown[static_cast<std::size_t>(r)] = false;
    }
  }
  return shown;
}

std::filesystem::path Viewer::tick_file() const {
  return store::tick_file_path(settings_.config.path_arch);
}

void Viewer::narrow_to_transfer(const TransferLine& line) {
  narrowing_ = line.key;
  narrowing_text_ = "Virement";
  if (!line.date.empty()) narrowing_text_ += " du " + line.date;
  if (!line.reference.empty()) narrowing_text_ += " " + line.reference;
  narrowing_text_ += " (" + line.key.file_name + ")";
  list_.begin_reset();
  list_.show_rows(rows_to_show());
  list_.end_reset();
}

void Viewer::end_transfer_narrowing() {
  if (!narrowing_) return;
  narrowing_.reset();
  narrowing_text_.clear();
  list_.begin_reset();
  if (finder_.empty()) {
    list_.show_all_rows();
  } else {
    list_.show_rows(rows_to_show());
  }
  list_.end_reset();
}

}  // namespace noemie::viewer
