#pragma once
// Procedure threads, the end of the program, and what the robot and the shutdown need to know
// about them.
#include <chrono>
#include <cstddef>
#include <functional>

namespace ui {

// Starts `fn` as a window procedure on a new thread (stack raised to the platform's floor).
// The layer knows every such thread: the robot waits until all of them are idle, a shutdown
// closes their windows and waits for them to end. Returns false when no thread could start.
bool startProcedure(std::function<void()> fn, std::size_t requestedStack = 0);

// Number of the calling thread as the layer knows it (1, 2, ... in order of first use).
int currentThread();

// Thrown through a procedure's stack when the program ends after a "Halt" box or an Abort;
// caught where the procedure thread started. It never reaches lower layers, since it only
// leaves calls of this layer.
struct ProgramHalted {
  int code = 0;
};

// Ends the program with `code`: the backend is told, the calling thread unwinds
// (ProgramHalted) and every other procedure thread unwinds at its next call of the layer
// that waits (accept, boxes, dialogs). Closing steps do not run.
[[noreturn]] void haltProgram(int code);
bool programHalted();
int haltCode();

// Posts a private event (kind Private, `number`) to the calling thread: the innermost window
// of the thread that calls accept() next receives it.
void postToThread(int number);

// Running procedures (started by startProcedure and not yet returned).
int runningProcedures();
// Blocks until no procedure is running or the timeout passes; true when none is running.
// Never call it on a thread that a backend needs to serve the procedures.
bool waitProceduresEnded(std::chrono::milliseconds timeout);
// Called (on the last procedure's thread) whenever the number of running procedures drops
// to 0, e.g. to quit a GUI loop.
void setProceduresEndedHandler(std::function<void()> handler);

// Queues a CloseWindow to every open window, now and to every window that opens later,
// until resetProcedures(); each procedure runs its closing steps.
void requestShutdown();

// True when every running procedure and every thread with an open window is waiting for
// the user: in accept() with nothing to hand out (and no timer running), or in a modal
// operation (box, dialog, pop-up menu). Waits at most `timeout` for that. `modalThreads`, when
// given, gets the number of threads in a modal operation at that same moment: counted later,
// a thread could have left its answered box and be busy again.
bool waitUntilIdle(std::chrono::milliseconds timeout, int* modalThreads = nullptr);

// Clears the process-wide state of the layer (halt, shutdown, thread numbers) between
// test runs. Only when no procedure is running.
void resetProcedures();

}  // namespace ui
