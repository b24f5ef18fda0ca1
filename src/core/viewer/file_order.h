#pragma once
// The order in which a fill's list first shows its files, found before any file is read.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace noemie::viewer {

// Indexes of the files named `names` (bare names, Windows-1252) in the order of their
// "Fichier" texts, as a sort on that column orders a list (byte order of the texts' first
// kTextKeyChars characters), files of equal texts in the order given. A "Fichier" text is the
// file's name part followed by the date of its time; `file_time(i)` gives file i's time and is
// asked only where the name parts do not decide (one the beginning of another, or two alike),
// since it costs a look at the file.
std::vector<std::size_t> fichier_order(const std::vector<std::string_view>& names,
                                       const std::function<std::int64_t(std::size_t)>& file_time);

}  // namespace noemie::viewer
