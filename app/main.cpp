// Program entry: reads the command line (--help, --version, [--headless] --script FILE
// [--transcript FILE]); a scripted run plays the user on the Qt windows, or with --headless
// through the headless backend; otherwise the windows open for the user.
#include <iostream>
#include <string>

#include "command_line.h"
#include "data/thread_state.h"
#include "import/window/register.h"
#include "maintenance/register.h"
#include "platform/report/report.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/headless/session.h"
#ifdef LAB2SIV_WITH_QT
#include <QApplication>

#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_script.h"
#endif
#include "shell/main.h"
#include "shell/procedures.h"

int main(int argc, char** argv) {
  const app::CommandLine cmd = app::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (cmd.action) {
    case app::CommandLine::Action::Help: std::cout << app::usage(); return 0;
    case app::CommandLine::Action::Version: std::cout << app::versionText(); return 0;
    case app::CommandLine::Action::Error:
      std::cerr << "lab2siv: " << cmd.error << "\nTry 'lab2siv --help'.\n";
      return 2;
    default: break;
  }
  // The windows the frame starts by name.
  maintenance::registerProcedures();
  // The log viewer's Print goes through the report engine.
  report::installLinePrinter("Import.pdf");
  import::registerImportWindow();
  if (cmd.action == app::CommandLine::Action::Scripted) {
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
#ifdef LAB2SIV_WITH_QT
    if (!cmd.headless) {
      QApplication app(argc, argv);
      report::Painting painting(argc, argv);  // the reports paint in this application
      return ui::qt::runScripted(cmd.script, cmd.transcript, [] { shell::Main(); });
    }
#endif
    // Reports paint also without windows: an offscreen Qt application on this main thread.
    report::Painting painting(argc, argv);
    return ui::headless::runScripted(cmd.script, cmd.transcript, [] { shell::Main(); });
  }
#ifdef LAB2SIV_WITH_QT
  return ui::qt::runProgram(argc, argv, [] { shell::Main(); });
#else
  std::cerr << "lab2siv: built without windows; run it with --headless --script FILE\n";
  return 2;
#endif
}
