#pragma once
// A run of the program under Qt: the calling thread is the GUI thread and runs only the event
// loop; procedures run on their own threads. The loop ends once every procedure has ended.
#include <cstddef>
#include <functional>

namespace ui::qt {

class QtBackend;

class QtRun {
 public:
  // A QApplication must exist. Resets the layer, attaches the GUI thread, installs the backend.
  QtRun();
  // Ends procedures still running (a shutdown, then a halt), uninstalls the backend; a window
  // operation after this fails loudly.
  ~QtRun();
  QtRun(const QtRun&) = delete;
  QtRun& operator=(const QtRun&) = delete;

  bool start(std::function<void()> procedure, std::size_t requestedStack = 0);
  // Runs the event loop until every procedure has ended; returns the halt code, else 0.
  int exec();
  // Processes GUI events until `done` holds or `timeoutMs` passes (tests). True when done.
  bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
  QtBackend& backend() { return *backend_; }

 private:
  QtBackend* backend_;
};

// The program's entry under Qt: makes the application, runs `first` as the first procedure
// and returns the exit code when the last procedure has ended.
int runProgram(int& argc, char** argv, std::function<void()> first, std::size_t requestedStack = 0);

}  // namespace ui::qt
