// Runs a piece of work on a thread with a small stack, so that anything that recursed with
// the depth of a tree would crash instead of passing by luck on the main thread's 8 MiB.
#pragma once

#include <cstddef>
#include <functional>

inline constexpr std::size_t kSmallStackBytes = 256 * 1024;

// Returns when `work` has finished. Keep test assertions out of `work`: record, then check.
void RunOnSmallStack(const std::function<void()>& work, std::size_t stackBytes = kSmallStackBytes);
