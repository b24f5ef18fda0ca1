#include "gui/practice_tools.h"

#include <QAction>
#include <QApplication>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <chrono>

#include "core/viewer/list_summary.h"
#include "core/viewer/viewer.h"
#include "gui/list_view.h"
#include "gui/page_painter.h"
#include "gui/qt_dialogs.h"
#include "gui/text_bridge.h"
#include "gui/transfers_window.h"
#include "gui/viewer_window.h"
#include "print/list_layout.h"

namespace noemie::gui {

PracticeTools::PracticeTools(ViewerWindow& window, viewer::Viewer& viewer)
    : QObject(&window), window_(window), viewer_(viewer), wiring_(viewer, *this) {
  setObjectName(QStringLiteral("practiceTools"));
  make_controls();

  connect(&window_.list_model(), &QAbstractItemModel::modelReset, this,
          &PracticeTools::rows_changed);
  wiring_.update_summary();
  // The transfers window goes before the close releases the rows it shows.
  connect(&window_, &ViewerWindow::closing, this, [this] {
    if (transfers_) transfers_->viewer_closing();
  });

  look_timer_.setSingleShot(true);
  connect(&look_timer_, &QTimer::timeout, this, [this] {
    if (!window_.has_closed()) wiring_.look_due();
  });
  poll_timer_.setInterval(kPollMs);
  connect(&poll_timer_, &QTimer::timeout, this, [this] {
    if (!window_.has_closed()) wiring_.poll_due();
  });
  poll_timer_.start();
  watcher_ = new QFileSystemWatcher(this);
  watcher_->addPath(path_to_qstring(viewer_.options().folder));
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this,
          [this] { wiring_.folder_changed(); });
}

PracticeTools::~PracticeTools() = default;

void PracticeTools::make_controls() {
  auto* line = new QWidget(&window_);
  line->setObjectName(QStringLiteral("findLine"));
  auto* row = new QHBoxLayout(line);
  row->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(to_qstring(app::kFindLabel), line);
  find_ = new QLineEdit(line);
  find_->setObjectName(QStringLiteral("find"));
  find_->setClearButtonEnabled(true);
  find_->setToolTip(to_qstring(app::kFindTip));
  label->setBuddy(find_);
  refresh_button_ = new QPushButton(to_qstring(app::kRefreshText), line);
  refresh_button_->setObjectName(QStringLiteral("refresh"));
  refresh_button_->setToolTip(to_qstring(app::kRefreshTip));
  row->addWidget(label);
  row->addWidget(find_, 1);
  row->addWidget(refresh_button_);
  print_button_ = new QPushButton(to_qstring(app::kPrintText), line);
  print_button_->setObjectName(QStringLiteral("print"));
  print_button_->setToolTip(to_qstring(app::kPrintTip));
  row->addWidget(print_button_);
  transfers_button_ = new QPushButton(to_qstring(app::kTransfersText), line);
  transfers_button_->setObjectName(QStringLiteral("transfers"));
  transfers_button_->setToolTip(to_qstring(app::kTransfersTip));
  row->addWidget(transfers_button_);
  window_.put_above_list(line);

  status_ = new QLabel(&window_);
  status_->setObjectName(QStringLiteral("summary"));
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  window_.put_below_list(status_);

  connect(find_, &QLineEdit::textChanged, this,
          [this](const QString& text) { wiring_.find_text_changed(to_cp1252(text)); });
  connect(refresh_button_, &QPushButton::clicked, this, [this] { refresh(false); });
  connect(print_button_, &QPushButton::clicked, this, &PracticeTools::print_preview);
  connect(transfers_button_, &QPushButton::clicked, this, &PracticeTools::open_transfers);
  QAction* pdf = window_.export_menu()->addAction(to_qstring(app::kPdfMenuText));
  pdf->setObjectName(QStringLiteral("exportPdf"));
  connect(pdf, &QAction::triggered, this, &PracticeTools::save_pdf);

  // Escape clears the field (the window itself swallows Escape).
  find_->installEventFilter(this);

  const auto window_action = [this](const char* name, const QKeySequence& keys) {
    auto* action = new QAction(&window_);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window_.addAction(action);
    return action;
  };
  connect(window_action("findAction", QKeySequence::Find), &QAction::triggered, this, [this] {
    find_->setFocus(Qt::ShortcutFocusReason);
    find_->selectAll();
  });
  connect(window_action("refreshAction", Qt::Key_F5), &QAction::triggered, this,
          [this] { refresh(false); });
  connect(window_action("printAction", QKeySequence::Print), &QAction::triggered, this,
          &PracticeTools::print_preview);
  // In the find field Ctrl+A keeps selecting its text (the field takes the key first).
  connect(window_action("selectAllAction", QKeySequence::SelectAll), &QAction::triggered, this,
          [this] { window_.list_view()->selectAll(); });
}

bool PracticeTools::eventFilter(QObject* watched, QEvent* event) {
  if (watched == find_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    find_->clear();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void PracticeTools::rows_changed() {
  // Once the change is over: a fill resets the rows more than once.
  if (rows_change_due_) return;
  rows_change_due_ = true;
  QTimer::singleShot(0, this, [this] {
    rows_change_due_ = false;
    if (window_.has_closed()) return;
    wiring_.update_summary();
    if (transfers_) transfers_->list_changed();
  });
}

void PracticeTools::show_summary(const std::string& text) {
  status_->setText(to_qstring(text));
}

void PracticeTools::show_find_text(const std::string& text) {
  find_->setText(to_qstring(text));
}

void PracticeTools::open_transfers() {
  if (window_.has_closed()) return;
  if (!transfers_) transfers_ = new TransfersWindow(window_, viewer_, wiring_);
  transfers_->open();
}

void PracticeTools::refresh(bool automatic) {
  if (!window_.has_closed()) wiring_.refresh(automatic);
}

int PracticeTools::top_row() const {
  const QModelIndex top = window_.list_view()->indexAt(QPoint(1, 1));
  return top.isValid() ? top.row() : 0;
}

void PracticeTools::show_top_row(int row) {
  const QModelIndex at = window_.list_model().index(row, 0);
  if (at.isValid()) window_.list_view()->scrollTo(at, QAbstractItemView::PositionAtTop);
}

void PracticeTools::print_preview() {
  if (window_.has_closed()) return;
  // The pages are laid out and dated when they are made (again for the printer itself).
  show_print_preview(window_, viewer_.options().window_title, [this] {
    return print::list_document(viewer_, print::local_date(std::chrono::system_clock::now()));
  });
}

void PracticeTools::save_pdf() {
  if (window_.has_closed()) return;
  QtDialogs dialogs(&window_);
  pdf_save_.run(viewer_, dialogs);
}

void PracticeTools::start_look_timer(int ms) {
  look_timer_.start(ms);
}

bool PracticeTools::dialog_or_menu_open() const {
  return QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget();
}

}  // namespace noemie::gui
