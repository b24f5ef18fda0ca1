#include "print/list_layout.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "core/viewer/viewer.h"
#include "print/text_metrics.h"

namespace noemie::print {
namespace {

constexpr double kContentWidth = kPageWidth - 2 * kMargin;
constexpr double kBottom = kPageHeight - kMargin;
// Rows whose words set the narrowest width of their columns.
constexpr int kRowsMeasured = 200;
// Room under the heading, above the summary, and between the last row and the foot.
constexpr double kHeadingGap = 4;
constexpr double kSummaryGap = 3;
constexpr double kFootHeight = line_height(kHeadingSize) + 4;

// From the top of a line of text to its baseline: half the leading, then Helvetica's ascender.
constexpr double baseline_offset(double size) {
  return size * 0.83;
}

// The state icons of column 0 as coloured discs, as the list draws its balls.
std::optional<Colour> state_colour(int icon) {
  switch (icon) {
    case 6:
      return Colour{0xD0, 0x20, 0x20};  // not processed
    case 7:
      return Colour{0x20, 0xA0, 0x30};  // processed
    case 8:
      return Colour{0xE0, 0x90, 0x10};
    case 9:
      return Colour{0x70, 0x70, 0x70};
    case 12:
      return Colour{0x90, 0xE0, 0x90};
    case 13:
      return Colour{0x30, 0x30, 0x30};
    default:
      return std::nullopt;
  }
}

// A column on paper.
struct PaperColumn {
  int column = 0;
  double x = 0;
  double width = 0;
  bool right = false;  // text aligned on the right edge
};

using CellLines = std::vector<std::vector<std::string>>;  // per paper column

class Layout {
 public:
  Layout(const viewer::ListControl& list, const PrintHeading& heading)
      : list_(list), heading_(heading) {
    lay_out_columns();
    for (const PaperColumn& c : columns_) {
      titles_.push_back(wrap_text(list_.column(c.column)->title, Weight::Bold, kCellSize,
                                  c.width - 2 * kCellPadding));
    }
  }

  Document run(const std::string& title) {
    doc_.title = title;
    start_page();
    for (int row = 0; row < list_.row_count(); ++row) put_row(row);
    put_summary();
    put_feet();
    return std::move(doc_);
  }

 private:
  // Widths in proportion to the list's, except that no title, and no word of the first rows'
  // cells (a date, an amount), has to break: a column narrower than its longest word is widened
  // at the expense of the wider ones.
  void lay_out_columns() {
    double total = 0;
    for (int c = 0; c < list_.column_count(); ++c) total += std::max(0, list_.column_width(c));
    if (total <= 0) return;
    const double scale = kContentWidth / total;
    std::vector<double> least;
    for (int c = 0; c < list_.column_count(); ++c) {
      const int width = list_.column_width(c);
      if (width <= 0) continue;
      const viewer::ListColumn* column = list_.column(c);
      columns_.push_back({c, 0, width * scale, column->align == viewer::Align::Right});
      double word = widest_word(column->title, Weight::Bold, kCellSize);
      if (c != viewer::kColDetail) {
        for (int row = 0; row < std::min(list_.row_count(), kRowsMeasured); ++row) {
          word = std::max(word, widest_word(list_.cell(row, c), Weight::Regular, kCellSize));
        }
      }
      least.push_back(word + 2 * kCellPadding + 1);
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
    const double fit = x > kContentWidth ? kContentWidth / x : 1.0;
    x = kMargin;
    for (PaperColumn& c : columns_) {
      c.width *= fit;
      c.x = x;
      x += c.width;
    }
  }

  Page& page() { return doc_.pages.back(); }

  void put_text(double x, double top, double size, Weight weight, std::string text) {
    if (text.empty()) return;
    page().operations.emplace_back(
        TextRun{x, top + baseline_offset(size), size, weight, std::move(text)});
  }

  // Lines of the heading or the summary, across the page; returns the top after them.
  double put_paragraph(std::string_view text, double top, double size, Weight weight) {
    for (std::string& line : wrap_text(text, weight, size, kContentWidth)) {
      put_text(kMargin, top, size, weight, std::move(line));
      top += line_height(size);
    }
    return top;
  }

  void start_page() {
    doc_.pages.emplace_back();
    rows_on_page_ = 0;
    y_ = kMargin;
    if (doc_.pages.size() == 1) {
      y_ = put_paragraph(heading_.caption, y_, kCaptionSize, Weight::Bold);
      y_ = put_paragraph("Dossier : " + heading_.folder, y_, kHeadingSize, Weight::Regular);
      y_ = put_paragraph(heading_.filters, y_, kHeadingSize, Weight::Regular);
      if (!heading_.find.empty()) {
        y_ = put_paragraph("Recherche : \xAB\xA0" + heading_.find + "\xA0\xBB", y_, kHeadingSize,
                           Weight::Regular);
      }
      y_ = put_paragraph(heading_.printed, y_, kHeadingSize, Weight::Regular) + kHeadingGap;
    }
    put_titles();
  }

  void put_titles() {
    std::size_t lines = 1;
    for (const auto& title : titles_) lines = std::max(lines, title.size());
    const double height = static_cast<double>(lines) * line_height(kCellSize) + 2 * kCellPadding;
    page().operations.emplace_back(
        FilledRect{kMargin, y_, kContentWidth, height, Colour{0xE4, 0xE4, 0xE4}});
    put_cells(titles_, 0, lines, Weight::Bold);
    y_ += height;
    page().operations.emplace_back(Line{kMargin, y_, kMargin + kContentWidth, y_, 0.6, 0});
  }

  // Lines [first, end) of each column's cell, from the top of the current row.
  void put_cells(const CellLines& cells, std::size_t first, std::size_t end, Weight weight) {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      const PaperColumn& c = columns_[i];
      double top = y_ + kCellPadding;
      for (std::size_t k = first; k < std::min(end, cells[i].size()); ++k) {
        const std::string& line = cells[i][k];
        const double x = c.right
                             ? c.x + c.width - kCellPadding - text_width(line, weight, kCellSize)
                             : c.x + kCellPadding;
        put_text(x, top, kCellSize, weight, line);
        top += line_height(kCellSize);
      }
    }
  }

