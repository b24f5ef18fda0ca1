#pragma once
// The running program's own file, beside which the fund directory is read and whose folder
// the settings record as `rep_VL`.

#include <filesystem>

namespace noemie::platform {

// The full path of the running program's file; empty when the system cannot say.
std::filesystem::path running_program_file();

}  // namespace noemie::platform
