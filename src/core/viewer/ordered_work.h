#pragma once
// Work shared among the processor's cores whose results are taken one by one, in order, on
// the caller's thread: the fill reads and parses files on every core, and lists them, and
// reports their faults, in the order of a fill that reads them one after the other.

#include <cstddef>
#include <functional>

namespace noemie::viewer {

// Threads worth using for a fill: the processor's cores (at least 1, at most 16), or `asked`
// when it is above 0.
unsigned work_threads(unsigned asked = 0);

// Calls produce(i, worker) for every i in [0, count), on `threads` threads (the caller's among
// them; `worker` is 0 to threads - 1 and tells which thread it is, so that each may keep
// buffers of its own), and consume(i) on the caller's thread for i = 0, 1, 2 ..., each as
// soon as produce(i) is done. produce must be safe to run for different i at the same time.
// With a `window` above 0, produce(i) starts only once consume has taken in every index up to
// i - window (so that at most `window` results wait at a time). A thread takes `batch`
// consecutive indexes at a time (at most `window` of them) and hands them over together:
// fewer locks and wake-ups where each index is little work (they cost much under some
// systems). An exception from produce(i) is thrown again where consume(i) would have been
// called; one from consume stops the work. Either way the other threads have stopped when it
// leaves.
void run_in_order(std::size_t count, unsigned threads,
                  const std::function<void(std::size_t index, unsigned worker)>& produce,
                  const std::function<void(std::size_t index)>& consume, std::size_t window = 0,
                  std::size_t batch = 1);

}  // namespace noemie::viewer
