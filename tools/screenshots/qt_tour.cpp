#include "screenshots/qt_tour.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <QWindow>

#include <cstdio>

#include "core/viewer/list_control.h"
#include "gui/list_view.h"
#include "gui/transfers_window.h"
#include "gui/viewer_controls.h"
#include "gui/viewer_window.h"

namespace noemie::gui {
namespace {

// Long enough for a window manager to draw a frame and for Qt's hover timer to show a tip.
constexpr int kSettleMs = 700;
constexpr int kHoverMs = 1500;
// The print preview makes its pages before it is pictured.
constexpr int kPreviewMs = 2500;
// The tour gives up after this long, so that the script never hangs.
constexpr int kWatchdogMs = 120000;

// The tooltip window on show, or nullptr.
QWidget* visible_tooltip() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->inherits("QTipLabel") && w->isVisible()) return w;
  }
  return nullptr;
}

QWidget* control(ViewerWindow& window, int id) {
  return window.findChild<QWidget*>(control_name(id));
}

}  // namespace

ScreenshotTour::ScreenshotTour(const QString& folder, QObject* parent)
    : QObject(parent), folder_(folder) {
  QDir().mkpath(folder_);
  qApp->installEventFilter(this);
}

ScreenshotTour::~ScreenshotTour() {
  qApp->removeEventFilter(this);
}

void ScreenshotTour::save(const QRect& area, const char* name) {
  QScreen* screen = QGuiApplication::screenAt(area.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect shot = area.intersected(screen->geometry());
  const QPixmap picture =
      screen->grabWindow(0, shot.x() - screen->geometry().x(), shot.y() - screen->geometry().y(),
                         shot.width(), shot.height());
  const QString file = QDir(folder_).filePath(QString::fromLatin1(name));
  const bool saved = !picture.isNull() && picture.save(file);
  ok_ = ok_ && saved;
  if (saved) {
    std::printf("wrote %s\n", qPrintable(file));
  } else {
    std::printf("FAILED %s (area %d,%d %dx%d)\n", qPrintable(file), area.x(), area.y(),
                area.width(), area.height());
  }
  std::fflush(stdout);
}

void ScreenshotTour::save_part(const char* object_name, const char* name) {
  const auto* part = window_->findChild<QWidget*>(QString::fromLatin1(object_name));
  if (!part || !part->isVisible()) {
    std::printf("FAILED no %s to picture\n", object_name);
    ok_ = false;
    return;
  }
  const int margin = part->fontMetrics().height() / 2;
  const QRect area(part->mapToGlobal(QPoint(0, 0)), part->size());
  save(area.adjusted(-margin, -margin, margin, margin).intersected(window_area()), name);
}

QRect ScreenshotTour::window_area() const {
  return window_ ? window_->frameGeometry() : QRect();
}

void ScreenshotTour::then(int delay_ms, std::function<void()> step) {
  steps_.emplace_back(delay_ms, std::move(step));
}

void ScreenshotTour::run_next() {
  if (steps_.empty()) return;
  auto [delay, step] = std::move(steps_.front());
  steps_.pop_front();
  QTimer::singleShot(delay, this, [this, step = std::move(step)] {
    if (!window_) return;
    step();
    run_next();
  });
}

bool ScreenshotTour::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    const bool error_dialog = widget->objectName() == QLatin1String("Noemie_Err_Dlg");
    const bool message_box = qobject_cast<QMessageBox*>(widget) != nullptr;
    if (qobject_cast<QFileDialog*>(widget)) {
      answer_folder_chooser(widget);
    } else if (error_dialog && refill_dialog_wanted_) {
      refill_dialog_wanted_ = false;
      picture_refill_dialog(widget);
    } else if (error_dialog || message_box) {
      // Pictured once each; later ones (every fill reads the faulty file again) just closed.
      const bool first = error_dialog ? !error_dialog_pictured_ : !message_box_pictured_;
      QPointer<QWidget> dialog(widget);
      QTimer::singleShot(first ? kSettleMs : 50, this, [this, dialog, first, error_dialog] {
        if (!dialog) return;
        if (first) {
          save(dialog->frameGeometry(), error_dialog ? "error-dialog.png" : "detail-box.png");
          (error_dialog ? error_dialog_pictured_ : message_box_pictured_) = true;
        }
        close_dialog(dialog);
      });
    }
  }
  return QObject::eventFilter(watched, event);
}

void ScreenshotTour::close_dialog(QWidget* dialog) {
  if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
    box->accept();
    return;
  }
  if (auto* ok = dialog->findChild<QPushButton*>(control_name(2504))) ok->click();
}

