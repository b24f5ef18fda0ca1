// Refilling the list again and again must not grow the memory the program holds. This test
// program counts the bytes every operator new hands out and every delete gives back.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "core/viewer/random_returns.h"
#include "viewer_fixture.h"

namespace {

std::atomic<long long> live_bytes{0};
// Room in front of every block for its size, keeping the malloc alignment.
constexpr std::size_t kHeader = 16;

void* counted_new(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  live_bytes += static_cast<long long>(size);
  return static_cast<char*>(block) + kHeader;
}

void counted_delete(void* p) noexcept {
  if (!p) return;
  char* block = static_cast<char*>(p) - kHeader;
  live_bytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
  return counted_new(size);
}
void* operator new[](std::size_t size) {
  return counted_new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return counted_new(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept {
  return operator new(size, nothrow);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  counted_delete(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  counted_delete(p);
}
void operator delete(void* p) noexcept {
  counted_delete(p);
}
void operator delete[](void* p) noexcept {
  counted_delete(p);
}
void operator delete(void* p, std::size_t) noexcept {
  counted_delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  counted_delete(p);
}

namespace noemie::viewer {
namespace {

// Counts faults without keeping them, so that the reporter holds no memory of its own.
class CountingReporter final : public FaultReporter {
 public:
  int count = 0;
  void report(const FaultReport&) override { ++count; }
};

TEST(RefillMemory, ManyFillsHoldNoMoreThanOne) {
  testing::ViewerFixture f;
  std::mt19937 rng(7);
  for (int i = 0; i < 40; ++i) {
    f.put(std::to_string(i) + ".RSP", testing::random_return_file(rng));
  }
  // A file without a header: reported at every fill that reads it.
  f.put("40.RSP", std::string(300, 'x'));
  CountingReporter faults;
  Viewer v(f.settings, f.flags, f.titles, faults, f.dialogs, f.clock, f.options());
  v.open();
  v.remplit_aff();
  const long long after_two = live_bytes;
  const std::size_t list_bytes = v.list().memory_bytes();
  const int rows = v.list().row_count();
  for (int i = 0; i < 60; ++i) {
    v.choose_age_filter(i % 2 == 0 ? 1 : 0);
    v.sort_colonne(i % kColumnCount);
  }
  v.choose_age_filter(0);
  const long long after_many = live_bytes;
  EXPECT_GT(rows, 40);
  EXPECT_EQ(v.list().row_count(), rows);
  // Text buffers are reused from fill to fill, so a row may hold a little more room than its
  // texts; never a list's worth more.
  EXPECT_LE(v.list().memory_bytes(), list_bytes + list_bytes / 10);
  EXPECT_LE(after_many - after_two, after_two / 10)
      << "before " << after_two << ", after " << after_many;
  EXPECT_GT(faults.count, 0);
  v.clean_items();
  EXPECT_LT(live_bytes, after_many - static_cast<long long>(list_bytes) / 2);
}

}  // namespace
}  // namespace noemie::viewer
