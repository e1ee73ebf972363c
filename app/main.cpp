// Program entry: --headless --script FILE --transcript FILE runs the program with the scripted
// user of the headless backend; otherwise it opens its windows (the Qt backend).
#include <QApplication>
#include <QMainWindow>
#include <iostream>

#include "platform/ui/headless/session.h"
#include "shell/main.h"

int main(int argc, char** argv) {
  ui::headless::ScriptedOptions scripted;
  if (ui::headless::parseScriptedOptions(argc, argv, scripted)) {
    if (!scripted.error.empty()) {
      std::cerr << "lab2siv: " << scripted.error << "\n";
      return 2;
    }
    return ui::headless::runScripted(scripted.script, scripted.transcript, [] { shell::Main(); });
  }
  // Until the Qt window backend is in: an empty frame.
  QApplication app(argc, argv);
  QMainWindow frame;
  frame.setWindowTitle(QStringLiteral("Lab2Siv"));
  frame.resize(900, 600);
  frame.show();
  return QApplication::exec();
}
