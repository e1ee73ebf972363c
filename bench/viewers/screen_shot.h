#pragma once
// What the screenshot tools share: pressing a button of a window, letting the program settle
// for a while, and a PNG of the whole screen.
#include <QAbstractButton>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"

namespace shots {

inline void click(ui::qt::QtWindow* w, const char* equate) {
  if (auto* b = w ? qobject_cast<QAbstractButton*>(w->widget(std::string(equate))) : nullptr) b->click();
}

inline void settle(ui::qt::QtRun& run, int ms) {
  QElapsedTimer t;
  t.start();
  run.pumpUntil([&] { return t.elapsed() > ms; }, ms + 1000);
}

// Writes the screen to `file` after `settleMs` and prints its name.
inline void shot(ui::qt::QtRun& run, const std::filesystem::path& file, int settleMs) {
  settle(run, settleMs);
  QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromStdString(file.string()));
  std::printf("%s\n", file.c_str());
}

}  // namespace shots