  double row_bottom() const { return kBottom - kFootHeight; }

  void put_row(int row) {
    CellLines cells(columns_.size());
    std::size_t lines = 1;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      if (columns_[i].column == viewer::kColTraite) continue;
      cells[i] = wrap_text(list_.cell(row, columns_[i].column), Weight::Regular, kCellSize,
                           columns_[i].width - 2 * kCellPadding);
      lines = std::max(lines, cells[i].size());
    }
    const double lh = line_height(kCellSize);
    std::size_t first = 0;
    while (true) {
      const std::size_t left = lines - first;
      if (y_ + static_cast<double>(left) * lh + 2 * kCellPadding <= row_bottom()) {
        put_row_lines(row, cells, first, lines);
        return;
      }
      if (rows_on_page_ > 0) {
        start_page();
        continue;
      }
      // Taller than a whole page: as many lines as fit here, the rest on the next pages.
      const double room = std::floor((row_bottom() - y_ - 2 * kCellPadding) / lh);
      const std::size_t fit = room < 1 ? 1 : static_cast<std::size_t>(room);
      put_row_lines(row, cells, first, first + fit);
      first += fit;
      start_page();
    }
  }

  void put_row_lines(int row, const CellLines& cells, std::size_t first, std::size_t end) {
    const double height =
        static_cast<double>(end - first) * line_height(kCellSize) + 2 * kCellPadding;
    for (const PaperColumn& c : columns_) {
      if (c.column != viewer::kColTraite || first > 0) continue;
      const std::optional<Colour> colour = state_colour(list_.icon(row, viewer::kColTraite));
      const double d = std::min(c.width - 2 * kCellPadding, 5.0);
      if (colour && d > 0) {
        page().operations.emplace_back(
            FilledDisc{c.x + c.width / 2, y_ + kCellPadding + d / 2, d / 2, *colour});
      }
    }
    put_cells(cells, first, end, Weight::Regular);
    y_ += height;
    page().operations.emplace_back(Line{kMargin, y_, kMargin + kContentWidth, y_, 0.3, 0xB0});
    ++rows_on_page_;
  }

  // The summary goes after the last row, on a page of its own when it does not fit.
  void put_summary() {
    const double height =
        kSummaryGap +
        static_cast<double>(
            wrap_text(heading_.summary, Weight::Regular, kHeadingSize, kContentWidth).size()) *
            line_height(kHeadingSize);
    if (y_ + height > row_bottom() && rows_on_page_ > 0) start_page();
    put_paragraph(heading_.summary, y_ + kSummaryGap, kHeadingSize, Weight::Regular);
  }

  void put_feet() {
    const std::string pages = std::to_string(doc_.pages.size());
    for (std::size_t n = 0; n < doc_.pages.size(); ++n) {
      std::string foot = "page " + std::to_string(n + 1) + " / " + pages;
      const double x =
          kMargin + (kContentWidth - text_width(foot, Weight::Regular, kHeadingSize)) / 2;
      doc_.pages[n].operations.emplace_back(
          TextRun{x, kBottom - line_height(kHeadingSize) + baseline_offset(kHeadingSize),
                  kHeadingSize, Weight::Regular, std::move(foot)});
    }
  }

  const viewer::ListControl& list_;
  const PrintHeading& heading_;
  Document doc_;
  std::vector<PaperColumn> columns_;
  CellLines titles_;
  double y_ = 0;
  int rows_on_page_ = 0;
};

}  // namespace

Document lay_out_list(const viewer::ListControl& list, const PrintHeading& heading,
                      const std::string& title) {
  return Layout(list, heading).run(title);
}

Document list_document(const viewer::Viewer& viewer, const PrintDate& date) {
  return lay_out_list(viewer.list(), heading_of(viewer, date), viewer.options().window_title);
}

}  // namespace noemie::print
