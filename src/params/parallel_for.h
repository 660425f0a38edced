// Worker threads for the per-position work of the parameter layer (the decoders of a type switch,
// the rows of the table): the positions are split into consecutive runs, one per thread, and each
// run writes only what belongs to its own positions, so no result depends on the thread count.
#pragma once

#include <functional>

namespace corvel {

// Lists shorter than this are done on the calling thread: starting threads would cost more.
inline constexpr int kParallelMinPositions = 1024;

// The thread count for later calls: 0 (the default) for the machine's hardware threads, at most 8;
// anything else is used as given (for tests).
void SetWorkerThreads(int threads);

// How many runs `positions` list positions are split into: 1 below kParallelMinPositions.
int ThreadsFor(int positions);

// Calls run(begin, end, part) for `parts` consecutive runs of 0..positions-1, the first on the
// calling thread and the others on threads of their own; returns when all are done. Run `part`
// covers [positions * part / parts, positions * (part + 1) / parts).
void ForEachPart(int positions, int parts, const std::function<void(int, int, int)>& run);

}  // namespace corvel
