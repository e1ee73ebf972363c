#include "platform/ui/qt/qt_run.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdio>

#include "platform/ui/api/backend.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/gui_call.h"
#include "platform/ui/qt/qt_backend.h"

namespace ui::qt {

QtRun::QtRun() {
  ui::resetProcedures();
  attachGuiThread();
  backend_ = new QtBackend;
  ui::setBackend(backend_);
}

QtRun::~QtRun() {
  if (ui::runningProcedures() > 0) {
    ui::requestShutdown();
    if (!pumpUntil([] { return ui::runningProcedures() == 0; }, 5000)) {
      std::fprintf(stderr, "lab2siv: procedures still running at the end of the run; halting them\n");
      try {
        ui::haltProgram(ui::haltCode());
      } catch (const ui::ProgramHalted&) {
        // haltProgram always unwinds its caller; here that is the GUI thread itself.
      }
      pumpUntil([] { return ui::runningProcedures() == 0; }, 5000);
    }
  }
  // Queued flushes and closes of the last procedures.
  QCoreApplication::processEvents();
  ui::setProceduresEndedHandler(nullptr);
  ui::setBackend(nullptr);
  delete backend_;
  detachGuiThread();
  ui::resetProcedures();
}

bool QtRun::start(std::function<void()> procedure, std::size_t requestedStack) {
  return ui::startProcedure(std::move(procedure), requestedStack);
}

int QtRun::exec() {
  QEventLoop loop;
  // Called on the last procedure's thread; the quit is queued behind its last GUI calls.
  ui::setProceduresEndedHandler([&loop] { guiPost([&loop] { loop.quit(); }); });
  if (ui::runningProcedures() > 0) loop.exec();
  ui::setProceduresEndedHandler(nullptr);
  QCoreApplication::processEvents();
  return ui::programHalted() ? ui::haltCode() : 0;
}

bool QtRun::pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
  }
  return true;
}

int runProgram(int& argc, char** argv, std::function<void()> first, std::size_t requestedStack) {
  QApplication app(argc, argv);
  int code = 0;
  {
    QtRun run;
    if (!run.start(std::move(first), requestedStack)) {
      std::fprintf(stderr, "lab2siv: the first procedure could not be started\n");
      return 1;
    }
    code = run.exec();
  }
  return code;
}

}  // namespace ui::qt
