#include "core/store/held_registry.h"

#include <string>
#include <vector>

#include "core/store/registry_snapshot.h"

namespace noemie::store {
namespace {

std::string sub_path(const std::string& path, const std::string& name) {
  return path.empty() ? name : path + "\\" + name;
}

// Writes into `target` every key of `ours` that `before` lacks and every value of `ours` that
// is new or different there; `path` is the path of `ours` ("" for HKEY_CURRENT_USER, which
// holds no values of its own that a program may write).
bool write_changes(Registry& target, const KeyNode& ours, const KeyNode* before,
                   const std::string& path) {
  bool ok = true;
  if (!path.empty()) {
    std::vector<const RegValue*> changed;
    for (const RegValue& v : ours.values()) {
      const RegValue* old = before ? before->find_value(v.name) : nullptr;
      if (!old || old->type != v.type || old->data != v.data) changed.push_back(&v);
    }
    if (!before || !changed.empty()) {
      RegistryKey key = target.create_key(path);
      if (!key) return false;
      for (const RegValue* v : changed) ok = target.set_value(key, v->name, v->type, v->data) && ok;
      ok = key.close() && ok;
    }
  }
  for (const auto& child : ours.children()) {
    const KeyNode* old = before ? before->find_child(child->name()) : nullptr;
    ok = write_changes(target, *child, old, sub_path(path, child->name())) && ok;
  }
  return ok;
}

}  // namespace

HeldRegistry::HeldRegistry(Registry& target, std::span<const std::string_view> keys)
    : target_(target) {
  for (const std::string_view key : keys) copy_key_into_tree(target_, key, root());
  passed_ = tree().copy();
}

HeldRegistry::~HeldRegistry() {
  if (!saves_held_ && changed()) pass_on();
}

bool HeldRegistry::flush() {
  return !changed() || pass_on();
}

bool HeldRegistry::keep_changes() {
  // Held changes stay pending: the first pass after the hold takes them with the rest.
  if (saves_held_) return true;
  return pass_on();
}

bool HeldRegistry::pass_on() {
  const bool ok = write_changes(target_, tree(), &passed_, "");
  // What failed is tried again with the next change: only what reached the target counts.
  if (!ok) return false;
  passed_ = tree().copy();
  mark_saved();
  return true;
}

}  // namespace noemie::store
