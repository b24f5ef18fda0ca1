#include "registry_stores.h"

#include <sstream>

#include "core/store/held_registry.h"
#include "core/store/reg_file_registry.h"
#include "core/store/registry_snapshot.h"
#include "core/store/tree_registry.h"
#include "support/key_tree_order.h"

#ifdef _WIN32
#include <windows.h>

#include "core/store/windows_registry.h"
#endif

namespace noemie::store {
namespace {

// Warnings of the file store: a test that wants them reads the file itself.
std::ostringstream& ignored_warnings() {
  static std::ostringstream out;
  return out;
}

void put_tree(Registry& registry, const RegistryKey& key, const KeyNode& node) {
  for (const RegValue& v : node.values()) registry.set_value(key, v.name, v.type, v.data);
  for (const auto& child : node.children()) {
    const RegistryKey sub = registry.create_key(key, child->name());
    put_tree(registry, sub, *child);
  }
}

}  // namespace

bool same_contents(const KeyNode& a, const KeyNode& b, bool any_order) {
  if (any_order) return same_contents(testing::in_name_order(a), testing::in_name_order(b), false);
  if (a.values() != b.values() || a.children().size() != b.children().size()) return false;
  for (std::size_t i = 0; i < a.children().size(); ++i) {
    if (!a.children()[i]->same_tree(*b.children()[i])) return false;
  }
  return true;
}

std::vector<StoreKind> store_kinds() {
#ifdef _WIN32
  return {StoreKind::Memory, StoreKind::File, StoreKind::Held, StoreKind::Windows};
#else
  return {StoreKind::Memory, StoreKind::File, StoreKind::Held};
#endif
}

std::string store_name(const ::testing::TestParamInfo<StoreKind>& info) {
  switch (info.param) {
    case StoreKind::Memory:
      return "Memory";
    case StoreKind::File:
      return "File";
    case StoreKind::Held:
      return "Held";
    case StoreKind::Windows:
      return "Windows";
  }
  return "Unknown";
}

RegistryStoreTest::RegistryStoreTest() {
  // A key of its own per test, so that tests never meet each other's keys or the user's.
  windows_root_ = "Software\\noemie-viewer-tests\\" + dir_.path().filename().string();
  store_ = open_store();
}

RegistryStoreTest::~RegistryStoreTest() {
  store_.reset();
#ifdef _WIN32
  if (GetParam() == StoreKind::Windows) {
    RegDeleteTreeW(HKEY_CURRENT_USER,
                   std::wstring(windows_root_.begin(), windows_root_.end()).c_str());
    // The common parent goes with its last test key (it stays while another test has one).
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\noemie-viewer-tests");
  }
#endif
}

std::unique_ptr<Registry> RegistryStoreTest::open_store() {
  switch (GetParam()) {
    case StoreKind::Memory:
      return std::make_unique<MemoryRegistry>();
    case StoreKind::File:
      return std::make_unique<RegFileRegistry>(dir_.path() / "settings.reg", ignored_warnings());
    case StoreKind::Held: {
      if (!held_target_) held_target_ = std::make_unique<MemoryRegistry>();
      constexpr std::string_view kAll[] = {""};
      auto held = std::make_unique<HeldRegistry>(*held_target_, kAll);
      held->hold_saves(false);
      return held;
    }
    case StoreKind::Windows:
#ifdef _WIN32
      return std::make_unique<WindowsRegistry>(windows_root_);
#endif
      break;
  }
  ADD_FAILURE() << "no such store here";
  return std::make_unique<MemoryRegistry>();
}

Registry& RegistryStoreTest::reopen() {
  if (GetParam() != StoreKind::Memory) {
    store_.reset();
    store_ = open_store();
  }
  return *store_;
}

void RegistryStoreTest::put(const KeyNode& current_user) {
  const RegistryKey root = store_->open_key("");
  put_tree(*store_, root, current_user);
}

KeyNode RegistryStoreTest::copy_of(std::string_view key_path) {
  KeyNode current_user("HKEY_CURRENT_USER");
  copy_key_into_tree(*store_, key_path, current_user);
  return current_user;
}

const KeyNode* node_at(const KeyNode& current_user, std::string_view key_path) {
  const KeyNode* at = &current_user;
  for (const std::string_view part :
       split_key_path(key_path).value_or(std::vector<std::string_view>())) {
    if (!at) return nullptr;
    at = at->find_child(part);
  }
  return at;
}

RegValue RegistryStoreTest::value_at(std::string_view key_path, std::string_view name) {
  const RegistryKey key = store_->open_key(key_path);
  const auto size = store_->query_value_size(key, name);
  if (!size) return {};
  std::string data(size->length, '\0');
  const auto read = store_->query_value(key, name, data);
  if (!read) return {};
  return {std::string(name), read->type, data};
}

bool RegistryStoreTest::all_keys_closed() const {
  const auto* tree = dynamic_cast<const TreeRegistry*>(store_.get());
  return tree == nullptr || tree->open_key_count() == 0;
}

}  // namespace noemie::store
