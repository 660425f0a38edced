#include "params/parallel_for.h"

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace corvel {

namespace {

// More threads than this gain little on lists of at most 9,998 positions.
constexpr int kMaxHardwareThreads = 8;

std::atomic<int> g_threads{0};

}  // namespace

void SetWorkerThreads(int threads) {
  g_threads.store(threads < 0 ? 0 : threads);
}

int ThreadsFor(int positions) {
  if (positions < kParallelMinPositions) return 1;
  int threads = g_threads.load();
  if (threads == 0) {
    const unsigned hw = std::thread::hardware_concurrency();
    threads = hw == 0 ? 1 : hw > kMaxHardwareThreads ? kMaxHardwareThreads : static_cast<int>(hw);
  }
  return threads < positions ? threads : positions;
}

void ForEachPart(int positions, int parts, const std::function<void(int, int, int)>& run) {
  if (positions <= 0) return;
  if (parts < 1) parts = 1;
  auto bound = [&](int part) { return static_cast<int>(int64_t{positions} * part / parts); };
  std::vector<std::jthread> workers;
  workers.reserve(static_cast<size_t>(parts - 1));
  for (int part = 1; part < parts; ++part)
    workers.emplace_back([&run, &bound, part] { run(bound(part), bound(part + 1), part); });
  run(bound(0), bound(1), 0);
  // The jthreads join here.
}

}  // namespace corvel
