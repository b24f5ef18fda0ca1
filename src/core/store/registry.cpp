#include "core/store/registry.h"

#include <utility>

namespace noemie::store {

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : registry_(std::exchange(other.registry_, nullptr)),
      handle_(std::exchange(other.handle_, 0)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    close();
    registry_ = std::exchange(other.registry_, nullptr);
    handle_ = std::exchange(other.handle_, 0);
  }
  return *this;
}

RegistryKey::~RegistryKey() {
  close();
}

bool RegistryKey::close() {
  if (!registry_) return true;
  Registry* registry = std::exchange(registry_, nullptr);
  return registry->do_close(std::exchange(handle_, 0));
}

Registry::Handle Registry::handle_of(const RegistryKey& key) const {
  return key.registry_ == this ? key.handle_ : 0;
}

RegistryKey Registry::open_key(std::string_view path) {
  return wrap(do_open(0, path, false));
}

RegistryKey Registry::open_key(const RegistryKey& parent, std::string_view path) {
  const Handle h = handle_of(parent);
  return h ? wrap(do_open(h, path, false)) : RegistryKey();
}

RegistryKey Registry::create_key(std::string_view path) {
  return wrap(do_open(0, path, true));
}

RegistryKey Registry::create_key(const RegistryKey& parent, std::string_view path) {
  const Handle h = handle_of(parent);
  return h ? wrap(do_open(h, path, true)) : RegistryKey();
}

std::optional<ValueInfo> Registry::query_value(const RegistryKey& key, std::string_view name,
                                               std::span<char> field) {
  const Handle h = handle_of(key);
  if (!h) return std::nullopt;
  return do_query(h, name, &field);
}

std::optional<ValueInfo> Registry::query_value_size(const RegistryKey& key, std::string_view name) {
  const Handle h = handle_of(key);
  if (!h) return std::nullopt;
  return do_query(h, name, nullptr);
}

bool Registry::set_value(const RegistryKey& key, std::string_view name, std::uint32_t type,
                         std::string_view data) {
  const Handle h = handle_of(key);
  return h && do_set(h, name, type, data);
}

bool Registry::set_dword(const RegistryKey& key, std::string_view name, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  const char bytes[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                         static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)};
  return set_value(key, name, kRegDword, std::string_view(bytes, 4));
}

std::optional<std::string> Registry::enum_key(const RegistryKey& key, std::uint32_t index,
                                              std::size_t name_room) {
  const Handle h = handle_of(key);
  if (!h) return std::nullopt;
  return do_enum_key(h, index, name_room);
}

std::optional<EnumeratedValue> Registry::enum_value(const RegistryKey& key, std::uint32_t index,
                                                    std::size_t name_room, std::size_t data_room) {
  const Handle h = handle_of(key);
  if (!h) return std::nullopt;
  return do_enum_value(h, index, name_room, data_room);
}

}  // namespace noemie::store
