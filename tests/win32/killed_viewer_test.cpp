// Marks under Wine, from other processes: viewers run in child processes of this test, each
// the real dialog over the real engine on one folder, and mark through the real controls
// ("traités" after a row selected in the list control, a double-click on a state icon). A
// viewer killed (TerminateProcess) right after its marks loses none; two viewers that mark
// different files keep both sets of marks when they are made and after both have closed.
//
// A child tells where it is through named events: "ready" once its window is on screen
// (flags loaded, list filled), then it waits for "go", marks, and sets "marked".

#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it builds on:
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "program_fixture.h"
#include "win32/resource_ids.h"
#include "win32/win32_front.h"

namespace noemie::testing {
namespace {

constexpr std::wstring_view kChildSwitch = L"--viewer-child";
// How long a child or the parent waits for the other: a loaded machine starts Wine programs
// slowly, and a child that never answers must not hang the test.
constexpr DWORD kWaitMs = 120'000;

std::wstring event_name(const std::wstring& token, const wchar_t* what) {
  return L"noemie-viewer-test-" + token + L"-" + what;
}

// Waits for `event` while the thread's windows keep answering; false after kWaitMs.
bool wait_answering(HANDLE event) {
  const ULONGLONG deadline = GetTickCount64() + kWaitMs;
  while (GetTickCount64() < deadline) {
    if (MsgWaitForMultipleObjects(1, &event, FALSE, 500, QS_ALLINPUT) == WAIT_OBJECT_0) return true;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return false;
}

// The first row of the list control whose "Fichier" cell starts with the number `file`.
int row_of(HWND list, int file) {
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    wchar_t text[260] = {};
    ListView_GetItemText(list, row, viewer::kColFichier, text, 260);
    if (_wtoi(text) == file) return row;
  }
  return -1;
}

// A double-click on a cell, as the list control gets it from the mouse.
void double_click(HWND list, int row, int column) {
  RECT bounds{};
  ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS);
  int left = bounds.left;
  for (int c = 0; c < column; ++c) left += ListView_GetColumnWidth(list, c);
  const LPARAM at = MAKELPARAM(left + ListView_GetColumnWidth(list, column) / 2,
                               (bounds.top + bounds.bottom) / 2);
  for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    SendMessageW(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
  }
}

// The child: `--viewer-child FOLDER TOKEN MARK STEP` opens the viewer on FOLDER (its settings
// file, tables and "returns" folder, as ProgramFixture lays them out), marks file MARK
// "traités" and steps file STEP (0 for none) when told, then runs until its window is closed.
// Exit status: 0, or 7 when a message box was shown (a save that failed).
int run_viewer_child(const fs::path& dir, const std::wstring& token, int mark, int step) {
  const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, event_name(token, L"ready").c_str());
  const HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, event_name(token, L"go").c_str());
  const HANDLE marked = OpenEventW(EVENT_MODIFY_STATE, FALSE, event_name(token, L"marked").c_str());
  if (!ready || !go || !marked) return 5;
  TestDialogs dialogs;
  platform::RecordingShell shell;
  const platform::FixedClock clock{kNow};
  std::ostringstream warnings;
  win32::Win32Front front;
  app::EngineSetup setup;
  setup.settings_file = dir / "settings.reg";
  setup.program_file = dir / "noemie-viewer";
  setup.regime_table = dir / "caisses.qvc";
  app::EngineProgram program(setup, {dialogs, shell, clock, front, warnings});
  bool marked_all = false;
  front.set_window_shown_hook([&](win32::ViewerDialog& dialog) {
    SetEvent(ready);
    if (!wait_answering(go)) return;
    const HWND list = GetDlgItem(dialog.hwnd(), IDC_LIST);
    const int mark_row = row_of(list, mark);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, mark_row, LVIS_SELECTED, LVIS_SELECTED);
    SendMessageW(GetDlgItem(dialog.hwnd(), IDC_MARK_DONE), BM_CLICK, 0, 0);
    if (step != 0) double_click(list, row_of(list, step), viewer::kColTraite);
    marked_all = mark_row >= 0 && (step == 0 || row_of(list, step) >= 0);
    SetEvent(marked);
  });
  program.load_settings();
  program.set_folder(dir / "returns");
  program.run_viewer();
  program.save_settings();
  if (!marked_all) return 6;
  return dialogs.rec.boxes.empty() ? 0 : 7;
}

