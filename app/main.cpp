// Program entry: --headless --script FILE --transcript FILE runs the program with the scripted
// user of the headless backend; otherwise it opens its windows with the Qt backend.
#include <iostream>
#include <string>

#include "data/thread_state.h"
#include "import/window/register.h"
#include "maintenance/register.h"
#include "platform/report/report.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/headless/session.h"
#ifdef LAB2SIV_WITH_QT
#include "platform/ui/qt/qt_run.h"
#endif
#include "shell/main.h"
#include "shell/procedures.h"

int main(int argc, char** argv) {
  // The windows the frame starts by name.
  maintenance::registerProcedures();
  // The log viewer's Print goes through the report engine.
  report::installLinePrinter("Import.pdf");
  import::registerImportWindow();
  ui::headless::ScriptedOptions scripted;
  if (ui::headless::parseScriptedOptions(argc, argv, scripted)) {
    if (!scripted.error.empty()) {
      std::cerr << "lab2siv: " << scripted.error << "\n";
      return 2;
    }
    // Reports paint also without windows: an offscreen Qt application on this main thread.
    report::Painting painting(argc, argv);
    // `start NAME "LAB"` in a script calls a registered procedure on a thread of its own with
    // that laboratory in the thread's MapLab buffer, as the laboratory windows leave it.
    ui::headless::setStartHandler([](const std::string& name, const std::string& lab) {
      if (!shell::procedure(name)) return false;
      return ui::startProcedure([name, lab] {
        data::thr().LAB = lab;
        data::thr().MapLab.rec.LAB = lab;
        shell::callProcedure(name);
      });
    });
    return ui::headless::runScripted(scripted.script, scripted.transcript, [] { shell::Main(); });
  }
#ifdef LAB2SIV_WITH_QT
  return ui::qt::runProgram(argc, argv, [] { shell::Main(); });
#else
  std::cerr << "lab2siv: built without windows; run it with --headless --script FILE "
               "--transcript FILE\n";
  return 2;
#endif
}
