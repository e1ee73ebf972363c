#include "import/window/sample_dates.h"

#include <mutex>

namespace import {

namespace {
std::mutex lock;
SampleDates dates;
}  // namespace

SampleDates sampleDates() {
  std::lock_guard g(lock);
  return dates;
}

void setSampleDates(const SampleDates& d) {
  std::lock_guard g(lock);
  dates = d;
}

}  // namespace import
