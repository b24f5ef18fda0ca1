#include "core/store/reg_format.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/store/registry.h"

namespace noemie::store {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr char kHexDigits[] = "0123456789abcdef";
// A hex line is folded once it is longer than this (25 bytes on a continuation line).
constexpr std::size_t kHexFoldColumn = 76;

void append_quoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

bool plain_text_possible(std::string_view data) {
  return data.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::uint32_t little_endian_u32(std::string_view data) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(data[i]);
  return v;
}

void append_hex_u32(std::string& out, std::uint32_t v, int min_digits) {
  char buf[8];
  int n = 0;
  do {
    buf[n++] = kHexDigits[v & 0xF];
    v >>= 4;
  } while (v != 0 || n < min_digits);
  while (n > 0) out += buf[--n];
}

void append_value(std::string& out, const RegValue& v) {
  const std::size_t line_start = out.size();
  if (v.name.empty()) {
    out += '@';
  } else {
    append_quoted(out, v.name);
  }
  out += '=';
  if (v.type == kRegSz && plain_text_possible(v.data)) {
    append_quoted(out, v.data);
  } else if (v.type == kRegDword && v.data.size() == 4) {
    out += "dword:";
    append_hex_u32(out, little_endian_u32(v.data), 8);
  } else {
    if (v.type == kRegBinary) {
      out += "hex:";
    } else {
      out += "hex(";
      append_hex_u32(out, v.type, 1);
      out += "):";
    }
    std::size_t column = out.size() - line_start;
    for (std::size_t i = 0; i < v.data.size(); ++i) {
      const auto b = static_cast<unsigned char>(v.data[i]);
      out += kHexDigits[b >> 4];
      out += kHexDigits[b & 0xF];
      if (i + 1 == v.data.size()) break;
      out += ',';
      column += 3;
      if (column > kHexFoldColumn) {
        out += "\\\r\n  ";
        column = 2;
      }
    }
  }
  out += kCrLf;
}

void append_key(std::string& out, const KeyNode& key, const std::string& path, bool is_root) {
  if (!is_root || !key.values().empty()) {
    out += '[';
    out += path;
    out += ']';
    out += kCrLf;
    for (const auto& v : key.values()) append_value(out, v);
    out += kCrLf;
  }
  for (const auto& child : key.children()) {
    append_key(out, *child, path + '\\' + child->name(), false);
  }
}

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

bool starts_with_nocase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && names_equal(s.substr(0, prefix.size()), prefix);
}

std::optional<std::uint32_t> parse_hex_u32(std::string_view s, std::size_t max_digits) {
  if (s.empty() || s.size() > max_digits) return std::nullopt;
  std::uint32_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

// A quoted text starting at `s[pos]` == '"'; moves `pos` past the closing quote.
std::optional<std::string> parse_quoted(std::string_view s, std::size_t& pos) {
  std::string out;
  std::size_t i = pos + 1;
  while (i < s.size()) {
    const char c = s[i];
    if (c == '"') {
      pos = i + 1;
      return out;
    }
    if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
      out += s[i + 1];
      i += 2;
      continue;
    }
    out += c;
    ++i;
  }
  return std::nullopt;
}

