#include "imaging/filters/RowBands.h"

#include <algorithm>
#include <atomic>
#include <barrier>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

int FilterThreadCount(int requested, std::int64_t pixels) {
  if (requested > 0) return std::min(requested, 64);
  if (pixels < 256 * 1024) return 1;
  const unsigned cores = std::thread::hardware_concurrency();
  return static_cast<int>(std::clamp(cores, 1u, 8u));
}

namespace {

// The first exception raised on any thread.
class TFirstError {
 public:
  void Capture() {
    std::lock_guard<std::mutex> lock(FMutex);
    if (!FError) FError = std::current_exception();
  }
  bool Set() {
    std::lock_guard<std::mutex> lock(FMutex);
    return FError != nullptr;
  }
  void Rethrow() {
    if (FError) std::rethrow_exception(FError);
  }

 private:
  std::mutex FMutex;
  std::exception_ptr FError;
};

}  // namespace

void RunRowBands(const TRowBandJob& job) {
  const int threads = std::max(1, job.Threads);
  if (job.Height <= 0) return;
  std::vector<std::uint8_t> scratch;
  if (threads == 1) {
    scratch.resize(job.RowBytes);
    for (int y = 0; y < job.Height; ++y) {
      job.Compute(y, scratch.data());
      if (job.Commit(y, scratch.data())) return;
    }
    return;
  }

  // Strips of rows small enough to stay in the cache while they are committed.
  const std::size_t rowBytes = std::max<std::size_t>(job.RowBytes, 1);
  const int strip = static_cast<int>(
      std::clamp<std::size_t>((std::size_t{1} << 20) / rowBytes, std::size_t(threads) * 2, 512));
  scratch.resize(static_cast<std::size_t>(strip) * job.RowBytes);

  std::atomic<int> next{0};
  int stripStart = 0;
  int stripEnd = 0;
  bool stop = false;
  TFirstError error;
  std::barrier sync(threads);

  auto computeStrip = [&] {
    for (;;) {
      const int y = next.fetch_add(1, std::memory_order_relaxed);
      if (y >= stripEnd) return;
      try {
        job.Compute(y, scratch.data() + static_cast<std::size_t>(y - stripStart) * job.RowBytes);
      } catch (...) {
        error.Capture();
      }
    }
  };
  std::vector<std::thread> pool;
  // Workers wait for a strip, compute their share of it, and wait for the others.
  auto worker = [&] {
    for (;;) {
      sync.arrive_and_wait();
      if (stop) return;
      computeStrip();
      sync.arrive_and_wait();
    }
  };
  // Releases and joins the workers on every path.
  struct TJoin {
    std::vector<std::thread>& pool;
    bool& stop;
    std::barrier<>& sync;
    ~TJoin() {
      if (pool.empty()) return;
      stop = true;
      sync.arrive_and_wait();
      for (std::thread& t : pool) t.join();
    }
  };
  try {
    for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
  } catch (...) {
    // Could not start every thread: the barrier counts them all, so run on this one alone.
    stop = true;
    for (std::size_t i = pool.size(); i + 1 < static_cast<std::size_t>(threads); ++i)
      sync.arrive_and_drop();
    sync.arrive_and_wait();
    for (std::thread& t : pool) t.join();
    TRowBandJob single = job;
    single.Threads = 1;
    RunRowBands(single);
    return;
  }
  TJoin join{pool, stop, sync};
  for (int start = 0; start < job.Height; start += strip) {
    stripStart = start;
    stripEnd = std::min(job.Height, start + strip);
    next.store(start, std::memory_order_relaxed);
    sync.arrive_and_wait();
    computeStrip();
    sync.arrive_and_wait();
    if (error.Set()) break;
    for (int y = stripStart; y < stripEnd; ++y)
      if (job.Commit(y, scratch.data() + static_cast<std::size_t>(y - stripStart) * job.RowBytes))
        return;
  }
  error.Rethrow();
}

void RunRowsDirect(int height, int threads, const std::function<void(int y)>& compute) {
  threads = std::clamp(threads, 1, std::max(1, height));
  if (threads == 1) {
    for (int y = 0; y < height; ++y) compute(y);
    return;
  }
  constexpr int kChunk = 8;
  std::atomic<int> next{0};
  TFirstError error;
  auto work = [&] {
    for (;;) {
      const int first = next.fetch_add(kChunk, std::memory_order_relaxed);
      if (first >= height || error.Set()) return;
      try {
        for (int y = first; y < std::min(height, first + kChunk); ++y) compute(y);
      } catch (...) {
        error.Capture();
      }
    }
  };
  std::vector<std::thread> pool;
  try {
    for (int t = 1; t < threads; ++t) pool.emplace_back(work);
  } catch (...) {
    // Fewer threads than asked: the ones started and this one share the rows.
  }
  work();
  for (std::thread& t : pool) t.join();
  error.Rethrow();
}
