#pragma once
// Dialog units of the window definitions to pixels: a horizontal unit is a quarter of the
// average character width and a vertical one an eighth of the line height of the standard
// font. With the usual 7 x 16 pixel font that gives x * 1.75 and y * 2.
#include <QFont>
#include <QRect>

namespace ui::qt {

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  int x(int du) const;
  int y(int du) const;
  // Pixels back to dialog units, to the nearest unit.
  int toX(int px) const;
  int toY(int px) const;
  QRect rect(int x, int y, int width, int height) const;
  // Pixels for `chars` average characters (entry and column widths).
  int chars(int chars) const;

 private:
  int avg_;
  int line_;
};

}  // namespace ui::qt
