#pragma once
// Registry trees compared whatever order their store enumerates them in (the real registry
// promises none; Wine's gives names in sorted order).

#include "core/store/key_tree.h"

namespace noemie::testing {

// A copy of `node`, named alike, with its values and sub-keys (all the way down) in name order.
store::KeyNode in_name_order(const store::KeyNode& node);

}  // namespace noemie::testing
