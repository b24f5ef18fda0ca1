// Running out of memory while reading: the file's buffer, and the growth of the entry array.
// This program replaces the global operator new so that large allocations can be made to
// fail on demand.

#include <cstdint>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "parse_helpers.h"
#include "support/return_file_builder.h"
#include "support/temp_dir.h"

// Once the replacements below are inlined, g++ sees their free() after an operator new and
// takes it for a mismatch: they are the matching pair.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
// Allocations of this many bytes or more fail while set.
std::size_t g_fail_from = SIZE_MAX;
}  // namespace

void* operator new(std::size_t n) {
  if (n >= g_fail_from) throw std::bad_alloc();
  if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
  return operator new(n);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

namespace noemie::testing {
namespace {

class FailingAllocations {
 public:
  explicit FailingAllocations(std::size_t from) { g_fail_from = from; }
  ~FailingAllocations() { g_fail_from = SIZE_MAX; }
};

TEST(AllocationFailure, EntriesReadSoFarAreKept) {
  ReturnFileBuilder b;
  for (int i = 0; i < 6; ++i) b.add(ligne_21x({.montant_amo = i}));
  const std::string bytes = b.bytes();
  RecordingReporter reporter;
  NoemieReader reader(reporter);
  ReturnRecord rec;
  {
    // The array holds 4 entries; growing it to 8 fails at the fifth line.
    const FailingAllocations fail(5 * sizeof(ReturnEntry));
    parse_exact(reader, bytes, rec, false);
  }
  EXPECT_EQ(rec.valide, 1);
  EXPECT_EQ(rec.der_entree, 3);
  ASSERT_EQ(rec.entrees.size(), 4u);
  EXPECT_EQ(rec.entrees[3].montant_amo, 3);
  ASSERT_EQ(reporter.reports.size(), 1u);
  EXPECT_EQ(reporter.reports[0].code, 1);
  EXPECT_EQ(reporter.reports[0].position, 128 + 4 * 118);  // the fifth line
  EXPECT_EQ(reporter.reports[0].start, 0);
}

TEST(AllocationFailure, NoMemoryForTheFileIsCodeOne) {
  TempDir dir;
  const auto path = dir.write("big.RSP", std::string(100000, '0'));
  RecordingReporter reporter;
  NoemieReader reader(reporter);
  ReturnRecord rec;
  {
    const FailingAllocations fail(50000);
    reader.lit_fichier_noemie(path, rec, false);
  }
  EXPECT_EQ(rec.valide, 0);
  ASSERT_EQ(reporter.reports.size(), 1u);
  EXPECT_EQ(reporter.reports[0].code, 1);
  EXPECT_EQ(reporter.reports[0].position, 0);
  EXPECT_EQ(reporter.reports[0].start, -1);
}

}  // namespace
}  // namespace noemie::testing
