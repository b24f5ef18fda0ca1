#include "gui/text_bridge.h"

#include <QFile>

#include <type_traits>

#include "core/text/c_text.h"
#include "core/text/cp1252.h"

namespace noemie::gui {
namespace {

bool is_ascii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

QString to_qstring(std::string_view cp1252) {
  const std::string_view text = noemie::text::c_text(cp1252);
  // Most cells are plain ASCII (numbers, dates, codes); they skip the UTF-8 round trip.
  if (is_ascii(text)) return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  const std::string utf8 = noemie::text::cp1252_to_utf8(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string to_cp1252(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return noemie::text::utf8_to_cp1252(std::string_view(utf8.constData(), utf8.size()));
}

QString to_display_text(std::string_view cp1252) {
  QString text = to_qstring(cp1252);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

QString path_to_qstring(const std::filesystem::path& path) {
  if constexpr (std::is_same_v<std::filesystem::path::value_type, char>) {
    const auto& native = path.native();
    return QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
  } else {
    return QString::fromStdWString(path.wstring());
  }
}

std::filesystem::path qstring_to_path(const QString& text) {
  if constexpr (std::is_same_v<std::filesystem::path::value_type, char>) {
    const QByteArray native = QFile::encodeName(text);
    return std::filesystem::path(std::string(native.constData(), native.size()));
  } else {
    return std::filesystem::path(text.toStdWString());
  }
}

}  // namespace noemie::gui
