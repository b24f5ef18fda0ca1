// The Windows viewer's find line, status line, keys, automatic refresh, long fills and end of
// session, on the real dialog over the real engine: what a user sees and what another program
// (a screen reader, a test tool) reads from the controls.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/store/config.h"
#include "window_fixture.h"

namespace noemie::testing {
namespace {

using namespace std::chrono_literals;

int shown_rows(const WindowFixture& f) {
  return ListView_GetItemCount(f.list_control());
}

TEST(Win32PracticeLine, FindNarrowsTheListTheStatusSaysItAndTheKeysWork) {
  WindowFixture f;
  f.start();
  const HWND label = f.item(IDC_FIND_LABEL);
  const HWND field = f.item(IDC_FIND);
  // As another program finds them: the label, then the edit box, in the window's order.
  EXPECT_EQ(WindowFixture::text_of(label), L"&Rechercher :");
  EXPECT_EQ(GetWindow(label, GW_HWNDNEXT), field);
  wchar_t type[32] = {};
  GetClassNameW(field, type, 32);
  EXPECT_STREQ(type, L"Edit");
  EXPECT_EQ(WindowFixture::text_of(f.item(IDC_REFRESH)), L"Actualiser");
  EXPECT_EQ(WindowFixture::text_of(f.item(IDC_PRINT)), L"Imprimer\u2026");
  EXPECT_EQ(WindowFixture::text_of(f.item(IDC_SUMMARY)).substr(0, 21), L"5 lignes, 4 fichiers ");

  // The list sits between the find line and the status line.
  RECT field_rect{};
  RECT list_rect{};
  RECT summary_rect{};
  GetWindowRect(field, &field_rect);
  GetWindowRect(f.list_control(), &list_rect);
  GetWindowRect(f.item(IDC_SUMMARY), &summary_rect);
  EXPECT_LT(field_rect.bottom, list_rect.top);
  EXPECT_LE(list_rect.bottom, summary_rect.top);

  // Text set from outside narrows the list as typing does (the edit tells with EN_CHANGE).
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"(900"));
  EXPECT_EQ(listed_files(f.list()), std::set<int>{43});
  EXPECT_EQ(shown_rows(f), 1);
  EXPECT_EQ(WindowFixture::text_of(f.item(IDC_SUMMARY)).substr(0, 38),
            L"1 ligne, 1 fichier : 0 paiement, 1 rej");
  // Escape in the field clears it.
  f.press(field, VK_ESCAPE, false);
  EXPECT_EQ(WindowFixture::text_of(field), L"");
  EXPECT_EQ(shown_rows(f), 5);

  // Ctrl+F from the list: the field, its text selected; Ctrl+A there selects its text, in
  // the list every row.
  SetWindowTextW(field, L"HEL");
  f.press(f.list_control(), 'F', true);
  EXPECT_EQ(GetFocus(), field);
  DWORD from = 9;
  DWORD to = 0;
  SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 3u);
  SetWindowTextW(field, L"");
  f.press(field, 'A', true);
  EXPECT_FALSE(f.list().selected(0));
  f.press(f.list_control(), 'A', true);
  for (int r = 0; r < f.list().row_count(); ++r) EXPECT_TRUE(f.list().selected(r)) << r;

  // F5 from any control refills: a file put meanwhile is listed.
  f.put("00000047.RSP", return_file("900"), kNow - kDay);
  f.press(f.item(IDC_ABREGE), VK_F5, false);
  EXPECT_EQ(listed_files(f.list()), (std::set<int>{42, 43, 45, 46, 47}));
  EXPECT_EQ(shown_rows(f), 6);
}

// Closes the print preview once it runs in its own loop, and says whether it came.
std::wstring preview_seen;
void CALLBACK close_preview(HWND, UINT, UINT_PTR timer, DWORD) {
  if (const HWND preview = FindWindowW(nullptr, L"Aper\u00e7u avant impression")) {
    preview_seen = WindowFixture::text_of(preview);
    PostMessageW(preview, WM_CLOSE, 0, 0);
    KillTimer(nullptr, timer);
  }
}

TEST(Win32PracticeLine, CtrlPPreviewsTheRowsAndTheExportMenuEndsWithPdf) {
  WindowFixture f;
  f.start();
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, close_preview);
  f.press(f.list_control(), 'P', true);
  KillTimer(nullptr, timer);
  EXPECT_EQ(preview_seen, L"Aper\u00e7u avant impression");

  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_EXPORT));
  const HMENU items = GetSubMenu(menu, 0);
  wchar_t text[64] = {};
  ASSERT_EQ(GetMenuItemCount(items), 4);
  GetMenuStringW(items, 3, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Fichier &PDF");
  EXPECT_EQ(GetMenuItemID(items, 3), static_cast<UINT>(IDM_EXPORT_PDF));
  DestroyMenu(menu);
}

