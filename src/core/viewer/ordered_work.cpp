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
  Progress(std::size_t count, std::size_t window, std::size_t batch)
      : count(count),
        window(window == 0 ? std::numeric_limits<std::size_t>::max() / 2 : window),
        limited(window > 0),
        batch(std::clamp<std::size_t>(batch, 1, this->window)),
        done(count, 0),
        errors(count) {}

  const std::size_t count;
  const std::size_t window;
  const bool limited;  // producers wait on the caller's progress
  const std::size_t batch;
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0;
  std::size_t consumed = 0;
  bool stop = false;
  std::vector<unsigned char> done;
  std::vector<std::exception_ptr> errors;
};

// Takes the next batch of indexes not yet taken and produces them; false when none is left.
// With `wait`, waits while the batch would reach a window ahead of the caller; without,
// gives up then.
bool produce_next(Progress& p, const std::function<void(std::size_t, unsigned)>& produce,
                  unsigned worker, bool wait) {
  std::size_t first = 0;
  std::size_t end = 0;
  {
    std::unique_lock lock(p.mutex);
    const auto ready = [&] {
      return p.stop || p.next >= p.count ||
             std::min(p.count, p.next + p.batch) <= p.consumed + p.window;
    };
    if (wait) {
      p.changed.wait(lock, ready);
    } else if (!ready()) {
      return false;
    }
    if (p.stop || p.next >= p.count) return false;
    first = p.next;
    end = std::min(p.count, p.next + p.batch);
    p.next = end;
  }
  std::vector<std::exception_ptr> errors;
  for (std::size_t i = first; i < end; ++i) {
    try {
      produce(i, worker);
    } catch (...) {
      errors.resize(end - first);
      errors[i - first] = std::current_exception();
    }
  }
  {
    const std::lock_guard lock(p.mutex);
    for (std::size_t i = first; i < end; ++i) {
      if (!errors.empty()) p.errors[i] = errors[i - first];
      p.done[i] = 1;
    }
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
                  const std::function<void(std::size_t)>& consume, std::size_t window,
                  std::size_t batch) {
  if (threads <= 1 || count <= 1) {
    for (std::size_t i = 0; i < count; ++i) {
      produce(i, 0);
      consume(i);
    }
    return;
  }
  Progress p(count, window, batch);
  const std::size_t batches = (count + p.batch - 1) / p.batch;
  Helpers helpers(p);
  helpers.start(static_cast<unsigned>(std::min<std::size_t>(threads - 1, batches - 1)),
                [&](unsigned worker) {
                  while (produce_next(p, produce, worker, true)) {
                  }
                });
  // Indexes [k, ready) are done: taken in without a lock.
  std::size_t ready = 0;
  for (std::size_t k = 0; k < count; ++k) {
    while (k == ready) {
      {
        std::unique_lock lock(p.mutex);
        while (ready < count && p.done[ready]) ++ready;
        if (k < ready) break;
      }
      // While index k is still being made, the caller's thread makes the next ones.
      if (produce_next(p, produce, 0, false)) continue;
      std::unique_lock lock(p.mutex);
      p.changed.wait(lock, [&] { return p.done[k] != 0; });
    }
    if (p.errors[k]) std::rethrow_exception(p.errors[k]);
    consume(k);
    if (p.limited) {
      {
        const std::lock_guard lock(p.mutex);
        p.consumed = k + 1;
      }
      p.changed.notify_all();
    }
  }
}

}  // namespace noemie::viewer
