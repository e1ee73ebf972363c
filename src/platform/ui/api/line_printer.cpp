#include "platform/ui/api/line_printer.h"

#include <mutex>

namespace ui {

namespace {
std::mutex gMutex;
LinePrinter gPrinter;
}  // namespace

void setLinePrinter(LinePrinter printer) {
  std::lock_guard lock(gMutex);
  gPrinter = std::move(printer);
}

std::string printLines(const std::vector<std::string>& lines, std::string_view font, int points) {
  LinePrinter p;
  {
    std::lock_guard lock(gMutex);
    p = gPrinter;
  }
  if (!p) return "Ingen skriver er tilgjengelig for utskrift.";
  return p(lines, font, points);
}

}  // namespace ui
