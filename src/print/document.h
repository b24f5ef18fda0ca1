#pragma once
// A printout as pages of drawing operations, made once by the layout and drawn alike by every
// device: the PDF writer, Qt's printer and preview, the Windows printer and preview.
//
// Every length is in points (1/72 inch), from the top-left corner of the paper, y downwards.
// Texts are Windows-1252 bytes set in Helvetica or Helvetica-Bold, already placed: a run is
// drawn as it is, from its baseline's left end, never wrapped or aligned again.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace noemie::print {

// A4 landscape, and the 10 mm margins the layout keeps clear.
inline constexpr double kPageWidth = 842;
inline constexpr double kPageHeight = 595;
inline constexpr double kMargin = 10 * 72 / 25.4;

enum class Weight : std::uint8_t { Regular, Bold };

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

struct TextRun {
  double x = 0;
  double baseline = 0;
  double size = 0;  // points
  Weight weight = Weight::Regular;
  std::string text;  // Windows-1252
  friend bool operator==(const TextRun&, const TextRun&) = default;
};

// A straight stroke of `width` points in a grey (0 black to 255 white).
struct Line {
  double x1 = 0;
  double y1 = 0;
  double x2 = 0;
  double y2 = 0;
  double width = 0;
  std::uint8_t grey = 0;
  friend bool operator==(const Line&, const Line&) = default;
};

struct FilledRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  Colour colour;
  friend bool operator==(const FilledRect&, const FilledRect&) = default;
};

struct FilledDisc {
  double centre_x = 0;
  double centre_y = 0;
  double radius = 0;
  Colour colour;
  friend bool operator==(const FilledDisc&, const FilledDisc&) = default;
};

// Drawn in their order: a later operation covers an earlier one.
using Operation = std::variant<FilledRect, Line, FilledDisc, TextRun>;

struct Page {
  std::vector<Operation> operations;
};

struct Document {
  std::string title;  // Windows-1252; the PDF's title and the printer's job name
  double width = kPageWidth;
  double height = kPageHeight;
  std::vector<Page> pages;
};

}  // namespace noemie::print
