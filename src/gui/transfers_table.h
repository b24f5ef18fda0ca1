#pragma once
// The transfers window's table as a Qt table model over app::TransfersWiring: the model's
// columns and cells (Windows-1252 converted), the check column "Pointé" as a check box
// (Qt::CheckStateRole, ticked or not), the lines with a gap in red, each column's alignment.
// A check box clicked (or set through setData) ticks the line through the wiring.

#include <QAbstractTableModel>
#include <QColor>

#include "app/transfers_wiring.h"

namespace noemie::gui {

// The text colour of a transfer whose announced total and Total differ.
inline const QColor kGapColour(192, 0, 0);

class TransfersTable final : public QAbstractTableModel {
  Q_OBJECT

 public:
  // `wiring` must outlive the model.
  explicit TransfersTable(app::TransfersWiring& wiring, QObject* parent = nullptr);

  // The wiring's table changed: the views draw it again (a reset when the number of lines or
  // columns changed, else every cell and title changed).
  void reload();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  // DisplayRole: the cell's text (none in the check column); CheckStateRole: the tick, in the
  // check column; ForegroundRole: red for a line with a gap; TextAlignmentRole.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // CheckStateRole in the check column: the line ticked or unticked (and saved).
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 private:
  app::TransfersWiring& wiring_;
  int rows_ = 0;
  int columns_ = 0;
};

}  // namespace noemie::gui
