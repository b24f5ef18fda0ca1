#pragma once
// A Registry over an in-memory KeyNode tree, and MemoryRegistry, the plain in-memory store
// used by tests. The settings file store (RegFileRegistry) is the same tree with a file
// behind it: one model, two ways of keeping it.

#include <cstdint>
#include <map>

#include "core/store/key_tree.h"
#include "core/store/registry.h"

namespace noemie::store {

class TreeRegistry : public Registry {
 public:
  // The HKEY_CURRENT_USER key and everything under it.
  const KeyNode& tree() const { return root_; }

  // Number of keys open at the moment.
  std::size_t open_key_count() const { return handles_.size(); }

 protected:
  TreeRegistry() : root_("HKEY_CURRENT_USER") {}

  KeyNode& root() { return root_; }
  // True when a key was created or a value written since the last mark_saved().
  bool changed() const { return changed_; }
  void mark_saved() { changed_ = false; }
  // Called when the last open key is closed while changes are pending; returns false when
  // they could not be kept. The changes stay pending until mark_saved() is called.
  virtual bool keep_changes() = 0;

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
  KeyNode* node(Handle key) const;

  KeyNode root_;
  std::map<Handle, KeyNode*> handles_;
  Handle next_handle_ = 1;
  bool changed_ = false;
};

// Keys and values in memory only; for tests.
class MemoryRegistry final : public TreeRegistry {
 public:
  // When true, create-or-open and writing a value fail, as in a registry without write access.
  bool refuse_writes = false;

  // The whole tree; tests build their starting state here.
  KeyNode& edit_tree() { return root(); }

 protected:
  Handle do_open(Handle parent, std::string_view path, bool create) override;
  bool do_set(Handle key, std::string_view name, std::uint32_t type,
              std::string_view data) override;
  bool keep_changes() override {
    mark_saved();
    return true;
  }
};

}  // namespace noemie::store
