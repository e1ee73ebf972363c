#include "platform/ui/qt/icons.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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
    {"PRINT", QStyle::SP_FileIcon},
    {"SAVE", QStyle::SP_DialogSaveButton},
    {"DELETE", QStyle::SP_TrashIcon},
    {"FOLDER", QStyle::SP_DirOpenIcon},
    {"ZOOM", QStyle::SP_FileDialogContentsView},
};

}  // namespace

QIcon iconFor(const std::string& name) {
  if (name.empty()) return {};
  const QString file = QString::fromUtf8(name.c_str());
  QStringList tries{file};
  if (const char* dir = std::getenv("LAB2SIV_ICONS"))
    tries.prepend(QDir(QString::fromUtf8(dir)).filePath(file));
  for (const QString& t : tries) {
    if (QFileInfo::exists(t)) {
      QIcon icon(t);
      if (!icon.isNull()) return icon;
    }
  }
  QString stem = QFileInfo(file).completeBaseName().toUpper();
  stem.remove(QLatin1Char('~'));
  for (const Fallback& f : kFallbacks)
    if (stem == QLatin1String(f.stem)) return QApplication::style()->standardIcon(f.pixmap);
  return QApplication::style()->standardIcon(QStyle::SP_FileIcon);
}

}  // namespace ui::qt
