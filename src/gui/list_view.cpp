#include "gui/list_view.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStringList>
#include <QStyleOptionHeaderV2>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QToolTip>

#include "app/window_texts.h"

namespace noemie::gui {
namespace {

// The scale between the core's column widths and those of a list drawn in `font`.
double scale_factor(const QFont& font) {
  return app::ColumnScale::factor_for(
      QFontMetricsF(font).horizontalAdvance(QStringLiteral("0123456789")));
}

// Breaks every line of `text` at blanks so that none is wider than `max_width`; a single
// word wider than that stays whole.
QString wrap_lines(const QString& text, const QFontMetrics& fm, int max_width) {
  QStringList out;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    if (fm.horizontalAdvance(line) <= max_width) {
      out << line;
      continue;
    }
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '))) {
      const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
      if (!current.isEmpty() && fm.horizontalAdvance(candidate) > max_width) {
        out << current;
        current = word;
      } else {
        current = candidate;
      }
    }
    out << current;
  }
  return out.join(QLatin1Char('\n'));
}

// The tip as QToolTip must be given it: wrapped, and kept plain even when it looks like
// markup (a message text may hold "<").
QString tooltip_for_display(const QString& text) {
  const QString wrapped = wrap_lines(text, QFontMetrics(QToolTip::font()), app::kTipMaxWidth);
  if (!Qt::mightBeRichText(wrapped)) return wrapped;
  return QStringLiteral("<p style='white-space:pre'>") + wrapped.toHtmlEscaped() +
         QStringLiteral("</p>");
}

// True while a modal dialog of another window (an error dialog during a fill, a message box)
// keeps the user away from `w`: no tooltip then. Tooltips are asked for on an inactive window
// too, and the list behind an error dialog is that of a fill under way.
bool blocked_by_modal(const QWidget* w) {
  const QWidget* modal = QApplication::activeModalWidget();
  return modal && modal != w->window();
}

// A header whose titles too wide for their section end in "…" instead of being cut.
class ListHeader final : public QHeaderView {
 public:
  explicit ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logical_index) const override {
    if (!rect.isValid()) return;
    QStyleOptionHeaderV2 opt;
    initStyleOption(&opt);
    initStyleOptionForIndex(&opt, logical_index);
    opt.rect = rect;
    const QRect label = style()->subElementRect(QStyle::SE_HeaderLabel, &opt, this);
    opt.text = opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, label.width());
    painter->save();
    style()->drawControl(QStyle::CE_Header, &opt, painter, this);
    painter->restore();
  }
};

// Cells drawn without a focus frame of their own: the view frames the whole current row.
class ListDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    opt.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, opt, index);
  }
};

}  // namespace

ListView::ListView(ListModel& model, QWidget* parent)
    : QTableView(parent), model_(model), scale_(scale_factor(font())) {
  setHorizontalHeader(new ListHeader(this));
  setItemDelegate(new ListDelegate(this));
  setModel(&model_);
  // The titles are never shown selected, yet a header asks its selection model about the
  // neighbours of every title it draws: whether every row is selected, one row at a time.
  // Its own selection, always empty, spares that walk once all the rows are selected.
  header()->setSelectionModel(new QItemSelectionModel(&model_, header()));
  setShowGrid(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setTabKeyNavigation(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setSortingEnabled(false);
  setTextElideMode(Qt::ElideRight);
  viewport()->setMouseTracking(true);

  // No row numbers; every row as high as the first, whatever the rows hold.
  QHeaderView* rows = verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(0);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  apply_row_height();

  QHeaderView* h = header();
  h->setSectionsMovable(false);
  h->setStretchLastSection(false);
  h->setMinimumSectionSize(0);
  h->setSectionsClickable(true);
  h->setSortIndicatorShown(false);
  h->setHighlightSections(false);
  h->setSectionResizeMode(QHeaderView::Interactive);
  h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  h->setTextElideMode(Qt::ElideRight);

  connect(h, &QHeaderView::sectionClicked, this, &ListView::header_clicked);
  connect(h, &QHeaderView::sectionResized, this, &ListView::on_section_resized);
  connect(&model_, &ListModel::column_width_set, this, &ListView::on_core_width);
  // After QAbstractItemView's own reset handling (connected by setModel above).
  connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
    hide_tooltip();
    apply_core_widths();
    restore_selection();
  });

  quick_tip_timer_.setSingleShot(true);
  quick_tip_timer_.setInterval(kQuickTooltipDelayMs);
  connect(&quick_tip_timer_, &QTimer::timeout, this, &ListView::on_quick_tooltip_due);

  apply_core_widths();
}

