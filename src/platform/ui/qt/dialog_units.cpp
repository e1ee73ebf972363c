#include "platform/ui/qt/dialog_units.h"

#include <QFontMetrics>
#include <algorithm>

namespace ui::qt {

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics fm(font);
  avg_ = std::max(1, fm.averageCharWidth());
  line_ = std::max(1, fm.height());
}

int DialogUnits::x(int du) const { return (du * avg_ + 2) / 4; }
int DialogUnits::y(int du) const { return (du * line_ + 4) / 8; }
int DialogUnits::toX(int px) const { return (px * 4 + avg_ / 2) / avg_; }
int DialogUnits::toY(int px) const { return (px * 8 + line_ / 2) / line_; }

QRect DialogUnits::rect(int rx, int ry, int width, int height) const { return {x(rx), y(ry), x(width), y(height)}; }

int DialogUnits::chars(int n) const { return n * avg_; }

}  // namespace ui::qt
