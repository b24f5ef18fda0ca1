#include "print/list_printout.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <vector>

#include "core/text/cp1252.h"
#include "core/viewer/folder_scan.h"
#include "core/viewer/list_summary.h"
#include "core/viewer/viewer.h"

namespace noemie::print {
namespace {

constexpr double kCellFontPoints = 7;
constexpr double kHeadingFontPoints = 9;
constexpr double kCaptionFontPoints = 12;
constexpr double kPaddingPoints = 1.5;
// Rows whose words set the narrowest width of their columns.
constexpr int kRowsMeasured = 200;

QString from_cp1252(std::string_view text) {
  return QString::fromStdU16String(text::cp1252_to_utf16(text));
}

// A column on paper: where it starts, how wide it is, in device pixels.
struct PaperColumn {
  int column = 0;
  double x = 0;
  double width = 0;
  Qt::Alignment align = Qt::AlignLeft;
};

// The state icons of column 0 as coloured discs, as the list draws its balls.
QColor state_colour(int icon) {
  switch (icon) {
    case 6:
      return QColor(0xD0, 0x20, 0x20);  // not processed
    case 7:
      return QColor(0x20, 0xA0, 0x30);  // processed
    case 8:
      return QColor(0xE0, 0x90, 0x10);
    case 9:
      return QColor(0x70, 0x70, 0x70);
    case 12:
      return QColor(0x90, 0xE0, 0x90);
    case 13:
      return QColor(0x30, 0x30, 0x30);
    default:
      return {};
  }
}

class Printout {
 public:
  Printout(const viewer::ListControl& list, const PrintHeading& heading, QPagedPaintDevice& device)
      : list_(list), heading_(heading), device_(device), painter_(&device) {
    const double dpi = device.logicalDpiY();
    pt_ = dpi / 72.0;
    pad_ = kPaddingPoints * pt_;
    cell_font_ = QFont(QStringLiteral("DejaVu Sans"));
    cell_font_.setPointSizeF(kCellFontPoints);
    title_font_ = cell_font_;
    title_font_.setBold(true);
    heading_font_ = cell_font_;
    heading_font_.setPointSizeF(kHeadingFontPoints);
    caption_font_ = title_font_;
    caption_font_.setPointSizeF(kCaptionFontPoints);
    page_ = QRectF(0, 0, device.width(), device.height());
    lay_out_columns();
  }

  int run() {
    if (!painter_.isActive()) return 0;
    const std::vector<int> breaks = paginate();
    const int pages = static_cast<int>(breaks.size());
    int row = 0;
    for (int page = 0; page < pages; ++page) {
      if (page > 0) device_.newPage();
      double y = 0;
      if (page == 0) y = paint_heading();
      y = paint_titles(y);
      const int end =
          page + 1 < pages ? breaks[static_cast<std::size_t>(page + 1)] : list_.row_count();
      for (; row < end; ++row) y = paint_row(row, y);
      if (page + 1 == pages) paint_summary(y);
      paint_foot(page + 1, pages);
    }
    painter_.end();
    return pages;
  }

 private:
  // Widths in proportion to the list's, except that no title, and no word of the first rows'
  // cells (a date, an amount), has to break: a column narrower than its longest word is widened
  // at the expense of the wider ones.
  void lay_out_columns() {
    double total = 0;
    for (int c = 0; c < list_.column_count(); ++c) total += std::max(0, list_.column_width(c));
    if (total <= 0) return;
    const double scale = page_.width() / total;
    std::vector<double> least;
    for (int c = 0; c < list_.column_count(); ++c) {
      const int width = list_.column_width(c);
      if (width <= 0) continue;
      const viewer::ListColumn* column = list_.column(c);
      const Qt::Alignment align =
          column->align == viewer::Align::Right ? Qt::AlignRight : Qt::AlignLeft;
      columns_.push_back({c, 0, width * scale, align});
      double word = widest_word(title_of(c), title_font_);
      if (c != viewer::kColDetail) {
        for (int row = 0; row < std::min(list_.row_count(), kRowsMeasured); ++row) {
          word = std::max(word, widest_word(cell_text(row, c), cell_font_));
        }
      }
      least.push_back(word + 2 * pad_ + 1);
    }
    double missing = 0;
    double spare = 0;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      const double gap = columns_[i].width - least[i];
      (gap < 0 ? missing : spare) += std::abs(gap);
    }
    const double give = spare > 0 ? std::min(1.0, missing / spare) : 0;
    double x = 0;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      PaperColumn& c = columns_[i];
      const double gap = c.width - least[i];
      c.width = gap < 0 ? least[i] : c.width - gap * give;
      x += c.width;
    }
    // Too many words to keep whole: everything narrower alike, on the page.
    const double fit = x > page_.width() ? page_.width() / x : 1.0;
    x = 0;
    for (PaperColumn& c : columns_) {
      c.width *= fit;
      c.x = x;
      x += c.width;
    }
  }

