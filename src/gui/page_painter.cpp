#include "gui/page_painter.h"

#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <variant>

#include "gui/text_bridge.h"

namespace noemie::gui {
namespace {

QColor colour_of(const print::Colour& c) {
  return QColor(c.red, c.green, c.blue);
}

// Draws each kind of operation, in the device's units.
class OperationPainter {
 public:
  OperationPainter(QPainter& painter, double scale) : painter_(painter), scale_(scale) {
    for (const print::Weight weight : {print::Weight::Regular, print::Weight::Bold}) {
      QFont& font = fonts_[static_cast<int>(weight)];
      font = QFont(QStringLiteral("Helvetica"));
      font.setStyleHint(QFont::Helvetica);
      font.setBold(weight == print::Weight::Bold);
      // The layout measured without kerning, at the fonts' own widths.
      font.setKerning(false);
      font.setHintingPreference(QFont::PreferNoHinting);
    }
  }

  void operator()(const print::FilledRect& r) {
    painter_.fillRect(QRectF(r.x * scale_, r.y * scale_, r.width * scale_, r.height * scale_),
                      colour_of(r.colour));
  }

  void operator()(const print::Line& l) {
    painter_.setPen(
        QPen(QColor(l.grey, l.grey, l.grey), l.width * scale_, Qt::SolidLine, Qt::FlatCap));
    painter_.drawLine(QPointF(l.x1 * scale_, l.y1 * scale_), QPointF(l.x2 * scale_, l.y2 * scale_));
  }

  void operator()(const print::FilledDisc& d) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(colour_of(d.colour));
    painter_.drawEllipse(QPointF(d.centre_x * scale_, d.centre_y * scale_), d.radius * scale_,
                         d.radius * scale_);
    painter_.setBrush(Qt::NoBrush);
  }

  void operator()(const print::TextRun& t) {
    QFont& font = fonts_[static_cast<int>(t.weight)];
    // Points of the device's own resolution, so that the text is t.size points on paper.
    font.setPointSizeF(t.size * scale_ * 72.0 / painter_.device()->logicalDpiY());
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    painter_.drawText(QPointF(t.x * scale_, t.baseline * scale_), to_qstring(t.text));
  }

 private:
  QPainter& painter_;
  double scale_;
  QFont fonts_[2];
};

}  // namespace

void paint_page(QPainter& painter, const print::Page& page, double scale) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  OperationPainter draw(painter, scale);
  for (const print::Operation& op : page.operations) std::visit(draw, op);
  painter.restore();
}

void use_document_paper(QPrinter& printer) {
  const double mm = print::kMargin * 25.4 / 72;
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                    QMarginsF(mm, mm, mm, mm), QPageLayout::Millimeter));
  printer.setFullPage(true);
}

bool print_document(const print::Document& document, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const double scale = printer.logicalDpiX() / 72.0;
  for (std::size_t n = 0; n < document.pages.size(); ++n) {
    if (n > 0) printer.newPage();
    paint_page(painter, document.pages[n], scale);
  }
  return painter.end();
}

void show_print_preview(QWidget& owner, std::string_view job_name,
                        const std::function<print::Document()>& document) {
  QPrinter printer(QPrinter::HighResolution);
  use_document_paper(printer);
  printer.setDocName(to_qstring(job_name));
  QPrintPreviewDialog preview(&printer, &owner);
  preview.setObjectName(QStringLiteral("printPreview"));
  preview.setWindowTitle(to_qstring("Aper\xE7u avant impression"));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [&document](QPrinter* target) { print_document(document(), *target); });
  preview.resize(owner.size().expandedTo(QSize(900, 640)));
  preview.exec();
}

}  // namespace noemie::gui
