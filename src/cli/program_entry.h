#pragma once
// The program's entry: what `noemie-viewer ARGS...` asks for, decided from the arguments and
// the environment before anything starts, and in particular before any toolkit object exists
// (a toolkit that finds no display aborts the process).

#include <functional>
#include <span>
#include <string>

#include "core/store/reg_file_registry.h"

namespace noemie::cli {

struct ProgramEntry {
  enum class Action {
    Desktop,     // the desktop viewer, `noemie-viewer [FOLDER]` with the toolkit's own options
    Export,      // the export command: its arguments follow "export"
    Mark,        // the mark command: its arguments follow "mark"
    Summary,     // the summary command: its arguments follow "summary"
    Virements,   // the transfer list command: its arguments follow "virements"
    Help,        // --help, -h
    Version,     // --version
    UsageError,  // `message` says what is wrong
    NoDisplay,   // the viewer cannot open a window here: `message` says so
  };
  Action action = Action::Desktop;
  std::string message;  // one line, without the program's name
};

// Tells whether a path names anything (a folder, a file, ...).
using PathCheck = std::function<bool(const std::string& path)>;

// Reads `args` (after the program's name). The viewer takes at most one FOLDER and the
// toolkit's own options ("-platform offscreen", "-style=fusion", ...); a first argument that
// is neither a command nor an existing path and is followed by more arguments is an unknown
// command. On Linux, the viewer needs a display: DISPLAY or WAYLAND_DISPLAY, "-display", or a
// platform (QT_QPA_PLATFORM or "-platform") that works without one, such as offscreen.
ProgramEntry choose_program_entry(std::span<const std::string> args,
                                  const store::EnvironmentLookup& env, const PathCheck& exists);

// The same with the process's environment and file system.
ProgramEntry choose_program_entry(std::span<const std::string> args);

}  // namespace noemie::cli
