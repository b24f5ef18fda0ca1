#pragma once
// Some keys of another registry (the real one, on Windows), copied into memory when the store
// is made, whose changes reach that registry only once they are let through.
//
// While saves are held, every change stays in memory and the store's end drops it: a viewer
// whose start is cancelled writes nothing. Once the hold ends, the changes are passed on when
// the last open key is closed after a change (as the settings file store saves), at flush(),
// and at the store's end. Only what this store created or changed since it last passed its
// changes on is written, value by value, so a value that another program stored meanwhile is
// left alone unless this store changed it too (the later write wins).

#include <span>
#include <string_view>

#include "core/store/tree_registry.h"

namespace noemie::store {

class HeldRegistry final : public TreeRegistry {
 public:
  // Copies each key of `keys` (paths under HKEY_CURRENT_USER; "" is all of it) of `target`,
  // which must outlive the store. Saves start held.
  HeldRegistry(Registry& target, std::span<const std::string_view> keys);
  // Passes pending changes on, unless saves are held.
  ~HeldRegistry() override;

  HeldRegistry(const HeldRegistry&) = delete;
  HeldRegistry& operator=(const HeldRegistry&) = delete;

  void hold_saves(bool held) { saves_held_ = held; }
  bool saves_held() const { return saves_held_; }

  // Passes every pending change on now, held or not. True when `target` took them all.
  bool flush();

 protected:
  bool keep_changes() override;

 private:
  bool pass_on();

  Registry& target_;
  // The keys as `target` holds them, as far as this store knows: what changes are measured
  // against.
  KeyNode passed_{"HKEY_CURRENT_USER"};
  bool saves_held_ = true;
};

}  // namespace noemie::store
