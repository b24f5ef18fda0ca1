#include "core/store/held_registry.h"

#include <gtest/gtest.h>

#include <string>

#include "core/store/registry_snapshot.h"

namespace noemie::store {
namespace {

constexpr std::string_view kKeys[] = {"software\\quillon", "software\\absent"};

std::string value_of(Registry& reg, std::string_view key_path, std::string_view name) {
  const RegistryKey key = reg.open_key(key_path);
  std::string data(64, '\0');
  const auto read = reg.query_value(key, name, data);
  return read ? data.substr(0, read->length) : "<absent>";
}

void set(Registry& reg, std::string_view key_path, std::string_view name, std::string_view data) {
  RegistryKey key = reg.create_key(key_path);
  reg.set_value(key, name, kRegSz, data);
}

struct HeldFixture {
  MemoryRegistry target;
  HeldFixture() {
    set(target, "software\\quillon", "path", "C:\\retours");
    set(target, "software\\quillon", "cabinet", "dupont");
    set(target, "software\\other", "kept", "apart");
  }
};

TEST(HeldRegistry, HeldChangesNeverReachTheTarget) {
  HeldFixture f;
  KeyNode before("HKEY_CURRENT_USER");
  copy_key_into_tree(f.target, "", before);
  {
    HeldRegistry held(f.target, kKeys);
    EXPECT_EQ(value_of(held, "software\\quillon", "path"), "C:\\retours");
    EXPECT_EQ(value_of(held, "software\\other", "kept"), "<absent>");  // not asked for
    set(held, "software\\quillon", "path", "D:\\ailleurs");
    set(held, "software\\quillon\\config2", "nom", "x");
    EXPECT_EQ(value_of(held, "software\\quillon", "path"), "D:\\ailleurs");
  }
  KeyNode after("HKEY_CURRENT_USER");
  copy_key_into_tree(f.target, "", after);
  EXPECT_TRUE(after.same_tree(before));
}

TEST(HeldRegistry, ReleasedChangesReachTheTargetValueByValue) {
  HeldFixture f;
  HeldRegistry held(f.target, kKeys);
  set(held, "software\\quillon", "path", "D:\\ailleurs");  // held until released
  held.hold_saves(false);
  // Another program changes a value this store read but did not change, and one it did.
  set(f.target, "software\\quillon", "cabinet", "martin");
  set(f.target, "software\\quillon", "path", "E:\\autre");
  set(held, "software\\absent\\sub", "new", "1");  // closing the key passes every change on
  EXPECT_EQ(value_of(f.target, "software\\quillon", "path"), "D:\\ailleurs");
  EXPECT_EQ(value_of(f.target, "software\\quillon", "cabinet"), "martin");
  EXPECT_EQ(value_of(f.target, "software\\absent\\sub", "new"), "1");

  // Nothing new: nothing written, even over a value changed meanwhile.
  set(f.target, "software\\quillon", "path", "F:\\encore");
  EXPECT_TRUE(held.flush());
  EXPECT_EQ(value_of(f.target, "software\\quillon", "path"), "F:\\encore");

  // A target that refuses writes: the change stays pending and is said.
  f.target.refuse_writes = true;
  set(held, "software\\quillon", "nom", "y");
  EXPECT_FALSE(held.flush());
  f.target.refuse_writes = false;
  EXPECT_TRUE(held.flush());
  EXPECT_EQ(value_of(f.target, "software\\quillon", "nom"), "y");
}

}  // namespace
}  // namespace noemie::store
