#include <windows.h>
// After windows.h, which it builds on:
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include "cli/console.h"
#include "core/platform/win32/wide_text.h"

namespace noemie::cli {
namespace {

bool leads_somewhere(DWORD which) {
  const HANDLE h = GetStdHandle(which);
  return h != nullptr && h != INVALID_HANDLE_VALUE;
}

}  // namespace

void prepare_standard_streams() {
  // A GUI-subsystem program gets no console; the standard handles it was given (a
  // redirection to a file or a pipe) still lead somewhere and are kept.
  const bool has_output = leads_somewhere(STD_OUTPUT_HANDLE);
  const bool has_error = leads_somewhere(STD_ERROR_HANDLE);
  if ((!has_output || !has_error) && GetConsoleWindow() == nullptr &&
      AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (!has_output) (void)std::freopen("CONOUT$", "w", stdout);
    if (!has_error) (void)std::freopen("CONOUT$", "w", stderr);
  }
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::vector<std::string> command_arguments(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return args;
  // `argv` is the tail of the whole command line (a sub-command's own arguments).
  if (count >= argc) {
    for (int i = 0; i < argc; ++i) {
      args[static_cast<std::size_t>(i)] = platform::win32::wide_to_utf8(wide[count - argc + i]);
    }
  }
  LocalFree(wide);
  return args;
}

bool write_text(std::FILE* stream, std::string_view text) {
  const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode)) {
    std::fflush(stream);
    const std::wstring wide = platform::win32::utf8_to_wide(text);
    DWORD written = 0;
    return WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
           written == wide.size();
  }
  const std::size_t written = std::fwrite(text.data(), 1, text.size(), stream);
  return std::fflush(stream) == 0 && written == text.size();
}

bool is_terminal(std::FILE* stream) {
  const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  return h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode);
}

}  // namespace noemie::cli
