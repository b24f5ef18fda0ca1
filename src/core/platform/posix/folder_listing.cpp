#include "core/platform/folder_listing.h"

namespace noemie::platform {

FolderListing list_folder(const std::filesystem::path& folder, std::error_code& error) {
  error.clear();
  FolderListing listing;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return {};
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) break;
    std::string raw = it->path().filename().native();
    if (raw.empty() || raw.front() == '.') continue;
    std::error_code ec;
    const bool is_directory = it->is_directory(ec);
    listing.push_back({it->path(), std::move(raw), is_directory});
  }
  if (error) return {};
  return listing;
}

std::error_code check_folder(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(folder, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return std::make_error_code(std::errc::no_such_file_or_directory);
  }
  if (error) return error;
  if (!std::filesystem::is_directory(status)) {
    return std::make_error_code(std::errc::not_a_directory);
  }
  std::filesystem::directory_iterator listing(folder, error);
  return error;
}

}  // namespace noemie::platform
