#pragma once
// The desktop program's start-up, in its order: load the settings, take the folder (from the
// command line, else from the folder chooser "Répertoire à visualiser" opened on the `path`
// setting), run the viewer window until it closes, save the settings.
//
// DesktopProgram is the seam between this order and what carries it out: the settings
// store and the list engine implement it for the real program, tests record the calls.

#include <filesystem>
#include <optional>

#include "core/platform/dialogs.h"

namespace noemie::app {

class DesktopProgram {
 public:
  virtual ~DesktopProgram() = default;
  // Loads the settings and splits the column titles.
  virtual void load_settings() = 0;
  // The `path` setting: the folder viewed last time (the chooser opens there).
  virtual std::filesystem::path folder_setting() const = 0;
  // The folder chosen: becomes the `path` setting and the folder the list scans.
  virtual void set_folder(const std::filesystem::path& folder) = 0;
  // Opens the viewer window and returns once it has closed (its close sequence has run).
  virtual void run_viewer() = 0;
  // Writes the settings.
  virtual void save_settings() = 0;
};

// The folder chooser's title, "Répertoire à visualiser" (Windows-1252).
inline constexpr const char* kFolderChooserTitle = "R\xE9pertoire \xE0 visualiser";

// Runs start-up and returns the exit status: 1 when the folder choice is cancelled (nothing
// is then written), 0 otherwise. `folder_argument` is the FOLDER of the command line: an
// existing folder is taken without asking; one that is not a folder is named in a message
// box and the chooser is opened as if none had been given.
int run_startup(DesktopProgram& program, platform::Dialogs& dialogs,
                const std::optional<std::filesystem::path>& folder_argument);

// A folder given on the command line as the `path` setting holds a choice: absolute,
// normalised, without a trailing separator.
std::filesystem::path folder_as_chosen(const std::filesystem::path& folder);

}  // namespace noemie::app
