// libFuzzer entry for bank statements (OFX, CSV): any bytes give either an error and no credit,
// or credits each above zero, dated by a real day written "DD/MM/YYYY", at a line of the input.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/bank/bank_statement.h"
#include "core/bank/statement_text.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const noemie::bank::Statement statement = noemie::bank::read_statement(bytes);
  if (!statement.error.empty() && !statement.credits.empty()) {
    noemie::fuzz::fail("bank_statement", "a statement that cannot be read gives credits");
  }
  std::size_t lines = 1;
  for (const char c : bytes) lines += c == '\n' || c == '\r';
  for (const noemie::bank::BankCredit& credit : statement.credits) {
    if (credit.cents <= 0) noemie::fuzz::fail("bank_statement", "a credit of no money");
    const auto date = noemie::bank::parse_statement_date(credit.date);
    if (!date || date->day != credit.day || date->text != credit.date) {
      noemie::fuzz::fail("bank_statement", "a credit's date is not the day it says");
    }
    if (credit.line < 1 || static_cast<std::size_t>(credit.line) > lines) {
      noemie::fuzz::fail("bank_statement", "a credit outside the lines of the input");
    }
  }
  return 0;
}