// "05,80,ff" (blanks allowed around each byte, a trailing comma allowed).
std::optional<std::string> parse_hex_bytes(std::string_view list) {
  std::string out;
  list = trim(list);
  if (list.empty()) return out;
  if (list.back() == ',') list.remove_suffix(1);
  for (;;) {
    const auto comma = list.find(',');
    const auto byte = parse_hex_u32(trim(list.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
    if (comma == std::string_view::npos) return out;
    list.remove_prefix(comma + 1);
  }
}

class Parser {
 public:
  explicit Parser(std::string_view text) {
    while (!text.empty()) {
      const auto nl = text.find('\n');
      auto line = text.substr(0, nl);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines_.push_back(line);
      if (nl == std::string_view::npos) break;
      text.remove_prefix(nl + 1);
    }
  }

  RegParseResult run() {
    bool header_seen = false;
    for (line_ = 0; line_ < lines_.size(); ++line_) {
      const auto line = trim(lines_[line_]);
      if (line.empty()) continue;
      if (!header_seen) {
        header_seen = true;
        if (line == kRegHeader) continue;
        bad_line();
      }
      if (line.front() == ';') continue;
      if (line.front() == '[') {
        section(line);
      } else if (line.front() == '"' || line.front() == '@') {
        if (!current_ || !value(line)) bad_line();
      } else {
        bad_line();
      }
    }
    return std::move(result_);
  }

 private:
  void bad_line() {
    if (result_.bad_lines++ == 0) result_.first_bad_line = line_ + 1;
  }

  void section(std::string_view line) {
    current_ = nullptr;
    if (line.back() != ']') return bad_line();
    const auto inner = line.substr(1, line.size() - 2);
    const auto sep = inner.find('\\');
    if (!names_equal(inner.substr(0, sep), kCurrentUserRoot)) return bad_line();
    const auto parts =
        split_key_path(sep == std::string_view::npos ? std::string_view() : inner.substr(sep + 1));
    if (!parts) return bad_line();
    KeyNode* at = &result_.current_user;
    for (const auto part : *parts) at = at->child(part);
    current_ = at;
  }

  bool value(std::string_view line) {
    std::string name;
    std::size_t pos = 1;  // past "@", the default value's name
    if (line.front() == '"') {
      pos = 0;
      auto quoted = parse_quoted(line, pos);
      if (!quoted) return false;
      name = std::move(*quoted);
    }
    auto rest = trim(line.substr(pos));
    if (rest.empty() || rest.front() != '=') return false;
    rest = trim(rest.substr(1));
    if (rest.empty()) return false;

    if (rest.front() == '"') {
      std::size_t end = 0;
      auto text = parse_quoted(rest, end);
      if (!text || !trim(rest.substr(end)).empty()) return false;
      return current_->set_value(name, kRegSz, *text);
    }
    if (starts_with_nocase(rest, "dword:")) {
      const auto v = parse_hex_u32(trim(rest.substr(6)), 8);
      if (!v) return false;
      const char bytes[4] = {static_cast<char>(*v & 0xFF), static_cast<char>((*v >> 8) & 0xFF),
                             static_cast<char>((*v >> 16) & 0xFF), static_cast<char>(*v >> 24)};
      return current_->set_value(name, kRegDword, std::string_view(bytes, 4));
    }
    if (starts_with_nocase(rest, "hex")) {
      rest.remove_prefix(3);
      std::uint32_t type = kRegBinary;
      if (!rest.empty() && rest.front() == '(') {
        const auto close = rest.find(')');
        if (close == std::string_view::npos) return false;
        const auto t = parse_hex_u32(trim(rest.substr(1, close - 1)), 8);
        if (!t) return false;
        type = *t;
        rest.remove_prefix(close + 1);
      }
      if (rest.empty() || rest.front() != ':') return false;
      const auto bytes = parse_hex_bytes(folded_hex(rest.substr(1)));
      return bytes && current_->set_value(name, type, *bytes);
    }
    return false;
  }

  // The byte list of a hex value with its continuation lines (each ending in "\") joined.
  std::string folded_hex(std::string_view first) {
    std::string list(trim(first));
    while (!list.empty() && list.back() == '\\' && line_ + 1 < lines_.size()) {
      list.pop_back();
      list += trim(lines_[++line_]);
    }
    return list;
  }

  std::vector<std::string_view> lines_;
  std::size_t line_ = 0;
  KeyNode* current_ = nullptr;
  RegParseResult result_;
};

}  // namespace

std::string to_reg_text(const KeyNode& current_user) {
  std::string out(kRegHeader);
  out += kCrLf;
  out += kCrLf;
  append_key(out, current_user, std::string(kCurrentUserRoot), true);
  return out;
}

RegParseResult parse_reg_text(std::string_view text) {
  return Parser(text).run();
}

}  // namespace noemie::store
