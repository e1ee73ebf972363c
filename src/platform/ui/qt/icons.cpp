#include "platform/ui/qt/icons.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <cstdlib>

namespace ui::qt {
namespace {

struct Fallback {
  const char* stem;
  QStyle::StandardPixmap pixmap;
};

// The program's icon names and the standard picture that says the same.
constexpr Fallback kFallbacks[] = {
    {"DOORWAY", QStyle::SP_DialogCloseButton},
    {"EXIT", QStyle::SP_DialogCloseButton},
    {"LAB", QStyle::SP_DirHomeIcon},
    {"LABX", QStyle::SP_ArrowDown},
    {"DOK", QStyle::SP_FileDialogDetailedView},
    {"HELP", QStyle::SP_MessageBoxQuestion},
    {"TICK", QStyle::SP_DialogOkButton},
    {"OK", QStyle::SP_DialogOkButton},
    {"CROSS", QStyle::SP_DialogCancelButton},
    {"CANCEL", QStyle::SP_DialogCancelButton},
    {"SAVE", QStyle::SP_DialogSaveButton},
    {"DELETE", QStyle::SP_TrashIcon},
    {"FOLDER", QStyle::SP_DirOpenIcon},
    {"ZOOM", QStyle::SP_FileDialogContentsView},
};

// The style has no printer: one is drawn, a sheet going in at the top and one coming out at
// the front of a grey body, at the sizes toolbars and buttons ask for.
QIcon printerIcon() {
  QIcon icon;
  for (const int px : {16, 22, 24, 32, 48}) {
    QPixmap pm(px, px);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(px / 32.0, px / 32.0);
    const QPen outline(QColor(40, 40, 40), 1.5);
    p.setPen(outline);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 2, 14, 11));  // the sheet going in
    QPainterPath body;
    body.addRoundedRect(QRectF(3, 11, 26, 12), 2.5, 2.5);
    p.setBrush(QColor(110, 110, 110));
    p.drawPath(body);
    p.setBrush(QColor(120, 200, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(24, 14, 2.5, 2.5));  // the power light
    p.setPen(outline);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 19, 16, 11));  // the printed sheet
    p.setPen(QPen(QColor(70, 70, 70), 1.2));
    for (const double y : {23.0, 26.0}) p.drawLine(QPointF(11, y), QPointF(21, y));
    p.end();
    icon.addPixmap(pm);
  }
  return icon;
}

}  // namespace

QIcon iconFor(const std::string& name) {
  if (name.empty()) return {};
  const QString file = QString::fromUtf8(name.c_str());
  QStringList tries{file};
  if (const char* dir = std::getenv("LAB2SIV_ICONS")) tries.prepend(QDir(QString::fromUtf8(dir)).filePath(file));
  for (const QString& t : tries) {
    if (QFileInfo::exists(t)) {
      QIcon icon(t);
      if (!icon.isNull()) return icon;
    }
  }
  QString stem = QFileInfo(file).completeBaseName().toUpper();
  stem.remove(QLatin1Char('~'));
  if (stem == QLatin1String("PRINT")) return printerIcon();
  for (const Fallback& f : kFallbacks)
    if (stem == QLatin1String(f.stem)) return QApplication::style()->standardIcon(f.pixmap);
  return QApplication::style()->standardIcon(QStyle::SP_FileIcon);
}

}  // namespace ui::qt
