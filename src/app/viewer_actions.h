#pragma once
// The one way out of the viewer window: every user action, and the window's opening and
// closing, goes to an object of this interface. The list engine implements it; tests record
// the calls. Every front end's window talks to it, so it names no toolkit.

#include <string>

namespace noemie::app {

// A window rectangle in screen pixels: the outer frame, caption and borders included.
struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// What the window needs from the settings when it opens.
struct ViewerStartState {
  int kind_mask = 5;                       // `noemie rsp aff`: checks the kind-mask boxes
  bool abrege = false;                     // `noemie abrege`: checks "Abrégé"
  WindowRect stored_rect{0, 0, 500, 400};  // `noemie pos x/y`, `noemie taille x/y`
};

class ViewerActions {
 public:
  virtual ~ViewerActions() = default;

  // The window is opening: load the processed flags, create the list's columns, and fill
  // the list. The window places itself at its stored rectangle once this returns.
  virtual void window_opening() = 0;

  // The window is closing (tooltips already detached): write the processed flags, store the
  // column widths and `rect` (the window's outer rectangle; for a maximised or minimised
  // window, its restored one), release the rows. The window is hidden when this returns.
  virtual void window_closing(const WindowRect& rect) = 0;

  // The user's session ends (logoff, shutdown) and the process may be ended at any moment:
  // what the close sequence and the program's end would save is saved now (processed flags,
  // column widths, `rect` as window_closing takes it, the settings), the rows kept and no
  // message box shown. The window may still get window_closing later.
  virtual void session_ending(const WindowRect& rect) = 0;

  // A "Référence" radio button: 0 "Toutes", 1 "Paiements", 2 "Rejets", 3 "Autres".
  virtual void kind_filter_chosen(int type_liste) = 0;

  // A "Depuis" radio button: 0 "Toujours", 1 "1 mois", 2 "7 jours", 3 "Aujourd'hui".
  virtual void age_filter_chosen(int type_date) = 0;

  // A kind-mask check box was clicked; `mask` is recomputed from all four boxes
  // (1 RSP, 2 and 8 hidden boxes, 4 ARL/ARX).
  virtual void kind_mask_changed(int mask) = 0;

  // "Abrégé" was clicked; `on` is its new state.
  virtual void abrege_toggled(bool on) = 0;

  // An entry of the export menu: 0 text file, 1 Excel file, 2 HTML file.
  virtual void export_chosen(int mode) = 0;

  // "traités" (state 1) or "non-traités" (state 0) for the selected rows.
  virtual void mark_chosen(int state) = 0;

  // A column header was clicked; `column` is 0 to 16.
  virtual void header_clicked(int column) = 0;

  // A double-click on `row`; `x_in_row` is the pointer's offset in pixels from the row's left
  // edge, horizontal scrolling included (the column is found by adding up column widths).
  virtual void cell_double_clicked(int row, int x_in_row) = 0;

  // The tooltip text (Windows-1252) for the point `x_in_row` of `row`; empty shows no tip.
  virtual std::string tooltip_text(int row, int x_in_row) = 0;
};

}  // namespace noemie::app
