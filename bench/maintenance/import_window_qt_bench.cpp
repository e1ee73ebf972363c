// An import started from the import window under the Qt backend (offscreen) against the same
// import without a window; prints the ratio. The user's press of "Start import" is a click on
// the real button; the run ends when the window shows "Ferdig!".
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "generated_import.h"
#include "import/window/import_window.h"
#include "platform/ui/api/backend.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/gui_call.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_window.h"
#include "shell/global_settings.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const fs::path root = fs::temp_directory_path() / ("l2s_window_qt_bench_" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "lab");
  // The settings and user files are opened by bare name: keep them in the scratch folder.
  const fs::path oldCwd = fs::current_path();
  fs::current_path(root);
  benchimport::generateLab(root / "lab");
  benchimport::prepareDataDir(root / "plain", root / "lab");
  const double plain = benchimport::plainRun(root / "lab");
  benchimport::prepareDataDir(root / "window", root / "lab");
  shell::editGlobals([](shell::GlobalSettings& g) {
    g.LAB = "BL";
    g.LEVERAND1.clear();
    g.LEVERAND2.clear();
    g.UTSLKTR = g.SLAMKTR = g.OVERSKRIVES = g.LOGSLETT = 1;
  });

  QApplication app(argc, argv);
  ui::qt::attachGuiThread();
  ui::resetProcedures();
  auto backend = std::make_unique<ui::qt::QtBackend>();
  ui::setBackend(backend.get());
  ui::setProceduresEndedHandler([] { ui::qt::guiPost([] { QApplication::quit(); }); });

  double window = -1;
  std::thread driver([&] {
    const auto widget = [&](const char* equate) -> QWidget* {
      ui::qt::QtWindow* w = backend->windowTitled("Import");
      return w ? w->widget(std::string(equate)) : nullptr;
    };
    const auto waitFor = [&](auto cond, std::chrono::seconds limit) {
      const auto end = Clock::now() + limit;
      while (Clock::now() < end) {
        if (ui::qt::guiGet([&] { return cond(); })) return true;
        std::this_thread::sleep_for(2ms);
      }
      return false;
    };
    if (waitFor([&] { return widget("?OKBUTTON") != nullptr; }, 20s)) {
      const auto t0 = Clock::now();
      ui::qt::guiCall([&] { qobject_cast<QAbstractButton*>(widget("?OKBUTTON"))->click(); });
      const bool done = waitFor(
          [&] {
            auto* l = qobject_cast<QLabel*>(widget("?LOC:MELDING_1"));
            return l && l->text() == QStringLiteral("Ferdig!");
          },
          600s);
      if (done) window = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
      ui::qt::guiCall([&] { qobject_cast<QAbstractButton*>(widget("?CANCELBUTTON"))->click(); });
    }
    if (!ui::waitProceduresEnded(10s)) ui::requestShutdown();
  });
  ui::startProcedure([] { import::ImportWindow(); });
  QApplication::exec();
  driver.join();
  ui::setProceduresEndedHandler({});
  ui::setBackend(nullptr);
  backend.reset();
  ui::qt::detachGuiThread();

  std::printf("import without a window %.1f ms, from the import window (Qt offscreen) %.1f ms, ratio %.2f\n", plain,
              window, plain > 0 ? window / plain : 0.0);
  fs::current_path(oldCwd);
  fs::remove_all(root);
  return plain > 0 && window > 0 ? 0 : 1;
}
