#include "gui/transfers_table.h"

#include "gui/text_bridge.h"

namespace noemie::gui {
namespace {

QVariant alignment(viewer::Align align) {
  return QVariant::fromValue(Qt::Alignment(
      (align == viewer::Align::Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
}

}  // namespace

TransfersTable::TransfersTable(app::TransfersWiring& wiring, QObject* parent)
    : QAbstractTableModel(parent), wiring_(wiring) {
  rows_ = wiring_.model().row_count();
  columns_ = wiring_.model().column_count();
}

void TransfersTable::reload() {
  const int rows = wiring_.model().row_count();
  const int columns = wiring_.model().column_count();
  if (rows == rows_ && columns == columns_) {
    // Same shape (a tick, a sort, a refresh that kept every line): the selection stays.
    if (rows > 0) emit dataChanged(index(0, 0), index(rows - 1, columns - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
    return;
  }
  beginResetModel();
  rows_ = rows;
  columns_ = columns;
  endResetModel();
}

int TransfersTable::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TransfersTable::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant TransfersTable::data(const QModelIndex& index, int role) const {
  const viewer::TransfersModel& model = wiring_.model();
  const int row = index.row();
  const int column = index.column();
  if (!index.isValid() || row >= model.row_count() || column >= model.column_count()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return column == 0 ? QVariant() : QVariant(to_qstring(model.cell(row, column)));
    case Qt::CheckStateRole:
      if (column != 0) return {};
      return model.ticked(row) ? Qt::Checked : Qt::Unchecked;
    case Qt::ForegroundRole:
      return model.red(row) ? QVariant(kGapColour) : QVariant();
    case Qt::TextAlignmentRole:
      return alignment(model.column_align(column));
    default:
      return {};
  }
}

QVariant TransfersTable::headerData(int section, Qt::Orientation orientation, int role) const {
  const viewer::TransfersModel& model = wiring_.model();
  if (orientation != Qt::Horizontal || section < 0 || section >= model.column_count()) return {};
  if (role == Qt::DisplayRole) return to_qstring(model.column_title(section));
  if (role == Qt::TextAlignmentRole) return alignment(model.column_align(section));
  return {};
}

Qt::ItemFlags TransfersTable::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  return index.column() == 0 ? flags | Qt::ItemIsUserCheckable : flags;
}

bool TransfersTable::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || index.column() != 0 || index.row() >= rows_) return false;
  const bool ticked = value.toInt() == Qt::Checked;
  if (ticked != wiring_.model().ticked(index.row())) wiring_.tick_toggled(index.row());
  return true;
}

}  // namespace noemie::gui
