#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <mutex>

#include "tests/thumbs/ThumbsTestUtil.h"
#include "thumbs/core/ThumbnailPool.h"

using namespace thumbs_test;

namespace {

struct TCollector {
  std::mutex Lock;
  std::vector<TThumbnailJob> Jobs;
  std::map<std::string, TThumbSize> Sizes;
  void operator()(const TThumbnailJob& job, TThumbnailCell cell) {
    std::lock_guard<std::mutex> hold(Lock);
    Jobs.push_back(job);
    Sizes[job.Path] = cell.Thumb;
  }
  std::size_t Count() {
    std::lock_guard<std::mutex> hold(Lock);
    return Jobs.size();
  }
};

bool WaitIdle(TThumbnailPool& pool) {
  for (int i = 0; i < 2000 && !pool.Idle(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return pool.Idle();
}

std::vector<std::string> MakeFiles(const TTempFolder& dir, int count, int scale = 1) {
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i)
    paths.push_back(WriteSolid(dir.Path() / ("f" + std::to_string(i) + ".bmp"),
                               (100 + i) * scale, 50 * scale, RGBColor(i, 0, 0)));
  return paths;
}

}  // namespace

TEST(ThumbnailPool, EveryFileOnceWithItsOwnCellKeyedByPath) {
  TTempFolder dir;
  const auto paths = MakeFiles(dir, 24);
  const TThumbnailMaker maker;
  TCollector got;
  TThumbnailPool pool(maker, std::ref(got), 8);
  EXPECT_LE(pool.Threads(), std::max(1u, std::thread::hardware_concurrency()));
  pool.Start(7, paths, 64, 0);
  ASSERT_TRUE(WaitIdle(pool));
  ASSERT_EQ(got.Count(), paths.size());
  for (int i = 0; i < 24; ++i) {
    EXPECT_EQ(got.Sizes[paths[i]].Width, 64);
    EXPECT_EQ(got.Sizes[paths[i]].Height, 50 * 64 / (100 + i));
  }
  for (const auto& job : got.Jobs) EXPECT_EQ(job.Order, 7u);
}

TEST(ThumbnailPool, VisibleItemsFirst) {
  TTempFolder dir;
  const auto paths = MakeFiles(dir, 40, 12);  // big enough to take a while each
  const TThumbnailMaker maker;
  TCollector got;
  TThumbnailPool pool(maker, std::ref(got), 1);
  pool.Start(1, paths, 64, 0);
  pool.Prioritize({paths[39], paths[38], paths[30]});
  const std::size_t before = got.Count();  // made before the request arrived
  ASSERT_TRUE(WaitIdle(pool));
  ASSERT_EQ(got.Count(), 40u);
  if (before >= 29) GTEST_SKIP() << "the worker finished before the request";
  // Only what was made before, and the one item the worker had taken, come before them.
  std::vector<std::string> order;
  for (const auto& j : got.Jobs) order.push_back(j.Path);
  const auto at = [&](const std::string& p) { return std::find(order.begin(), order.end(), p) - order.begin(); };
  EXPECT_LE(at(paths[39]), static_cast<long>(before) + 1);
  EXPECT_EQ(at(paths[38]), at(paths[39]) + 1);
  EXPECT_EQ(at(paths[30]), at(paths[39]) + 2);
}

TEST(ThumbnailPool, StopDropsTheRest) {
  TTempFolder dir;
  const auto paths = MakeFiles(dir, 40, 12);  // big enough that a stop comes before the end
  const TThumbnailMaker maker;

  TCollector second;
  TThumbnailPool stopping(maker, std::ref(second), 2);
  stopping.Start(2, paths, 64, 0);
  stopping.Stop();
  const std::size_t afterStop = second.Count();
  EXPECT_TRUE(stopping.Idle());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(second.Count(), afterStop);
  EXPECT_LT(afterStop, 40u);
  // A new order after the stop runs in full.
  stopping.Start(3, {paths[0], paths[1]}, 80, 0);
  ASSERT_TRUE(WaitIdle(stopping));
  EXPECT_EQ(second.Count(), afterStop + 2);
  EXPECT_EQ(second.Jobs.back().Order, 3u);
  EXPECT_EQ(second.Jobs.back().Side, 80);
}