void ListView::apply_core_widths() {
  const viewer::ListControl& list = model_.list();
  applying_widths_ = true;
  for (int c = 0; c < list.column_count() && c < header()->count(); ++c) {
    header()->resizeSection(c, scale_.to_view(c, list.column_width(c)));
  }
  applying_widths_ = false;
}

int ListView::x_in_row(int viewport_x) const {
  const viewer::ListControl& list = model_.list();
  std::vector<int> view_widths;
  std::vector<int> core_widths;
  for (int c = 0; c < header()->count(); ++c) {
    view_widths.push_back(header()->sectionSize(c));
    core_widths.push_back(list.column_width(c));
  }
  return app::ColumnScale::x_to_core(viewport_x + header()->offset(), view_widths, core_widths);
}

void ListView::on_section_resized(int column, int /*old_size*/, int new_size) {
  if (applying_widths_) return;
  model_.list().note_column_width(column, scale_.from_view(column, new_size));
}

void ListView::on_core_width(int column, int width) {
  if (column < 0 || column >= header()->count()) return;
  applying_widths_ = true;
  header()->resizeSection(column, scale_.to_view(column, width));
  applying_widths_ = false;
}

void ListView::apply_row_height() {
  // The height the item delegate asks for a cell with an icon beside one line of text: the
  // tallest cell of a row, whichever columns are in sight.
  QStyleOptionViewItem opt;
  initViewItemOption(&opt);
  opt.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
  opt.text = QStringLiteral("0");
  if (!opt.decorationSize.isValid()) opt.decorationSize = QSize(16, 16);
  const QSize cell = style()->sizeFromContents(QStyle::CT_ItemViewItem, &opt, QSize(), this);
  verticalHeader()->setDefaultSectionSize(cell.height());
}

void ListView::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    scale_.set_factor(scale_factor(font()));
    apply_core_widths();
  }
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    apply_row_height();
  }
}

void ListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QTableView::selectionChanged(selected, deselected);
  if (restoring_selection_) return;
  viewer::ListControl& list = model_.list();
  for (const QItemSelectionRange& r : deselected) {
    for (int row = r.top(); row <= r.bottom(); ++row) list.set_selected(row, false);
  }
  for (const QItemSelectionRange& r : selected) {
    for (int row = r.top(); row <= r.bottom(); ++row) list.set_selected(row, true);
  }
}

void ListView::restore_selection() {
  const viewer::ListControl& list = model_.list();
  QItemSelection selection;
  const int rows = list.row_count();
  const int last_col = model_.columnCount() - 1;
  for (int row = 0; row < rows;) {
    if (!list.selected(row)) {
      ++row;
      continue;
    }
    int end = row;
    while (end + 1 < rows && list.selected(end + 1)) ++end;
    selection.select(model_.index(row, 0), model_.index(end, last_col));
    row = end + 1;
  }
  restoring_selection_ = true;
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  restoring_selection_ = false;
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const QModelIndex index = indexAt(pos);
  QTableView::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton || !index.isValid()) return;
  emit cell_double_clicked(index.row(), x_in_row(pos.x()));
}

QModelIndex ListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = currentIndex();
  // With no current row, every move gives the first row (what taking the focus relies on).
  if (!current.isValid()) return QTableView::moveCursor(action, modifiers);
  switch (action) {
    case MoveLeft:
    case MoveRight: {
      // The current row stays; the rows scroll sideways.
      QScrollBar* bar = horizontalScrollBar();
      const bool left = (action == MoveLeft) != isRightToLeft();
      bar->setValue(bar->value() + (left ? -bar->singleStep() : bar->singleStep()));
      return current;
    }
    case MoveHome:
      return model_.index(0, current.column());
    case MoveEnd:
      return model_.index(model_.rowCount() - 1, current.column());
    case MoveNext:
      return QTableView::moveCursor(MoveDown, modifiers);
    case MovePrevious:
      return QTableView::moveCursor(MoveUp, modifiers);
    default:
      return QTableView::moveCursor(action, modifiers);
  }
}

