#include "core/store/windows_registry.h"

#ifdef _WIN32

#include <windows.h>

#include <string>

#include "core/platform/win32/wide_text.h"

namespace noemie::store {
namespace {

using platform::win32::cp1252_to_wide;
using platform::win32::wide_to_cp1252;

// Room for the longest value name the registry allows, and its terminator.
constexpr DWORD kValueNameRoom = 16384;
// Room for the longest key name, and its terminator.
constexpr DWORD kKeyNameRoom = 256;

bool is_text_type(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The data of a value as this store gives it: text types as Windows-1252, one byte per
// UTF-16 unit (an odd last byte, which no text can hold, is dropped), and a REG_SZ or
// REG_EXPAND_SZ without the one terminating zero that regedit and some systems keep after
// it (the program stores its texts without one); other types as they are.
std::string from_registry_data(DWORD type, std::string raw) {
  if (!is_text_type(type)) return raw;
  std::wstring wide(raw.size() / 2, L'\0');
  raw.copy(reinterpret_cast<char*>(wide.data()), wide.size() * 2);
  if (type != REG_MULTI_SZ && !wide.empty() && wide.back() == L'\0') wide.pop_back();
  return wide_to_cp1252(wide);
}

// Every part of a key path fits the registry's 255 characters (which Wine does not check).
bool key_name_lengths_fit(std::string_view path) {
  std::size_t part = 0;
  for (const char c : path) {
    part = c == '\\' ? 0 : part + 1;
    if (part > kMaxKeyNameLength) return false;
  }
  return true;
}

// Reads the type and data of value `name`, however large; nullopt when it is absent.
std::optional<std::pair<DWORD, std::string>> read_value(HKEY key, const std::wstring& name) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::string raw(size, '\0');
    const LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(raw.data()), &size);
    if (rc == ERROR_MORE_DATA) continue;  // it grew meanwhile
    if (rc != ERROR_SUCCESS) return std::nullopt;
    raw.resize(size);
    return std::pair{type, std::move(raw)};
  }
  return std::nullopt;
}

}  // namespace

WindowsRegistry::WindowsRegistry(std::string_view root) {
  if (root.empty()) return;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, cp1252_to_wide(root).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    root_ = reinterpret_cast<std::uintptr_t>(key);
    own_root_ = true;
  } else {
    // No usable root: every open fails rather than reaching the user's own settings.
    root_ = reinterpret_cast<std::uintptr_t>(INVALID_HANDLE_VALUE);
  }
}

WindowsRegistry::~WindowsRegistry() {
  if (own_root_) RegCloseKey(reinterpret_cast<HKEY>(root_));
}

Registry::Handle WindowsRegistry::do_open(Handle parent, std::string_view path, bool create) {
  if (!key_name_lengths_fit(path)) return 0;
  const HKEY from = parent  ? reinterpret_cast<HKEY>(parent)
                    : root_ ? reinterpret_cast<HKEY>(root_)
                            : HKEY_CURRENT_USER;
  const std::wstring name = cp1252_to_wide(path);
  HKEY key = nullptr;
  const LONG rc = create ? RegCreateKeyExW(from, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &key, nullptr)
                         // Unlike RegOpenKey, this gives a new handle for an empty path, never the
                         // parent's own handle, so each RegistryKey closes only what it opened.
                         : RegOpenKeyExW(from, name.c_str(), 0, MAXIMUM_ALLOWED, &key);
  return rc == ERROR_SUCCESS ? reinterpret_cast<Handle>(key) : 0;
}

bool WindowsRegistry::do_close(Handle key) {
  return RegCloseKey(reinterpret_cast<HKEY>(key)) == ERROR_SUCCESS;
}

std::optional<ValueInfo> WindowsRegistry::do_query(Handle key, std::string_view name,
                                                   std::span<char>* field) {
  auto value = read_value(reinterpret_cast<HKEY>(key), cp1252_to_wide(name));
  if (!value) return std::nullopt;
  const std::string data = from_registry_data(value->first, std::move(value->second));
  if (field) {
    // Data longer than the field leaves it alone, as the registry's own calls do.
    if (data.size() > field->size()) return std::nullopt;
    data.copy(field->data(), data.size());
  }
  return ValueInfo{value->first, data.size()};
}

bool WindowsRegistry::do_set(Handle key, std::string_view name, std::uint32_t type,
                             std::string_view data) {
  std::wstring wide;
  if (is_text_type(type)) {
    wide = cp1252_to_wide(data);
    data = std::string_view(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
  }
  return RegSetValueExW(reinterpret_cast<HKEY>(key), cp1252_to_wide(name).c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

std::optional<std::string> WindowsRegistry::do_enum_key(Handle key, std::uint32_t index,
                                                        std::size_t name_room) {
  wchar_t name[kKeyNameRoom];
  DWORD length = kKeyNameRoom;
  if (RegEnumKeyExW(reinterpret_cast<HKEY>(key), index, name, &length, nullptr, nullptr, nullptr,
                    nullptr) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::string text = wide_to_cp1252(std::wstring_view(name, length));
  // The room counts the terminator, as the ANSI call's does.
  if (text.size() >= name_room) return std::nullopt;
  return text;
}

std::optional<EnumeratedValue> WindowsRegistry::do_enum_value(Handle key, std::uint32_t index,
                                                              std::size_t name_room,
                                                              std::size_t data_room) {
  const HKEY hkey = reinterpret_cast<HKEY>(key);
  std::wstring name(kValueNameRoom, L'\0');
  DWORD name_length = kValueNameRoom;
  if (RegEnumValueW(hkey, index, name.data(), &name_length, nullptr, nullptr, nullptr, nullptr) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  name.resize(name_length);
  auto value = read_value(hkey, name);
  if (!value) return std::nullopt;
  EnumeratedValue result{wide_to_cp1252(name), value->first,
                         from_registry_data(value->first, std::move(value->second))};
  if (result.name.size() >= name_room || result.data.size() > data_room) return std::nullopt;
  return result;
}

}  // namespace noemie::store

#endif  // _WIN32
