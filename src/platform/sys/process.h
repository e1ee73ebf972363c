#pragma once
// External commands, started in the current directory.
#include <string>
#include <string_view>
#include <vector>

namespace sys {

// Runs a command line. With throughInterpreter it runs as /bin/sh -c LINE; without, the line is
// split into program and arguments (blanks separate, "double" and 'single' quotes group,
// backslash escapes the next character outside single quotes, an unclosed quote runs to the
// end of the line) and the program is started directly, looked up in PATH. With wait, returns when it ends and reports
// true when it ran (whatever its exit code: the caller only asked it to run); false when it could not start, also when
// a waited shell reports the command as not found or not runnable (127, 126). A child that is not waited for is reaped
// in the background, so no zombie remains.
bool runCommand(std::string_view commandLine, bool throughInterpreter, bool wait);

// Starts `program` (looked up in PATH) with `args` as they are, never through a shell.
bool runProgram(const std::string& program, const std::vector<std::string>& args, bool wait);

// As runProgram with wait, and gives the exit code (-1 when it could not start or was killed).
int runProgramExitCode(const std::string& program, const std::vector<std::string>& args);

// The words a command line splits into (as runCommand without the interpreter splits it).
std::vector<std::string> splitCommandLine(std::string_view commandLine);

}  // namespace sys