TEST(Win32PracticeLine, AReturnCopiedIntoTheFolderAppearsWithoutAClick) {
  WindowFixture f;
  f.start();
  const fs::path path = f.returns() / "00000050.RSP";
  fs::copy_file(f.returns() / "00000046.DAT", f.dir.path() / "copy.tmp");
  fs::copy_file(f.dir.path() / "copy.tmp", path);
  EXPECT_TRUE(f.pump_until([&] { return listed_files(f.list()).count(50) == 1; }));
  EXPECT_EQ(shown_rows(f), f.list().row_count());
}

TEST(Win32PracticeLine, ALongFillShowsItsProgressAnswersAndHoldsACloseUntilItEnds) {
  WindowFixture f;
  for (int i = 0; i < 40; ++i) f.put(std::to_string(10000060 + i) + ".RSP", return_file("531"));
  // The opening fill shows the window once its progress shows, before the fill ends: the
  // error dialog of a faulty file has the rows so far in sight behind it.
  f.put("10000059.RSP", std::string(300, 'X'));
  bool shown_during_opening = false;
  f.front.set_fault_shown_hook([&](HWND fault) {
    shown_during_opening = IsWindowVisible(GetWindow(fault, GW_OWNER)) != FALSE;
    SendMessageW(GetDlgItem(fault, IDC_FAULT_OK), BM_CLICK, 0, 0);
  });
  f.front.set_progress_delay(0ms);
  f.start();
  EXPECT_TRUE(shown_during_opening);
  ASSERT_FALSE(f.front.dialog()->closed());
  const HWND dialog = f.dialog();
  const HWND line = f.item(IDC_PROGRESS);
  EXPECT_FALSE(IsWindowVisible(line));

  // Another thread asks the window while a fill runs: it answers, with its progress on show
  // and the busy cursor, and a close it asks for waits for the end of the fill.
  std::wstring seen;
  bool line_visible = false;
  LRESULT cursor_taken = 0;
  std::thread asker([&] {
    wchar_t text[100] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(line, WM_GETTEXT, 100, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                        &result);
    seen = text;
    line_visible = IsWindowVisible(line);
    SendMessageTimeoutW(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog),
                        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), SMTO_NORMAL, 5000,
                        reinterpret_cast<DWORD_PTR*>(&cursor_taken));
    SendMessageTimeoutW(dialog, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &result);
  });
  Sleep(300);  // the questions wait in the queue: only the fill can answer them
  SendMessageW(dialog, WM_COMMAND, IDC_REFRESH, 0);
  asker.join();
  EXPECT_EQ(seen.substr(0, 23), L"Lecture des fichiers : ");
  EXPECT_TRUE(line_visible);
  EXPECT_EQ(cursor_taken, TRUE);
  EXPECT_EQ(f.list().row_count(), 45);  // the fill went to its end
  EXPECT_FALSE(IsWindowVisible(line));
  EXPECT_FALSE(f.front.dialog()->closed());
  EXPECT_TRUE(f.pump_until([&] { return f.front.dialog()->closed(); }, 2s));
}

TEST(Win32PracticeLine, TheEndOfTheSessionSavesAndTheRectangleComesBack) {
  app::WindowRect reopened;
  {
    WindowFixture f;
    f.start();
    SetWindowPos(f.dialog(), nullptr, 30, 40, 900, 600, SWP_NOZORDER);
    EXPECT_EQ(SendMessageW(f.dialog(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(f.dialog(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    // Saved before any close: the process may end now.
    const store::Config saved = f.saved_settings();
    EXPECT_EQ(saved.noemie_pos_x, 30);
    EXPECT_EQ(saved.noemie_pos_y, 40);
    EXPECT_EQ(saved.noemie_taille_x, 900);
    EXPECT_EQ(saved.noemie_taille_y, 600);
    EXPECT_FALSE(f.front.dialog()->closed());

    // The next start opens at the same screen rectangle.
    f.finish();
    win32::Win32Front again;
    f.make(again);
    f.program->load_settings();
    f.program->set_folder(f.returns());
    f.program->open_viewer();
    RECT r{};
    GetWindowRect(again.dialog()->hwnd(), &r);
    reopened = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    f.program.reset();
  }
  EXPECT_EQ(reopened, (app::WindowRect{30, 40, 900, 600}));
}

}  // namespace
}  // namespace noemie::testing
