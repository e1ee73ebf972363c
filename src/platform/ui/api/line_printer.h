#pragma once
// Printing lines of text straight to the printer, one line per band in a fixed-pitch font, with
// no preview (the log viewer's Print). The printing engine installs the real printer; until one
// is installed, printing reports that nothing could be printed.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// Prints `lines` (UTF-8) in `font` at `points`; returns "" when printed, else why not.
using LinePrinter =
    std::function<std::string(const std::vector<std::string>& lines, std::string_view font, int points)>;

// Installs the printer (an empty function removes it).
void setLinePrinter(LinePrinter printer);
std::string printLines(const std::vector<std::string>& lines, std::string_view font, int points);

}  // namespace ui
