#include "support/key_tree_order.h"

#include <algorithm>
#include <vector>

namespace noemie::testing {
namespace {

void copy_in_name_order(const store::KeyNode& from, store::KeyNode& into) {
  std::vector<store::RegValue> values = from.values();
  std::sort(values.begin(), values.end(),
            [](const store::RegValue& a, const store::RegValue& b) { return a.name < b.name; });
  for (const store::RegValue& v : values) into.set_value(v.name, v.type, v.data);
  std::vector<const store::KeyNode*> children;
  for (const auto& child : from.children()) children.push_back(child.get());
  std::sort(children.begin(), children.end(),
            [](const store::KeyNode* a, const store::KeyNode* b) { return a->name() < b->name(); });
  for (const store::KeyNode* child : children) {
    copy_in_name_order(*child, *into.child(child->name()));
  }
}

}  // namespace

store::KeyNode in_name_order(const store::KeyNode& node) {
  store::KeyNode sorted(node.name());
  copy_in_name_order(node, sorted);
  return sorted;
}

}  // namespace noemie::testing