void ScreenshotTour::picture_refill_dialog(QWidget* widget) {
  QPointer<QWidget> dialog(widget);
  QTimer::singleShot(kSettleMs, this, [this, dialog] {
    if (!dialog) return;
    if (!window_ || window_->list_view()->model()->rowCount() == 0) {
      std::printf("FAILED no rows behind the error dialog of a refill\n");
      ok_ = false;
    }
    save(window_area().united(dialog->frameGeometry()), "refill-error-dialog.png");
    close_dialog(dialog);
  });
}

void ScreenshotTour::answer_folder_chooser(QWidget* widget) {
  QPointer<QWidget> chooser(widget);
  QTimer::singleShot(folder_chooser_pictured_ ? 50 : kSettleMs, this, [this, chooser] {
    if (!chooser) return;
    // The program's first window: the window manager may still be placing it.
    const QWindow* handle = chooser->windowHandle();
    if (!folder_chooser_pictured_ && handle && !handle->isExposed() && chooser_waits_ < 20) {
      ++chooser_waits_;
      answer_folder_chooser(chooser);
      return;
    }
    if (!folder_chooser_pictured_) {
      save(chooser->frameGeometry(), "folder-chooser.png");
      folder_chooser_pictured_ = true;
    }
    // "Choisir" with no name typed chooses the folder on show.
    auto* buttons = chooser->findChild<QDialogButtonBox*>();
    QPushButton* choose = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    if (choose && choose->isEnabled()) {
      choose->click();
    } else {
      static_cast<QDialog*>(chooser.data())->accept();
    }
  });
}

int ScreenshotTour::row_with_tooltip(int column, const QString& wanted) const {
  const QAbstractItemModel* model = window_->list_view()->model();
  const int rows = std::min(model->rowCount(), 500);
  for (int row = 0; row < rows; ++row) {
    const QString tip = model->data(model->index(row, column), Qt::ToolTipRole).toString();
    if (!tip.isEmpty() && tip.contains(wanted)) return row;
  }
  return -1;
}

bool ScreenshotTour::hover_cell(int row, int column) {
  ListView* view = window_->list_view();
  if (row < 0) {
    std::printf("FAILED no cell to hover in column %d\n", column);
    ok_ = false;
    return false;
  }
  const QModelIndex index = view->model()->index(row, column);
  view->scrollTo(index);
  QCursor::setPos(view->viewport()->mapToGlobal(view->visualRect(index).center()));
  return true;
}

