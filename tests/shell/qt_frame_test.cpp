// The program's start under the Qt backend (offscreen): the frame opens on real widgets and
// its toolbar's "Avslutt" ends the program, storing the settings.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/use_counters.h"
#include "platform/store/paths.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "qt_installation.h"
#include "qt_wait.h"
#include "shell/global_settings.h"
#include "shell/main.h"

namespace fs = std::filesystem;

namespace {

using QtFrameTest = shelltest::QtInstallationTest;

TEST_F(QtFrameTest, TheFrameOpensAndAvsluttEndsTheProgram) {
  int code = -1;
  {
    ui::qt::QtRun run;
    ASSERT_TRUE(run.start([] { shell::Main(); }));
    ui::qt::QtWindow* frame = nullptr;
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] {
      return (frame = run.backend().windowTitled("Brakel-Sivra Provex (Rnx-versjon) [Demo]")) != nullptr;
    }));
    QAction* avslutt = nullptr;
    for (const ui::ControlDef& b : frame->def().toolbar) {
      if (b.equate == "?BUTTON2") avslutt = frame->action(b.id);
    }
    ASSERT_NE(avslutt, nullptr);
    EXPECT_EQ(avslutt->toolTip().toStdString(), "Avslutt");
    avslutt->trigger();
    code = run.exec();
  }
  EXPECT_EQ(code, 0);
  std::ifstream in(root_ / "system" / "Siv2000.ini");
  std::stringstream ini;
  ini << in.rdbuf();
  EXPECT_NE(ini.str().find("Datasett=Demo"), std::string::npos) << ini.str();
  EXPECT_NE(ini.str().find("Importfile=Velg importfile"), std::string::npos) << ini.str();
}

}  // namespace
