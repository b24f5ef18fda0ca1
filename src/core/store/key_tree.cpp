#include "core/store/key_tree.h"

#include <algorithm>

#include "core/store/registry.h"

namespace noemie::store {
namespace {

// Upper case of a Windows-1252 byte, for comparing names.
unsigned char fold(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
  // à..þ map to À..Þ, except ÷ (0xF7) which has no case.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A:
      return 0x8A;  // š
    case 0x9C:
      return 0x8C;  // œ
    case 0x9E:
      return 0x8E;  // ž
    case 0xFF:
      return 0x9F;  // ÿ
    default:
      return c;
  }
}

}  // namespace

bool names_equal(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return fold(static_cast<unsigned char>(x)) == fold(static_cast<unsigned char>(y));
         });
}

bool is_valid_key_name(std::string_view name) {
  if (name.empty() || name.size() > kMaxKeyNameLength) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
}

bool is_valid_value_name(std::string_view name) {
  return name.size() <= kMaxValueNameLength &&
         name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::optional<std::vector<std::string_view>> split_key_path(std::string_view path) {
  std::vector<std::string_view> parts;
  if (path.empty()) return parts;
  for (;;) {
    const auto sep = path.find('\\');
    const auto part = path.substr(0, sep);
    if (!is_valid_key_name(part)) return std::nullopt;
    parts.push_back(part);
    if (sep == std::string_view::npos) return parts;
    path.remove_prefix(sep + 1);
  }
}

KeyNode* KeyNode::find_child(std::string_view name) const {
  for (const auto& c : children_) {
    if (names_equal(c->name_, name)) return c.get();
  }
  return nullptr;
}

KeyNode* KeyNode::child(std::string_view name) {
  if (KeyNode* found = find_child(name)) return found;
  if (!is_valid_key_name(name)) return nullptr;
  children_.push_back(std::make_unique<KeyNode>(std::string(name)));
  return children_.back().get();
}

const RegValue* KeyNode::find_value(std::string_view name) const {
  for (const auto& v : values_) {
    if (names_equal(v.name, name)) return &v;
  }
  return nullptr;
}

bool KeyNode::set_value(std::string_view name, std::uint32_t type, std::string_view data) {
  if (!is_valid_value_name(name)) return false;
  for (auto& v : values_) {
    if (names_equal(v.name, name)) {
      // Windows keeps the name as first written; so do we.
      v.type = type;
      v.data.assign(data);
      return true;
    }
  }
  values_.push_back({std::string(name), type, std::string(data)});
  return true;
}

bool KeyNode::same_tree(const KeyNode& other) const {
  if (name_ != other.name_ || values_ != other.values_ ||
      children_.size() != other.children_.size()) {
    return false;
  }
  for (std::size_t i = 0; i < children_.size(); ++i) {
    if (!children_[i]->same_tree(*other.children_[i])) return false;
  }
  return true;
}

KeyNode KeyNode::copy() const {
  KeyNode out(name_);
  out.values_ = values_;
  for (const auto& c : children_) out.children_.push_back(std::make_unique<KeyNode>(c->copy()));
  return out;
}

void take_their_changes(KeyNode& ours, KeyNode& base, const KeyNode& theirs) {
  for (const RegValue& value : theirs.values()) {
    const RegValue* mine = ours.find_value(value.name);
    const RegValue* read = base.find_value(value.name);
    const bool changed_here =
        mine && !(read && mine->type == read->type && mine->data == read->data);
    if (changed_here) continue;
    ours.set_value(value.name, value.type, value.data);
    base.set_value(value.name, value.type, value.data);
  }
  for (const auto& key : theirs.children()) {
    KeyNode* mine = ours.child(key->name());
    KeyNode* read = base.child(key->name());
    if (mine && read) take_their_changes(*mine, *read, *key);
  }
}

}  // namespace noemie::store
