#include "core/decode/fund_directory.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

#include "core/decode/table_file.h"
#include "core/text/c_text.h"

namespace noemie::decode {
namespace {

bool is_digits_only(std::string_view word) {
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The line of `text` that starts with `key`, from the end of the key to the end of the line
// (without its LF, nor a CR just before it); nothing when no line starts with `key`.
std::optional<std::string_view> find_line_after_key(std::string_view text, std::string_view key) {
  std::size_t line_start = 0;
  while (line_start < text.size()) {
    std::size_t line_end = text.find('\n', line_start);
    if (line_end == std::string_view::npos) line_end = text.size();
    std::string_view line = text.substr(line_start, line_end - line_start);
    if (line.starts_with(key)) {
      line.remove_prefix(key.size());
      if (line.ends_with('\r')) line.remove_suffix(1);
      return line;
    }
    line_start = line_end + 1;
  }
  return std::nullopt;
}

// The name at the start of `rest`: words up to the first empty or digits-only word (the blank
// before it kept), or all of `rest`.
std::string_view name_of(std::string_view rest) {
  std::size_t word_start = 0;
  while (word_start < rest.size()) {
    std::size_t word_end = rest.find(' ', word_start);
    if (word_end == std::string_view::npos) word_end = rest.size();
    const std::string_view word = rest.substr(word_start, word_end - word_start);
    if (word.empty() || is_digits_only(word)) return rest.substr(0, word_start);
    word_start = word_end + 1;
  }
  return rest;
}

}  // namespace

std::string nom_caisse_in(std::string_view directory, int regime, int caisse, int centre) {
  const std::string key =
      std::to_string(regime) + ' ' + std::to_string(caisse) + ' ' + std::to_string(centre) + ' ';
  const std::optional<std::string_view> rest =
      find_line_after_key(noemie::text::c_text(directory), key);
  if (!rest) return {};
  return std::string(noemie::text::first_chars(name_of(*rest), kFundNameMaxChars));
}

std::string get_nom_caisse(const std::filesystem::path& dat_path, int regime, int caisse,
                           int centre, bool create_if_missing) {
  const std::optional<std::string> bytes =
      read_table_file(dat_path, std::numeric_limits<std::size_t>::max(), create_if_missing);
  if (!bytes) return {};
  return nom_caisse_in(*bytes, regime, caisse, centre);
}

}  // namespace noemie::decode
