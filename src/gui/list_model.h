#pragma once
// The core's ListControl shown as a Qt table model: 17 columns, the cell texts converted
// from Windows-1252, the state icon in column 0 and the marker icon in column 2, the column
// alignment and titles. Tooltip texts are asked of the ViewerActions seam on demand.
//
// The model is the ListControl's observer: resets, row changes and widths set by the core
// come back to the view through it.

#include <QAbstractTableModel>

#include "app/viewer_actions.h"
#include "core/viewer/list_control.h"
#include "gui/list_images.h"

namespace noemie::gui {

// Longest tooltip text shown, in characters (the size of the tooltip text buffer).
inline constexpr std::size_t kTooltipMaxChars = 500;

class ListModel final : public QAbstractTableModel, public viewer::ListObserver {
  Q_OBJECT

 public:
  // Becomes `list`'s observer until destroyed. `list`, `actions` and `images` must outlive
  // the model.
  ListModel(viewer::ListControl& list, app::ViewerActions& actions, const ImageStrip& images,
            QObject* parent = nullptr);
  ~ListModel() override;

  viewer::ListControl& list() { return list_; }
  const viewer::ListControl& list() const { return list_; }

  // Always 17 columns, even before the core has created them (titles are then empty).
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  // The index of a cell, checked against the list directly: the view asks for one per row
  // each time it lays out the rows (hundreds of thousands after every fill and sort).
  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  // DisplayRole: the cell text; DecorationRole: the icon of columns 0 and 2;
  // TextAlignmentRole: the column's alignment; ToolTipRole: the seam's text for a point
  // just inside the cell, cut to kTooltipMaxChars.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Offset from the row's left edge of a point one pixel inside `column`, from the
  // ListControl's widths; what the seam is given for a tooltip asked by index.
  int x_inside_column(int column) const;

  // A fill holds the view empty until its rows are all there. show_rows_so_far() lets the
  // view show the rows the list holds now, for as long as the fill waits on the user (an
  // error dialog in front of the window); resume_fill() empties the view again before the
  // fill goes on. The list must not change in between. Outside a fill both do nothing.
  void show_rows_so_far();
  void resume_fill();

 signals:
  // The core set a column's width (pixels; 0 hides the column).
  void column_width_set(int column, int width);

 private:
  // ListObserver
  void about_to_reset() override;
  void reset() override;
  void row_changed(int row) override;
  void column_width_changed(int column) override;

  viewer::ListControl& list_;
  app::ViewerActions& actions_;
  const ImageStrip& images_;
  bool resetting_ = false;
  // The fill's reset was ended early by show_rows_so_far() and is to be taken up again.
  bool fill_paused_ = false;
};

}  // namespace noemie::gui
