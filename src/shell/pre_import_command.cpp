#include "shell/pre_import_command.h"

#include <unistd.h>

#include <filesystem>

#include "data/thread_state.h"
#include "data/use_counters.h"
#include "platform/sys/process.h"
#include "platform/ui/api/message.h"

namespace shell {
namespace {

namespace fs = std::filesystem;

bool isRegularFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// Why the command's program cannot start, "" when nothing speaks against it. A program named
// without a directory is looked up in PATH when it starts; only the start can tell.
std::string cannotStart(const std::string& program, bool throughInterpreter) {
  if (program.find('/') == std::string::npos) return "";
  std::error_code ec;
  if (!fs::exists(program, ec)) return "Fila finnes ikke.";
  if (!throughInterpreter && ::access(program.c_str(), X_OK) != 0)
    return "Fila er ikke kjørbar. Et skript kjøres med «Dos program» på.";
  return "";
}

}  // namespace

std::string commandForProgram(std::string_view path) {
  if (path.find_first_of(" \t\"'\\$`&;|<>()*?[]#~!{}") == std::string_view::npos) return std::string(path);
  std::string out = "\"";
  for (char c : path) {
    // The four characters that keep a meaning inside double quotes, for the shell as for the
    // program's own splitting of a command line.
    if (c == '"' || c == '\\' || c == '$' || c == '`') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

std::string commandProgram(std::string_view command) {
  const auto words = sys::splitCommandLine(command);
  return words.empty() ? std::string() : words.front();
}

PreImportCommand preImportCommand(std::string_view command, int runThroughInterpreter, int waitForIt) {
  while (!command.empty() && command.back() == ' ') command.remove_suffix(1);
  if (command.empty()) return {};
  PreImportCommand cmd{std::string(command), runThroughInterpreter != 0, waitForIt != 0};
  // A script without the execute bit is run by the shell itself, as a batch file would be.
  if (cmd.throughInterpreter) {
    const std::string program = commandProgram(command);
    if (isRegularFile(program) && ::access(program.c_str(), X_OK) != 0) cmd.line = "/bin/sh " + cmd.line;
  }
  return cmd;
}

void RunPreImportCommand() {
  data::ThreadState& t = data::thr();
  const bool openHere = !t.Lab2Siv.isOpen();
  {
    const data::UsedFiles here(openHere ? std::vector{data::FileId::Lab2Siv} : std::vector<data::FileId>{});
    // Read afresh: a command changed since the last call applies now.
    t.Lab2Siv.clear();
    t.Lab2Siv.set();
    if (t.Lab2Siv.next() != 0) t.Lab2Siv.clear();
  }

  const auto& rec = t.Lab2Siv.rec;
  const std::string stored = rec.PREIMPRUN.str();  // without its trailing blanks
  const PreImportCommand cmd = preImportCommand(stored, rec.PREIMPRUNDOS, rec.PREIMPRUNSTATUS);
  if (cmd.line.empty()) return;
  // The import must not go on over stale tables without the user knowing.
  std::string why = cannotStart(commandProgram(stored), cmd.throughInterpreter);
  if (why.empty() && !sys::runCommand(cmd.line, cmd.throughInterpreter, cmd.wait))
    why = "Programmet finnes ikke eller kan ikke kjøres.";
  if (!why.empty())
    ui::message("Kan ikke kjøre programmet som kjøres før import:|" + stored + "|" + why, "Advarsel",
                ui::Icon::Information);
}

}  // namespace shell
