#include "print/text_metrics.h"

#include <algorithm>
#include <cstdint>

namespace noemie::print {
namespace {

#include "print/font_widths.inc"

const std::uint16_t* widths_of(Weight weight) {
  return weight == Weight::Bold ? kBoldWidths : kRegularWidths;
}

// Width in thousandths of the font size.
long units(std::string_view text, const std::uint16_t* widths) {
  long sum = 0;
  for (const char c : text) sum += widths[static_cast<unsigned char>(c)];
  return sum;
}

std::string_view without_trailing_spaces(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

}  // namespace

double text_width(std::string_view text, Weight weight, double size) {
  return static_cast<double>(units(text, widths_of(weight))) * size / 1000.0;
}

double widest_word(std::string_view text, Weight weight, double size) {
  const std::uint16_t* widths = widths_of(weight);
  long widest = 0;
  long word = 0;
  for (const char c : text) {
    word = c == ' ' ? 0 : word + widths[static_cast<unsigned char>(c)];
    widest = std::max(widest, word);
  }
  return static_cast<double>(widest) * size / 1000.0;
}

std::vector<std::string> wrap_text(std::string_view text, Weight weight, double size,
                                   double width) {
  const std::uint16_t* widths = widths_of(weight);
  // A column narrower than its padding has no room, and takes one character a line.
  const double room = std::max(0.0, width * 1000.0 / size);
  std::vector<std::string> lines;
  std::string line;
  long used = 0;
  bool at_start = true;  // nothing placed yet: leading spaces stay
  const auto end_line = [&] {
    lines.emplace_back(without_trailing_spaces(line));
    line.clear();
    used = 0;
  };
  std::size_t at = 0;
  while (at < text.size()) {
    // A run of spaces, then the word after it.
    const std::size_t word_start = std::min(text.find_first_not_of(' ', at), text.size());
    const std::size_t word_end = std::min(text.find(' ', word_start), text.size());
    const std::string_view spaces = text.substr(at, word_start - at);
    std::string_view word = text.substr(word_start, word_end - word_start);
    at = word_end;
    const long space_units = units(spaces, widths);
    const long word_units = units(word, widths);
    if (at_start || static_cast<double>(used + space_units + word_units) <= room) {
      line.append(spaces);
      used += space_units;
    } else if (!line.empty()) {
      end_line();
    }
    at_start = false;
    if (static_cast<double>(used + word_units) <= room) {
      line.append(word);
      used += word_units;
      continue;
    }
    // Wider than what is left: the word starts a line of its own, and when it is wider than a
    // whole line it is broken where the line is full.
    if (!without_trailing_spaces(line).empty()) end_line();
    line.clear();
    used = 0;
    long left = word_units;
    while (static_cast<double>(left) > room) {
      std::size_t fit = 0;
      long fit_units = 0;
      while (fit < word.size()) {
        const long next = fit_units + widths[static_cast<unsigned char>(word[fit])];
        if (static_cast<double>(next) > room) break;
        fit_units = next;
        ++fit;
      }
      if (fit == 0) fit_units = widths[static_cast<unsigned char>(word[fit++])];
      line.append(word.substr(0, fit));
      end_line();
      word.remove_prefix(fit);
      left -= fit_units;
    }
    line.append(word);
    used = left;
  }
  if (!line.empty() || (!text.empty() && lines.empty())) end_line();
  return lines;
}

}  // namespace noemie::print
