#pragma once
// The registry stores under one set of tests: the memory store, the settings file store, the
// held store (over a memory store, its saves let through) and, on Windows, the real registry
// (under a throwaway key of its own, deleted afterwards). A test written over
// RegistryStoreTest runs once over each.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/key_tree.h"
#include "core/store/registry.h"
#include "support/temp_dir.h"

namespace noemie::store {

// The key at `key_path` of a HKEY_CURRENT_USER tree, or null.
const KeyNode* node_at(const KeyNode& current_user, std::string_view key_path);

// Equal values and sub-keys, all the way down, whatever the two keys themselves are called;
// names compared exactly; in any order when `any_order`.
bool same_contents(const KeyNode& a, const KeyNode& b, bool any_order);

enum class StoreKind { Memory, File, Held, Windows };

// The stores that this platform has.
std::vector<StoreKind> store_kinds();
std::string store_name(const ::testing::TestParamInfo<StoreKind>& info);

class RegistryStoreTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  RegistryStoreTest();
  ~RegistryStoreTest() override;

  // The store as the program opens it.
  Registry& store() { return *store_; }
  // Opens the store again, as a later run of the program would: what was kept is read back.
  // (The memory store is the same store.)
  Registry& reopen();

  // Writes the keys and values of `current_user` (a HKEY_CURRENT_USER tree) into the store.
  void put(const KeyNode& current_user);
  // What the store holds at `key_path` and below, copied through enumeration into a
  // HKEY_CURRENT_USER tree of its own (find it with node_at).
  KeyNode copy_of(std::string_view key_path);
  // The value `name` of key `key_path`, as a copy; empty name and type 0 when absent.
  RegValue value_at(std::string_view key_path, std::string_view name);
  // True when the store enumerates keys and values in the order they were created. The real
  // registry promises no order (Wine's gives names in sorted order).
  bool keeps_creation_order() const { return GetParam() != StoreKind::Windows; }
  // True when every key the program opened was closed (what a store counts; the real
  // registry does not).
  bool all_keys_closed() const;

 private:
  std::unique_ptr<Registry> open_store();

  testing::TempDir dir_;
  std::string windows_root_;
  // What the held store passes its changes on to.
  std::unique_ptr<Registry> held_target_;
  std::unique_ptr<Registry> store_;
};

}  // namespace noemie::store
