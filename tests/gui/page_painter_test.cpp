// A printout's page drawn by Qt lands where the layout placed it: the band, the disc and the
// lines in their colours at their places, and a text within the width the layout measured for
// it (the system's Helvetica has the widths of the PDF's).

#include <QImage>
#include <QPainter>
#include <QTest>

#include "gui/page_painter.h"
#include "print/text_metrics.h"

using namespace noemie;

class PagePainterTest : public QObject {
  Q_OBJECT

 private slots:
  void OperationsLandWhereTheLayoutPutThem() {
    const std::string text = "MARTIN CLAIRE (2850369000202) 26.50\x80";
    print::Page page;
    page.operations = {
        print::FilledRect{10, 10, 100, 20, {0xE4, 0xE4, 0xE4}},
        print::FilledDisc{130, 20, 5, {0xD0, 0x20, 0x20}},
        print::Line{10, 40, 200, 40, 2, 0},
        print::TextRun{10, 70, 9, print::Weight::Regular, text},
    };
    const double scale = 4;
    QImage image(QSize(300, 100) * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    gui::paint_page(painter, page, scale);
    painter.end();
    const auto at = [&](double x, double y) {
      return image.pixelColor(QPointF(x, y).toPoint() * scale);
    };
    QCOMPARE(at(60, 20), QColor(0xE4, 0xE4, 0xE4));
    QCOMPARE(at(130, 20), QColor(0xD0, 0x20, 0x20));
    QCOMPARE(at(100, 40), QColor(Qt::black));
    QCOMPARE(at(100, 44), QColor(Qt::white));
    // The inked columns of the text: from its start to (nearly) its measured end, not past it.
    const double width = print::text_width(text, print::Weight::Regular, 9);
    int first = image.width();
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
      for (int y = int(60 * scale); y < int(74 * scale); ++y) {
        if (qGray(image.pixel(x, y)) < 128) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
      }
    }
    QVERIFY2(first >= int(9 * scale) && first <= int(11 * scale),
             qPrintable(QString::number(first)));
    QVERIFY2(std::abs(last / scale - (10 + width)) < 0.03 * width,
             qPrintable(
                 QStringLiteral("ink ends at %1, measured %2").arg(last / scale).arg(10 + width)));
  }
};

QTEST_MAIN(PagePainterTest)
#include "page_painter_test.moc"
