#pragma once
// An in-memory tree of registry keys and values: the model behind MemoryRegistry and the
// settings file store. Names compare as the Windows registry compares them, without regard
// to case (Windows-1252 letters included). Keys and values keep the order they were created
// in, which is also the order in which they are enumerated and written to a file.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace noemie::store {

// One named, typed value. `data` is the raw bytes (REG_SZ without terminating zero).
struct RegValue {
  std::string name;
  std::uint32_t type = 0;
  std::string data;

  bool operator==(const RegValue&) const = default;
};

class KeyNode {
 public:
  explicit KeyNode(std::string name = {}) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }
  const std::vector<std::unique_ptr<KeyNode>>& children() const { return children_; }
  const std::vector<RegValue>& values() const { return values_; }

  // The sub-key called `name` (any case), or null.
  KeyNode* find_child(std::string_view name) const;
  // The sub-key called `name`, created at the end when missing. Null when `name` is not a
  // valid key name (see is_valid_key_name).
  KeyNode* child(std::string_view name);

  // The value called `name` (any case), or null.
  const RegValue* find_value(std::string_view name) const;
  // Replaces the value of that name in place, or adds it at the end. False when `name` is not
  // a valid value name (see is_valid_value_name).
  bool set_value(std::string_view name, std::uint32_t type, std::string_view data);

  // Equal names, types, data and order, all the way down (names compared exactly).
  bool same_tree(const KeyNode& other) const;

  // A copy of this key and everything under it.
  KeyNode copy() const;

 private:
  std::string name_;
  std::vector<std::unique_ptr<KeyNode>> children_;
  std::vector<RegValue> values_;
};

// Brings `ours` up to date with what another program stored since `base` was read: every
// value of `theirs` (the store as it is now) is taken into `ours`, and into `base`, unless
// `ours` changed it since `base` (or made it, when `base` lacks it). Keys of `theirs` are
// made in both as needed. Nothing is ever removed.
void take_their_changes(KeyNode& ours, KeyNode& base, const KeyNode& theirs);

// Names equal without regard to case: ASCII and the Windows-1252 letters that have a case.
bool names_equal(std::string_view a, std::string_view b);

// A key name: 1 to 255 characters, no "\" and no control character (a name must fit on one
// line of a settings file).
bool is_valid_key_name(std::string_view name);
// A value name: up to 16383 characters, no CR, LF or NUL ("" is the default value).
bool is_valid_value_name(std::string_view name);

// The parts of a key path split at "\"; an empty path gives no parts. Empty when a part is
// not a valid key name (a doubled, leading or trailing "\" included).
std::optional<std::vector<std::string_view>> split_key_path(std::string_view path);

}  // namespace noemie::store
