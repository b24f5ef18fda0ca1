#include "core/platform/win32/wide_text.h"

#include <windows.h>

#include <climits>

#include "core/text/cp1252.h"

namespace noemie::platform::win32 {
namespace {

// wchar_t is a UTF-16 code unit on Windows: the core's UTF-16 conversions apply as they are.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::u16string_view as_utf16(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

}  // namespace

std::wstring cp1252_to_wide(std::string_view text) {
  const std::u16string utf16 = text::cp1252_to_utf16(text);
  return std::wstring(reinterpret_cast<const wchar_t*>(utf16.data()), utf16.size());
}

std::string wide_to_cp1252(std::wstring_view text) {
  return text::utf16_to_cp1252(as_utf16(text));
}

std::wstring utf8_to_wide(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), length);
  return out;
}

std::string wide_to_utf8(std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), length, nullptr, nullptr);
  return out;
}

}  // namespace noemie::platform::win32
