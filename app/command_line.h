#pragma once
// The program's command line: what to do, read from argv before anything opens a display.
#include <string>
#include <vector>

namespace app {

struct CommandLine {
  enum class Action { Windows, Scripted, Help, Version, Error };
  Action action = Action::Windows;
  std::string script, transcript;  // Scripted; an empty transcript goes to stdout
  bool headless = false;           // Scripted without windows
  std::string error;               // Error: the message for stderr
};

// Reads the options. Qt's own options (-platform NAME, -style NAME, ...) are let through for
// the window toolkit; anything else unknown is an error.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The text of --help and of --version.
std::string usage();
std::string versionText();

}  // namespace app
