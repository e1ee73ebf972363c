#pragma once
// Every Qt painting of the engine runs on one painting thread of its own. Fonts keep
// per-thread caches that must be torn down while the application still exists; a procedure
// thread ends whenever it likes, but the painting thread is joined before the application goes
// (when its event loop quits, or when the Painting object ends).
#include <functional>

namespace report::detail {

// Runs `fn` on the painting thread (starting it when needed) and waits until it has run.
void onPainter(const std::function<void()>& fn);
// Ends and joins the painting thread; a later onPainter starts a new one.
void stopPainter();

}  // namespace report::detail
