#pragma once
// The pre-import command of the settings record: an external program or script the import window
// and the laboratories list run before the laboratory's tables are used.
#include <string>
#include <string_view>

namespace shell {

// How a command would be started: the line, whether through the command interpreter
// (/bin/sh -c), and whether the caller waits for it. `line` empty means nothing is started.
struct PreImportCommand {
  std::string line;
  bool throughInterpreter = false;
  bool wait = false;
};

// The command of a settings record: the trimmed command line; through the interpreter when the
// "Dos program" switch is set (a named script without the execute bit then runs as
// "/bin/sh SCRIPT ..."); waited for when "Programmet kjøres eksklusivt" is set.
PreImportCommand preImportCommand(std::string_view command, int runThroughInterpreter, int waitForIt);

// A program's path as a command line that runs it: quoted when it holds a blank or a character
// the shell or the command-line splitting would read otherwise.
std::string commandForProgram(std::string_view path);
// The program a command line names (its first word, quotes removed).
std::string commandProgram(std::string_view command);

// Reads the settings record afresh on the calling thread (opening "Lab2Siv.Tps" through the
// thread's counter when the thread has not) and starts its command; waits for it when the record
// says so. A blank command starts nothing; a command that cannot start is said in a message box
// ("Advarsel"), and the caller goes on.
void RunPreImportCommand();

}  // namespace shell
