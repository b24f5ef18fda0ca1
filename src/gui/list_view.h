#pragma once
// The viewer's list (control 1904): a QTableView over ListModel that behaves as the report
// list view in report mode. A table view with rows of one fixed height lays out nothing per
// row after a reset, so that a fill, a filter change or a sort of hundreds of thousands of
// rows costs the view only the rows in sight. It shows no grid and no row numbers, and keeps
// the keys of a list: Home and End go to the first and last row, Left and Right scroll
// sideways, Tab leaves the list.
//  - column widths shown through a ColumnScale: the core keeps them in the pixels of the
//    list font the stored widths were chosen for, the header in the pixels of the view's font;
//  - full-row, extended selection, written back into ListControl::set_selected and restored
//    from it after every reset (sorts keep the selection with the rows);
//  - header sections neither movable nor stretched, minimum size 0 so that a width of 0
//    hides a column; widths changed by the user go to ListControl::note_column_width, widths
//    set by the core are applied to the header;
//  - header clicks are reported by `header_clicked`, never sorted by the view itself;
//  - double-clicks are reported with the row and the x offset inside the row;
//  - tooltips are computed per cell on demand: leaving the cell hides the tip at once, and
//    the next one shows once the pointer has rested 150 ms; none shows while a modal dialog
//    of another window (an error dialog during a fill) is open.

#include <QRect>
#include <QTableView>
#include <QTimer>

#include "app/column_scale.h"
#include "app/tooltip_rearm.h"
#include "gui/list_model.h"

namespace noemie::gui {

class ListView final : public QTableView {
  Q_OBJECT

 public:
  // Delay before the next tooltip once the pointer has left the cell of the last one.
  static constexpr int kQuickTooltipDelayMs = app::kQuickTipDelayMs;

  explicit ListView(ListModel& model, QWidget* parent = nullptr);

  // The column titles.
  QHeaderView* header() const { return horizontalHeader(); }

  // Applies every width held by the ListControl to the header.
  void apply_core_widths();

  // The scale between the core's widths and the header's.
  const app::ColumnScale& column_scale() const { return scale_; }

  // The offset from the rows' left edge (horizontal scroll included) of the viewport x
  // `viewport_x`, in the core's width unit: what the core sums column widths against.
  int x_in_row(int viewport_x) const;

  // The cell whose tooltip is on show (viewport coordinates); null when none.
  QRect tooltip_cell() const;

  // Takes the keyboard focus (now, or when the window next becomes active) with the first
  // row current and nothing selected, so that the arrow keys move in the list at once.
  void take_keyboard_focus();

  // Tooltips are on after attach_tooltips() and off after detach_tooltips() (any tip on
  // show is hidden); they start off.
  void attach_tooltips();
  void detach_tooltips();
  bool tooltips_attached() const { return tips_on_; }

 signals:
  void header_clicked(int column);
  void cell_double_clicked(int row, int x_in_row);

 protected:
  bool viewportEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

 private:
  void on_section_resized(int column, int old_size, int new_size);
  void on_core_width(int column, int width);
  void restore_selection();
  // Gives every row the height of a row that shows an icon beside one line of text.
  void apply_row_height();
  // Shows the tooltip of the cell under `pos` (viewport coordinates); hides any tip when
  // the cell has no text. Returns true when a tip is on show.
  bool show_tooltip_at(QPoint pos, QPoint global_pos);
  void hide_tooltip();
  void on_pointer_moved(QPoint pos);
  void on_quick_tooltip_due();

  ListModel& model_;
  app::ColumnScale scale_;
  bool applying_widths_ = false;
  bool restoring_selection_ = false;
  bool tips_on_ = false;
  // The tip's cell, and whether the next tip comes after the short delay.
  app::TooltipRearm rearm_;
  QTimer quick_tip_timer_;
};

}  // namespace noemie::gui
