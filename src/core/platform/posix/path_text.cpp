#include "core/platform/path_text.h"

#include "core/text/cp1252.h"

namespace noemie::platform {

std::string path_to_cp1252(const std::filesystem::path& path) {
  return text::utf8_to_cp1252(path.native());
}

std::string path_to_setting(const std::filesystem::path& path) {
  return path.native();
}

std::filesystem::path path_from_setting(std::string_view text) {
  return std::filesystem::path(text);
}

std::string path_to_native_text(const std::filesystem::path& path) {
  return path.native();
}

std::filesystem::path path_from_native_text(std::string_view text) {
  return std::filesystem::path(text);
}

}  // namespace noemie::platform
