// Shows the viewer window with a list filled by hand, its tooltip, its export menu and the
// error dialog, and saves pictures of them as PNG files into OUTDIR. Run under a display
// (scripts/screenshot runs it under Xvfb, at 100 % and 200 % scaling).
//
//   noemie_screenshot_demo OUTDIR

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include <cstdio>

#include "core/viewer/list_control.h"
#include "demo_rows.h"
#include "gui/basic_program.h"
#include "gui/error_dialog.h"
#include "gui/list_images.h"
#include "gui/list_view.h"
#include "gui/viewer_controls.h"
#include "gui/viewer_window.h"
#include "gui/window_placement.h"

namespace {

using namespace noemie;

// Widths of the "Rejets" filter: the columns from "Date Acte" to "AMC" hidden.
constexpr int kRejetsWidths[viewer::kColumnCount] = {20, 50, 55, 55, 70, 60, 140, 30, 40,
                                                     0,  0,  0,  0,  0,  0,  0,   300};

class DemoActions final : public gui::ViewerActions {
 public:
  explicit DemoActions(viewer::ListControl& list) : list_(list) {}

  void window_opening() override {
    gui::add_standard_columns(list_);
    testing::add_demo_rows(list_, 64);
  }
  void window_closing(const gui::WindowRect&) override {}
  void kind_filter_chosen(int type_liste) override {
    for (int c = 0; c < viewer::kColumnCount; ++c) {
      list_.set_column_width(c, type_liste == 2 ? kRejetsWidths[c] : list_.column_width(c));
    }
  }
  void age_filter_chosen(int) override {}
  void kind_mask_changed(int) override {}
  void abrege_toggled(bool) override {}
  void export_chosen(int) override {}
  void mark_chosen(int) override {}
  void header_clicked(int) override {}
  void cell_double_clicked(int, int) override {}
  std::string tooltip_text(int, int) override {
    return "R\xE9"
           "f\xE9rence 531\r\nRETOURS SUR PRESTATIONS TRANSMISES EN FLUX "
           "ELECTRONIQUES\r\nPAIEMENT";
  }

 private:
  viewer::ListControl& list_;
};

bool save(const QPixmap& picture, const QString& dir, const char* name) {
  const QString file = QDir(dir).filePath(QString::fromLatin1(name));
  const bool ok = picture.save(file);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
  return ok;
}

// The screen around `area` (global coordinates), so that tooltips and menus are included.
QPixmap grab_screen(const QRect& area) {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
}

// Every picture of the strip at list size, on a light and on a selected background, then
// enlarged, so that each can be checked by eye.
QPixmap icon_sheet() {
  const int cell = 24;
  const int zoom = 6;
  QPixmap sheet(QSize(gui::kImageCount * (16 * zoom + 8) + 8, 16 * zoom + 3 * cell + 24) *
                qApp->devicePixelRatio());
  sheet.setDevicePixelRatio(qApp->devicePixelRatio());
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  gui::ImageStrip strip;
  for (int i = 0; i < gui::kImageCount; ++i) {
    const int x = 8 + i * (16 * zoom + 8);
    p.fillRect(QRect(x, 8 + cell, cell, cell), QColor(0x30, 0x8c, 0xc6));
    strip.icon(i).paint(&p, QRect(x + 4, 12, 16, 16));
    strip.icon(i).paint(&p, QRect(x + 4, 12 + cell, 16, 16));
    p.drawPixmap(QRect(x, 16 + 2 * cell, 16 * zoom, 16 * zoom), gui::draw_list_image(i, 16));
  }
  p.drawPixmap(QRect(8, 16 + 2 * cell + 16 * zoom + 4, 32, 32), gui::draw_window_icon(64));
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: noemie_screenshot_demo OUTDIR\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  bool ok = true;

  viewer::ListControl list;
  DemoActions actions(list);
  gui::QtScreens screens;
  gui::ViewerWindow window(list, actions, screens);
  window.initialise({5, false, {30, 30, 1060, 600}});
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  window.list_view()->selectionModel()->select(
      window.list_view()->model()->index(2, 0),
      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QTest::qWait(200);
  ok &= save(window.grab(), out, "viewer.png");

  // The tooltip of the "Réf" cell of the first row.
  gui::ListView* view = window.list_view();
  const QRect cell = view->visualRect(view->model()->index(0, viewer::kColRef));
  const QPoint at = cell.center();
  QCursor::setPos(view->viewport()->mapToGlobal(at));
  QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
  QApplication::sendEvent(view->viewport(), &help);
  QTest::qWait(400);
  const QRect frame = window.frameGeometry();
  ok &= save(grab_screen(QRect(frame.topLeft(), QSize(frame.width(), frame.height() / 2))), out,
             "tooltip.png");
  QToolTip::hideText();

  // The export menu, opened as a click on "Exporter" opens it.
  QWidget* exporter = window.findChild<QWidget*>(gui::control_name(gui::kIdExport));
  window.show_export_menu(exporter->mapToGlobal(exporter->rect().center()));
  QTest::qWait(300);
  ok &= save(grab_screen(QRect(frame.topLeft(), QSize(frame.width(), frame.height() / 2))), out,
             "export-menu.png");
  window.export_menu()->hide();

  // The "Rejets" filter hides the columns from "Date Acte" to "AMC".
  QTest::mouseClick(window.findChild<QRadioButton*>(gui::control_name(gui::kIdKindRejections)),
                    Qt::LeftButton);
  QTest::qWait(200);
  ok &= save(window.grab(), out, "viewer-rejets.png");

  // The smallest window the tool frame allows.
  window.resize(window.minimumSize());
  QTest::qWait(200);
  ok &= save(window.grab(), out, "viewer-minimum.png");

  FaultReport fault;
  fault.code = 7;
  fault.description = "D\xE9sol\xE9, ce programme n'est pas en mesure de traiter ce fichier\r\n";
  fault.path = "/home/cabinet/retours/noemie/2024/mai/00000123.RSP";
  fault.position = 1536;
  fault.start = 128;
  gui::ErrorDialog dialog(fault, {}, &window);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) return 1;
  QTest::qWait(200);
  ok &= save(dialog.grab(), out, "error-dialog.png");
  dialog.close();

  ok &= save(icon_sheet(), out, "icons.png");
  window.close();
  return ok ? 0 : 1;
}
