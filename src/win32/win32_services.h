#pragma once
// The platform services of the Windows front end: message boxes, the folder chooser (the
// shell's folder picker, opened on the last folder), the save-file and open-file choosers
// (Dialogs), opening a "mailto:" link (Shell), and the monitors a window may be placed on.
// Texts are Windows-1252 in the program and UTF-16 for Windows, converted with that code page.

#include <windows.h>

#include <vector>

#include "app/viewer_actions.h"
#include "core/platform/dialogs.h"
#include "core/platform/shell.h"

namespace noemie::win32 {

class Win32Dialogs final : public platform::Dialogs {
 public:
  // The window the boxes and choosers are modal to; none (nullptr) before the viewer opens.
  void set_owner(HWND owner) { owner_ = owner; }

  void message_box(std::string_view text, std::string_view caption,
                   platform::MessageIcon icon) override;
  std::optional<std::filesystem::path> choose_folder(std::string_view title,
                                                     const std::filesystem::path& start) override;
  std::optional<std::filesystem::path> choose_save_file(
      std::string_view title, const std::vector<platform::FileFilter>& filters,
      const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> choose_open_file(
      std::string_view title, const std::vector<platform::FileFilter>& filters,
      const std::filesystem::path& folder) override;

 private:
  // The common file dialog: "Enregistrer sous" when `save`, else "Ouvrir".
  std::optional<std::filesystem::path> choose_file(bool save, std::string_view title,
                                                   const std::vector<platform::FileFilter>& filters,
                                                   const std::filesystem::path& folder);

  HWND owner_ = nullptr;
};

class Win32Shell final : public platform::Shell {
 public:
  // The shell's "open" of `url`, in a normal window, from the current folder.
  void open_url(std::string_view url) override;
};

// The rectangles of every monitor, and the work area of the primary one (screen pixels).
std::vector<app::WindowRect> monitor_rects();
app::WindowRect primary_work_area();

}  // namespace noemie::win32
