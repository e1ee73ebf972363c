#include "command_line.h"

#include <array>
#include <string_view>

#include "lab2siv_version.h"

namespace app {

namespace {

// Options the Qt toolkit reads itself, with a value.
constexpr std::array<std::string_view, 7> kQtWithValue = {"-platform",   "-platformtheme", "-display",        "-style",
                                                          "-stylesheet", "-geometry",      "-qwindowgeometry"};

bool qtOption(std::string_view a, bool& takesValue) {
  for (std::string_view o : kQtWithValue) {
    if (a == o) {
      takesValue = true;
      return true;
    }
    if (a.size() > o.size() && a.substr(0, o.size()) == o && a[o.size()] == '=') return true;
  }
  return a == "-reverse";
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine out;
  bool headless = false;
  const auto fail = [&](std::string message) {
    out.action = CommandLine::Action::Error;
    out.error = std::move(message);
    return out;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    // "--name VALUE" or "--name=VALUE"; true when `a` is the option.
    const auto valued = [&](std::string_view name, std::string& into) -> bool {
      if (a == name) {
        if (i + 1 < args.size())
          into = args[++i];
        else
          out.error = std::string(name) + " needs a file name";
        return true;
      }
      if (a.size() > name.size() && a.compare(0, name.size(), name) == 0 && a[name.size()] == '=') {
        into = a.substr(name.size() + 1);
        return true;
      }
      return false;
    };
    bool qtValue = false;
    if (a == "--help" || a == "-h") {
      out.action = CommandLine::Action::Help;
      return out;
    } else if (a == "--version") {
      out.action = CommandLine::Action::Version;
      return out;
    } else if (a == "--headless") {
      headless = true;
    } else if (valued("--script", out.script) || valued("--transcript", out.transcript)) {
      if (!out.error.empty()) return fail(out.error);
    } else if (qtOption(a, qtValue)) {
      if (qtValue && ++i >= args.size()) return fail(a + " needs a value");
    } else if (!a.empty() && a[0] == '-') {
      return fail("unknown option " + a);
    } else {
      return fail("unexpected argument " + a);
    }
  }
  if (headless && out.script.empty()) return fail("--headless needs --script FILE");
  if (out.script.empty() && !out.transcript.empty()) return fail("--transcript goes with --script");
  if (!out.script.empty()) {
    out.action = CommandLine::Action::Scripted;
    out.headless = headless;
  }
  return out;
}

std::string versionText() { return std::string("lab2siv ") + lab2siv::kVersion + " (" + lab2siv::kVersionDate + ")\n"; }

std::string usage() {
  return R"(Usage: lab2siv [OPTION]...
Imports laboratory results (dBase/FoxPro exports) into the wastewater-plant registry.

  --script FILE [--transcript FILE]
                     the user played by the script FILE (verbs in docs/script-format.md)
                     on the real windows, through Qt's own key, mouse and wheel events;
                     the transcript goes to FILE, else to stdout. Exit code 0 (or the
                     program's own), 2 when the script fails.
  --headless         with --script: the same run without windows (no display needed)
  --help             print this text and exit
  --version          print the version and exit
  Qt's window options (-platform NAME, -display DISPLAY, -style NAME, ...) are passed on.

Where it keeps its files:
  current directory  the program's own files (Lab2Siv.Tps, Labuser.tps) and the dataset list
                     Datasett.tps: start the program in its working directory
  settings file      Siv2000.ini (section [Datasett] names the dataset, [PROVEX] the choices)
                     in $LAB2SIV_SYSTEM_DIR, else $XDG_CONFIG_HOME, else ~/.config
  data directory     the registry's files, the directory that Datasett.tps gives for the
                     chosen dataset (chosen in the settings window); when it is blank they
                     go to $LAB2SIV_DRIVE_ROOT, else $XDG_DATA_HOME/lab2siv, else
                     ~/.local/share/lab2siv

Environment:
  LAB2SIV_SYSTEM_DIR   directory of Siv2000.ini
  XDG_CONFIG_HOME      directory of Siv2000.ini when LAB2SIV_SYSTEM_DIR is not set
  LAB2SIV_DRIVE_ROOT   where names that begin with "\" resolve and a blank data directory's
                       files go (default $XDG_DATA_HOME/lab2siv, else ~/.local/share/lab2siv)
  XDG_DATA_HOME        holds lab2siv/ when LAB2SIV_DRIVE_ROOT is not set
  LAB2SIV_ICONS        directory searched for the windows' icon files
  VISUAL, EDITOR       the editor for batch files from the settings window
  QT_QPA_PLATFORM      Qt's window platform (offscreen, xcb, wayland)

A demo working directory: lab2siv-demo DIR, then start lab2siv in DIR with
LAB2SIV_SYSTEM_DIR=DIR/system.
)";
}

}  // namespace app
