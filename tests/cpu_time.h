#pragma once
// The CPU time the whole test process has used, every thread counted: what a program at rest
// must not spend.
#include <time.h>

namespace l2stest {

inline double processCpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

}  // namespace l2stest
