#include "print/pdf_writer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "core/text/cp1252.h"
#include "print/text_metrics.h"

namespace noemie::print {
namespace {

// A number with at most two decimals, rounded half away from zero, without trailing zeros:
// the same text on every system for the same double.
void put_number(std::string& out, double value) {
  long long hundredths = std::llround(value * 100);
  if (hundredths < 0) {
    out += '-';
    hundredths = -hundredths;
  }
  out += std::to_string(hundredths / 100);
  const long long fraction = hundredths % 100;
  if (fraction == 0) return;
  out += '.';
  out += static_cast<char>('0' + fraction / 10);
  if (fraction % 10 != 0) out += static_cast<char>('0' + fraction % 10);
}

void put_numbers(std::string& out, std::initializer_list<double> values) {
  for (const double v : values) {
    put_number(out, v);
    out += ' ';
  }
}

// A literal string: every byte kept; the delimiters and the escape escaped, and the line ends
// escaped too, since a reader turns a raw CR or CR LF inside a string into LF.
void put_literal(std::string& out, std::string_view text) {
  out += '(';
  for (const char c : text) {
    switch (c) {
      case '(':
      case ')':
      case '\\':
        out += '\\';
        out += c;
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  out += ')';
}

// A text string of the document's information (its title): UTF-16BE with its byte order mark,
// so that every Windows-1252 character reads as itself.
std::string utf16_string(std::string_view cp1252) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "<FEFF";
  for (const char16_t unit : text::cp1252_to_utf16(cp1252)) {
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
  }
  out += '>';
  return out;
}

void put_colour(std::string& out, const Colour& c, const char* op) {
  put_numbers(out, {c.red / 255.0, c.green / 255.0, c.blue / 255.0});
  out += op;
  out += '\n';
}

// The drawing operators of one page, in PDF space (y upwards from the foot of the paper).
class ContentWriter {
 public:
  explicit ContentWriter(double height) : height_(height) {}

  std::string write(const Page& page) {
    for (const Operation& op : page.operations) std::visit(*this, op);
    end_text();
    return std::move(out_);
  }

  void operator()(const FilledRect& r) {
    end_text();
    fill(r.colour);
    put_numbers(out_, {r.x, height_ - r.y - r.height, r.width, r.height});
    out_ += "re f\n";
  }

  void operator()(const Line& l) {
    end_text();
    put_numbers(out_, {l.grey / 255.0});
    out_ += "G ";
    put_numbers(out_, {l.width});
    out_ += "w ";
    put_numbers(out_, {l.x1, height_ - l.y1});
    out_ += "m ";
    put_numbers(out_, {l.x2, height_ - l.y2});
    out_ += "l S\n";
  }

  // Four Bézier quarters.
  void operator()(const FilledDisc& d) {
    end_text();
    fill(d.colour);
    const double k = 0.5523 * d.radius;
    const double x = d.centre_x;
    const double y = height_ - d.centre_y;
    const double r = d.radius;
    put_numbers(out_, {x + r, y});
    out_ += "m\n";
    put_numbers(out_, {x + r, y + k, x + k, y + r, x, y + r});
    out_ += "c\n";
    put_numbers(out_, {x - k, y + r, x - r, y + k, x - r, y});
    out_ += "c\n";
    put_numbers(out_, {x - r, y - k, x - k, y - r, x, y - r});
    out_ += "c\n";
    put_numbers(out_, {x + k, y - r, x + r, y - k, x + r, y});
    out_ += "c f\n";
  }

  void operator()(const TextRun& t) {
    fill(Colour{});
    if (!in_text_) {
      out_ += "BT\n";
      in_text_ = true;
      font_.clear();
    }
    std::string font = t.weight == Weight::Bold ? "/F2 " : "/F1 ";
    put_number(font, t.size);
    if (font != font_) {
      out_ += font;
      out_ += " Tf\n";
      font_ = std::move(font);
    }
    out_ += "1 0 0 1 ";
    put_numbers(out_, {t.x, height_ - t.baseline});
    out_ += "Tm ";
    put_literal(out_, t.text);
    out_ += " Tj\n";
  }

 private:
  void fill(const Colour& c) {
    if (fill_ && *fill_ == c) return;
    put_colour(out_, c, "rg");
    fill_ = c;
  }
  void end_text() {
    if (!in_text_) return;
    out_ += "ET\n";
    in_text_ = false;
  }

  double height_;
  std::string out_;
  bool in_text_ = false;
  std::string font_;
  std::optional<Colour> fill_;
};

std::string font_object(const char* name, Weight weight) {
  std::string out = "<< /Type /Font /Subtype /Type1 /BaseFont /";
  out += name;
  out += " /Encoding /WinAnsiEncoding /FirstChar 32 /LastChar 255 /Widths [";
  for (int code = 32; code < 256; ++code) {
    if (code > 32) out += code % 16 == 0 ? '\n' : ' ';
    const char c = static_cast<char>(code);
    put_number(out, text_width(std::string_view(&c, 1), weight, 1000));
  }
  out += "] >>";
  return out;
}

// Objects numbered from 1 in the order they are added, and their offsets in the file.
class PdfFile {
 public:
  PdfFile() { out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"; }

  int add(std::string_view body) {
    offsets_.push_back(out_.size());
    const int number = static_cast<int>(offsets_.size());
    out_ += std::to_string(number);
    out_ += " 0 obj\n";
    out_ += body;
    out_ += "\nendobj\n";
    return number;
  }

  int add_stream(std::string_view content) {
    std::string body = "<< /Length " + std::to_string(content.size()) + " >>\nstream\n";
    body += content;
    body += "\nendstream";
    return add(body);
  }

  std::string finish(int catalog, int info) {
    const std::size_t xref = out_.size();
    out_ += "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
    char entry[32];
    for (const std::size_t offset : offsets_) {
      std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
      out_ += entry;
    }
    out_ += "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) + " /Root " +
            std::to_string(catalog) + " 0 R /Info " + std::to_string(info) +
            " 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return std::move(out_);
  }

 private:
  std::string out_;
  std::vector<std::size_t> offsets_;
};

}  // namespace

std::string pdf_bytes(const Document& document) {
  PdfFile pdf;
  // Numbers known in advance: the catalog, the page tree, the fonts and the information come
  // first, then each page's object and its content stream.
  constexpr int kPages = 2;
  const int page_count = static_cast<int>(document.pages.size());
  std::string kids;
  for (int n = 0; n < page_count; ++n) {
    if (n > 0) kids += ' ';
    kids += std::to_string(6 + 2 * n) + " 0 R";
  }
  const int catalog = pdf.add("<< /Type /Catalog /Pages 2 0 R >>");
  pdf.add("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(page_count) + " >>");
  pdf.add(font_object("Helvetica", Weight::Regular));
  pdf.add(font_object("Helvetica-Bold", Weight::Bold));
  const int info =
      pdf.add("<< /Title " + utf16_string(document.title) + " /Producer (noemie-viewer) >>");
  std::string media = "[0 0 ";
  put_numbers(media, {document.width, document.height});
  media += ']';
  for (int n = 0; n < page_count; ++n) {
    const int contents = 7 + 2 * n;
    pdf.add("<< /Type /Page /Parent " + std::to_string(kPages) + " 0 R /MediaBox " + media +
            " /Resources << /Font << /F1 3 0 R /F2 4 0 R >> >> /Contents " +
            std::to_string(contents) + " 0 R >>");
    pdf.add_stream(
        ContentWriter(document.height).write(document.pages[static_cast<std::size_t>(n)]));
  }
  return pdf.finish(catalog, info);
}

}  // namespace noemie::print
