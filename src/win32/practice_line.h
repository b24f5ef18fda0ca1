#pragma once
// The controls around the Windows viewer's list, over app::PracticeWiring: above the list the
// find line (static "&Rechercher :", the find field, "Actualiser", "Imprimer…", "Virements…"),
// under it the
// status line with the summary of the rows shown. The field narrows the list as one types,
// also when another program sets its text (a single-line edit tells every change with
// EN_CHANGE); the field and the buttons have the Linux window's tooltips; Escape in the field
// clears it; Ctrl+F focuses it with its text selected;
// Ctrl+A selects every row shown (in the field, its text); F5 and "Actualiser" refill. The
// folder is looked at after the system's change notices and every 2 s, by two timers of the
// dialog, never while the window is busy (a dialog, a menu or a fill).

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/practice_wiring.h"
#include "win32/folder_notice.h"

namespace noemie::viewer {
class Viewer;
}

namespace noemie::win32 {

class ListWindow;

class PracticeLine final : private app::PracticeHost {
 public:
  // Posted by the folder's change notices.
  static constexpr UINT kFolderChanged = WM_APP + 1;

  // The controls are the dialog's (the template makes them). `list` and `viewer` must outlive
  // the object; `busy` says whether a dialog, a menu or a fill holds the window.
  PracticeLine(HWND dialog, ListWindow& list, viewer::Viewer& viewer, std::function<bool()> busy);
  ~PracticeLine() override;
  PracticeLine(const PracticeLine&) = delete;
  PracticeLine& operator=(const PracticeLine&) = delete;

  // The controls' sizes as the dialog made them (again after a change of DPI).
  void measure();
  // The height of the find line and of the status line with the gaps that separate them from
  // the list.
  int height_around_list(int margin) const;
  // Places the find line at `top` across the client width less the margins, the status line
  // at the client's foot, and the list between them.
  void lay_out(int client_width, int client_height, int top, int margin);

  // A command of the dialog (control id and notification code); true when it was one of the
  // line's. "Imprimer…" (IDC_PRINT) and "Virements…" (IDC_TRANSFERS) are the dialog's.
  bool command(int id, int notification);
  // A WM_TIMER of the dialog; true when it was one of the line's timers.
  bool timer(UINT_PTR id);
  void folder_changed() { wiring_.folder_changed(); }
  // The rows shown changed: the status line follows.
  void rows_changed() { wiring_.update_summary(); }
  // "Actualiser" (`automatic` false) or a change of the folder.
  void refresh(bool automatic) { wiring_.refresh(automatic); }
  // The window closes: no more looks, the timers and the notices stop.
  void stop();

  HWND find_field() const { return find_; }
  app::PracticeWiring& wiring() { return wiring_; }

 private:
  // app::PracticeHost
  void start_look_timer(int ms) override;
  bool look_timer_active() const override { return look_timer_on_; }
  bool dialog_or_menu_open() const override { return busy_(); }
  int top_row() const override;
  void show_top_row(int row) override;
  void show_summary(const std::string& text) override;
  void show_find_text(const std::string& text) override;

  void select_all();

  HWND dialog_;
  ListWindow& list_;
  std::function<bool()> busy_;
  HWND label_ = nullptr;
  HWND find_ = nullptr;
  HWND refresh_ = nullptr;
  HWND print_ = nullptr;
  HWND transfers_ = nullptr;
  HWND summary_ = nullptr;
  HWND tips_ = nullptr;
  SIZE label_size_{};
  SIZE button_size_{};
  int field_height_ = 0;
  int summary_height_ = 0;
  bool look_timer_on_ = false;
  app::PracticeWiring wiring_;
  std::unique_ptr<FolderNotice> notice_;
};

}  // namespace noemie::win32
