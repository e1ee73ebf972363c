#pragma once
// Running code on the GUI thread from procedure threads. The GUI thread runs only the Qt event
// loop; every widget operation of a procedure goes through here.
#include <functional>
#include <type_traits>

class QObject;

namespace ui::qt {

// Call once on the GUI thread after the QApplication exists and before any procedure starts.
void attachGuiThread();
// Call on the GUI thread once the event loop has returned; any later call fails loudly.
void detachGuiThread();

bool onGuiThread();

// Runs fn on the GUI thread and returns when it has run. On the GUI thread itself fn runs at
// once (a blocking queued call to the own thread would deadlock).
void guiCall(const std::function<void()>& fn);
// Queues fn to the GUI thread and returns at once. With a context object, fn is dropped
// when that object is deleted before fn runs.
void guiPost(std::function<void()> fn);
void guiPost(QObject* context, std::function<void()> fn);

// Returns fn's result, run as guiCall does.
template <class F>
auto guiGet(F&& fn) -> decltype(fn()) {
  using R = decltype(fn());
  if constexpr (std::is_void_v<R>) {
    guiCall(fn);
  } else {
    R out{};
    guiCall([&] { out = fn(); });
    return out;
  }
}

}  // namespace ui::qt
