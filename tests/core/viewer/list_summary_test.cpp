// The conversion the summary adds francs with, and the folding the find compares with.

#include <gtest/gtest.h>

#include <limits>

#include "core/viewer/list_summary.h"
#include "core/viewer/row_find.h"

namespace noemie::viewer {
namespace {

TEST(ListSummary, FrancsBecomeEuroCentsRoundedHalfAwayFromZero) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  const struct {
    std::int64_t centimes;
    std::int64_t cents;
  } cases[] = {
      {0, 0},
      {655957, 100000},  // 6559.57 F is 1000 € exactly
      {10000, 1524},     // 15.2449 €
      {3, 0},            // 0.457 cents
      {4, 1},            // 0.609 cents
      {-4, -1},
      {-10000, -1524},
      {kMax, 1406094002633522595},  // no overflow on the way
      {std::numeric_limits<std::int64_t>::min(), -1406094002633522595},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(centimes_to_euro_cents(c.centimes), c.cents) << c.centimes;
  }
  EXPECT_EQ(euro_text(-5), "-0.05");
  EXPECT_EQ(cell_euro_cents("100.00F"), 1524);
  EXPECT_EQ(cell_euro_cents("12.34\x80"), 1234);
}

TEST(RowFind, LetterCaseAndAccentsAreIgnored) {
  const struct {
    const char* typed;
    const char* cell;
    bool found;
  } cases[] = {
      {"helene", "MME H\xC9L\xC8NE", true},
      {"H\xC9L\xC8NE", "helene martin", true},
      {"fran\xE7ois", "FRANCOIS", true},
      {"\x9C", "C\x8CUR", true},  // œ and Œ
      {"1234", "DUPONT J (1841234567890)", true},
      {"", "", true},
      {"helenes", "HELENE", false},
      {"e", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RowFinder(c.typed).matches(c.cell), c.found) << c.typed << " in " << c.cell;
  }
}

}  // namespace
}  // namespace noemie::viewer
