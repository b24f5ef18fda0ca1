#include "core/store/registry_snapshot.h"

#include <limits>

namespace noemie::store {
namespace {

constexpr std::size_t kAnyLength = std::numeric_limits<std::size_t>::max();

void copy_tree(Registry& source, const RegistryKey& key, KeyNode& into) {
  for (std::uint32_t i = 0;; ++i) {
    const auto name = source.enum_key(key, i, kMaxKeyNameLength + 1);
    if (!name) break;
    const RegistryKey sub = source.open_key(key, *name);
    KeyNode* node = into.child(*name);
    if (sub && node) copy_tree(source, sub, *node);
  }
  for (std::uint32_t i = 0;; ++i) {
    const auto value = source.enum_value(key, i, kMaxValueNameLength + 1, kAnyLength);
    if (!value) break;
    into.set_value(value->name, value->type, value->data);
  }
}

}  // namespace

bool copy_key_into_tree(Registry& source, std::string_view path, KeyNode& current_user) {
  const RegistryKey key = source.open_key(path);
  const auto parts = split_key_path(path);
  if (!key || !parts) return false;
  KeyNode* at = &current_user;
  for (const std::string_view part : *parts) at = at->child(part);
  copy_tree(source, key, *at);
  return true;
}

}  // namespace noemie::store
