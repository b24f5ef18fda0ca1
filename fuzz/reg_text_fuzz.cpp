// libFuzzer entry for the settings file reader: any bytes may be read, and whatever tree was
// read must be written as a file that reads back whole and as the same tree, since the store
// writes the file from that tree at its next save.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/store/reg_format.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using noemie::store::parse_reg_text;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const noemie::store::RegParseResult read = parse_reg_text(text);
  if (read.ok() != (read.first_bad_line == 0)) {
    noemie::fuzz::fail("reg_text", "bad line count and first bad line disagree");
  }
  const noemie::store::RegParseResult again =
      parse_reg_text(noemie::store::to_reg_text(read.current_user));
  if (!again.ok()) noemie::fuzz::fail("reg_text", "the written file does not read back whole");
  if (!again.current_user.same_tree(read.current_user)) {
    noemie::fuzz::fail("reg_text", "the written file reads back as another tree");
  }
  return 0;
}
