#include "core/viewer/file_cache.h"

namespace noemie::viewer {

const FileCache::Known* FileCache::find(const Path& path) const {
  const auto it = files_.find(path);
  return it == files_.end() ? nullptr : &it->second;
}

void FileCache::keep(const Path& path, const platform::FileStamp& stamp, bool abrege,
                     std::shared_ptr<const FileRows> rows) {
  Known& known = files_[path];
  if (!(known.stamp == stamp)) known = Known{stamp, {}};
  known.made[abrege ? 1 : 0] = std::move(rows);
}

void FileCache::forget_others(const std::unordered_set<PathView>& present) {
  std::erase_if(files_, [&](const auto& file) { return !present.contains(PathView(file.first)); });
}

}  // namespace noemie::viewer
