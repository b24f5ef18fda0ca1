#include "win32/win32_services.h"

// After windows.h (included above), which they build on:
#include <commdlg.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <string>

#include "core/platform/win32/wide_text.h"

namespace noemie::win32 {
namespace {

using platform::win32::cp1252_to_wide;

UINT icon_flag(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::Information:
      return MB_ICONINFORMATION;
    case platform::MessageIcon::Warning:
      return MB_ICONWARNING;
    case platform::MessageIcon::Error:
      return MB_ICONERROR;
    case platform::MessageIcon::None:
      break;
  }
  return 0;
}

// Releases a COM interface at the end of a scope.
template <typename T>
struct ComPtr {
  T* p = nullptr;
  ~ComPtr() {
    if (p) p->Release();
  }
  T** out() { return &p; }
  T* operator->() const { return p; }
};

app::WindowRect to_window_rect(const RECT& r) {
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

BOOL CALLBACK add_monitor(HMONITOR, HDC, LPRECT rect, LPARAM data) {
  reinterpret_cast<std::vector<app::WindowRect>*>(data)->push_back(to_window_rect(*rect));
  return TRUE;
}

}  // namespace

void Win32Dialogs::message_box(std::string_view text, std::string_view caption,
                               platform::MessageIcon icon) {
  MessageBoxW(owner_, cp1252_to_wide(text).c_str(), cp1252_to_wide(caption).c_str(),
              MB_OK | icon_flag(icon));
}

std::optional<std::filesystem::path> Win32Dialogs::choose_folder(
    std::string_view title, const std::filesystem::path& start) {
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(dialog.out())))) {
    return std::nullopt;
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog->SetTitle(cp1252_to_wide(title).c_str());
  if (!start.empty()) {
    ComPtr<IShellItem> folder;
    if (SUCCEEDED(
            SHCreateItemFromParsingName(start.c_str(), nullptr, IID_PPV_ARGS(folder.out())))) {
      dialog->SetFolder(folder.p);
    }
  }
  if (FAILED(dialog->Show(owner_))) return std::nullopt;  // cancelled
  ComPtr<IShellItem> chosen;
  if (FAILED(dialog->GetResult(chosen.out()))) return std::nullopt;
  PWSTR path = nullptr;
  if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path)) || path == nullptr) {
    return std::nullopt;
  }
  std::filesystem::path result(path);
  CoTaskMemFree(path);
  return result;
}

std::optional<std::filesystem::path> Win32Dialogs::choose_file(
    bool save, std::string_view title, const std::vector<platform::FileFilter>& filters,
    const std::filesystem::path& folder) {
  // "description\0pattern\0" for each filter, then one more "\0".
  std::wstring filter_text;
  for (const platform::FileFilter& f : filters) {
    filter_text += cp1252_to_wide(f.description) + L'\0' + cp1252_to_wide(f.pattern) + L'\0';
  }
  filter_text += L'\0';
  const std::wstring wide_title = cp1252_to_wide(title);
  const std::wstring initial = folder.wstring();
  // Room for the longest path Windows can take.
  std::wstring file(32768, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = filters.empty() ? nullptr : filter_text.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initial.empty() ? nullptr : initial.c_str();
  ofn.lpstrTitle = wide_title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return std::nullopt;
  file.resize(wcslen(file.c_str()));
  return std::filesystem::path(file);
}

std::optional<std::filesystem::path> Win32Dialogs::choose_save_file(
    std::string_view title, const std::vector<platform::FileFilter>& filters,
    const std::filesystem::path& folder) {
  return choose_file(true, title, filters, folder);
}

std::optional<std::filesystem::path> Win32Dialogs::choose_open_file(
    std::string_view title, const std::vector<platform::FileFilter>& filters,
    const std::filesystem::path& folder) {
  return choose_file(false, title, filters, folder);
}

void Win32Shell::open_url(std::string_view url) {
  const std::wstring wide(url.begin(), url.end());  // percent-encoded ASCII
  ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::vector<app::WindowRect> monitor_rects() {
  std::vector<app::WindowRect> rects;
  EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&rects));
  return rects;
}

app::WindowRect primary_work_area() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) return {};
  return to_window_rect(info.rcWork);
}

}  // namespace noemie::win32
