#include "print/print_heading.h"

#include <cstdio>
#include <ctime>

#include "core/viewer/folder_scan.h"
#include "core/viewer/list_summary.h"
#include "core/viewer/viewer.h"

namespace noemie::print {

PrintDate local_date(std::chrono::system_clock::time_point instant) {
  const std::time_t t = std::chrono::system_clock::to_time_t(instant);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

std::string printed_line(const PrintDate& date) {
  char text[64];
  std::snprintf(text, sizeof text, "Imprim\xE9 le %02d/%02d/%04d \xE0 %02d:%02d", date.day,
                date.month, date.year, date.hour, date.minute);
  return text;
}

PrintHeading heading_of(const viewer::Viewer& viewer, const PrintDate& date) {
  PrintHeading h;
  h.caption = viewer.options().window_title;
  h.folder = viewer::display_name(viewer.options().folder);
  h.filters = viewer.filters_text();
  h.find = viewer.find_text();
  h.printed = printed_line(date);
  h.summary = viewer::summary_status_text(viewer.summary());
  return h;
}

}  // namespace noemie::print
