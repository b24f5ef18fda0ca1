#pragma once
// The Windows registry itself, under HKEY_CURRENT_USER. Built on Windows only.
#ifdef _WIN32

#include "core/store/registry.h"

namespace noemie::store {

class WindowsRegistry final : public Registry {
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
};

}  // namespace noemie::store

#endif  // _WIN32
