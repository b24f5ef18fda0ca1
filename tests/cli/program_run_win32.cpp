// Running the program as a child process on Windows (see program_run.h).

#include <windows.h>

#include <map>
#include <stdexcept>

#include "cli/program_run.h"
#include "core/platform/win32/wide_text.h"
#include "support/temp_dir.h"

namespace noemie::testing {
namespace {

using platform::win32::utf8_to_wide;

// One argument as the C runtime of the child reads it back: in quotes when it holds a blank
// or a quote (or is empty), with the backslashes before a quote doubled.
std::wstring quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, L'\\');
  return out + L"\"";
}

// Our environment with the run's changes, as the block CreateProcessW takes.
std::wstring environment_block(const std::map<std::string, std::optional<std::string>>& changes) {
  std::map<std::wstring, std::wstring> vars;
  wchar_t* const block = GetEnvironmentStringsW();
  for (const wchar_t* e = block; *e != L'\0'; e += wcslen(e) + 1) {
    const std::wstring entry = e;
    const auto eq = entry.find(L'=', 1);  // "=C:=C:\..." entries begin with "="
    if (eq != std::wstring::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  FreeEnvironmentStringsW(block);
  for (const auto& [name, value] : changes) {
    if (value) {
      vars[utf8_to_wide(name)] = utf8_to_wide(*value);
    } else {
      vars.erase(utf8_to_wide(name));
    }
  }
  std::wstring out;
  for (const auto& [name, value] : vars) out += name + L"=" + value + L'\0';
  return out + L'\0';
}

// A handle the child inherits: a file created (or opened) for writing, or NUL for reading.
HANDLE inheritable(const std::filesystem::path& path, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE h = CreateFileW(
      path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
      &inherit, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path.string());
  return h;
}

}  // namespace

ProgramResult run_program(const ProgramRun& run) {
  TempDir captures;
  const auto out_path = captures.path() / "stdout";
  const auto err_path = captures.path() / "stderr";

  std::wstring command = quoted(run.program.native());
  for (const std::string& arg : run.args) command += L" " + quoted(utf8_to_wide(arg));
  std::wstring environment = environment_block(run.env);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inheritable(L"NUL", false);
  startup.hStdOutput = inheritable(run.stdout_file.value_or(out_path), true);
  startup.hStdError = inheritable(err_path, true);
  PROCESS_INFORMATION child{};
  const BOOL started = CreateProcessW(
      nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
      environment.data(), run.cwd.empty() ? nullptr : run.cwd.c_str(), &startup, &child);
  CloseHandle(startup.hStdInput);
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  if (!started) throw std::runtime_error("cannot start " + run.program.string());

  WaitForSingleObject(child.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(child.hProcess, &code);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  ProgramResult result;
  result.exit_code = static_cast<int>(code);
  if (!run.stdout_file) result.out = read_file(out_path);
  result.err = read_file(err_path);
  return result;
}

}  // namespace noemie::testing
