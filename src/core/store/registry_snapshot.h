#pragma once
// A copy of registry keys in memory: what the headless export reads its settings from on
// Windows (so that nothing a run changes reaches the real registry), and what tests compare.

#include <string_view>

#include "core/store/key_tree.h"
#include "core/store/registry.h"

namespace noemie::store {

// Copies key `path` of `source` (a path under HKEY_CURRENT_USER), its values and all its
// sub-keys, into `current_user` at the same path, over what is there. Enumeration takes every
// name and every value, whatever its length. False, and nothing copied, when the key cannot
// be opened.
bool copy_key_into_tree(Registry& source, std::string_view path, KeyNode& current_user);

}  // namespace noemie::store
