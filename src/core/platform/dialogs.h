#pragma once
// Modal dialogs the core asks for: message boxes, the folder chooser, the save-file chooser
// and the open-file chooser. The desktop viewer implements them with Qt; tests use
// RecordingDialogs. All texts are Windows-1252.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace noemie::platform {

enum class MessageIcon { None, Information, Warning, Error };

// One entry of a file chooser's filter list, e.g. {"Fichiers Texte", "*.TXT"}.
struct FileFilter {
  std::string description;
  std::string pattern;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A modal message box with a single OK button.
  virtual void message_box(std::string_view text, std::string_view caption, MessageIcon icon) = 0;

  // The folder chooser, opened on `start`; nullopt when the user cancels.
  virtual std::optional<std::filesystem::path> choose_folder(
      std::string_view title, const std::filesystem::path& start) = 0;

  // The save-file chooser (asks before overwriting), opened in `folder` with the first filter
  // preselected; nullopt when the user cancels.
  virtual std::optional<std::filesystem::path> choose_save_file(
      std::string_view title, const std::vector<FileFilter>& filters,
      const std::filesystem::path& folder) = 0;

  // The open-file chooser (an existing file only), opened in `folder` with the first filter
  // preselected; nullopt when the user cancels.
  virtual std::optional<std::filesystem::path> choose_open_file(
      std::string_view title, const std::vector<FileFilter>& filters,
      const std::filesystem::path& folder) = 0;
};

}  // namespace noemie::platform
