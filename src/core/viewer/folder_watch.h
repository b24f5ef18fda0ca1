#pragma once
// When the files of a viewed folder changed and are ready to be listed again. A front end
// that hears of a change in the folder (or looks now and then) asks look() a short while
// later, and again after each further delay while it answers Wait: a file being written keeps
// changing its size or time, and it is listed once two looks in a row see it alike, not while
// it is half-written.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/folder_listing.h"

namespace noemie::viewer {

class FolderWatch {
 public:
  enum class Step {
    Nothing,  // the folder holds what the list was last filled from
    Wait,     // something changed and may still be changing: look again after a delay
    Refresh,  // changed, and unchanged since the previous look: fill the list again
  };

  explicit FolderWatch(std::filesystem::path folder);

  Step look();
  // The list was filled from the folder as it is now (every fill calls this, asked or not).
  void note_filled();
  // The same from the listing the fill read the folder by (with stamps): what changed since
  // it was taken, during the fill included, is then seen by the next look.
  void note_filled(const platform::FolderListing& listing);

 private:
  struct Seen {
    std::string name;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    bool operator==(const Seen&) const = default;
  };
  std::vector<Seen> take() const;
  static std::vector<Seen> seen_in(const platform::FolderListing& listing);

  std::filesystem::path folder_;
  std::vector<Seen> filled_;
  std::vector<Seen> last_look_;
  bool looked_ = false;
};

}  // namespace noemie::viewer