void ListView::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  // The focus frame around the whole current row, as a list draws it.
  const QModelIndex current = currentIndex();
  if (!current.isValid() || !(hasFocus() || viewport()->hasFocus())) return;
  const int y = rowViewportPosition(current.row());
  const int height = rowHeight(current.row());
  if (y + height < 0 || y > viewport()->height()) return;
  QStyleOptionViewItem row;
  initViewItemOption(&row);
  QStyleOptionFocusRect frame;
  frame.QStyleOption::operator=(row);
  frame.state |= QStyle::State_KeyboardFocusChange;
  const QPalette::ColorGroup group =
      (row.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
  frame.backgroundColor = row.palette.color(
      group, selectionModel()->isSelected(current) ? QPalette::Highlight : QPalette::Window);
  frame.rect = style()->visualRect(layoutDirection(), viewport()->rect(),
                                   QRect(-header()->offset(), y, header()->length(), height));
  QPainter painter(viewport());
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter);
}

void ListView::take_keyboard_focus() {
  setFocus(Qt::OtherFocusReason);
  if (model_.rowCount() > 0) {
    selectionModel()->setCurrentIndex(model_.index(0, 0), QItemSelectionModel::NoUpdate);
  }
}

void ListView::attach_tooltips() {
  tips_on_ = true;
}

void ListView::detach_tooltips() {
  hide_tooltip();
  tips_on_ = false;
  rearm_.reset();
  quick_tip_timer_.stop();
}

QRect ListView::tooltip_cell() const {
  const app::CellBox& cell = rearm_.tip_cell();
  return cell.empty() ? QRect()
                      : QRect(cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
}

bool ListView::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::ToolTip: {
      const auto* help = static_cast<QHelpEvent*>(event);
      if (tips_on_ && !blocked_by_modal(this)) {
        show_tooltip_at(help->pos(), help->globalPos());
      } else {
        hide_tooltip();
      }
      return true;
    }
    case QEvent::MouseMove:
      on_pointer_moved(static_cast<QMouseEvent*>(event)->position().toPoint());
      break;
    case QEvent::Leave:
      hide_tooltip();
      quick_tip_timer_.stop();
      break;
    default:
      break;
  }
  return QTableView::viewportEvent(event);
}

bool ListView::show_tooltip_at(QPoint pos, QPoint global_pos) {
  const QModelIndex index = indexAt(pos);
  const QString text = index.isValid() ? model_.data(index, Qt::ToolTipRole).toString() : QString();
  if (text.isEmpty()) {
    hide_tooltip();
    return false;
  }
  const QRect cell = visualRect(index);
  rearm_.tip_shown(
      {cell.left(), cell.top(), cell.left() + cell.width(), cell.top() + cell.height()});
  QToolTip::showText(global_pos, tooltip_for_display(text), viewport(), cell);
  return true;
}

void ListView::hide_tooltip() {
  rearm_.tip_hidden();
  if (!QToolTip::isVisible()) return;
  // QToolTip::hideText() lets the tip linger for a moment; the tip must go at once, so its
  // window is hidden now as well (Qt disposes of it when its own timer runs out).
  QToolTip::hideText();
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->inherits("QTipLabel") && w->isVisible()) w->hide();
  }
}

void ListView::on_pointer_moved(QPoint pos) {
  if (!tips_on_) return;
  switch (rearm_.pointer_moved(pos.x(), pos.y())) {
    case app::TooltipRearm::Move::Nothing:
    case app::TooltipRearm::Move::InTipCell:
      return;
    case app::TooltipRearm::Move::LeftCell:
      hide_tooltip();
      [[fallthrough]];
    case app::TooltipRearm::Move::Resting:
      quick_tip_timer_.start();
      return;
  }
}

void ListView::on_quick_tooltip_due() {
  if (!tips_on_ || !viewport()->underMouse() || blocked_by_modal(this)) return;
  const QPoint global = QCursor::pos();
  const QPoint pos = viewport()->mapFromGlobal(global);
  if (!viewport()->rect().contains(pos)) return;
  show_tooltip_at(pos, global);
}

}  // namespace noemie::gui
