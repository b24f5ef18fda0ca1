#include "core/viewer/folder_watch.h"

#include <algorithm>
#include <system_error>

#include "core/platform/file_stamp.h"
#include "core/platform/folder_listing.h"

namespace noemie::viewer {

FolderWatch::FolderWatch(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::vector<FolderWatch::Seen> FolderWatch::take() const {
  std::error_code error;
  return seen_in(platform::list_folder(folder_, error));
}

std::vector<FolderWatch::Seen> FolderWatch::seen_in(const platform::FolderListing& listing) {
  std::vector<Seen> seen;
  seen.reserve(listing.size());
  for (const platform::FolderEntry& entry : listing) {
    if (entry.is_directory) continue;
    Seen s{entry.raw_name};
    // The listing's stamps: a look opens no file.
    if (const auto stamp = platform::stamp_of(entry)) {
      s.size = stamp->size;
      s.modified = stamp->modified;
    }
    seen.push_back(std::move(s));
  }
  std::sort(seen.begin(), seen.end(), [](const Seen& a, const Seen& b) { return a.name < b.name; });
  return seen;
}

FolderWatch::Step FolderWatch::look() {
  std::vector<Seen> now = take();
  if (now == filled_) {
    looked_ = false;
    return Step::Nothing;
  }
  if (looked_ && now == last_look_) {
    looked_ = false;
    return Step::Refresh;
  }
  last_look_ = std::move(now);
  looked_ = true;
  return Step::Wait;
}

void FolderWatch::note_filled() {
  filled_ = take();
  looked_ = false;
}

void FolderWatch::note_filled(const platform::FolderListing& listing) {
  filled_ = seen_in(listing);
  looked_ = false;
}

}  // namespace noemie::viewer
