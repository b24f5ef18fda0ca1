// The viewer's additions for the practice's work on the list: find, the summary of the rows
// shown, and "Actualiser" keeping the user's place.

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "core/store/settings.h"
#include "core/viewer/ordered_work.h"
#include "core/viewer/viewer.h"

namespace noemie::viewer {
namespace {

// Rows after the top one tried, in order, when the top row itself is gone.
constexpr int kAnchorRows = 64;

// A row as the user knows it: its cell texts.
std::string row_key(const ListControl& list, int row) {
  std::string key;
  for (int col = kColFichier; col < kColumnCount; ++col) {
    key += list.cell(row, col);
    key += '\x1F';
  }
  return key;
}

}  // namespace

std::string Viewer::filters_text() const {
  static constexpr std::string_view kKinds[] = {"Toutes", "Paiements", "Rejets", "Autres"};
  static constexpr std::string_view kAges[] = {"Toujours", "1 mois", "7 jours", "Aujourd'hui"};
  const auto name = [](const auto& names, int i) {
    return i >= 0 && i < 4 ? std::string(names[static_cast<std::size_t>(i)]) : std::to_string(i);
  };
  const auto mask = static_cast<std::uint8_t>(settings_.config.noemie_rsp_aff);
  std::string families;
  if (mask & kMaskRsp) families += "RSP, ";
  if (mask & kMaskArl) families += "ARL/ARX, ";
  families += "DAT";
  std::string text =
      "R\xE9"
      "f\xE9rence : " +
      name(kKinds, filter_.type_liste) + " - Depuis : " + name(kAges, filter_.type_date) +
      " - Fichiers : " + families;
  if (abrege()) text += " - Abr\xE9g\xE9";
  return text;
}

void Viewer::set_find_text(std::string_view text) {
  RowFinder next(text);
  // A longer text keeps fewer rows: only those shown now need a look (a narrowing to one
  // transfer, which a new find ends, may hide some of them).
  const bool only_shown =
      list_.narrowed() && !finder_.empty() && next.narrows(finder_) && !narrowing_;
  narrowing_.reset();
  narrowing_text_.clear();
  // The find is in place before the list tells its observers, which may ask for what it
  // keeps (the transfers of the rows found).
  finder_ = std::move(next);
  list_.begin_reset();
  if (finder_.empty()) {
    list_.show_all_rows();
  } else {
    list_.show_rows(find_rows(list_, finder_, only_shown));
  }
  list_.end_reset();
}

ListSummary Viewer::summary() const {
  const std::uint64_t version = list_.content_version();
  if (summary_ && summary_version_ == version) return *summary_;  // a sort changes nothing
  ListSummary s;
  if (!list_.narrowed() && version == listed_version_) {
    // The rows the last fill listed, each file's once: worked out on every core for the files
    // that have none yet (those a fill read since), then added up.
    std::vector<const FileRows*> missing;
    for (const auto& file : listed_) {
      if (!file->summary) missing.push_back(file.get());
    }
    run_in_order(
        missing.size(), work_threads(options_.fill_threads),
        [&](std::size_t i, unsigned) { missing[i]->summary = summarize_block(*missing[i]->rows); },
        [](std::size_t) {}, 0, 64);
    for (const auto& file : listed_) s += *file->summary;
  } else {
    s = summarize(list_);
  }
  summary_ = s;
  summary_version_ = version;
  return s;
}

void Viewer::hide_unfound_rows() {
  if (!finder_.empty() || narrowing_) list_.show_rows(rows_to_show());
}

void Viewer::report_faults(const FileRows& file) {
  if (file.faults.empty()) return;
  if (file.stamp) {
    const auto key =
        std::make_tuple(file.faults.front().path.native(), file.stamp->size, file.stamp->modified);
    const bool repeated = !reported_.insert(key).second;
    if (repeated && quiet_repeats_) return;
  }
  for (const FaultReport& fault : file.faults) reporter_.report(fault);
}

int Viewer::actualise(int top_row, bool automatic) {
  std::unordered_set<std::string> selected;
  for (int r = 0; r < list_.row_count(); ++r) {
    if (list_.selected(r)) selected.insert(row_key(list_, r));
  }
  std::unordered_map<std::string, int> anchors;  // key -> rank after the top row
  for (int k = 0; k < kAnchorRows && top_row + k < list_.row_count(); ++k) {
    anchors.emplace(row_key(list_, top_row + k), k);
  }
  const int column = sort_column_;

  quiet_repeats_ = automatic;
  try {
    remplit_aff();
  } catch (...) {
    quiet_repeats_ = false;
    throw;
  }
  quiet_repeats_ = false;
  if (column != kColFichier) sort_colonne(column);

  int best_rank = kAnchorRows;
  int new_top = std::clamp(top_row, 0, std::max(0, list_.row_count() - 1));
  if (selected.empty() && anchors.empty()) return new_top;
  bool reselected = false;
  for (int r = 0; r < list_.row_count(); ++r) {
    const std::string key = row_key(list_, r);
    if (selected.contains(key)) {
      list_.set_selected(r, true);
      reselected = true;
    }
    if (const auto at = anchors.find(key); at != anchors.end() && at->second < best_rank) {
      best_rank = at->second;
      new_top = r;
    }
  }
  // A view takes the selection again from the list after a reset.
  if (reselected) {
    list_.begin_reset();
    list_.end_reset();
  }
  return new_top;
}

}  // namespace noemie::viewer
