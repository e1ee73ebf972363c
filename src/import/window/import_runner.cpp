#include "import/window/import_runner.h"

#include <mutex>

namespace import {

namespace {
std::mutex lock;
ImportRunner runner;
}  // namespace

void setImportRunner(ImportRunner run) {
  std::lock_guard g(lock);
  runner = std::move(run);
}

ImportRunner importRunner() {
  std::lock_guard g(lock);
  return runner;
}

}  // namespace import
