#include "core/store/tick_store.h"

#include <charconv>
#include <vector>

#include "core/platform/path_text.h"

namespace noemie::store {
namespace {

namespace fs = std::filesystem;

constexpr char kHex[] = "0123456789ABCDEF";

void append_escaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || c == '%') {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20) return std::nullopt;
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = hex_value(text[i + 1]);
    const int low = hex_value(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

template <typename T>
std::optional<T> decimal(std::string_view text) {
  T value{};
  if (text.empty() || text.size() > 20) return std::nullopt;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string_view> split(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t at = line.find(separator);
    fields.push_back(line.substr(0, at));
    if (at == std::string_view::npos) return fields;
    line.remove_prefix(at + 1);
  }
}

std::string line_error(int line, std::string_view what) {
  return "ligne " + std::to_string(line) + " : " + std::string(what);
}

std::string unreadable_message(const fs::path& file, std::string_view why) {
  return "Le fichier des pointages " + platform::path_to_cp1252(file) +
         " ne peut pas \xEAtre lu (" + std::string(why) +
         ") : il est laiss\xE9 tel quel, et les virements qu'il dit point\xE9s ne le sont pas "
         "ici.";
}

std::string unsaved_message(const fs::path& file, std::string_view why) {
  std::string text = "Le pointage n'a pas pu \xEAtre enregistr\xE9 dans le fichier " +
                     platform::path_to_cp1252(file);
  if (!why.empty()) text += " (" + std::string(why) + ")";
  return text + " : le fichier est laiss\xE9 tel quel.";
}

}  // namespace

fs::path tick_file_path(std::string_view path_arch) {
  std::string file(path_arch);
  file += kTickFileName;
  return platform::path_from_setting(file);
}

std::optional<std::set<TickKey>> parse_tick_file(std::string_view bytes, std::string& error) {
  std::set<TickKey> ticks;
  if (bytes.empty()) return ticks;
  int number = 0;
  for (std::string_view line : split(bytes, '\n')) {
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (number == 1) {
      if (line != kTickFileHeading) {
        error = line_error(
            1, "la premi\xE8re ligne n'est pas \xAB " + std::string(kTickFileHeading) + " \xBB");
        return std::nullopt;
      }
      continue;
    }
    if (line.empty()) continue;
    const std::vector<std::string_view> fields = split(line, '\t');
    const auto file_number = fields.size() == 4 ? decimal<std::uint64_t>(fields[0]) : std::nullopt;
    const auto rank = fields.size() == 4 ? decimal<std::int32_t>(fields[1]) : std::nullopt;
    const auto date = fields.size() == 4 ? unescaped(fields[2]) : std::nullopt;
    const auto reference = fields.size() == 4 ? unescaped(fields[3]) : std::nullopt;
    if (!file_number || !rank || *rank < 1 || !date || !reference) {
      error = line_error(number, "illisible");
      return std::nullopt;
    }
    ticks.insert({*file_number, *rank - 1, *date, *reference});
  }
  return ticks;
}

std::string tick_file_bytes(const std::set<TickKey>& ticks) {
  std::string out(kTickFileHeading);
  out += "\r\n";
  for (const TickKey& key : ticks) {
    out += std::to_string(key.file_number);
    out += '\t';
    out += std::to_string(std::int64_t{key.position} + 1);
    out += '\t';
    append_escaped(out, key.date);
    out += '\t';
    append_escaped(out, key.reference);
    out += "\r\n";
  }
  return out;
}

TickStore::TickStore(fs::path file) : file_(std::move(file)) {}

std::string TickStore::load() {
  ticks_.clear();
  changes_.clear();
  const FileRead read = read_whole_file(file_);
  if (read.missing) return {};
  if (!read.bytes) return unreadable_message(file_, "lecture impossible");
  std::string error;
  auto ticks = parse_tick_file(*read.bytes, error);
  if (!ticks) return unreadable_message(file_, error);
  ticks_ = std::move(*ticks);
  return {};
}

bool TickStore::ticked(const TickKey& key) const {
  return ticks_.contains(key);
}

std::string TickStore::set_ticked(const TickKey& key, bool ticked) {
  return set_ticked(std::vector<TickKey>{key}, ticked);
}

std::string TickStore::set_ticked(const std::vector<TickKey>& keys, bool ticked) {
  for (const TickKey& key : keys) {
    if (ticked) {
      ticks_.insert(key);
    } else {
      ticks_.erase(key);
    }
    changes_[key] = ticked;
  }
  return save();
}

std::string TickStore::save() {
  if (changes_.empty()) return {};
  std::set<TickKey> merged;
  const SharedFileUpdate update = update_shared_file(
      file_, save_options_,
      [&](const std::optional<std::string>& current,
          std::string& error) -> std::optional<std::string> {
        std::string why;
        auto now = current ? parse_tick_file(*current, why) : std::set<TickKey>();
        if (!now) {
          error = why;
          return std::nullopt;
        }
        merged = std::move(*now);
        for (const auto& [key, ticked] : changes_) {
          if (ticked) {
            merged.insert(key);
          } else {
            merged.erase(key);
          }
        }
        // A file with nothing ticked and none there before stays absent.
        if (!current && merged.empty()) return std::nullopt;
        return tick_file_bytes(merged);
      });
  if (!update.error.empty()) {
    // A reason of the file's own (a line that cannot be read) is worth saying.
    const bool line_fault = update.error.starts_with("ligne ");
    return unsaved_message(file_, line_fault ? update.error : std::string());
  }
  // The file now holds this run's changes and every other program's: so does memory.
  ticks_ = std::move(merged);
  changes_.clear();
  return {};
}

}  // namespace noemie::store
