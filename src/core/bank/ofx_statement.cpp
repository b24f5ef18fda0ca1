// OFX statements: version 1 (SGML: a header of "NAME:VALUE" lines, then elements whose end
// tags may be left out) and version 2 (XML). Both are read as a run of tags, each followed by
// its text; the credits are the STMTTRN transactions with an amount above zero.

#include "core/bank/ofx_statement.h"

#include "core/bank/statement_text.h"

namespace noemie::bank {
namespace {

// Letters in upper case (tag names and header values are ASCII).
std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// The value of the header line "NAME:VALUE" of a version 1 file, or of the attribute
// NAME="VALUE" of a version 2 file's declarations, in upper case; "" when absent.
std::string header_value(std::string_view bytes, std::string_view name) {
  const std::string head = upper(bytes.substr(0, std::min<std::size_t>(bytes.size(), 1024)));
  const std::string key = upper(name);
  for (std::size_t at = head.find(key); at != std::string::npos; at = head.find(key, at + 1)) {
    std::size_t v = at + key.size();
    if (v < head.size() && head[v] == ':') {
      const std::size_t end = head.find_first_of("\r\n<", v + 1);
      return std::string(trim_blanks(std::string_view(head).substr(v + 1, end - v - 1)));
    }
    if (v < head.size() && head[v] == '=' && v + 1 < head.size() &&
        (head[v + 1] == '"' || head[v + 1] == '\'')) {
      const std::size_t end = head.find(head[v + 1], v + 2);
      if (end != std::string::npos) return head.substr(v + 2, end - v - 2);
    }
  }
  return {};
}

// The text between two tags with its character references and entities replaced.
std::string element_text(std::string_view raw) {
  raw = trim_blanks(raw);
  std::string out;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '&') {
      out += raw[i];
      continue;
    }
    const std::size_t end = raw.find(';', i);
    if (end == std::string_view::npos || end - i > 10) {
      out += '&';
      continue;
    }
    const std::string_view name = raw.substr(i + 1, end - i - 1);
    char c = 0;
    if (name == "amp") c = '&';
    if (name == "lt") c = '<';
    if (name == "gt") c = '>';
    if (name == "quot") c = '"';
    if (name == "apos") c = '\'';
    if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x' || name[1] == 'X';
      unsigned long code = 0;
      bool digits = name.size() > (hex ? 2u : 1u);
      for (const char d : name.substr(hex ? 2 : 1)) {
        const int v = d >= '0' && d <= '9'          ? d - '0'
                      : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                      : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                    : -1;
        if (v < 0 || code > 0xFFFF) digits = false;
        if (v >= 0) code = code * (hex ? 16 : 10) + static_cast<unsigned long>(v);
      }
      // Latin-1 characters are Windows-1252 ones; anything else is shown as "?".
      if (digits)
        c = code >= 0x20 && code <= 0xFF && (code < 0x80 || code >= 0xA0) ? static_cast<char>(code)
                                                                          : '?';
    }
    if (c == 0) {
      out += '&';
      continue;
    }
    out += c;
    i = end;
  }
  return out;
}

// The fields of one STMTTRN as they are read.
struct Transaction {
  int line = 0;
  std::string amount;
  std::string date;
  std::string name;
  std::string memo;
  bool has_amount = false;
  bool has_date = false;
};

}  // namespace

bool looks_like_ofx(std::string_view bytes) {
  const std::string head = upper(bytes.substr(0, std::min<std::size_t>(bytes.size(), 4096)));
  return head.find("OFXHEADER") != std::string::npos || head.find("<OFX>") != std::string::npos;
}

Statement read_ofx(std::string_view bytes) {
  // Version 1 names its character set in its header; version 2 is XML, UTF-8 unless it says.
  const std::string encoding = header_value(bytes, "ENCODING");
  const std::string charset = header_value(bytes, "CHARSET");
  std::optional<bool> utf8;
  if (encoding == "UTF-8" || encoding == "UTF8") utf8 = true;
  if (charset == "1252" || charset == "ISO-8859-1" || charset == "8859-1" ||
      encoding == "USASCII" || encoding == "WINDOWS-1252" || encoding == "ISO-8859-1") {
    utf8 = false;
  }
  const std::string text = statement_text(bytes, utf8);

  Statement statement;
  std::optional<Transaction> open;
  int line = 1;
  std::size_t counted = 0;  // characters up to which `line` is counted
  const auto line_at = [&](std::size_t at) {
    for (; counted < at && counted < text.size(); ++counted) line += text[counted] == '\n';
    return line;
  };
  // Ends the transaction read so far; false (and the statement's error set) when it cannot be
  // read.
  const auto close = [&]() {
    if (!open) return true;
    const Transaction t = *open;
    open.reset();
    if (!t.has_date) {
      statement.error = line_fault(t.line, "op\xE9ration sans date (DTPOSTED)");
      return false;
    }
    if (!t.has_amount) {
      statement.error = line_fault(t.line, "op\xE9ration sans montant (TRNAMT)");
      return false;
    }
    const auto date = parse_statement_date(element_text(t.date));
    if (!date) {
      statement.error = line_fault(t.line, "date illisible " + quoted_text(element_text(t.date)));
      return false;
    }
    const auto amount = parse_statement_amount(element_text(t.amount));
    if (!amount) {
      statement.error =
          line_fault(t.line, "montant illisible " + quoted_text(element_text(t.amount)));
      return false;
    }
    if (*amount <= 0) return true;
    std::string label = element_text(t.name);
    const std::string memo = element_text(t.memo);
    if (!memo.empty() && memo != label) label += label.empty() ? memo : " " + memo;
    statement.credits.push_back({date->day, date->text, *amount, std::move(label), t.line});
    return true;
  };

  std::size_t at = text.find('<');
  while (at != std::string::npos) {
    const std::size_t end = text.find('>', at);
    if (end == std::string::npos) break;
    const std::string tag = upper(trim_blanks(std::string_view(text).substr(at + 1, end - at - 1)));
    const std::size_t next = text.find('<', end);
    const std::string_view after = std::string_view(text).substr(
        end + 1, (next == std::string::npos ? text.size() : next) - end - 1);
    if (tag == "STMTTRN") {
      if (!close()) break;
      open = Transaction();
      open->line = line_at(at);
    } else if (tag == "/STMTTRN" || tag == "/BANKTRANLIST") {
      if (!close()) break;
    } else if (open && !tag.empty() && tag[0] != '/') {
      std::string* field = tag == "TRNAMT"     ? &open->amount
                           : tag == "DTPOSTED" ? &open->date
                           : tag == "NAME"     ? &open->name
                           : tag == "MEMO"     ? &open->memo
                                               : nullptr;
      if (tag == "TRNAMT") open->has_amount = true;
      if (tag == "DTPOSTED") open->has_date = true;
      if (field != nullptr) *field = std::string(after);
    }
    at = next;
  }
  // A transaction left open by the end of the file counts as ended there.
  if (statement.error.empty()) close();
  if (!statement.error.empty()) statement.credits.clear();
  return statement;
}

}  // namespace noemie::bank
