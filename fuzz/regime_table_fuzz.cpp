// libFuzzer entry for the regime table "caisses.qvc": any bytes give a table whose every
// entry is a pair of texts inside it, without NUL, that names at most the regimes 1 to 99.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/decode/regime_table.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto table = noemie::decode::RegimeTable::from_text(text);
  if (!table.loaded()) noemie::fuzz::fail("regime_table", "a table read from bytes is not loaded");
  for (int regime = -1; regime <= 101; ++regime) {
    const auto entry = table.entry(regime);
    if (!entry) continue;
    if (regime < 1 || regime > 99) noemie::fuzz::fail("regime_table", "entry outside 1 to 99");
    // Both texts are read through, so that the address checker sees every byte.
    for (const std::string_view t : {entry->text_a, entry->text_b}) {
      if (t.find('\0') != std::string_view::npos) {
        noemie::fuzz::fail("regime_table", "an entry text holds a NUL");
      }
      if (t.size() > noemie::decode::kRegimeFileReadBytes) {
        noemie::fuzz::fail("regime_table", "an entry text is longer than what is read");
      }
    }
  }
  return 0;
}
