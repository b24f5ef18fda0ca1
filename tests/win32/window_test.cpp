// The Windows viewer dialog driven as a user drives it, through the messages its controls
// get, over the real list engine: the list read back through the control shows the engine's
// texts and icons; radios, boxes and header clicks reach the engine; selection, marking and
// double-clicks change the rows; tooltips follow the pointer; a faulty return file opens the
// error dialog; closing stores the window's rectangle and the widths the user left.

#include <gtest/gtest.h>

#include "core/store/config.h"
#include "support/list_titles.h"
#include "window_fixture.h"

namespace noemie::testing {
namespace {

using platform::win32::cp1252_to_wide;

TEST(Win32Window, OpensOverTheEngineShowingItsTextsAndIcons) {
  WindowFixture f;
  f.start();
  wchar_t caption[100] = {};
  GetWindowTextW(f.dialog(), caption, 100);
  EXPECT_STREQ(caption, L"Affichage NOEMIE (ARL/ARX/RSP) v1.1.3");
  EXPECT_TRUE(f.checked(IDC_KIND_ALL) && f.checked(IDC_AGE_ALWAYS));
  EXPECT_FALSE(f.checked(IDC_ALWAYS_ON_TOP));
  EXPECT_FALSE(IsWindowVisible(f.item(IDC_MASK_HIDDEN)) ||
               IsWindowVisible(f.item(IDC_MASK_ARCHIVES)));
  EXPECT_EQ(GetWindowTextLengthW(f.item(IDC_MASK_ARL)), 0);
  EXPECT_EQ(GetFocus(), f.list_control());
  // The default 500-pixel width is narrower than the tool strip: the window shows it whole.
  RECT window{};
  RECT frame{};
  GetWindowRect(f.dialog(), &window);
  GetWindowRect(f.item(IDC_TOOL_FRAME), &frame);
  EXPECT_LT(frame.right, window.right);

  const HWND header = ListView_GetHeader(f.list_control());
  ASSERT_EQ(Header_GetItemCount(header), viewer::kColumnCount);
  for (int c = 0; c < viewer::kColumnCount; ++c) {
    wchar_t title[64] = {};
    HDITEMW hdi{};
    hdi.mask = HDI_TEXT;
    hdi.pszText = title;
    hdi.cchTextMax = 64;
    Header_GetItem(header, c, &hdi);
    EXPECT_EQ(std::wstring(title), cp1252_to_wide(kListTitles[static_cast<std::size_t>(c)]));
  }
  ASSERT_EQ(ListView_GetItemCount(f.list_control()), 5);
  for (int r = 0; r < 5; ++r) {
    for (int c = 1; c < viewer::kColumnCount; ++c) {
      EXPECT_EQ(f.shown_text(r, c), cp1252_to_wide(f.cell(r, c))) << r << "," << c;
    }
    EXPECT_EQ(f.shown_icon(r, viewer::kColTraite), f.list().icon(r, viewer::kColTraite));
    EXPECT_EQ(f.shown_icon(r, viewer::kColRef), f.list().icon(r, viewer::kColRef));
  }
  // The euro sign and the accents of the cells come through code page 1252.
  EXPECT_EQ(f.shown_text(0, viewer::kColCaisse).substr(0, 6), L"R\u00e9gime");
  EXPECT_EQ(f.shown_text(1, viewer::kColTotal), L"36.50\u20ac");
}

TEST(Win32Window, RadiosBoxesAndHeadersReachTheEngine) {
  WindowFixture f;
  f.start();
  struct Step {
    int control;
    std::set<int> files;
  };
  const Step steps[] = {
      {IDC_KIND_PAYMENTS, {42, 46}},  // "Paiements"
      {IDC_AGE_WEEK, {42, 46}},       // "7 jours"
      {IDC_KIND_REJECTIONS, {}},      // the rejection is 10 days old
      {IDC_AGE_ALWAYS, {43}},        {IDC_KIND_ALL, {42, 43, 45, 46}},
      {IDC_MASK_RSP, {45, 46}},  // RSP files off: ARL/ARX, DAT and files without extension
  };
  for (const Step& step : steps) {
    f.click(step.control);
    EXPECT_EQ(listed_files(f.list()), step.files) << step.control;
    EXPECT_EQ(ListView_GetItemCount(f.list_control()), f.list().row_count());
  }
  EXPECT_EQ(f.program->settings().config.noemie_rsp_aff, 4);

  f.click(IDC_MASK_RSP);
  f.click_header(viewer::kColMalade);
  f.click_header(viewer::kColRef);
  std::vector<std::wstring> refs;
  for (int r = 0; r < f.list().row_count(); ++r) refs.push_back(f.shown_text(r, viewer::kColRef));
  EXPECT_EQ(refs, (std::vector<std::wstring>{L"(531)", L"(531)", L"(531)", L"(900)", L"(930)"}));
}

TEST(Win32Window, SelectionMarkingDoubleClicksAndTooltips) {
  WindowFixture f;
  f.start();
  const HWND list = f.list_control();
  const int row42 = f.first_row_of(42);
  ListView_SetItemState(list, row42, LVIS_SELECTED, LVIS_SELECTED);
  ListView_SetItemState(list, row42 + 1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_TRUE(f.list().selected(row42) && f.list().selected(row42 + 1));
  f.click(IDC_MARK_DONE);
  EXPECT_EQ(f.shown_icon(row42, viewer::kColTraite), 7);
  EXPECT_EQ(f.shown_icon(row42 + 1, viewer::kColTraite), 7);
  EXPECT_EQ(f.shown_icon(f.first_row_of(43), viewer::kColTraite), 6);

  // The state cell steps the file's state; the reference cell explains it in a box.
  f.double_click(f.first_row_of(43), viewer::kColTraite);
  EXPECT_EQ(f.shown_icon(f.first_row_of(43), viewer::kColTraite), 7);
  f.double_click(f.first_row_of(45), viewer::kColRef);
  ASSERT_EQ(f.dialogs.rec.boxes.size(), 1u);
  EXPECT_EQ(f.dialogs.rec.boxes[0].caption,
            "Info r\xE9"
            "f\xE9rence");
  EXPECT_EQ(f.dialogs.rec.boxes[0].text,
            "R\xE9"
            "f\xE9rence 930\nr\xE9"
            "f\xE9rence ARL");

  // The tooltip explains the cell under the pointer, also after the columns were widened.
  ListView_SetColumnWidth(list, viewer::kColFichier, 200);
  EXPECT_EQ(f.tip_at(f.first_row_of(45), viewer::kColRef).substr(0, 13),
            L"R\u00e9f\u00e9rence 930");
  EXPECT_EQ(f.tip_at(f.first_row_of(42), viewer::kColDateComptable), L"");
  const int row = f.first_row_of(42) + 1;  // the file's total is on its last line
  const std::wstring total_tip = f.tip_at(row, viewer::kColTotal);
  int middle = f.list().column_width(viewer::kColTotal) / 2;
  for (int c = 0; c < viewer::kColTotal; ++c) middle += f.list().column_width(c);
  EXPECT_EQ(total_tip, cp1252_to_wide(f.program->engine()->listage_tooltip(row, middle)));
  EXPECT_NE(total_tip.find(L"F"), std::wstring::npos) << total_tip;
}

TEST(Win32Window, AFaultyFileOpensTheErrorDialogWhoseEnvoyerMails) {
  WindowFixture f;
  const fs::path faulty = f.put("00000050.RSP", std::string(300, 'X'));
  std::wstring path_shown;
  bool ok_focused = false;
  f.front.set_fault_shown_hook([&](HWND fault) {
    wchar_t text[512] = {};
    GetDlgItemTextW(fault, IDC_FAULT_PATH, text, 512);
    path_shown = text;
    ok_focused = GetFocus() == GetDlgItem(fault, IDC_FAULT_OK);
    SendMessageW(GetDlgItem(fault, IDC_FAULT_SEND), BM_CLICK, 0, 0);
    SendMessageW(fault, WM_COMMAND, IDCANCEL, 0);  // Escape does nothing
    SendMessageW(GetDlgItem(fault, IDC_FAULT_OK), BM_CLICK, 0, 0);
  });
  f.start();
  EXPECT_EQ(path_shown, faulty.wstring());
  EXPECT_TRUE(ok_focused);
  ASSERT_EQ(f.shell.opened.size(), 1u);
  EXPECT_EQ(f.shell.opened[0].rfind("mailto:", 0), 0u);
  EXPECT_EQ(f.list().row_count(), 5);
}

TEST(Win32Window, ExportAndCloseKeepWhatTheUserLeft) {
  WindowFixture f;
  f.start();
  const fs::path exported = f.dir.path() / "liste.txt";
  f.dialogs.rec.save_answers.push_back(exported);
  SendMessageW(f.dialog(), WM_COMMAND, IDM_EXPORT_TEXT, 0);
  EXPECT_TRUE(fs::exists(exported));

  SendMessageW(f.dialog(), WM_COMMAND, IDCANCEL, 0);  // Escape does not close the viewer
  EXPECT_FALSE(f.front.dialog()->closed());
  app::ColumnScale scale(f.front.dialog()->list_window()->column_scale().factor());
  ListView_SetColumnWidth(f.list_control(), viewer::kColMalade, 250);
  SetWindowPos(f.dialog(), nullptr, 30, 40, 900, 600, SWP_NOZORDER);
  f.finish();
  const store::Config saved = f.saved_settings();
  EXPECT_EQ(saved.noemie_pos_x, 30);
  EXPECT_EQ(saved.noemie_pos_y, 40);
  EXPECT_EQ(saved.noemie_taille_x, 900);
  EXPECT_EQ(saved.noemie_taille_y, 600);
  EXPECT_EQ(saved.info_result[3 * store::kInfoResultColumns + viewer::kColMalade],
            scale.from_view(viewer::kColMalade, 250));
}

}  // namespace
}  // namespace noemie::testing
