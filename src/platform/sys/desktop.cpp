#include "platform/sys/desktop.h"

#include <atomic>
#include <cstdlib>
#include <string>

#include "platform/sys/process.h"

namespace sys {
namespace {

Desktop gDefault;
std::atomic<Desktop*> gDesktop{nullptr};

}  // namespace

Desktop::~Desktop() = default;
bool Desktop::fullWindowDrag() const { return false; }
void Desktop::setFullWindowDrag(bool) {}

Desktop& desktop() {
  Desktop* d = gDesktop.load();
  return d ? *d : gDefault;
}

void setDesktop(Desktop* d) { gDesktop.store(d); }

bool openDocument(std::string_view pathOrUrl) {
  if (pathOrUrl.empty()) return false;
  return runProgram("xdg-open", {std::string(pathOrUrl)}, false);
}

bool openInTextEditor(std::string_view file) {
  if (file.empty()) return false;
  for (const char* var : {"VISUAL", "EDITOR"}) {
    const char* editor = std::getenv(var);
    if (!editor || !*editor) continue;
    // The variable may carry options ("code -w"); the file is always one argument of its own.
    std::vector<std::string> words = splitCommandLine(editor);
    if (words.empty()) continue;
    const std::string program = words.front();
    words.erase(words.begin());
    words.emplace_back(file);
    return runProgram(program, words, false);
  }
  return openDocument(file);
}

}  // namespace sys
