// TThumbnailPool: builds thumbnail cells on a few worker threads (at most the number of
// cores). Work is a list of file names of one folder, taken in order except for names moved
// to the front (the items the user sees, nearest first). Every finished cell goes to the
// result handler on the worker's thread with the order number it was asked for, keyed by its
// path; a new order or a stop drops what is still queued, so a result can always be matched
// to its file and stale ones recognised by their order.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "thumbs/core/ThumbnailMaker.h"

struct TThumbnailJob {
  std::uint64_t Order = 0;
  std::string Path;
  int Side = 64;
  TRGB Background = 0;
};

class TThumbnailPool {
 public:
  // Receives the job and its cell (Cell null when making it failed); called on a worker.
  using TResultHandler = std::function<void(const TThumbnailJob& job, TThumbnailCell cell)>;

  // `threads` 0 means the number of cores; never more than that.
  TThumbnailPool(const TThumbnailMaker& maker, TResultHandler onResult, int threads = 0);
  ~TThumbnailPool();
  TThumbnailPool(const TThumbnailPool&) = delete;
  TThumbnailPool& operator=(const TThumbnailPool&) = delete;

  // Replaces the queue by the paths of a new order.
  void Start(std::uint64_t order, const std::vector<std::string>& paths, int side,
             TRGB background);
  // Moves the queued paths among these to the front, in the given order.
  void Prioritize(const std::vector<std::string>& paths);
  // Empties the queue and waits until no worker is making a cell; nothing of the current
  // order is reported afterwards.
  void Stop();
  // True when nothing is queued or being made.
  bool Idle() const;
  int Threads() const { return static_cast<int>(FWorkers.size()); }
  std::uint64_t Order() const { return FOrder.load(); }

 private:
  void Work();

  const TThumbnailMaker& FMaker;
  TResultHandler FOnResult;
  mutable std::mutex FLock;
  std::condition_variable FWake;
  std::condition_variable FIdle;
  std::deque<std::string> FQueue;
  std::unordered_set<std::string> FQueued;
  TThumbnailJob FTemplate;  // order, side and background of the queued paths
  std::atomic<std::uint64_t> FOrder{0};
  std::atomic<std::uint64_t> FStoppedOrder{0};
  int FBusy = 0;
  bool FQuit = false;
  std::vector<std::thread> FWorkers;
};
