#pragma once
// The viewer window (`Listage_Noemie_Dlg`): the tool strip above the list, the caption
// "Affichage NOEMIE (ARL/ARX/RSP) v1.1.3" and the program's icon. Every user action goes out
// through ViewerActions; the list itself is shown from the core's ListControl.
//
// Geometry: the list lies 5 pixels from the left and right edges, starts 5 pixels below the
// tool frame and reaches the bottom edge; the window cannot be made smaller than the tool
// frame allows (minimum_client_size). Rectangles are in the window system's logical pixels
// (device pixels at 100 % scaling).
//
// Keyboard: the list has the focus when the window opens (first row current, nothing
// selected), and the tab order goes from the list to the tool strip. Tooltips show whether or
// not the window is the active one.
//
// Escape and Enter do not close the window; only the close box (or the window manager's
// close command) does, and closing runs the close sequence through ViewerActions.

#include <QWidget>

#include "app/viewer_actions.h"
#include "core/viewer/list_control.h"
#include "gui/list_images.h"
#include "gui/list_model.h"
#include "gui/window_placement.h"

class QMenu;

namespace noemie::gui {

class ListView;
class ToolStrip;

class ViewerWindow final : public QWidget {
  Q_OBJECT

 public:
  // `list`, `actions` and `screens` must outlive the window.
  ViewerWindow(viewer::ListControl& list, app::ViewerActions& actions, const Screens& screens,
               QWidget* parent = nullptr);
  ~ViewerWindow() override;

  // The caption, built from the version numbers 1, 1, 3.
  static QString caption();

  // The opening sequence: "Toutes" and "Toujours" selected, the kind-mask boxes and
  // "Abrégé" checked from `state`; ViewerActions::window_opening (flags, columns, first
  // fill); the window placed at the stored rectangle (brought onto a screen when it lies
  // wholly off every screen); tooltips attached; boxes 1927 and 1924 hidden and the text of
  // 1923 cleared; the keyboard focus given to the list. Does not show the window.
  void initialise(const app::ViewerStartState& state);

  // The outer rectangle to store at close: the frame geometry; when the window is maximised,
  // minimised or full screen, its normal (restored) geometry with the frame added, so that
  // the next start opens as a normal window of the size the user last gave it.
  app::WindowRect closing_rect() const;

  // Makes the window stay above all others, or not, without moving or resizing it.
  void set_always_on_top(bool on);

  // Opens the export menu with its top-left corner 10 pixels below `global_cursor`.
  void show_export_menu(QPoint global_cursor);

  // Places a control on a line of its own right above the list, or below it.
  void put_above_list(QWidget* line);
  void put_below_list(QWidget* line);

  ListView* list_view() const { return view_; }
  ListModel& list_model() { return model_; }
  ToolStrip* tool_strip() const { return strip_; }
  QMenu* export_menu() const { return export_menu_; }
  bool has_closed() const { return closed_; }

 signals:
  // The close sequence has run and the window is closed.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connect_controls();
  void make_export_menu();
  void place_at(const app::WindowRect& outer);
  QMargins frame_margins() const;
  void update_minimum_size();

  viewer::ListControl& list_;
  app::ViewerActions& actions_;
  const Screens& screens_;
  ImageStrip images_;
  ListModel model_;
  ToolStrip* strip_ = nullptr;
  ListView* view_ = nullptr;
  QMenu* export_menu_ = nullptr;
  // The outer rectangle asked for, applied again once the window frame is known.
  app::WindowRect wanted_rect_;
  bool placement_pending_ = false;
  bool watching_window_ = false;
  bool closed_ = false;
};

}  // namespace noemie::gui
