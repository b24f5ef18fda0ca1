// libFuzzer entry for the flag file "RSPstate.dat" and its store: the input is a flag file
// and a run of steps (lookups, steps and sets of states, another program writing the file);
// the store takes the file, the steps, and makes the file a save writes (the file reading and
// writing around these, locks included, are the unit tests' and the kill test's). Every state
// it shows, and the file it makes, must be those of a plain model: the file as it is at the
// save, grown to every file number looked up, with this run's states written over it.
//
// Input: one byte L, then L bytes of flag file, then steps of two bytes (operation, number).

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "core/platform/recording_dialogs.h"
#include "core/store/flag_store.h"
#include "core/store/tree_registry.h"
#include "fuzz_check.h"

namespace {

using noemie::store::FlagStore;

[[noreturn]] void fail(const std::string& what) {
  noemie::fuzz::fail("flag_file", what);
}

// The model of the store.
struct Model {
  std::string loaded;  // the states loaded (one state 0 for a file of at most one byte)
  std::size_t count;   // number of stored states
  std::map<std::uint64_t, std::uint8_t> changes;
  std::set<std::uint64_t> repaired;  // bad states looked up: 0 in memory, not a change

  // The state byte in memory, which may be outside 0 to 3 until looked up.
  int state(std::uint64_t n) const {
    if (const auto it = changes.find(n); it != changes.end()) return it->second;
    if (repaired.contains(n) || n >= loaded.size()) return 0;
    return static_cast<unsigned char>(loaded[n]);
  }
  void look_up(std::uint64_t n) {
    if (n <= noemie::store::kMaxStoredFileNumber && n >= count) count = n + 1;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t length = std::min<std::size_t>(data[0], size - 1);
  std::string disk(reinterpret_cast<const char*>(data + 1), length);

  noemie::store::MemoryRegistry registry;
  noemie::platform::RecordingDialogs dialogs;
  noemie::store::Config config;
  FlagStore store(registry, dialogs);
  store.take_flag_file({.bytes = disk, .missing = false, .error = {}}, config);
  Model model{
      disk.size() > 1 ? disk : std::string(1, '\0'), disk.size() > 1 ? disk.size() : 1, {}, {}};
  if (store.lg_info_traite() != static_cast<std::int32_t>(model.count)) fail("count after load");

  std::map<std::uint64_t, std::uint8_t> unstored;
  for (std::size_t at = 1 + length; at + 1 < size; at += 2) {
    const std::uint8_t op = data[at];
    // Numbers past the stored ones sometimes, to reach the states kept for this run only.
    const std::uint64_t n =
        (op & 0x40) != 0 ? noemie::store::kMaxStoredFileNumber + 1 + data[at + 1] : data[at + 1];
    const bool stored = n <= noemie::store::kMaxStoredFileNumber;
    const int expected = stored ? model.state(n) : unstored[n];
    switch (op & 3) {
      case 0: {
        model.look_up(n);
        const int icon = store.rsp_traite(std::to_string(n) + ".RSP");
        if (icon != noemie::store::kStateIconBase + (expected > 3 ? 0 : expected)) {
          fail("icon of a lookup");
        }
        if (stored && expected > 3) model.repaired.insert(n);
        break;
      }
      case 1: {
        model.look_up(n);
        const int next = expected + 1 > 3 ? 0 : expected + 1;
        if (store.rsp_traite_set(n) != next) fail("stepped state");
        (stored ? model.changes[n] : unstored[n]) = static_cast<std::uint8_t>(next);
        break;
      }
      case 2: {
        model.look_up(n);
        const int state = (op >> 2) & 3;
        if (store.rsp_traite_set_(n, state) != state) fail("set state");
        (stored ? model.changes[n] : unstored[n]) = static_cast<std::uint8_t>(state);
        break;
      }
      case 3:  // another program writes the file meanwhile
        if (n < disk.size() + 8) {
          if (n >= disk.size()) disk.resize(n + 1, '\0');
          disk[n] = static_cast<char>(op >> 2);
        }
        break;
    }
  }

  std::string expected = disk;
  if (!model.changes.empty()) {
    if (expected.size() < model.count) expected.resize(model.count, '\0');
    for (const auto& [n, state] : model.changes) {
      if (n >= expected.size()) expected.resize(n + 1, '\0');
      expected[n] = static_cast<char>(state);
    }
  }
  if (store.has_changes() == model.changes.empty()) fail("whether there is anything to save");
  if (store.has_changes() && store.with_changes(disk) != expected) fail("flag file of the save");
  return 0;
}
