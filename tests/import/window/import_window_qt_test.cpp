// The import window with real windows (Qt, offscreen): the laboratories list as a select list
// and an import run over the fixture tables, to "Ferdig!".
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "data/file_names.h"
#include "import/window/import_window.h"
#include "import_scenario.h"
#include "platform/ui/api/backend.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/gui_call.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_window.h"
#include "shell/global_settings.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Polls `cond` on the GUI thread until it holds or the time is up.
template <class F>
bool eventually(F cond, std::chrono::milliseconds limit = 20s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (ui::qt::guiGet([&] { return cond(); })) return true;
    std::this_thread::sleep_for(10ms);
  }
  return false;
}

TEST(ImportWindowQtTest, StartImportRunsToFerdigInARealWindow) {
  const fs::path root = fs::temp_directory_path() / ("l2s-import-qt-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "data");
  const fs::path oldCwd = fs::current_path();
  fs::current_path(root);
  data::resetFileNames();
  data::setDataDirectory((root / "data").string());
  data::SetFileNames();
  l2stest::seedImportScenario(root / "data" / "lab");
  shell::setGlobals(shell::GlobalSettings{});
  shell::editGlobals([](shell::GlobalSettings& g) {
    g.LAB = "KL";
    g.LEVERAND1 = "100";
    g.LEVERAND2 = "100";
    g.UTSLKTR = 1;
    g.SLAMKTR = 0;
  });

  int argc = 1;
  char name[] = "import_window_qt_test";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  ui::qt::attachGuiThread();
  ui::resetProcedures();
  auto backend = std::make_unique<ui::qt::QtBackend>();
  ui::setBackend(backend.get());
  ui::setProceduresEndedHandler([] { ui::qt::guiPost([] { QApplication::quit(); }); });

  std::string labName, line1;
  bool started = false;
  std::thread driver([&] {
    const auto play = [&] {
    const auto widget = [&](const char* title, const char* equate) -> QWidget* {
      ui::qt::QtWindow* w = backend->windowTitled(title);
      return w ? w->widget(std::string(equate)) : nullptr;
    };
    const auto label = [&](const char* equate) {
      auto* l = qobject_cast<QLabel*>(widget("Import", equate));
      return l ? l->text().toStdString() : std::string();
    };
    if (!eventually([&] { return widget("Import", "?OKBUTTON") != nullptr; })) return;
    eventually([&] { return !label("?MAP:LABNAVN").empty(); });
    labName = ui::qt::guiGet([&] { return label("?MAP:LABNAVN"); });
    ui::qt::guiCall([&] { qobject_cast<QAbstractButton*>(widget("Import", "?OKBUTTON"))->click(); });
    started = true;
    eventually([&] { return label("?LOC:MELDING_1") == "Ferdig!"; }, 60s);
    line1 = ui::qt::guiGet([&] { return label("?LOC:MELDING_1"); });
    ui::qt::guiCall([&] { qobject_cast<QAbstractButton*>(widget("Import", "?CANCELBUTTON"))->click(); });
    };
    play();
    // Whatever went wrong, the window closes and the loop ends.
    if (!ui::waitProceduresEnded(5s)) ui::requestShutdown();
  });
  ASSERT_TRUE(ui::startProcedure([] { import::ImportWindow(); }));
  // A hung run must not hang the suite.
  QTimer::singleShot(90000, [] { ui::requestShutdown(); });
  QApplication::exec();
  driver.join();
  ui::setProceduresEndedHandler({});
  ui::setBackend(nullptr);
  backend.reset();
  ui::qt::detachGuiThread();

  EXPECT_TRUE(started);
  EXPECT_EQ(labName, "Kjemilab");
  EXPECT_EQ(line1, "Ferdig!");
  EXPECT_GT(l2stest::storedDischargeControls(), 0);
  fs::current_path(oldCwd);
  fs::remove_all(root);
}

}  // namespace