  double widest_word(const QString& text, const QFont& font) const {
    const QFontMetricsF metrics(font, &device_);
    double widest = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      widest = std::max(widest, metrics.horizontalAdvance(word));
    }
    return widest;
  }

  QString cell_text(int row, int column) const {
    return column == viewer::kColTraite ? QString() : from_cp1252(list_.cell(row, column));
  }

  // Measured by the painter itself, which breaks the lines as it will paint them.
  double text_height(const QString& text, const QFont& font, double width) {
    if (text.isEmpty()) return QFontMetricsF(font, &device_).height();
    const QRectF room(0, 0, std::max(1.0, width - 2 * pad_), 1e9);
    painter_.setFont(font);
    return painter_.boundingRect(room, text, wrapping(Qt::AlignLeft)).height();
  }

  double row_height(int row) {
    double height = 0;
    for (const PaperColumn& c : columns_) {
      height = std::max(height, text_height(cell_text(row, c.column), cell_font_, c.width));
    }
    return height + 2 * pad_;
  }

  double titles_height() {
    double height = 0;
    for (const PaperColumn& c : columns_) {
      height = std::max(height, text_height(title_of(c.column), title_font_, c.width));
    }
    return height + 2 * pad_;
  }

  QString title_of(int column) const { return from_cp1252(list_.column(column)->title); }

  double line_height(const QFont& font) const {
    return QFontMetricsF(font, &device_).lineSpacing();
  }

  double heading_height() const {
    int lines = 3 + (heading_.find.isEmpty() ? 0 : 1);
    return line_height(caption_font_) + lines * line_height(heading_font_) + 4 * pt_;
  }

  double foot_height() const { return line_height(heading_font_) + 4 * pt_; }

  // The first row of each page.
  std::vector<int> paginate() {
    std::vector<int> breaks = {0};
    const double bottom = page_.height() - foot_height();
    double y = heading_height() + titles_height();
    const double top = titles_height();
    for (int row = 0; row < list_.row_count(); ++row) {
      const double h = row_height(row);
      if (y + h > bottom && row > breaks.back()) {
        breaks.push_back(row);
        y = top;
      }
      y += h;
    }
    // The summary goes after the last row, on a page of its own when it does not fit.
    if (y + line_height(heading_font_) + 4 * pt_ > bottom && list_.row_count() > breaks.back()) {
      breaks.push_back(list_.row_count());
    }
    return breaks;
  }

  double paint_heading() {
    double y = 0;
    painter_.setFont(caption_font_);
    painter_.drawText(QPointF(0, y + QFontMetricsF(caption_font_, &device_).ascent()),
                      heading_.caption);
    y += line_height(caption_font_);
    painter_.setFont(heading_font_);
    QStringList lines = {QStringLiteral("Dossier : ") + heading_.folder, heading_.filters};
    if (!heading_.find.isEmpty()) {
      lines << QStringLiteral("Recherche : \u00AB\u00A0") + heading_.find +
                   QStringLiteral("\u00A0\u00BB");
    }
    lines << QStringLiteral("Imprim\u00E9 ") + heading_.date;
    const double ascent = QFontMetricsF(heading_font_, &device_).ascent();
    for (const QString& line : lines) {
      painter_.drawText(QPointF(0, y + ascent), line);
      y += line_height(heading_font_);
    }
    return y + 4 * pt_;
  }

  double paint_titles(double y) {
    const double h = titles_height();
    painter_.fillRect(QRectF(0, y, page_.width(), h), QColor(0xE4, 0xE4, 0xE4));
    painter_.setFont(title_font_);
    for (const PaperColumn& c : columns_) paint_cell(c, y, h, title_of(c.column));
    painter_.setPen(QPen(Qt::black, 0.6 * pt_));
    painter_.drawLine(QPointF(0, y + h), QPointF(page_.width(), y + h));
    return y + h;
  }

  // Lines break between words, and inside a word only when it is wider than the column.
  static QTextOption wrapping(Qt::Alignment align) {
    QTextOption option(align | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
  }

  void paint_cell(const PaperColumn& c, double y, double h, const QString& text) {
    painter_.setPen(Qt::black);
    const QRectF box(c.x + pad_, y + pad_, c.width - 2 * pad_, h - 2 * pad_);
    painter_.drawText(box, text, wrapping(c.align));
  }

  double paint_row(int row, double y) {
    const double h = row_height(row);
    painter_.setFont(cell_font_);
    for (const PaperColumn& c : columns_) {
      if (c.column == viewer::kColTraite) {
        const QColor colour = state_colour(list_.icon(row, viewer::kColTraite));
        if (colour.isValid()) {
          const double d = std::min(c.width - 2 * pad_, 5 * pt_);
          painter_.setPen(Qt::NoPen);
          painter_.setBrush(colour);
          painter_.drawEllipse(QRectF(c.x + (c.width - d) / 2, y + pad_, d, d));
          painter_.setBrush(Qt::NoBrush);
        }
        continue;
      }
      paint_cell(c, y, h, cell_text(row, c.column));
    }
    painter_.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 0.3 * pt_));
    painter_.drawLine(QPointF(0, y + h), QPointF(page_.width(), y + h));
    return y + h;
  }

  void paint_summary(double y) {
    painter_.setFont(heading_font_);
    painter_.setPen(Qt::black);
    painter_.drawText(QPointF(0, y + 3 * pt_ + QFontMetricsF(heading_font_, &device_).ascent()),
                      heading_.summary);
  }

  void paint_foot(int page, int pages) {
    painter_.setFont(heading_font_);
    painter_.setPen(Qt::black);
    const QRectF foot(0, page_.height() - line_height(heading_font_), page_.width(),
                      line_height(heading_font_));
    painter_.drawText(foot, Qt::AlignHCenter | Qt::AlignBottom,
                      QStringLiteral("page %1 / %2").arg(page).arg(pages));
  }

  const viewer::ListControl& list_;
  const PrintHeading& heading_;
  QPagedPaintDevice& device_;
  QPainter painter_;
  double pt_ = 1;
  double pad_ = 1;
  QFont cell_font_;
  QFont title_font_;
  QFont heading_font_;
  QFont caption_font_;
  QRectF page_;
  std::vector<PaperColumn> columns_;
};

}  // namespace

PrintHeading heading_of(const viewer::Viewer& v) {
  PrintHeading h;
  h.caption = from_cp1252(v.options().window_title);
  h.folder = from_cp1252(viewer::display_name(v.options().folder));
  h.filters = from_cp1252(v.filters_text());
  h.find = from_cp1252(v.find_text());
  const QDateTime now = QDateTime::currentDateTime();
  h.date =
      QStringLiteral("le %1 \u00E0 %2")
          .arg(now.toString(QStringLiteral("dd/MM/yyyy")), now.toString(QStringLiteral("HH:mm")));
  h.summary = from_cp1252(viewer::summary_status_text(v.summary()));
  return h;
}

void use_a4_landscape(QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                   QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
}

int print_list(const viewer::ListControl& list, const PrintHeading& heading,
               QPagedPaintDevice& device) {
  return Printout(list, heading, device).run();
}

}  // namespace noemie::print
