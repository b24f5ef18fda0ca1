// libFuzzer entry for the fund directory "caisses.dat": the numbers that begin each of the
// first lines of the input are looked up, so that lookups find lines. A name found is at most
// 259 characters, lies on one line, and follows its key in the directory.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/decode/fund_directory.h"
#include "fuzz_check.h"

namespace {

// The number at the start of `text` (after blanks), as strtol reads it; `text` moves past it.
int leading_number(std::string_view& text) {
  const std::string copy(text.substr(0, 24));
  char* end = nullptr;
  const long n = std::strtol(copy.c_str(), &end, 10);
  text.remove_prefix(static_cast<std::size_t>(end - copy.c_str()));
  return n < -1'000'000 || n > 1'000'000 ? 0 : static_cast<int>(n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using noemie::decode::nom_caisse_in;
  const std::string_view directory(reinterpret_cast<const char*>(data), size);
  std::string_view rest = directory;
  for (int line = 0; line < 8 && !rest.empty(); ++line) {
    std::string_view numbers = rest;
    const int regime = leading_number(numbers);
    const int caisse = leading_number(numbers);
    const int centre = leading_number(numbers);
    const std::string name = nom_caisse_in(directory, regime, caisse, centre);
    if (name.size() > noemie::decode::kFundNameMaxChars) {
      noemie::fuzz::fail("fund_directory", "name longer than 259 characters");
    }
    if (name.find_first_of(std::string_view("\n\0", 2)) != std::string::npos) {
      noemie::fuzz::fail("fund_directory", "name runs past its line");
    }
    const std::string key = std::to_string(regime) + ' ' + std::to_string(caisse) + ' ' +
                            std::to_string(centre) + ' ' + name;
    if (!name.empty() && directory.find(key) == std::string_view::npos) {
      noemie::fuzz::fail("fund_directory", "name does not follow its key");
    }
    const std::size_t next = rest.find('\n');
    rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
  }
  return 0;
}
