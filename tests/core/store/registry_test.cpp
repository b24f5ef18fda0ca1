#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/store/tree_registry.h"
#include "registry_stores.h"

namespace noemie::store {
namespace {

// The contract of every store, the real registry included.
using RegistryContract = RegistryStoreTest;

TEST_P(RegistryContract, KeyAndValueNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  Registry& reg = store();
  {
    RegistryKey k = reg.create_key("Software\\Quillon\\Caf\xE9");
    ASSERT_TRUE(k);
    EXPECT_TRUE(reg.set_dword(k, "Noemie Pos X", 1));
    EXPECT_TRUE(reg.set_dword(k, "NOEMIE POS X", 2));
  }
  RegistryKey again = reg.open_key("SOFTWARE\\quillon\\CAF\xC9");
  ASSERT_TRUE(again);
  const auto v = reg.enum_value(again, 0, 260, 100);
  ASSERT_TRUE(v);
  EXPECT_EQ(v->name, "Noemie Pos X");
  EXPECT_EQ(v->data, std::string("\x02\0\0\0", 4));
  EXPECT_FALSE(reg.enum_value(again, 1, 260, 100));
  EXPECT_EQ(reg.enum_key(reg.open_key(""), 0, 256), "Software");
}

TEST_P(RegistryContract, OpenNeedsAnExistingKeyAndAValidPath) {
  Registry& reg = store();
  ASSERT_TRUE(reg.create_key("a\\b\\c"));
  struct Case {
    const char* path;
    bool opens;
    bool file_store_only;  // a path form the registry itself takes
  };
  const Case cases[] = {
      {"a", true, false},    {"a\\b\\c", true, false}, {"a\\x", false, false},
      {"\\a", false, false}, {"a\\\\b", false, true},  {"a\\", false, true},
      {"", true, false},  // "" is HKEY_CURRENT_USER itself
  };
  for (const auto& c : cases) {
    if (c.file_store_only && GetParam() == StoreKind::Windows) continue;
    EXPECT_EQ(static_cast<bool>(reg.open_key(c.path)), c.opens) << c.path;
  }

  RegistryKey a = reg.open_key("a");
  EXPECT_TRUE(reg.open_key(a, "b\\c"));
  EXPECT_FALSE(reg.open_key(a, "c"));
  EXPECT_FALSE(reg.open_key(RegistryKey(), "a"));
  EXPECT_FALSE(reg.create_key(std::string(256, 'n')));  // longer than a key name may be
}

TEST_P(RegistryContract, QueryFillsTheFieldOnlyWhenTheValueFits) {
  Registry& reg = store();
  RegistryKey k = reg.create_key("k");
  reg.set_value(k, "three", kRegBinary, "abc");
  reg.set_value(k, "text", kRegSz, "h\xE9llo");
  struct Case {
    const char* name;
    std::size_t field_size;
    bool read;
    std::string field_after;  // the field started as "#####"
  };
  const Case cases[] = {
      {"three", 5, true, "abc##"},    {"three", 3, true, "abc##"},   {"three", 2, false, "#####"},
      {"missing", 5, false, "#####"}, {"text", 5, true, "h\xE9llo"}, {"text", 4, false, "#####"},
  };
  for (const auto& c : cases) {
    std::string field = "#####";
    const auto info = reg.query_value(k, c.name, std::span<char>(field.data(), c.field_size));
    EXPECT_EQ(info.has_value(), c.read) << c.name << " in " << c.field_size;
    EXPECT_EQ(field, c.field_after) << c.name << " in " << c.field_size;
  }
  const auto info = reg.query_value_size(k, "text");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->type, kRegSz);
  EXPECT_EQ(info->length, 5u);
  EXPECT_FALSE(reg.query_value_size(k, "missing"));
}

TEST_P(RegistryContract, EnumerationStopsPastTheLastAndWhereRoomIsShort) {
  Registry& reg = store();
  RegistryKey k = reg.create_key("k");
  reg.create_key(k, "first");
  reg.create_key(k, std::string(20, 's'));
  reg.set_value(k, "small", kRegBinary, std::string(10, 'x'));
  reg.set_value(k, "big", kRegBinary, std::string(11, 'x'));

  EXPECT_EQ(reg.enum_key(k, 0, 21), "first");
  EXPECT_EQ(reg.enum_key(k, 1, 21), std::string(20, 's'));
  EXPECT_FALSE(reg.enum_key(k, 1, 20));  // no room for the terminator
  EXPECT_FALSE(reg.enum_key(k, 2, 21));

  // The values in the store's own order (the registry promises none).
  const bool small_first = reg.enum_value(k, 0, 260, 100)->name == "small";
  const std::uint32_t small = small_first ? 0 : 1;
  const std::uint32_t big = small_first ? 1 : 0;
  EXPECT_TRUE(reg.enum_value(k, small, 260, 10));
  EXPECT_FALSE(reg.enum_value(k, big, 260, 10));
  EXPECT_TRUE(reg.enum_value(k, big, 260, 11));
  EXPECT_FALSE(reg.enum_value(k, small, 5, 10));  // "small" needs 6 characters
  EXPECT_FALSE(reg.enum_value(k, 2, 260, 100));
}

INSTANTIATE_TEST_SUITE_P(Stores, RegistryContract, ::testing::ValuesIn(store_kinds()), store_name);

TEST(Registry, KeysCloseThemselvesAndBelongToTheirRegistry) {
  MemoryRegistry reg;
  MemoryRegistry other;
  {
    RegistryKey k = reg.create_key("k");
    RegistryKey moved = std::move(k);
    EXPECT_FALSE(k);  // NOLINT(bugprone-use-after-move): a moved-from key is empty
    EXPECT_EQ(reg.open_key_count(), 1u);
    EXPECT_FALSE(other.set_value(moved, "v", kRegSz, "x"));
    EXPECT_TRUE(moved.close());
    EXPECT_EQ(reg.open_key_count(), 0u);
    moved = reg.open_key("k");
    moved = reg.open_key("k");  // the first one is closed by the assignment
    EXPECT_EQ(reg.open_key_count(), 1u);
  }
  EXPECT_EQ(reg.open_key_count(), 0u);
}

TEST(Registry, RefusedWritesLeaveTheTreeAlone) {
  MemoryRegistry reg;
  reg.create_key("exists");
  reg.refuse_writes = true;
  EXPECT_FALSE(reg.create_key("new"));
  EXPECT_FALSE(reg.create_key("exists"));
  RegistryKey k = reg.open_key("exists");
  ASSERT_TRUE(k);
  EXPECT_FALSE(reg.set_value(k, "v", kRegSz, "x"));
  EXPECT_TRUE(reg.tree().find_child("exists")->values().empty());
  EXPECT_EQ(reg.tree().find_child("new"), nullptr);
}

TEST(Registry, NamesThatCannotBeWrittenToAFileAreRefused) {
  MemoryRegistry reg;
  EXPECT_FALSE(reg.create_key("line\nbreak"));
  RegistryKey k = reg.create_key("k");
  EXPECT_FALSE(reg.set_value(k, "a\r\nb", kRegSz, "x"));
  EXPECT_FALSE(reg.set_value(k, std::string("a\0b", 3), kRegSz, "x"));
  EXPECT_TRUE(reg.set_value(k, "tab\tand \"quotes\"", kRegSz, "x"));
}

}  // namespace
}  // namespace noemie::store
