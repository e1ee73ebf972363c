#pragma once
// The record of a headless run: one line per window opened or closed, box, dialog, dump,
// and the run's end. Thread-safe; optionally mirrored line by line into a file.
#include <fstream>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace ui::headless {

class Transcript {
 public:
  // Mirrors every line into `path` as it is written (flushed, so a crash keeps the lines).
  bool openFile(const std::string& path);
  // Mirrors every line into `out` instead (stdout, for a run without a transcript file).
  void mirrorTo(std::ostream& out);
  void add(std::string line);
  std::vector<std::string> lines() const;
  std::string text() const;  // lines joined with '\n', one at the end of each

 private:
  mutable std::mutex m_;
  std::vector<std::string> lines_;
  std::ofstream file_;
  std::ostream* mirror_ = nullptr;
};

// "text" with '"' and '\' escaped and line breaks as \n.
std::string quote(std::string_view s);

}  // namespace ui::headless
