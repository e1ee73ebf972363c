#include "shell/pre_import_command.h"

#include "data/thread_state.h"
#include "data/use_counters.h"
#include "platform/sys/process.h"

namespace shell {

PreImportCommand preImportCommand(std::string_view command, int runThroughInterpreter,
                                  int waitForIt) {
  while (!command.empty() && command.back() == ' ') command.remove_suffix(1);
  if (command.empty()) return {};
  return {std::string(command), runThroughInterpreter != 0, waitForIt != 0};
}

void RunPreImportCommand() {
  data::ThreadState& t = data::thr();
  const bool openHere = !t.Lab2Siv.isOpen();
  if (openHere) data::useFile(data::FileId::Lab2Siv);
  // Read afresh: a command changed since the last call applies now.
  t.Lab2Siv.clear();
  t.Lab2Siv.set();
  if (t.Lab2Siv.next() != 0) t.Lab2Siv.clear();
  if (openHere) data::dropFile(data::FileId::Lab2Siv);

  const auto& rec = t.Lab2Siv.rec;
  const PreImportCommand cmd =
      preImportCommand(rec.PREIMPRUN.str(), rec.PREIMPRUNDOS, rec.PREIMPRUNSTATUS);
  if (cmd.line.empty()) return;
  // What becomes of the command is not examined: one that cannot start shows nothing.
  sys::runCommand(cmd.line, cmd.throughInterpreter, cmd.wait);
}

}  // namespace shell
