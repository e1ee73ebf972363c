#pragma once
// The program's --script FILE [--transcript FILE] on the real Qt windows. A QApplication must
// exist; the calling thread becomes the GUI thread, the first procedure starts, and the script plays on a thread of its
// own through the Qt driver; the run ends as a headless one does and writes the same
// transcript. Returns the process exit code.
#include <atomic>
#include <functional>
#include <string>

#include "platform/ui/headless/robot.h"

namespace ui::qt {

// Ends a scripted run as a headless session does: idle, then every window closed and every
// procedure ended; a failed run halts them all (`quietHalt` set first, so its halt is not
// written). Writes "end CODE" and returns the exit code.
int finishScripted(ui::headless::Robot& robot, ui::headless::Transcript& transcript, std::atomic<bool>& quietHalt);

int runScripted(const std::string& scriptPath, const std::string& transcriptPath, std::function<void()> start);

}  // namespace ui::qt
