#include "core/store/windows_registry.h"

#ifdef _WIN32

#include <windows.h>

#include <vector>

namespace noemie::store {
namespace {

HKEY hkey(Registry::Handle h) {
  return h ? reinterpret_cast<HKEY>(h) : HKEY_CURRENT_USER;
}

// The ANSI calls want zero-terminated names.
std::string z(std::string_view s) {
  return std::string(s);
}

}  // namespace

Registry::Handle WindowsRegistry::do_open(Handle parent, std::string_view path, bool create) {
  HKEY key = nullptr;
  const LONG rc =
      create ? RegCreateKeyExA(hkey(parent), z(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, &key, nullptr)
             // Unlike RegOpenKeyA, this gives a new handle for an empty path, never the
             // parent's own handle, so each RegistryKey closes only what it opened.
             : RegOpenKeyExA(hkey(parent), z(path).c_str(), 0, MAXIMUM_ALLOWED, &key);
  return rc == ERROR_SUCCESS ? reinterpret_cast<Handle>(key) : 0;
}

bool WindowsRegistry::do_close(Handle key) {
  return RegCloseKey(hkey(key)) == ERROR_SUCCESS;
}

std::optional<ValueInfo> WindowsRegistry::do_query(Handle key, std::string_view name,
                                                   std::span<char>* field) {
  DWORD type = 0;
  DWORD length = field ? static_cast<DWORD>(field->size()) : 0;
  const LONG rc =
      RegQueryValueExA(hkey(key), z(name).c_str(), nullptr, &type,
                       field ? reinterpret_cast<BYTE*>(field->data()) : nullptr, &length);
  if (rc != ERROR_SUCCESS) return std::nullopt;
  return ValueInfo{type, length};
}

bool WindowsRegistry::do_set(Handle key, std::string_view name, std::uint32_t type,
                             std::string_view data) {
  return RegSetValueExA(hkey(key), z(name).c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

std::optional<std::string> WindowsRegistry::do_enum_key(Handle key, std::uint32_t index,
                                                        std::size_t name_room) {
  std::vector<char> name(name_room + 1, '\0');
  if (RegEnumKeyA(hkey(key), index, name.data(), static_cast<DWORD>(name_room)) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(name.data());
}

std::optional<EnumeratedValue> WindowsRegistry::do_enum_value(Handle key, std::uint32_t index,
                                                              std::size_t name_room,
                                                              std::size_t data_room) {
  std::vector<char> name(name_room + 1, '\0');
  std::vector<char> data(data_room + 1, '\0');
  DWORD name_length = static_cast<DWORD>(name_room);
  DWORD data_length = static_cast<DWORD>(data_room);
  DWORD type = 0;
  if (RegEnumValueA(hkey(key), index, name.data(), &name_length, nullptr, &type,
                    reinterpret_cast<BYTE*>(data.data()), &data_length) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return EnumeratedValue{std::string(name.data(), name_length), type,
                         std::string(data.data(), data_length)};
}

}  // namespace noemie::store

#endif  // _WIN32
