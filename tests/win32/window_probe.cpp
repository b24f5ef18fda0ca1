// Looks at a running Windows viewer from another process, as a screen reader or a test tool
// does: only window texts, class names and standard control messages. It starts the viewer on
// a folder, finds its window by its caption, and checks that
//   - a static "Rechercher :" is followed by an edit box, and setting the box's text narrows
//     the list (its item count) to the expected count, cleared brings every row back;
//   - a static shows the summary beginning with the row count ("16 lignes, 8 fichiers : ...");
//   - buttons "Actualiser" and "Imprimer…" exist;
//   - a return file copied into the folder appears in the list within 8 s, with no click.
// An error dialog of a faulty file is closed with its "OK". Prints one line per check and
// "N passed, M failed"; the exit status is 0 when every check passed.
//   window_probe VIEWER.exe FOLDER FIND_TEXT EXPECTED_ROWS RETURN_FILE_TO_COPY
// With --pose it only types FIND_TEXT into the find field and prints "posed" once the list
// has narrowed, keeps the window so for 5 s (for a picture taken from outside), and closes it.
//   window_probe --pose VIEWER.exe FOLDER FIND_TEXT

#include <windows.h>
// After windows.h, which they build on:
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr wchar_t kCaption[] = L"Affichage NOEMIE (ARL/ARX/RSP) v1.1.3";
constexpr wchar_t kFaultCaption[] = L"Erreur lors du traitement d'un retour NOEMIE";

struct Child {
  HWND hwnd;
  std::wstring type;
  std::wstring text;
};

std::wstring text_of(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                      &length);
  return text;
}

std::wstring class_of(HWND window) {
  wchar_t type[64] = {};
  GetClassNameW(window, type, 64);
  return type;
}

std::vector<Child> children_of(HWND window) {
  std::vector<Child> children;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    children.push_back({c, class_of(c), text_of(c)});
  }
  return children;
}

int item_count(HWND list) {
  DWORD_PTR count = 0;
  SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000, &count);
  return static_cast<int>(count);
}

// Closes every error dialog of `process` with its "OK" button.
void close_fault_dialogs(DWORD process) {
  for (HWND w = FindWindowW(nullptr, kFaultCaption); w; w = FindWindowW(nullptr, kFaultCaption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner != process) return;
    for (const Child& c : children_of(w)) {
      if (c.type == L"Button" && c.text == L"OK") {
        PostMessageW(c.hwnd, BM_CLICK, 0, 0);
      }
    }
    Sleep(200);
  }
}

// Waits until `done`, at most `limit`, closing error dialogs of `process` meanwhile.
bool wait_for(const std::function<bool()>& done, std::chrono::milliseconds limit, DWORD process) {
  const auto end = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() >= end) return false;
    close_fault_dialogs(process);
    Sleep(50);
  }
  return true;
}

int passed = 0;
int failed = 0;

void check(bool ok, const std::string& what) {
  std::printf("%s %s\n", ok ? "ok" : "FAILED", what.c_str());
  ++(ok ? passed : failed);
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const bool pose = argv && argc == 5 && std::wstring(argv[1]) == L"--pose";
  if (!argv || (argc != 6 && !pose)) {
    std::fprintf(stderr,
                 "usage: window_probe VIEWER.exe FOLDER FIND_TEXT EXPECTED_ROWS FILE\n"
                 "       window_probe --pose VIEWER.exe FOLDER FIND_TEXT\n");
    return 2;
  }
  if (pose) ++argv;
  const std::wstring viewer = argv[1];
  const std::wstring folder = argv[2];
  const std::wstring find = argv[3];
  const int expected = pose ? 0 : _wtoi(argv[4]);
  const std::wstring source = pose ? L"" : argv[5];

  std::wstring command = L"\"" + viewer + L"\" \"" + folder + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(viewer.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "the viewer could not be started\n");
    return 2;
  }
  const DWORD pid = process.dwProcessId;

  HWND window = nullptr;
  const bool found = wait_for(
      [&] {
        window = FindWindowW(nullptr, kCaption);
        DWORD owner = 0;
        if (window) GetWindowThreadProcessId(window, &owner);
        return window && owner == pid && IsWindowVisible(window);
      },
      std::chrono::seconds(60), pid);
  check(found, "the viewer's window is found by its caption");
  if (!found) {
    TerminateProcess(process.hProcess, 3);
    return 1;
  }

  const std::vector<Child> children = children_of(window);
  HWND list = nullptr;
  HWND field = nullptr;
  bool refresh = false;
  bool print = false;
  for (std::size_t i = 0; i < children.size(); ++i) {
    const Child& c = children[i];
    std::wstring plain = c.text;
    plain.erase(std::remove(plain.begin(), plain.end(), L'&'), plain.end());
    if (c.type == L"SysListView32") list = c.hwnd;
    if (c.type == L"Static" && plain == L"Rechercher :" && i + 1 < children.size() &&
        children[i + 1].type == L"Edit") {
      field = children[i + 1].hwnd;
    }
    if (c.type == L"Button" && c.text == L"Actualiser") refresh = true;
    if (c.type == L"Button" && c.text == L"Imprimer\u2026") print = true;
  }
  check(list != nullptr, "a list view");
  check(field != nullptr, "a static \"Rechercher :\" followed by an edit box");
  check(refresh, "a button \"Actualiser\"");
  check(print, "a button \"Imprimer\xE2\x80\xA6\"");

  int all = 0;
  if (list) {
    wait_for([&] { return (all = item_count(list)) > 0; }, std::chrono::seconds(10), pid);
  }
  const auto summary_for = [&](int rows) {
    const std::wstring start = std::to_wstring(rows) + (rows > 1 ? L" lignes, " : L" ligne, ");
    for (const Child& c : children_of(window)) {
      if (c.type == L"Static" && c.text.rfind(start, 0) == 0) return true;
    }
    return false;
  };
  check(all > 0 && wait_for([&] { return summary_for(all); }, std::chrono::seconds(2), pid),
        "the summary of all " + std::to_string(all) + " rows in a static");

  if (pose && field && list) {
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(find.c_str()));
    SetForegroundWindow(window);
    wait_for([&] { return item_count(list) < all; }, std::chrono::seconds(5), pid);
    Sleep(1000);  // the narrowed list and the status line painted
    std::printf("posed\n");
    std::fflush(stdout);
    Sleep(5000);
  } else if (field && list) {
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(find.c_str()));
    const bool narrowed =
        wait_for([&] { return item_count(list) == expected; }, std::chrono::seconds(5), pid);
    check(narrowed, "the find narrows the list to " + std::to_string(expected) + " rows (" +
                        std::to_string(item_count(list)) + ")");
    check(summary_for(expected), "the summary follows the find");
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    check(wait_for([&] { return item_count(list) == all; }, std::chrono::seconds(5), pid),
          "an empty find shows every row again");

    const std::wstring copy = folder + L"\\00000900.RSP";
    CopyFileW(source.c_str(), copy.c_str(), FALSE);
    const bool appeared =
        wait_for([&] { return item_count(list) > all; }, std::chrono::seconds(8), pid);
    check(appeared, "a return copied into the folder appears within 8 s without a click");
  }

  PostMessageW(window, WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 3);
  check(ended, "the viewer closes");
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
