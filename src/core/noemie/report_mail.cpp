#include "core/noemie/report_mail.h"

#include "core/noemie/version.h"
#include "core/platform/path_text.h"
#include "core/text/cp1252.h"

#ifndef NOEMIE_AUTHOR_MAIL
#define NOEMIE_AUTHOR_MAIL "support@example.org"
#endif

namespace noemie {
namespace {

bool is_unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

// Percent-encodes every byte of `text` outside the unreserved characters.
void append_encoded(std::string& out, std::string_view text, std::string_view also_literal = {}) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (is_unreserved(c) || also_literal.find(ch) != std::string_view::npos) {
      out.push_back(ch);
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 0x0F]);
    }
  }
}

std::string version_numbers() {
  return std::to_string(kVersion) + "." + std::to_string(kSubVersion) +
         std::to_string(kSubVersion1);
}

}  // namespace

std::string report_line(const std::filesystem::path& path, std::int64_t position,
                        std::string_view description) {
  std::string line = "Fic : ";
  line += platform::path_to_cp1252(path);
  line += " -- Off : ";
  line += std::to_string(position);
  line += " -- Err : ";
  line += description;
  if (line.size() > kReportLineMax) line.resize(kReportLineMax);
  return line;
}

std::string version_text() {
  return "V. " + version_numbers();
}

std::string_view author_mail() {
  return NOEMIE_AUTHOR_MAIL;
}

std::string mail_link(std::string_view body, std::string_view build_date,
                      std::string_view build_time, std::string_view address) {
  std::string subject = "Velmora Ver." + version_numbers() + " Compil\xE9 le ";
  subject += build_date;
  subject += " \xE0 ";
  subject += build_time;
  std::string full_body(body);
  full_body += ' ';

  std::string link = "mailto:";
  // "@" separates the address's parts and stays as it is.
  append_encoded(link, address, "@");
  link += "?Subject=";
  append_encoded(link, text::cp1252_to_utf8(subject));
  link += "&Body=";
  append_encoded(link, text::cp1252_to_utf8(full_body));
  return link;
}

std::string mail_link(std::string_view body) {
  return mail_link(body, __DATE__, __TIME__, author_mail());
}

void mail(std::string_view body, platform::Shell& shell) {
  shell.open_url(mail_link(body));
}

}  // namespace noemie
