#include "gui/transfers_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/window_texts.h"
#include "gui/page_painter.h"
#include "gui/text_bridge.h"
#include "gui/transfers_table.h"

namespace noemie::gui {

TransfersWindow::TransfersWindow(QWidget& viewer_window, viewer::Viewer& viewer,
                                 app::PracticeWiring& practice)
    : QWidget(&viewer_window, Qt::Window), dialogs_(this), wiring_(viewer, dialogs_, practice) {
  setObjectName(QStringLiteral("transfersWindow"));
  setWindowTitle(to_qstring(viewer::kTransfersCaption));
  make_controls();
  resize(900, 420);
}

TransfersWindow::~TransfersWindow() {
  wiring_.closed();
}

void TransfersWindow::make_controls() {
  auto* buttons = new QHBoxLayout;
  const auto button = [this, buttons](const char* name, const char* text, const char* tip) {
    auto* b = new QPushButton(to_qstring(text), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(to_qstring(tip));
    buttons->addWidget(b);
    return b;
  };
  QPushButton* export_button =
      button("transfersExport", app::kExportText, app::kTransfersExportTip);
  QPushButton* print_button = button("transfersPrint", app::kPrintText, app::kTransfersPrintTip);
  QPushButton* statement_button = button("statement", app::kStatementText, app::kStatementTip);
  buttons->addStretch(1);

  auto* menu = new QMenu(export_button);
  menu->setObjectName(QStringLiteral("transfersExportMenu"));
  for (int entry = 0; entry < 4; ++entry) {
    QAction* action = menu->addAction(to_qstring(app::kExportMenuTexts[entry]));
    connect(action, &QAction::triggered, this, [this, entry] { wiring_.export_chosen(entry); });
  }
  export_button->setMenu(menu);
  connect(print_button, &QPushButton::clicked, this, [this] { wiring_.print(); });
  connect(statement_button, &QPushButton::clicked, this, [this] { wiring_.statement_asked(); });

  table_ = new TransfersTable(wiring_, this);
  table_view_ = new QTreeView(this);
  table_view_->setObjectName(QStringLiteral("transfersTable"));
  table_view_->setModel(table_);
  table_view_->setRootIsDecorated(false);
  table_view_->setUniformRowHeights(true);
  table_view_->setAllColumnsShowFocus(true);
  table_view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_view_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QHeaderView* header = table_view_->header();
  header->setSectionsMovable(false);
  header->setSectionsClickable(true);
  header->setStretchLastSection(false);
  header->setMinimumSectionSize(0);
  connect(header, &QHeaderView::sectionClicked, this,
          [this](int column) { wiring_.title_clicked(column); });
  connect(table_view_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    // A double-click on the check box turns it over twice; it narrows nothing.
    if (index.isValid() && index.column() != 0) wiring_.line_activated(index.row());
  });
  // Space ticks the current line whatever its column.
  table_view_->installEventFilter(this);

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("transfersStatus"));
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  unmatched_label_ = new QLabel(to_qstring(app::kUnmatchedLabel), this);
  unmatched_ = new QTreeWidget(this);
  unmatched_->setObjectName(QStringLiteral("unmatchedCredits"));
  unmatched_->setRootIsDecorated(false);
  unmatched_->setColumnCount(app::kCreditColumnCount);
  QStringList titles;
  for (const app::CreditColumn& column : app::kCreditColumns) titles << to_qstring(column.title);
  unmatched_->setHeaderLabels(titles);
  for (int c = 0; c < app::kCreditColumnCount; ++c) {
    unmatched_->header()->resizeSection(c, app::kCreditColumns[c].width);
  }
  unmatched_label_->setBuddy(unmatched_);
  unmatched_label_->hide();
  unmatched_->hide();

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(app::kMargin, app::kMargin, app::kMargin, app::kMargin);
  column->setSpacing(app::kMargin);
  column->addLayout(buttons);
  column->addWidget(table_view_, 3);
  column->addWidget(status_);
  column->addWidget(unmatched_label_);
  column->addWidget(unmatched_, 1);
  setTabOrder(table_view_, export_button);
}

void TransfersWindow::open() {
  if (!placed_) {
    // The first time over the middle of the viewer window; then where the user left it.
    const QWidget* viewer_window = parentWidget();
    move(viewer_window->frameGeometry().center() - rect().center());
    placed_ = true;
  }
  if (!isVisible()) {
    show();
    wiring_.opened(*this);
  }
  raise();
  activateWindow();
  table_view_->setFocus();
}

void TransfersWindow::viewer_closing() {
  hide();
  wiring_.viewer_closing();
}

void TransfersWindow::set_column_widths() {
  const viewer::TransfersModel& model = wiring_.model();
  for (int c = 0; c < model.column_count(); ++c) {
    table_view_->header()->resizeSection(c, model.column_width(c));
  }
  widths_set_for_ = model.column_count();
}

void TransfersWindow::show_table() {
  table_->reload();
  if (widths_set_for_ != wiring_.model().column_count()) set_column_widths();
  status_->setText(to_qstring(wiring_.model().status_text()));
  unmatched_->clear();
  for (const bank::BankCredit& credit : wiring_.unmatched()) {
    auto* item = new QTreeWidgetItem(unmatched_);
    for (int c = 0; c < app::kCreditColumnCount; ++c) {
      item->setText(c, to_qstring(app::credit_cell(credit, c)));
      if (app::kCreditColumns[c].align == viewer::Align::Right) {
        item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
      }
    }
  }
  const bool credits = !wiring_.unmatched().empty();
  unmatched_label_->setVisible(credits);
  unmatched_->setVisible(credits);
}

void TransfersWindow::preview(const print::Document& document) {
  show_print_preview(*this, document.title, [&document] { return document; });
}

void TransfersWindow::closeEvent(QCloseEvent* event) {
  wiring_.closed();
  QWidget::closeEvent(event);
}

void TransfersWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      close();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // The table lets Enter through once it has told its own activation.
      if (table_view_->hasFocus() && table_view_->currentIndex().isValid()) {
        wiring_.line_activated(table_view_->currentIndex().row());
        return;
      }
      break;
    default:
      break;
  }
  QWidget::keyPressEvent(event);
}

bool TransfersWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_view_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
    const QModelIndex current = table_view_->currentIndex();
    if (current.isValid()) wiring_.tick_toggled(current.row());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace noemie::gui
