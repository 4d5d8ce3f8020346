// Rows of a picture computed on several threads. Each row is computed by exactly one thread
// from read-only data, so the result does not depend on the number of threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// Threads for a run over `pixels` pixels: `requested` when above 0, otherwise one per core (at
// most 8), and one for small pictures where starting threads costs more than it saves.
int FilterThreadCount(int requested, std::int64_t pixels);

// Computes rows 0..height-1 on `threads` threads, each row into a scratch buffer of
// `rowBytes`, and hands every row to `commit` on the calling thread in row order. When commit
// returns true no further row is handed over (rows after it are not committed). An exception
// from compute or commit ends the run and is rethrown on the calling thread.
struct TRowBandJob {
  int Height = 0;
  std::size_t RowBytes = 0;
  int Threads = 1;
  std::function<void(int y, std::uint8_t* row)> Compute;
  std::function<bool(int y, std::uint8_t* row)> Commit;
};
void RunRowBands(const TRowBandJob& job);

// Calls compute(y) for rows 0..height-1 spread over `threads` threads, in no particular order.
void RunRowsDirect(int height, int threads, const std::function<void(int y)>& compute);
