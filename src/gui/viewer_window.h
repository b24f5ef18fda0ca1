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

#include "app/opening_sequence.h"
#include "app/viewer_actions.h"
#include "core/viewer/list_control.h"
#include "gui/list_images.h"
#include "gui/list_model.h"
#include "gui/window_placement.h"

class QMenu;

namespace noemie::gui {

class ListView;
class ToolStrip;

class ViewerWindow final : public QWidget, private app::OpeningWindow {
  Q_OBJECT

 public:
  // `list`, `actions` and `screens` must outlive the window.
  ViewerWindow(viewer::ListControl& list, app::ViewerActions& actions, const Screens& screens,
               QWidget* parent = nullptr);
  ~ViewerWindow() override;

  // The caption, built from the version numbers 1, 1, 3.
  static QString caption();

  // The opening sequence (app::run_opening_sequence) with `state`. Does not show the window.
  void initialise(const app::ViewerStartState& state);

  // The outer rectangle to store at close (app::closing_rect): the frame geometry, or the
  // normal geometry with the frame added when the window is maximised, minimised or full
  // screen.
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
  // The window is about to close: its close sequence runs next.
  void closing();
  // The close sequence has run and the window is closed.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // app::OpeningWindow
  void check_kind_radio(int type_liste) override;
  void check_age_radio(int type_date) override;
  void check_kind_mask(int mask) override;
  void check_abrege(bool on) override;
  void check_always_on_top(bool on) override;
  std::vector<app::WindowRect> screens() const override;
  app::WindowRect primary_available() const override;
  app::Size minimum_size() override;
  void place_at(const app::WindowRect& outer) override;
  void attach_tooltips() override;
  void hide_unused_mask_boxes() override;
  void focus_list() override;

  void connect_controls();
  void make_export_menu();
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
