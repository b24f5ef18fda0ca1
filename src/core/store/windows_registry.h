#pragma once
// The Windows registry itself, under HKEY_CURRENT_USER. Built on Windows only.
//
// Key and value names and text data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are Windows-1252
// here as everywhere in the program; they go through the registry's wide calls converted
// with that code page, so the result never depends on the machine's ANSI code page. A text
// has one byte here per character there, as the ANSI calls count it.
#ifdef _WIN32

#include <cstdint>
#include <string_view>

#include "core/store/registry.h"

namespace noemie::store {

class WindowsRegistry final : public Registry {
 public:
  // The registry of the current user. With a `root` key path, every path is taken under
  // HKEY_CURRENT_USER\<root> instead (created when missing): the store of a test, kept apart
  // from the user's own settings. Without access to `root` every open fails.
  explicit WindowsRegistry(std::string_view root = {});
  ~WindowsRegistry() override;
  WindowsRegistry(const WindowsRegistry&) = delete;
  WindowsRegistry& operator=(const WindowsRegistry&) = delete;

 protected:
  Handle do_open(Handle parent, std::string_view path, bool create) override;
  bool do_close(Handle key) override;
  std::optional<ValueInfo> do_query(Handle key, std::string_view name,
                                    std::span<char>* field) override;
  bool do_set(Handle key, std::string_view name, std::uint32_t type,
              std::string_view data) override;
  std::optional<std::string> do_enum_key(Handle key, std::uint32_t index,
                                         std::size_t name_room) override;
  std::optional<EnumeratedValue> do_enum_value(Handle key, std::uint32_t index,
                                               std::size_t name_room,
                                               std::size_t data_room) override;

 private:
  // The key that handle 0 stands for: HKEY_CURRENT_USER or the root key.
  std::uintptr_t root_ = 0;
  bool own_root_ = false;
};

}  // namespace noemie::store

#endif  // _WIN32
