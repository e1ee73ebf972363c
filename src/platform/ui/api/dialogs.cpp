#include "platform/ui/api/dialogs.h"

#include <mutex>
#include <stdexcept>
#include <utility>

#include "platform/ui/api/backend.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/thread_state.h"

namespace ui {
namespace {

Backend& be() {
  Backend* b = backend();
  if (!b) throw std::logic_error("ui: no window backend installed");
  return *b;
}

bool runFileDialog(FileRequest r, std::string& path) {
  Backend& b = be();
  std::string chosen = path;
  const bool ok = detail::modal([&](const detail::ModalGuard& g) {
    r.thread = g.thread();
    r.window = g.window();
    return b.fileDialog(r, chosen);
  });
  if (ok) path = chosen;
  return ok;
}

}  // namespace

void stop(std::string_view text) {
  const int answer = message(text, "Stop", Icon::Stop, Button::Abort | Button::Ignore, Button::Abort);
  if (answer != Button::Ignore) haltProgram(0);
}

void halt(std::string_view text, int code) {
  message(text, "Halt", Icon::Stop, Button::Ok, Button::Ok);
  haltProgram(code);
}

bool fileDialog(std::string_view title, std::string& path, std::string_view filter, bool save) {
  FileRequest r;
  r.title = std::string(title);
  r.filter = std::string(filter);
  r.initial = path;
  r.save = save;
  return runFileDialog(std::move(r), path);
}

bool directoryDialog(std::string_view title, std::string& path) {
  FileRequest r;
  r.title = std::string(title);
  r.initial = path;
  r.directory = true;
  return runFileDialog(std::move(r), path);
}

int popup(std::string_view items) {
  Backend& b = be();
  return detail::modal([&](const detail::ModalGuard& g) {
    PopupRequest r;
    r.text = std::string(items);
    r.thread = g.thread();
    r.window = g.window();
    return b.popupMenu(r);
  });
}

bool printerSetup() {
  Backend& b = be();
  return detail::modal([&](const detail::ModalGuard& g) { return b.printerSetup(g.thread()); });
}

namespace {
std::mutex gChoiceMutex;
PrinterChoice gChoice;
}  // namespace

PrinterChoice printerChoice() {
  std::lock_guard lock(gChoiceMutex);
  return gChoice;
}

void setPrinterChoice(PrinterChoice choice) {
  std::lock_guard lock(gChoiceMutex);
  gChoice = std::move(choice);
}

void setWaitCursor(bool on) {
  detail::Global& g = detail::global();
  bool change = false;
  bool show = false;
  {
    std::lock_guard lock(g.m);
    const int before = g.waitCursor;
    g.waitCursor = on ? g.waitCursor + 1 : (g.waitCursor > 0 ? g.waitCursor - 1 : 0);
    change = (before == 0) != (g.waitCursor == 0);
    show = g.waitCursor > 0;
  }
  if (change) {
    if (Backend* b = backend()) b->setWaitCursor(show);
  }
}

void beep() {
  if (Backend* b = backend()) b->beep();
}

int lastKey() { return detail::self().lastKey; }
void clearLastKey() { detail::self().lastKey = 0; }

void setHelpHandler(std::function<void(std::string keyword)> handler) {
  std::lock_guard lock(detail::global().m);
  detail::global().helpHandler = std::move(handler);
}

void help(std::string_view keyword) {
  std::function<void(std::string)> h;
  {
    std::lock_guard lock(detail::global().m);
    h = detail::global().helpHandler;
  }
  if (h) h(std::string(keyword));
}

}  // namespace ui
