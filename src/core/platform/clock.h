#pragma once
// The system time, as the age filters and file dates use it: a file time, that is a count of
// 100-nanosecond units since 1601-01-01 UTC.

#include <chrono>
#include <cstdint>

namespace noemie::platform {

// 100-nanosecond units between 1601-01-01 and 1970-01-01.
inline constexpr std::int64_t kFileTimeUnixEpoch = 116444736000000000LL;
inline constexpr std::int64_t kFileTimeUnitsPerSecond = 10000000LL;

// A system_clock instant as a file time.
constexpr std::int64_t to_file_time(std::chrono::system_clock::time_point t) {
  using Units = std::chrono::duration<std::int64_t, std::ratio<1, kFileTimeUnitsPerSecond>>;
  return std::chrono::duration_cast<Units>(t.time_since_epoch()).count() + kFileTimeUnixEpoch;
}

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t now_file_time() const = 0;
};

class SystemClock final : public Clock {
 public:
  std::int64_t now_file_time() const override {
    return to_file_time(std::chrono::system_clock::now());
  }
};

// A clock that says what it is told; for tests.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(std::int64_t t) : t_(t) {}
  std::int64_t now_file_time() const override { return t_; }
  void set(std::int64_t t) { t_ = t; }

 private:
  std::int64_t t_;
};

}  // namespace noemie::platform
