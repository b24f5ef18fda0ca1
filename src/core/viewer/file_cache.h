#pragma once
// The files a viewer has read, kept as the rows they make, so that a refill (another filter,
// another kind mask, "Abrégé" switched) reads again only the files that changed. A file is
// known by its path and its stamp (size, modification time); what is kept of it is its
// FileRows for each "Abrégé" setting it was read with, never its bytes or parsed entries.

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/platform/file_stamp.h"
#include "core/viewer/file_rows.h"

namespace noemie::viewer {

class FileCache {
 public:
  // What was made from one file as it was when it was read.
  struct Known {
    platform::FileStamp stamp;
    std::array<std::shared_ptr<const FileRows>, 2> made;  // indexed by the "Abrégé" setting

    // What was made under `abrege` when the file still has `now`; null otherwise.
    std::shared_ptr<const FileRows> reusable(const std::optional<platform::FileStamp>& now,
                                             bool abrege) const {
      if (!now || !(*now == stamp)) return nullptr;
      return made[abrege ? 1 : 0];
    }
  };

  // A file's path in the platform's own form.
  using Path = std::filesystem::path::string_type;
  using PathView = std::basic_string_view<Path::value_type>;

  // What is known of the file at `path`; null when nothing is. The pointer stays valid until
  // the next keep, forget_others or clear.
  const Known* find(const Path& path) const;

  // Keeps `rows`, made under `abrege` from the file at `path` when it had `stamp`; what was
  // kept for another stamp of that file goes.
  void keep(const Path& path, const platform::FileStamp& stamp, bool abrege,
            std::shared_ptr<const FileRows> rows);

  // Forgets every file whose path is not in `present`.
  void forget_others(const std::unordered_set<PathView>& present);

  void clear() { files_.clear(); }
  bool empty() const { return files_.empty(); }

 private:
  std::unordered_map<Path, Known> files_;
};

}  // namespace noemie::viewer
