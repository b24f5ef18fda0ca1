#include "core/platform/path_text.h"

#include "core/platform/win32/wide_text.h"

namespace noemie::platform {

std::string path_to_cp1252(const std::filesystem::path& path) {
  return win32::wide_to_cp1252(path.native());
}

std::string path_to_setting(const std::filesystem::path& path) {
  return win32::wide_to_cp1252(path.native());
}

std::filesystem::path path_from_setting(std::string_view text) {
  return std::filesystem::path(win32::cp1252_to_wide(text));
}

std::string path_to_native_text(const std::filesystem::path& path) {
  return win32::wide_to_utf8(path.native());
}

std::filesystem::path path_from_native_text(std::string_view text) {
  return std::filesystem::path(win32::utf8_to_wide(text));
}

}  // namespace noemie::platform
