#pragma once
// Writing bytes to a file already open for writing, however many calls the system needs.

#include <cstdint>
#include <string_view>
#include <system_error>

namespace noemie::platform {

// Writes every byte of `bytes` to `handle` (a descriptor on POSIX, a HANDLE on Windows),
// going on after partial and interrupted writes. Returns the system's error, or
// `nothing_written` when a write took no byte without one; nothing when all were written.
std::error_code write_all(std::intptr_t handle, std::string_view bytes, std::errc nothing_written);

}  // namespace noemie::platform
