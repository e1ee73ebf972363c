// The program under Qt (offscreen) with real windows: from the frame's "&Import" through the
// import window's "Start import" to "Ferdig!", with the records written into the dataset and,
// in a frame of 1024x768, the whole window in view.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <filesystem>
#include <fstream>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/use_counters.h"
#include "import/window/register.h"
#include "import_scenario.h"
#include "maintenance/register.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "platform/ui/qt/window_fit.h"
#include "program_dir.h"
#include "qt_wait.h"
#include "shell/global_settings.h"
#include "shell/main.h"

namespace {

namespace fs = std::filesystem;

// The menu item or toolbar button `equate` of a window, searched through sub-menus.
QAction* actionOf(ui::qt::QtWindow& w, const std::string& equate) {
  QAction* found = nullptr;
  const std::function<void(const std::vector<ui::MenuItem>&)> walk = [&](const std::vector<ui::MenuItem>& items) {
    for (const auto& m : items) {
      if (m.equate == equate) found = w.action(m.id);
      walk(m.items);
    }
  };
  walk(w.def().menu);
  for (const auto& b : w.def().toolbar)
    if (b.equate == equate) found = w.action(b.id);
  return found;
}

std::string labelText(ui::qt::QtWindow* w, const char* equate) {
  auto* l = w ? qobject_cast<QLabel*>(w->widget(std::string(equate))) : nullptr;
  return l ? l->text().toStdString() : std::string();
}

void click(ui::qt::QtWindow* w, const char* equate) {
  auto* b = qobject_cast<QAbstractButton*>(w->widget(std::string(equate)));
  ASSERT_NE(b, nullptr) << equate;
  b->click();
}

class ImportWindowQtTest : public l2stest::ProgramDirTest {
 protected:
  ImportWindowQtTest() : ProgramDirTest("l2s-import-qt") {}
};

TEST_F(ImportWindowQtTest, FromTheFrameThroughTheImportWindowToFerdig) {
  const fs::path dataDir = this->dataDir();
  prepareDataset();
  if (HasFatalFailure()) return;

  std::string labName, line1;
  int code = -1;
  {
    ui::qt::QtRun run;
    ASSERT_TRUE(run.start([] { shell::Main(); }));
    ui::qt::QtWindow* frame = nullptr;
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] {
      return (frame = run.backend().windowTitled("Brakel-Sivra Provex (Rnx-versjon) [Demo]")) != nullptr;
    }));
    // The frame as large as a 1024x768 screen lets it be.
    frame->outer()->setGeometry(0, 0, 1024, 768);
    QAction* importItem = actionOf(*frame, "?IMPORT");
    ASSERT_NE(importItem, nullptr);
    importItem->trigger();

    ui::qt::QtWindow* win = nullptr;
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] {
      win = run.backend().windowTitled("Import");
      return !labelText(win, "?MAP:LABNAVN").empty();
    }));
    labName = labelText(win, "?MAP:LABNAVN");
    click(win, "?OKBUTTON");
    EXPECT_TRUE(l2stest::pumpUntil(run, [&] { return labelText(win, "?LOC:MELDING_1") == "Ferdig!"; }));
    line1 = labelText(win, "?LOC:MELDING_1");
    // Everything in view, progress lines included: nothing to scroll to.
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] { return run.backend().settled(); }));
    QCoreApplication::processEvents();
    auto* controls = win->shell()->findChild<ui::qt::FitScroll*>();
    ASSERT_NE(controls, nullptr);
    EXPECT_EQ(controls->verticalScrollBar()->maximum(), 0) << "the import window scrolls at 1024x768";
    EXPECT_EQ(controls->horizontalScrollBar()->maximum(), 0);
    for (const char* m : {"?LOC:MELDING_1", "?LOC:MELDING_2", "?LOC:MELDING_3"}) {
      QWidget* l = win->widget(std::string(m));
      ASSERT_NE(l, nullptr) << m;
      EXPECT_EQ(l->visibleRegion().boundingRect(), l->rect()) << m << " is cut or hidden";
    }
    click(win, "?CANCELBUTTON");
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] { return run.backend().windowTitled("Import") == nullptr; }));

    QAction* avslutt = actionOf(*frame, "?BUTTON2");
    ASSERT_NE(avslutt, nullptr);
    avslutt->trigger();
    code = run.exec();
  }
  EXPECT_EQ(code, 0);
  EXPECT_EQ(labName, "Kjemilab");
  EXPECT_EQ(line1, "Ferdig!");
  data::setDataDirectory(dataDir.string());
  data::SetFileNames();
  EXPECT_GT(l2stest::storedDischargeControls(), 0);
}

}  // namespace
