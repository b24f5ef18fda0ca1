#pragma once
// Finding rows by a typed text: the rows that hold it in a cell of columns 1 to 16, as the list
// shows the cells, letter case and accents ignored ("helene" finds "HÉLÈNE"). Texts are
// Windows-1252.

#include <string>
#include <string_view>
#include <vector>

#include "core/viewer/list_control.h"

namespace noemie::viewer {

// A Windows-1252 character with its letter case and accent dropped: "É", "è" and "E" give "e",
// "Ç" gives "c", "Œ" gives "œ", "Ÿ" gives "y". Other characters are kept.
char fold_char(char c);
std::string fold_text(std::string_view text);

class RowFinder {
 public:
  RowFinder() = default;
  // `text` is what was typed (Windows-1252); an empty text finds every row.
  explicit RowFinder(std::string_view text);

  bool empty() const { return needle_.empty(); }
  // The text as typed.
  const std::string& text() const { return text_; }
  // True when every row this finder keeps is kept by `wider` too (its folded text holds
  // wider's): a narrower find need only look at the rows the wider one kept.
  bool narrows(const RowFinder& wider) const;

  bool matches(std::string_view cell) const;
  // True when the row (counted among all rows, shown or not) holds the text in one of its
  // cells 1 to 16.
  bool row_matches(const ListControl& list, int row) const;

 private:
  std::string text_;
  std::string needle_;  // folded
};

// One flag per row among all rows of `list`: the rows `finder` keeps. With `only_shown`, a
// row the list hides now is left out without being looked at.
std::vector<bool> find_rows(const ListControl& list, const RowFinder& finder, bool only_shown);

}  // namespace noemie::viewer
