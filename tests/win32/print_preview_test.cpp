// The print preview under Wine, read as an accessibility tool reads it: its caption, its
// buttons and its "Page N / M" line; the pages turned by the buttons and the keys; Escape
// closes it.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "win32/print_preview.h"

namespace noemie::testing {
namespace {

std::wstring text_of(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

// What the timer saw once the keys posted before it were handled.
HWND g_preview = nullptr;
std::wstring g_after_keys;

void CALLBACK after_keys(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_after_keys = text_of(GetDlgItem(g_preview, win32::kPreviewPageLine));
  PostMessageW(g_preview, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST(Win32PrintPreview, ShowsThePagesOneAtATimeAndClosesOnEscape) {
  print::Document doc;
  doc.title = "Affichage";
  doc.pages.resize(3);
  for (std::size_t n = 0; n < doc.pages.size(); ++n) {
    doc.pages[n].operations = {
        print::FilledRect{28, 28, 785, 12, {0xE4, 0xE4, 0xE4}},
        print::FilledDisc{40, 60, 2.5, {0xD0, 0x20, 0x20}}, print::Line{28, 70, 813, 70, 0.3, 0xB0},
        print::TextRun{30, 38, 7, print::Weight::Bold,
                       "R\xE9"
                       "f\xE9rence"},
        print::TextRun{400, 580, 9, print::Weight::Regular, "page " + std::to_string(n + 1)}};
  }
  std::wstring caption;
  std::wstring first;
  std::wstring after_next;
  bool previous_enabled_on_first = true;
  win32::show_print_preview(nullptr, doc, [&](HWND preview) {
    g_preview = preview;
    caption = text_of(preview);
    EXPECT_EQ(text_of(GetDlgItem(preview, win32::kPreviewPrint)), L"Imprimer\u2026");
    EXPECT_EQ(text_of(GetDlgItem(preview, win32::kPreviewPrevious)), L"Page pr\u00e9c\u00e9dente");
    EXPECT_EQ(text_of(GetDlgItem(preview, win32::kPreviewNext)), L"Page suivante");
    first = text_of(GetDlgItem(preview, win32::kPreviewPageLine));
    previous_enabled_on_first = IsWindowEnabled(GetDlgItem(preview, win32::kPreviewPrevious));
    SendMessageW(GetDlgItem(preview, win32::kPreviewNext), BM_CLICK, 0, 0);
    after_next = text_of(GetDlgItem(preview, win32::kPreviewPageLine));
    UpdateWindow(preview);
    PostMessageW(preview, WM_KEYDOWN, VK_END, 0);
    PostMessageW(preview, WM_KEYDOWN, VK_PRIOR, 0);
    SetTimer(nullptr, 0, 50, after_keys);
  });
  EXPECT_EQ(caption, L"Aper\u00e7u avant impression");
  EXPECT_EQ(first, L"Page 1 / 3");
  EXPECT_FALSE(previous_enabled_on_first);
  EXPECT_EQ(after_next, L"Page 2 / 3");
  EXPECT_EQ(g_after_keys, L"Page 2 / 3");
  EXPECT_FALSE(IsWindow(g_preview));
}

// The text of the message box the thread shows, once it is shown; then the box is closed.
std::wstring g_box_text;

BOOL CALLBACK close_box(HWND window, LPARAM) {
  wchar_t cls[16] = {};
  GetClassNameW(window, cls, 16);
  if (std::wstring(cls) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  g_box_text = text_of(GetDlgItem(window, 0xFFFF));
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK answer_box(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), close_box, 0);
}

TEST(Win32PrintPreview, PrintingWithoutAPrinterSaysSoAndReportsNothingPrinted) {
  // Wine here has no printer installed: the print dialog never comes, a warning does.
  print::Document doc;
  doc.pages.resize(1);
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, answer_box);
  EXPECT_FALSE(win32::print_document(nullptr, doc));
  KillTimer(nullptr, timer);
  EXPECT_NE(g_box_text.find(L"imprimante"), std::wstring::npos) << g_box_text;
}

}  // namespace
}  // namespace noemie::testing
