#pragma once
// Threads started with a requested stack size, as window procedures are.
#include <cstddef>
#include <functional>

namespace sys {

// The smallest stack a thread gets: C++, SQLite and the window layer do not fit in a few KB.
inline constexpr std::size_t kMinThreadStack = 8u * 1024 * 1024;

// The stack a request for `requested` bytes actually gets.
std::size_t effectiveStackSize(std::size_t requested);

// Starts fn on a new detached thread whose stack is at least `requestedStack` bytes (raised to
// kMinThreadStack). Returns false when the thread could not be started.
bool startThread(std::function<void()> fn, std::size_t requestedStack);

}  // namespace sys
