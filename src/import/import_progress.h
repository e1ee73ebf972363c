#pragma once
// What the run needs from the window it runs in: four progress lines, redraws at the points
// the run chooses, the system beep and the log viewer. The import window implements it.
#include <string_view>

namespace import {

class ImportProgress {
 public:
  virtual ~ImportProgress() = default;
  // Sets progress line 1..4 (the window cuts it to 80 characters); shown at the next redraw.
  virtual void showLine(int line, std::string_view text) = 0;
  // Redraws the window from its variables.
  virtual void redraw() = 0;
  // False while the next redraws would not show a line: the run may then skip building the
  // texts of its busiest lines.
  virtual bool redrawDue() const { return true; }
  virtual void beep() {}
  // The run has done its work; its closing lines, boxes and log follow. Called once on every
  // way out, so input given while the run worked can be told from input given after its end
  // was shown.
  virtual void runEnded() {}
  // Shows the log just written; returns when the viewer is closed.
  virtual void viewLog() {}
};

}  // namespace import
