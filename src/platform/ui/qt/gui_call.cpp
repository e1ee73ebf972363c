#include "platform/ui/qt/gui_call.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace ui::qt {
namespace {

enum class LoopState { NotAttached, Attached, Gone };

std::atomic<LoopState> gState{LoopState::NotAttached};
QObject* gTarget = nullptr;  // lives on the GUI thread while attached
QThread* gGuiThread = nullptr;

[[noreturn]] void failLoudly(const char* what) {
  std::fprintf(stderr, "lab2siv: %s\n", what);
  std::fflush(stderr);
  std::abort();
}

void checkAttached() {
  switch (gState.load(std::memory_order_acquire)) {
    case LoopState::Attached: return;
    case LoopState::NotAttached: failLoudly("window operation before the GUI thread was attached");
    case LoopState::Gone: failLoudly("window operation after the GUI event loop has ended");
  }
}

}  // namespace

void attachGuiThread() {
  if (!QCoreApplication::instance()) failLoudly("attachGuiThread without an application object");
  gGuiThread = QCoreApplication::instance()->thread();
  gTarget = new QObject;
  gState.store(LoopState::Attached, std::memory_order_release);
}

void detachGuiThread() {
  gState.store(LoopState::Gone, std::memory_order_release);
  delete gTarget;
  gTarget = nullptr;
}

bool onGuiThread() { return gGuiThread != nullptr && QThread::currentThread() == gGuiThread; }

void guiCall(const std::function<void()>& fn) {
  if (onGuiThread()) {
    fn();
    return;
  }
  checkAttached();
  QMetaObject::invokeMethod(
      gTarget, [&fn] { fn(); }, Qt::BlockingQueuedConnection);
}

void guiPost(std::function<void()> fn) {
  checkAttached();
  QMetaObject::invokeMethod(gTarget, std::move(fn), Qt::QueuedConnection);
}

void guiPost(QObject* context, std::function<void()> fn) {
  checkAttached();
  QMetaObject::invokeMethod(context, std::move(fn), Qt::QueuedConnection);
}

}  // namespace ui::qt
