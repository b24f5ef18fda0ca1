#include "gui/list_model.h"

#include "core/text/c_text.h"
#include "gui/text_bridge.h"

namespace noemie::gui {

ListModel::ListModel(viewer::ListControl& list, app::ViewerActions& actions,
                     const ImageStrip& images, QObject* parent)
    : QAbstractTableModel(parent), list_(list), actions_(actions), images_(images) {
  list_.set_observer(this);
}

ListModel::~ListModel() {
  list_.set_observer(nullptr);
}

int ListModel::rowCount(const QModelIndex& parent) const {
  // While the core replaces the rows, the view must not read half-built ones.
  if (parent.isValid() || resetting_) return 0;
  return list_.row_count();
}

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : viewer::kColumnCount;
}

QModelIndex ListModel::index(int row, int column, const QModelIndex& parent) const {
  if (parent.isValid() || resetting_ || row < 0 || column < 0 || row >= list_.row_count() ||
      column >= viewer::kColumnCount) {
    return {};
  }
  return createIndex(row, column);
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || resetting_) return {};
  const int row = index.row();
  const int col = index.column();
  if (row >= list_.row_count()) return {};
  switch (role) {
    case Qt::DisplayRole: {
      const std::string_view text = list_.cell(row, col);
      if (text.empty()) return {};
      return to_qstring(text);
    }
    case Qt::DecorationRole: {
      if (col != viewer::kColTraite && col != viewer::kColRef) return {};
      const QIcon& icon = images_.icon(list_.icon(row, col));
      if (icon.isNull()) return {};
      return icon;
    }
    case Qt::TextAlignmentRole: {
      const viewer::ListColumn* c = list_.column(col);
      const bool right = c && c->align == viewer::Align::Right;
      return QVariant::fromValue(
          Qt::Alignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    case Qt::ToolTipRole: {
      const std::string text = actions_.tooltip_text(row, x_inside_column(col));
      const std::string_view shown = text::first_chars(text::c_text(text), kTooltipMaxChars);
      if (shown.empty()) return {};
      return to_display_text(shown);
    }
    default:
      return {};
  }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  const viewer::ListColumn* c = list_.column(section);
  if (!c) return {};
  if (role == Qt::DisplayRole) return to_qstring(c->title);
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(Qt::Alignment(
        (c->align == viewer::Align::Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
  }
  return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

int ListModel::x_inside_column(int column) const {
  int left = 0;
  for (int c = 0; c < column; ++c) left += list_.column_width(c);
  return left + 1;
}

void ListModel::show_rows_so_far() {
  if (!resetting_) return;
  // Between two files of a fill every row of the list is whole: the view may read them.
  resetting_ = false;
  fill_paused_ = true;
  endResetModel();
}

void ListModel::resume_fill() {
  if (!fill_paused_) return;
  fill_paused_ = false;
  beginResetModel();
  resetting_ = true;
}

void ListModel::about_to_reset() {
  fill_paused_ = false;
  if (resetting_) return;
  beginResetModel();
  resetting_ = true;
}

void ListModel::reset() {
  fill_paused_ = false;
  if (!resetting_) {
    // A reset without its announcement still brings the view up to date.
    beginResetModel();
  }
  resetting_ = false;
  endResetModel();
  emit headerDataChanged(Qt::Horizontal, 0, viewer::kColumnCount - 1);
}

void ListModel::row_changed(int row) {
  if (resetting_ || row < 0 || row >= list_.row_count()) return;
  emit dataChanged(index(row, 0), index(row, viewer::kColumnCount - 1));
}

void ListModel::column_width_changed(int column) {
  emit column_width_set(column, list_.column_width(column));
}

}  // namespace noemie::gui
