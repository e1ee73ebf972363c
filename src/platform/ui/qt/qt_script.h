#pragma once
// The program's --script FILE [--transcript FILE] on the real Qt windows. A QApplication must
// exist; the calling thread becomes the GUI thread, the first procedure starts, and the script plays on a thread of its
// own through the Qt driver; the run ends as a headless one does and writes the same
// transcript. Returns the process exit code.
#include <functional>
#include <string>

namespace ui::qt {

int runScripted(const std::string& scriptPath, const std::string& transcriptPath,
                std::function<void()> start);

}  // namespace ui::qt
