#pragma once
// What the headless commands share: their one-line messages on standard error, the running
// program's file, and the settings store opened read-only (a command never changes settings).

#include <memory>
#include <string>

#include "core/store/registry.h"

namespace noemie::cli {

// Writes "noemie-viewer: LINE" and a line feed to standard error, in one write.
void print_error(const std::string& line);

// The running program's file, as the fund directory lookup and `rep_VL` want it ("" when the
// platform does not say).
std::string program_file();

// The settings store, opened read-only: nothing a run changes ever reaches the file. With no
// settings file path at all (no variable gives one), the defaults in memory.
std::unique_ptr<store::Registry> open_settings_store();

}  // namespace noemie::cli
