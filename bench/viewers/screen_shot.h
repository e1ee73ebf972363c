#pragma once
// What the screenshot tools share: pressing a button of a window, letting the program settle
// for a while, and a PNG of the whole screen.
#include <QAbstractButton>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ui/qt/qt_backend.h"
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

// The tools' arguments DEMO-DIR OUT-DIR: the program runs in the demo directory with its own
// settings folder; false (after a usage line) when they are missing.
inline bool enterDemo(int argc, char** argv, std::filesystem::path& out) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s DEMO-DIR OUT-DIR\n", argv[0]);
    return false;
  }
  const std::filesystem::path demo = std::filesystem::absolute(argv[1]);
  out = std::filesystem::absolute(argv[2]);
  std::filesystem::create_directories(out);
  std::filesystem::current_path(demo);
  ::setenv("LAB2SIV_SYSTEM_DIR", (demo / "system").c_str(), 1);
  return true;
}

// The window with this title once it is open, or null after `ms`.
inline ui::qt::QtWindow* titled(ui::qt::QtRun& run, const char* title, int ms = 15000) {
  ui::qt::QtWindow* w = nullptr;
  run.pumpUntil([&] { return (w = run.backend().windowTitled(title)) != nullptr; }, ms);
  return w;
}

// Writes the screen to `file` after `settleMs` and prints its name.
inline void shot(ui::qt::QtRun& run, const std::filesystem::path& file, int settleMs) {
  settle(run, settleMs);
  QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromStdString(file.string()));
  std::printf("%s\n", file.c_str());
}

}  // namespace shots
