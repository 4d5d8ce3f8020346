#include "thumbs/core/ThumbnailPool.h"

#include <algorithm>

TThumbnailPool::TThumbnailPool(const TThumbnailMaker& maker, TResultHandler onResult,
                               int threads)
    : FMaker(maker), FOnResult(std::move(onResult)) {
  const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  const int count = threads <= 0 ? cores : std::min(threads, cores);
  for (int i = 0; i < count; ++i) FWorkers.emplace_back([this] { Work(); });
}

TThumbnailPool::~TThumbnailPool() {
  {
    std::lock_guard<std::mutex> hold(FLock);
    FQuit = true;
    FQueue.clear();
    FQueued.clear();
  }
  FWake.notify_all();
  for (std::thread& t : FWorkers) t.join();
}

void TThumbnailPool::Start(std::uint64_t order, const std::vector<std::string>& paths, int side,
                           TRGB background) {
  {
    std::lock_guard<std::mutex> hold(FLock);
    FQueue.assign(paths.begin(), paths.end());
    FQueued = std::unordered_set<std::string>(paths.begin(), paths.end());
    FTemplate = TThumbnailJob{order, {}, side, background};
    FOrder = order;
  }
  FWake.notify_all();
}

void TThumbnailPool::Prioritize(const std::vector<std::string>& paths) {
  std::lock_guard<std::mutex> hold(FLock);
  std::vector<std::string> front;
  for (const std::string& p : paths)
    if (FQueued.count(p) && std::find(front.begin(), front.end(), p) == front.end())
      front.push_back(p);
  if (front.empty()) return;
  const std::unordered_set<std::string> moved(front.begin(), front.end());
  std::deque<std::string> rest;
  for (std::string& p : FQueue)
    if (!moved.count(p)) rest.push_back(std::move(p));
  FQueue.assign(front.begin(), front.end());
  FQueue.insert(FQueue.end(), rest.begin(), rest.end());
}

void TThumbnailPool::Stop() {
  std::unique_lock<std::mutex> hold(FLock);
  FQueue.clear();
  FQueued.clear();
  FStoppedOrder = FOrder.load();
  FIdle.wait(hold, [this] { return FBusy == 0; });
}

bool TThumbnailPool::Idle() const {
  std::lock_guard<std::mutex> hold(FLock);
  return FQueue.empty() && FBusy == 0;
}

void TThumbnailPool::Work() {
  std::unique_lock<std::mutex> hold(FLock);
  for (;;) {
    FWake.wait(hold, [this] { return FQuit || !FQueue.empty(); });
    if (FQuit) return;
    TThumbnailJob job = FTemplate;
    job.Path = std::move(FQueue.front());
    FQueue.pop_front();
    FQueued.erase(job.Path);
    ++FBusy;
    hold.unlock();
    TThumbnailCell cell;
    try {
      cell = FMaker.Make(job.Path, job.Side, job.Background);
    } catch (const std::exception&) {
      cell = {};
    }
    // A stop or a new order while the cell was made: the result is dropped here already.
    if (FStoppedOrder.load() != job.Order && FOrder.load() == job.Order)
      FOnResult(job, std::move(cell));
    hold.lock();
    if (--FBusy == 0) FIdle.notify_all();
  }
}
