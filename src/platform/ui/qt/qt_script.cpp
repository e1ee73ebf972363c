#include "platform/ui/qt/qt_script.h"

#include <QApplication>
#include <QEventLoop>
#include <atomic>
#include <fstream>
#include <iostream>
#include <thread>

#include "platform/ui/api/procedure.h"
#include "platform/ui/headless/robot.h"
#include "platform/ui/headless/session.h"
#include "platform/ui/qt/gui_call.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_driver.h"
#include "platform/ui/qt/qt_run.h"

namespace ui::qt {

using ui::headless::kRunFailed;

int finishScripted(ui::headless::Robot& r, ui::headless::Transcript& t, std::atomic<bool>& quietHalt) {
  ui::headless::endScript(r);
  int code = 0;
  if (r.failed() || ui::runningProcedures() > 0) {
    quietHalt = true;
    try {
      ui::haltProgram(kRunFailed);
    } catch (const ui::ProgramHalted&) {
      // Expected: haltProgram always unwinds its caller.
    }
    if (!r.waitEndedQuietly()) t.add("error: a procedure did not end");
    code = kRunFailed;
  } else {
    code = ui::programHalted() ? ui::haltCode() : 0;
  }
  t.add("end " + std::to_string(code));
  return code;
}

int runScripted(const std::string& scriptPath, const std::string& transcriptPath, std::function<void()> start) {
  ui::headless::Transcript transcript;
  if (transcriptPath.empty()) {
    transcript.mirrorTo(std::cout);
  } else if (!transcript.openFile(transcriptPath)) {
    std::cerr << "lab2siv: cannot write the transcript " << ui::headless::quote(transcriptPath) << "\n";
    return kRunFailed;
  }
  int code = kRunFailed;
  {
    QtRun run;
    std::atomic<bool> quietHalt{false};
    // A halt that ends a failed run is not the program's own: no "halt" line.
    run.backend().setRecorder([&](std::string line) {
      if (quietHalt && line.rfind("halt ", 0) == 0) return;
      transcript.add(std::move(line));
    });
    QtDriver driver(run.backend(), transcript);
    ui::headless::Robot robot(driver);
    std::ifstream script(scriptPath);
    if (!script)
      robot.fail("cannot read the script " + ui::headless::quote(scriptPath));
    else if (!run.start(std::move(start)))
      robot.fail("the first procedure could not be started");
    QEventLoop loop;
    // The script waits for the GUI, so it plays on a thread of its own; the loop here ends with it.
    std::thread player([&] {
      if (!robot.failed()) ui::headless::playScript(robot, transcript, script);
      code = finishScripted(robot, transcript, quietHalt);
      guiPost([&loop] { loop.quit(); });
    });
    loop.exec();
    player.join();
    run.backend().setRecorder(nullptr);
  }
  return ui::headless::reportFailure(transcript, code);
}

}  // namespace ui::qt
