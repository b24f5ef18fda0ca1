// The Windows viewer's transfers window on the real dialogs over the real engine, read as
// another program reads it (window texts, list-view items and states): opened by
// "Virements…", the same lines as the `virements` command, sorted by a click on a title,
// ticked with the mouse and Space and saved, red where a gap is, narrowing the list on a
// double-click, following the list; and a tick kept after a restart and through a second
// viewer on the folder.

#include <gtest/gtest.h>

#include <memory>

#include "window_fixture.h"

namespace noemie::testing {
namespace {

using platform::win32::cp1252_to_wide;

// The viewer over the three transfers of transfer_returns() only.
struct TransfersFixture : WindowFixture {
  TransfersFixture() {
    fs::remove_all(returns());
    fs::create_directories(returns());
    for (const NamedReturn& r : transfer_returns()) put(r.name, r.bytes);
  }
};

// Opens the transfers window of `dialog` with its button; its table.
HWND open_table(const win32::ViewerDialog& dialog) {
  SendMessageW(GetDlgItem(dialog.hwnd(), IDC_TRANSFERS), BM_CLICK, 0, 0);
  return dialog.transfers_window() ? GetDlgItem(dialog.transfers_window()->hwnd(), IDC_TR_LIST)
                                   : nullptr;
}

std::wstring item_text(HWND list, int row, int column) {
  wchar_t text[260] = {};
  ListView_GetItemText(list, row, column, text, 260);
  return text;
}

bool ticked(HWND list, int row) {
  return ListView_GetItemState(list, row, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

// Clicks the check box of `row` with the mouse: the first point of the line's left edge that
// the list says is on its state image.
void click_check_box(HWND list, int row) {
  RECT bounds{};
  ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS);
  LVHITTESTINFO hit{};
  hit.pt = {bounds.left, (bounds.top + bounds.bottom) / 2};
  for (; hit.pt.x < bounds.left + 60; ++hit.pt.x) {
    if (ListView_HitTest(list, &hit) == row && (hit.flags & LVHT_ONITEMSTATEICON)) break;
  }
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
  SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x, hit.pt.y));
}

// The text colour the window gives `row` when the list draws it.
COLORREF drawn_colour(HWND list, int row) {
  NMLVCUSTOMDRAW draw{};
  draw.nmcd.hdr.hwndFrom = list;
  draw.nmcd.hdr.idFrom = IDC_TR_LIST;
  draw.nmcd.hdr.code = NM_CUSTOMDRAW;
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
  draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
  draw.clrText = RGB(0, 0, 0);
  SendMessageW(GetParent(list), WM_NOTIFY, IDC_TR_LIST, reinterpret_cast<LPARAM>(&draw));
  return draw.clrText;
}

// One run of the window for every check (each viewer closed costs seconds under Wine).
TEST(Win32Transfers, TheTableIsTheCommandsSortsTicksNarrowsFollowsTheListAndKeepsTicks) {
  TransfersFixture f;
  f.start();
  // A second viewer on the folder, its table read before the first one ticks.
  win32::Win32Front other_front;
  const std::unique_ptr<app::EngineProgram> other = f.start_another(other_front);
  const HWND other_table = open_table(*other_front.dialog());
  ASSERT_TRUE(other_table);
  EXPECT_EQ(WindowFixture::text_of(f.item(IDC_TRANSFERS)), L"Virements\u2026");
  EXPECT_EQ(GetWindow(f.item(IDC_PRINT), GW_HWNDNEXT), f.item(IDC_TRANSFERS));
  EXPECT_TRUE(GetWindowLongW(f.item(IDC_TRANSFERS), GWL_STYLE) & WS_TABSTOP);
  const HWND table = open_table(*f.front.dialog());
  ASSERT_TRUE(table);
  const HWND window = GetParent(table);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(WindowFixture::text_of(window), L"Virements");
  EXPECT_EQ(GetWindow(window, GW_OWNER), f.dialog());
  // Over the viewer, not wherever the screen's middle is.
  RECT over{};
  RECT viewer{};
  GetWindowRect(window, &over);
  GetWindowRect(f.dialog(), &viewer);
  EXPECT_TRUE(PtInRect(&viewer, POINT{(over.left + over.right) / 2, (over.top + over.bottom) / 2}));

  // Every line and cell as the command writes them, after the check column.
  const auto command = f.virements_excel();
  ASSERT_EQ(ListView_GetItemCount(table), static_cast<int>(command.size()) - 1);
  for (int r = 0; r < ListView_GetItemCount(table); ++r) {
    for (int c = 1; c <= 10; ++c) {
      EXPECT_EQ(item_text(table, r, c), cp1252_to_wide(command[r + 1][c - 1])) << r << " " << c;
    }
    // Red where the announced total and the Total differ: VIR A only.
    const std::wstring reference = item_text(table, r, 2);
    const bool gap = reference.starts_with(L"VIR A");
    EXPECT_EQ(drawn_colour(table, r), gap ? RGB(192, 0, 0) : RGB(0, 0, 0)) << r;
  }
  EXPECT_EQ(WindowFixture::text_of(GetDlgItem(window, IDC_TR_STATUS)).substr(0, 27),
            L"3 virements - total 46.00 \u20AC");

  // A click on "Total" sorts by it; a click on a check box and Space tick, saved at once.
  // The list scrolled to the right end, so that every title is within its header.
  ListView_Scroll(table, 4000, 0);
  f.click_header(8, table);
  ListView_Scroll(table, -4000, 0);
  EXPECT_EQ(item_text(table, 0, 2), L"VIR B");
  EXPECT_EQ(item_text(table, 2, 2), L"VIR A CPAM R1");
  click_check_box(table, 0);
  EXPECT_TRUE(ticked(table, 0));
  EXPECT_EQ(f.tick_file(), "NOEMIE-POINTAGE 1\r\n12\t2\t20/03/2024\tVIR B\r\n");
  ListView_SetItemState(table, 1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  f.press(table, VK_SPACE);
  EXPECT_TRUE(ticked(table, 1));
  f.press(table, VK_SPACE);
  EXPECT_FALSE(ticked(table, 1));

  // A double-click narrows the list to the transfer's rows and the find line says so;
  // Escape there gives every row back.
  f.double_click(2, 2, table);
  EXPECT_EQ(ListView_GetItemCount(f.list_control()), 2);
  EXPECT_EQ(WindowFixture::text_of(f.item(IDC_FIND)),
            cp1252_to_wide(f.program->engine()->transfer_narrowing_text()));
  EXPECT_EQ(ListView_GetItemCount(table), 3);
  f.press(f.item(IDC_FIND), VK_ESCAPE);
  EXPECT_EQ(ListView_GetItemCount(f.list_control()), 5);

  // The table follows the list: a find keeps the rows of file 11 only.
  SetWindowTextW(f.item(IDC_FIND), L"11  (");
  EXPECT_EQ(ListView_GetItemCount(table), 1);
  EXPECT_EQ(item_text(table, 0, 2), L"VIR F");
  f.press(table, VK_ESCAPE);
  EXPECT_FALSE(IsWindow(window));

  // The second viewer ticks VIR F and closes; after a restart both ticks are there.
  click_check_box(other_table, 0);
  other->close_viewer();
  f.finish();
  win32::Win32Front again;
  f.make(again);
  f.program->load_settings();
  f.program->set_folder(f.returns());
  f.program->open_viewer();
  const HWND restarted = open_table(*again.dialog());
  ASSERT_TRUE(restarted);
  EXPECT_TRUE(ticked(restarted, 0));
  EXPECT_FALSE(ticked(restarted, 1));
  EXPECT_TRUE(ticked(restarted, 2));
  f.program.reset();
}

}  // namespace
}  // namespace noemie::testing
