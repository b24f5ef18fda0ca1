#include "core/viewer/ordered_work.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <limits>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace noemie::viewer {
namespace {

constexpr unsigned kMaxThreads = 16;

// What the threads share, all under `mutex`: the next index to take, how many the caller has
// taken in, and which are done.
struct Progress {
  Progress(std::size_t count, std::size_t window)
      : count(count), window(window), done(count, 0), errors(count) {}

  const std::size_t count;
  const std::size_t window;
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0;
  std::size_t consumed = 0;
  bool stop = false;
  std::vector<unsigned char> done;
  std::vector<std::exception_ptr> errors;
};

// Takes the next index not yet taken and produces it; false when none is left. With `wait`,
// waits while the next index lies a window ahead of the caller's; without, gives up then.
bool produce_next(Progress& p, const std::function<void(std::size_t, unsigned)>& produce,
                  unsigned worker, bool wait) {
  std::size_t i = 0;
  {
    std::unique_lock lock(p.mutex);
    const auto ready = [&] {
      return p.stop || p.next >= p.count || p.next < p.consumed + p.window;
    };
    if (wait) {
      p.changed.wait(lock, ready);
    } else if (!ready()) {
      return false;
    }
    if (p.stop || p.next >= p.count) return false;
    i = p.next++;
  }
  std::exception_ptr error;
  try {
    produce(i, worker);
  } catch (...) {
    error = std::current_exception();
  }
  {
    const std::lock_guard lock(p.mutex);
    p.errors[i] = error;
    p.done[i] = 1;
  }
  p.changed.notify_all();
  return true;
}

// Stops and joins the helper threads when the caller leaves, whatever the way.
class Helpers {
 public:
  explicit Helpers(Progress& progress) : progress_(progress) {}
  ~Helpers() {
    {
      const std::lock_guard lock(progress_.mutex);
      progress_.stop = true;
    }
    progress_.changed.notify_all();
    for (std::thread& t : threads_) t.join();
  }
  Helpers(const Helpers&) = delete;
  Helpers& operator=(const Helpers&) = delete;

  void start(unsigned count, const std::function<void(unsigned)>& body) {
    for (unsigned w = 1; w <= count; ++w) {
      try {
        threads_.emplace_back(body, w);
      } catch (const std::system_error&) {
        return;  // fewer threads: the caller's still does the work
      }
    }
  }

 private:
  Progress& progress_;
  std::vector<std::thread> threads_;
};

}  // namespace

unsigned work_threads(unsigned asked) {
  if (asked > 0) return std::min(asked, kMaxThreads);
  return std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
}

void run_in_order(std::size_t count, unsigned threads,
                  const std::function<void(std::size_t, unsigned)>& produce,
                  const std::function<void(std::size_t)>& consume, std::size_t window) {
  if (threads <= 1 || count <= 1) {
    for (std::size_t i = 0; i < count; ++i) {
      produce(i, 0);
      consume(i);
    }
    return;
  }
  Progress p(count, window == 0 ? std::numeric_limits<std::size_t>::max() / 2 : window);
  Helpers helpers(p);
  helpers.start(static_cast<unsigned>(std::min<std::size_t>(threads - 1, count - 1)),
                [&](unsigned worker) {
                  while (produce_next(p, produce, worker, true)) {
                  }
                });
  for (std::size_t k = 0; k < count; ++k) {
    std::exception_ptr error;
    for (;;) {
      {
        std::unique_lock lock(p.mutex);
        if (p.done[k]) {
          error = p.errors[k];
          break;
        }
      }
      // While index k is still being made, the caller's thread makes the next one.
      if (produce_next(p, produce, 0, false)) continue;
      std::unique_lock lock(p.mutex);
      p.changed.wait(lock, [&] { return p.done[k] != 0; });
    }
    if (error) std::rethrow_exception(error);
    consume(k);
    {
      const std::lock_guard lock(p.mutex);
      p.consumed = k + 1;
    }
    p.changed.notify_all();
  }
}

}  // namespace noemie::viewer
