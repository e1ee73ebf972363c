#pragma once
// One headless run: installs the headless backend, starts the program's first procedure,
// lets the robot play the user and ends the run so that no thread is left behind.
// Used by tests in-process and by the program's --headless --script option.
#include <cstddef>
#include <functional>
#include <istream>
#include <memory>
#include <string>

#include "platform/ui/headless/headless_backend.h"
#include "platform/ui/headless/headless_driver.h"
#include "platform/ui/headless/robot.h"
#include "platform/ui/headless/transcript.h"

namespace ui::headless {

// Exit code of a run that failed (a robot action failed, a box was left unanswered, the
// program hung). A run that ends normally gives 0, a halted program its halt code.
inline constexpr int kRunFailed = 2;

class Session {
 public:
  // Resets the layer's process-wide state and installs the backend. One session at a time.
  Session();
  ~Session();  // finish() when not done yet; uninstalls the backend
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Mirrors the transcript into a file as it is written.
  bool transcriptFile(const std::string& path) { return transcript_.openFile(path); }
  bool start(std::function<void()> procedure, std::size_t requestedStack = 0);

  // Ends the run: waits until idle (a box still waiting fails the run), queues a close to
  // every window still open and waits until every procedure has ended (their closing steps
  // run; a box they show must have been answered). A failed run is ended by halting every
  // procedure. Writes "end CODE" and returns the exit code.
  int finish();

  Robot& robot() { return *robot_; }
  HeadlessBackend& backend() { return *backend_; }
  Transcript& transcript() { return transcript_; }
  std::string text() const { return transcript_.text(); }

 private:
  Transcript transcript_;
  std::unique_ptr<HeadlessBackend> backend_;
  std::unique_ptr<HeadlessDriver> driver_;
  std::unique_ptr<Robot> robot_;
  bool finished_ = false;
  int exitCode_ = 0;
};

// Plays script lines (format in docs/script-format.md) with `robot` until one fails or the
// script ends; says in the transcript how many lines were left when the program ended first.
void playScript(Robot& robot, Transcript& transcript, std::istream& script);
// The script's end, as the user leaves: waits for a program that ended itself, else closes
// every window still open and waits until every procedure has ended (nothing after a failure).
void endScript(Robot& robot);
// playScript with the session's robot, then finish(). Returns the exit code.
int runScript(Session& session, std::istream& script);
// A failed run (code kRunFailed) also says why on stderr, whichever way the transcript goes.
int reportFailure(const Transcript& transcript, int code);

// The program's --headless --script FILE [--transcript FILE]: a session, `start` as the first
// procedure, the script, the transcript file (stdout when none is named). A failed run also
// prints its errors on stderr. Returns the process exit code.
int runScripted(const std::string& scriptPath, const std::string& transcriptPath, std::function<void()> start);

}  // namespace ui::headless