// A viewer in a child process, ended when still running.
class ViewerChild {
 public:
  ViewerChild(const fs::path& dir, int mark, int step) {
    static int count = 0;
    const std::wstring token =
        std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count);
    ready_ = CreateEventW(nullptr, TRUE, FALSE, event_name(token, L"ready").c_str());
    go_ = CreateEventW(nullptr, TRUE, FALSE, event_name(token, L"go").c_str());
    marked_ = CreateEventW(nullptr, TRUE, FALSE, event_name(token, L"marked").c_str());
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(program) + L"\" " + std::wstring(kChildSwitch) +
                           L" \"" + dir.wstring() + L"\" " + token + L" " + std::to_wstring(mark) +
                           L" " + std::to_wstring(step);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process_) != 0;
  }
  ~ViewerChild() {
    if (started_) {
      TerminateProcess(process_.hProcess, 9);
      WaitForSingleObject(process_.hProcess, kWaitMs);
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
    }
    for (const HANDLE event : {ready_, go_, marked_}) CloseHandle(event);
  }
  ViewerChild(const ViewerChild&) = delete;
  ViewerChild& operator=(const ViewerChild&) = delete;

  // Waits for the window on screen; false when the child ended or never answered.
  bool ready() const { return started_ && wait_for(ready_); }
  // Tells it to mark, and waits until it has.
  bool mark() const {
    SetEvent(go_);
    return wait_for(marked_);
  }
  // Kills it, as a crash or the task manager would.
  void kill() const {
    TerminateProcess(process_.hProcess, 9);
    WaitForSingleObject(process_.hProcess, kWaitMs);
  }
  // Closes its window as the close box does; returns its exit status (-1: it did not end).
  int close() const {
    EnumWindows(&post_close, static_cast<LPARAM>(process_.dwProcessId));
    if (WaitForSingleObject(process_.hProcess, kWaitMs) != WAIT_OBJECT_0) return -1;
    DWORD status = 0;
    GetExitCodeProcess(process_.hProcess, &status);
    return static_cast<int>(status);
  }

 private:
  bool wait_for(HANDLE event) const {
    const HANDLE either[] = {event, process_.hProcess};
    return WaitForMultipleObjects(2, either, FALSE, kWaitMs) == WAIT_OBJECT_0;
  }
  // Posts WM_CLOSE to the visible dialog windows of the process `lparam`.
  static BOOL CALLBACK post_close(HWND window, LPARAM lparam) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    if (process == static_cast<DWORD>(lparam) && IsWindowVisible(window) &&
        std::wstring_view(class_name) == L"#32770") {
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
  }

  HANDLE ready_ = nullptr;
  HANDLE go_ = nullptr;
  HANDLE marked_ = nullptr;
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

// A folder of four payment returns, 41 to 44, and the flag file as the children leave it.
struct SharedFolder : ProgramFixture {
  SharedFolder() {
    for (const char* name : {"00000041.RSP", "00000042.RSP", "00000043.RSP", "00000044.RSP"}) {
      put(name, return_file("531"), kNow - kDay);
    }
  }
  // The states of files 41 to 44 in the flag file.
  std::string states() const {
    const std::string flags = read_file(dir.path() / "arch" / "RSPstate.dat");
    return flags.size() < 45 ? "flag file of " + std::to_string(flags.size()) + " bytes"
                             : flags.substr(41, 4);
  }
};

TEST(Win32KilledViewer, MarksSurviveAKillRightAfterThem) {
  SharedFolder f;
  ViewerChild viewer(f.dir.path(), 42, 43);
  ASSERT_TRUE(viewer.ready());
  ASSERT_TRUE(viewer.mark());
  viewer.kill();
  EXPECT_EQ(f.states(), std::string("\0\1\1\0", 4));
}

TEST(Win32KilledViewer, TwoViewersOnOneFolderKeepBothMarksThroughBothCloses) {
  SharedFolder f;
  // Both have loaded the flag file before either marks.
  ViewerChild a(f.dir.path(), 41, 0);
  ViewerChild b(f.dir.path(), 44, 42);
  ASSERT_TRUE(a.ready() && b.ready());
  ASSERT_TRUE(a.mark());
  ASSERT_TRUE(b.mark());
  EXPECT_EQ(f.states(), std::string("\1\1\0\1", 4)) << "when the marks were made";
  EXPECT_EQ(a.close(), 0);
  EXPECT_EQ(b.close(), 0);
  EXPECT_EQ(f.states(), std::string("\1\1\0\1", 4)) << "after both closes";
}

}  // namespace
}  // namespace noemie::testing

// This program's own main, taken before GoogleTest's: it is also the viewers' child.
int main(int argc, char** argv) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args && count == 6 && args[1] == noemie::testing::kChildSwitch) {
    return noemie::testing::run_viewer_child(args[2], args[3], _wtoi(args[4]), _wtoi(args[5]));
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
