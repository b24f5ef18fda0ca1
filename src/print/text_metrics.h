#pragma once
// Text measured as the PDF standard fonts Helvetica and Helvetica-Bold set it, with their
// published widths of the WinAnsiEncoding codes (no kerning), and broken into lines that fit.

#include <string>
#include <string_view>
#include <vector>

#include "print/document.h"

namespace noemie::print {

// Width in points of `text` (Windows-1252) set at `size` points. Codes below 32 take no room.
double text_width(std::string_view text, Weight weight, double size);

// The width of the widest word of `text` (words are separated by spaces).
double widest_word(std::string_view text, Weight weight, double size);

// The lines of `text` at most `width` points wide: breaks go between words (the spaces at a
// break are dropped), and inside a word only when the word alone is wider than `width`; a line
// holds at least one character. Spaces at the start of `text` stay; those at the end of a line
// go. Every other byte is kept, in order. No line for an empty text.
std::vector<std::string> wrap_text(std::string_view text, Weight weight, double size, double width);

}  // namespace noemie::print
