// The icons the definitions name, where no file of that name is found.
#include "platform/ui/qt/icons.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QStyle>

namespace {

// The print buttons show a printer: not the style's blank page, and a dark body across the
// middle of the picture.
TEST(QtIcons, PrintShowsAPrinter) {
  for (const char* name : {"PRINT.ICO", "print.ico"}) {
    SCOPED_TRACE(name);
    const QIcon icon = ui::qt::iconFor(name);
    ASSERT_FALSE(icon.isNull());
    const QImage printer = icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage page = QApplication::style()
                            ->standardIcon(QStyle::SP_FileIcon)
                            .pixmap(32, 32)
                            .toImage()
                            .convertToFormat(QImage::Format_ARGB32);
    EXPECT_NE(printer, page);
    int dark = 0;
    for (int x = 0; x < printer.width(); ++x) {
      const QColor c = printer.pixelColor(x, printer.height() / 2);
      if (c.alpha() > 200 && c.lightness() < 140) ++dark;
    }
    EXPECT_GT(dark, printer.width() / 2) << "no printer body across the middle";
  }
}

}  // namespace
