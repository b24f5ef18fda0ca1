#include "core/store/tree_registry.h"

#include <cstring>

namespace noemie::store {

KeyNode* TreeRegistry::node(Handle key) const {
  const auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : it->second;
}

Registry::Handle TreeRegistry::do_open(Handle parent, std::string_view path, bool create) {
  KeyNode* at = parent == 0 ? &root_ : node(parent);
  const auto parts = split_key_path(path);
  if (!at || !parts) return 0;
  for (const auto part : *parts) {
    KeyNode* next = at->find_child(part);
    if (!next && create) {
      next = at->child(part);
      changed_ = true;
    }
    if (!next) return 0;
    at = next;
  }
  const Handle h = next_handle_++;
  handles_.emplace(h, at);
  return h;
}

bool TreeRegistry::do_close(Handle key) {
  if (handles_.erase(key) == 0) return false;
  // While other keys are open the caller is still in the middle of a change that spans
  // them (a tree copy, a save into a profile sub-key): keep it only once it is whole.
  if (!changed_ || !handles_.empty()) return true;
  return keep_changes();
}

std::optional<ValueInfo> TreeRegistry::do_query(Handle key, std::string_view name,
                                                std::span<char>* field) {
  const KeyNode* at = node(key);
  const RegValue* v = at ? at->find_value(name) : nullptr;
  if (!v) return std::nullopt;
  if (field) {
    if (v->data.size() > field->size()) return std::nullopt;
    std::memcpy(field->data(), v->data.data(), v->data.size());
  }
  return ValueInfo{v->type, v->data.size()};
}

bool TreeRegistry::do_set(Handle key, std::string_view name, std::uint32_t type,
                          std::string_view data) {
  KeyNode* at = node(key);
  if (!at || !at->set_value(name, type, data)) return false;
  changed_ = true;
  return true;
}

std::optional<std::string> TreeRegistry::do_enum_key(Handle key, std::uint32_t index,
                                                     std::size_t name_room) {
  const KeyNode* at = node(key);
  if (!at || index >= at->children().size()) return std::nullopt;
  const std::string& name = at->children()[index]->name();
  if (name.size() >= name_room) return std::nullopt;
  return name;
}

std::optional<EnumeratedValue> TreeRegistry::do_enum_value(Handle key, std::uint32_t index,
                                                           std::size_t name_room,
                                                           std::size_t data_room) {
  const KeyNode* at = node(key);
  if (!at || index >= at->values().size()) return std::nullopt;
  const RegValue& v = at->values()[index];
  if (v.name.size() >= name_room || v.data.size() > data_room) return std::nullopt;
  return EnumeratedValue{v.name, v.type, v.data};
}

Registry::Handle MemoryRegistry::do_open(Handle parent, std::string_view path, bool create) {
  // Create-or-open asks for write access, which such a registry does not give.
  if (create && refuse_writes) return 0;
  return TreeRegistry::do_open(parent, path, create);
}

bool MemoryRegistry::do_set(Handle key, std::string_view name, std::uint32_t type,
                            std::string_view data) {
  return !refuse_writes && TreeRegistry::do_set(key, name, type, data);
}

}  // namespace noemie::store