void ScreenshotTour::start(ViewerWindow& window) {
  window_ = &window;
  QTimer::singleShot(kWatchdogMs, this, [this] {
    if (!window_) return;
    std::printf("FAILED the tour did not end in time\n");
    ok_ = false;
    steps_.clear();
    window_->close();
  });

  ListView* view = window.list_view();
  const auto tip_shot = [this, view](const char* name) {
    then(kHoverMs, [view] {
      // Qt's hover timer shows the tip; should the pointer not have moved on this display,
      // ask for it as the hover would.
      if (visible_tooltip()) return;
      const QPoint global = QCursor::pos();
      QHelpEvent help(QEvent::ToolTip, view->viewport()->mapFromGlobal(global), global);
      QApplication::sendEvent(view->viewport(), &help);
    });
    then(400, [this, name] {
      QRect area = window_area();
      if (QWidget* tip = visible_tooltip()) area = area.united(tip->frameGeometry());
      save(area, name);
    });
  };

  // Made larger, as a user would on a first run, so that most columns are in sight.
  then(kSettleMs, [this] {
    const QRect room = window_->screen()->availableGeometry();
    const QSize frame = window_->frameGeometry().size() - window_->geometry().size();
    window_->move(room.topLeft() + QPoint(16, 16));
    window_->resize(std::min(1240, room.width() - 32) - frame.width(),
                    std::min(620, room.height() - 32) - frame.height());
  });
  then(kSettleMs, [view] {
    const int row = std::min(2, view->model()->rowCount() - 1);
    view->selectionModel()->select(view->model()->index(row, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  });
  // Once the selection is drawn.
  then(300, [this] { save(window_area(), "viewer.png"); });

  // A "Réf" tooltip of several lines, then the conversion of an amount in euros.
  then(100, [this] {
    hover_cell(row_with_tooltip(viewer::kColRef, QStringLiteral("\n")), viewer::kColRef);
  });
  tip_shot("tooltip.png");
  then(100, [this] {
    hover_cell(row_with_tooltip(viewer::kColAmo, QStringLiteral("\u20AC")), viewer::kColAmo);
  });
  tip_shot("tooltip-amount.png");

  // The export menu, opened by a click on "Exporter" under the pointer.
  then(300, [this] {
    QWidget* button = control(*window_, kIdExport);
    QCursor::setPos(button->mapToGlobal(button->rect().center()));
    static_cast<QAbstractButton*>(button)->click();
  });
  then(kSettleMs, [this] {
    QRect area = window_area();
    if (window_->export_menu()->isVisible()) {
      area = area.united(window_->export_menu()->frameGeometry());
    } else {
      std::printf("FAILED the export menu did not open\n");
      ok_ = false;
    }
    save(area, "export-menu.png");
    window_->export_menu()->hide();
  });

  // A double-click on a "Réf" cell shows its explanation (pictured by the dialog watch).
  then(300, [this, view] {
    const QModelIndex index = view->model()->index(0, viewer::kColRef);
    const QPoint at = view->visualRect(index).center();
    const QPoint global = view->viewport()->mapToGlobal(at);
    QCursor::setPos(global);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
      QMouseEvent click(type, at, global, Qt::LeftButton,
                        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(view->viewport(), &click);
    }
    if (!message_box_pictured_) {
      std::printf("FAILED the double-click showed no message box\n");
      ok_ = false;
    }
  });

  // The "Rejets" filter: its own column widths, rejected entries only.
  then(300, [this] {
    QCursor::setPos(window_->mapToGlobal(QPoint(window_->width() / 2, 10)));
    static_cast<QAbstractButton*>(control(*window_, kIdKindRejections))->click();
  });
  then(kSettleMs, [this] { save(window_area(), "viewer-rejets.png"); });
  // Back to "Toutes": the refill meets the faulty sample again, in front of the rows so far.
  then(300, [this] {
    refill_dialog_wanted_ = true;
    static_cast<QAbstractButton*>(control(*window_, kIdKindAll))->click();
    if (refill_dialog_wanted_) {
      std::printf("FAILED the refill showed no error dialog\n");
      ok_ = false;
      refill_dialog_wanted_ = false;
    }
  });
  // The find field narrowing the list, then the print preview of the rows found.
  then(300, [this] {
    window_->findChild<QLineEdit*>(QStringLiteral("find"))->setText(QStringLiteral("dupont"));
  });
  then(kSettleMs, [this] {
    save(window_area(), "viewer-find.png");
    save_part("findLine", "find-line.png");
    save_part("summary", "status-line.png");
  });
  then(300, [this] {
    QTimer::singleShot(kPreviewMs, this, [this] {
      QWidget* preview = QApplication::activeModalWidget();
      if (preview && preview->objectName() == QLatin1String("printPreview")) {
        save(preview->frameGeometry(), "print-preview.png");
        preview->close();
      } else {
        std::printf("FAILED the print preview did not open\n");
        ok_ = false;
      }
    });
    window_->findChild<QAction*>(QStringLiteral("printAction"))->trigger();
  });
  // The transfers window over every row, one transfer ticked; then a double-click on a line
  // narrows the list to its rows, as the find line says.
  then(300, [this] {
    window_->findChild<QLineEdit*>(QStringLiteral("find"))->clear();
    static_cast<QAbstractButton*>(window_->findChild<QPushButton*>(QStringLiteral("transfers")))
        ->click();
  });
  then(kSettleMs, [this] {
    auto* transfers = window_->findChild<TransfersWindow*>();
    if (!transfers || !transfers->isVisible() ||
        transfers->table_view()->model()->rowCount() == 0) {
      std::printf("FAILED the transfers window did not open on transfers\n");
      ok_ = false;
      return;
    }
    QAbstractItemModel* model = transfers->table_view()->model();
    model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole);
    transfers->table_view()->setCurrentIndex(model->index(0, 1));
  });
  then(300, [this] {
    if (auto* transfers = window_->findChild<TransfersWindow*>()) {
      save(transfers->frameGeometry(), "transfers.png");
    }
  });
  then(300, [this] {
    auto* transfers = window_->findChild<TransfersWindow*>();
    if (!transfers) return;
    QTreeView* table = transfers->table_view();
    const QPoint at = table->visualRect(table->model()->index(0, 2)).center();
    const QPoint global = table->viewport()->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
      QMouseEvent click(type, at, global, Qt::LeftButton,
                        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(table->viewport(), &click);
    }
  });
  then(kSettleMs, [this] {
    if (auto* transfers = window_->findChild<TransfersWindow*>()) transfers->close();
  });
  then(kSettleMs, [this] { save(window_area(), "viewer-transfer.png"); });
  then(300, [this] { window_->close(); });
  run_next();
}

}  // namespace noemie::gui
