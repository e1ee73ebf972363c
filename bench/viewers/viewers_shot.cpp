// Manual check of the look: runs the program in a demo working directory (argument 1, set up
// with lab2siv-demo) and writes PNGs of the whole screen (argument 2, a folder) with the
// import-file viewer, the log viewer, its search window and its progress window, the About
// window and its postal-address list open.
// Run under xvfb-run -s "-screen 0 1024x768x24".
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/program_files.h"
#include "import/window/register.h"
#include "maintenance/register.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/page_list.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "screen_shot.h"
#include "shell/main.h"

namespace {

namespace fs = std::filesystem;

using shots::click;
using shots::settle;

void shot(ui::qt::QtRun& run, const fs::path& file) { shots::shot(run, file, 400); }

}  // namespace

int main(int argc, char** argv) {
  fs::path out;
  if (!shots::enterDemo(argc, argv, out)) return 2;
  if (!fs::exists("Lab2Siv.Tps")) {  // past the first run's settings window
    data::Lab2Siv settings;
    settings.setName("Lab2Siv.Tps");
    if (settings.create() == 0 && settings.open() == 0) {
      settings.clear();
      settings.add();
    }
  }
  QApplication app(argc, argv);
  maintenance::registerProcedures();
  import::registerImportWindow();
  ui::qt::QtRun run;
  run.start([] { shell::Main(); });
  ui::qt::QtWindow* frame = nullptr;
  if (!run.pumpUntil([&] {
        for (int id = 1; id < 8 && !frame; ++id)
          if (auto* w = run.backend().window(id); w && w->def().kind == ui::WindowKind::MdiFrame) frame = w;
        return frame != nullptr;
      }))
    return 1;
  frame->outer()->setGeometry(0, 0, 1024, 768);
  const auto titled = [&](const char* title, int ms = 15000) { return shots::titled(run, title, ms); };

  frame->action(std::string("?IMPORT"))->trigger();
  ui::qt::QtWindow* imp = titled("Import");
  settle(run, 300);
  click(imp, "?IMPFILEBUTTON");
  ui::qt::QtWindow* view = titled("Se på importfile");
  shot(run, out / "import_file_view.png");
  if (auto* list = view ? dynamic_cast<ui::qt::PageList*>(view->widget(std::string("?LIST1"))) : nullptr) {
    QScrollBar* sideways = list->tree()->horizontalScrollBar();
    sideways->setValue(sideways->maximum());
    shot(run, out / "import_file_view_scrolled.png");
  }
  click(view, "?CANCELBUTTON");
  settle(run, 300);
  click(imp, "?OKBUTTON");
  settle(run, 2000);
  if (!run.backend().windowTitled("Se på Logg-file")) click(imp, "?LOGFILEBUTTON");
  ui::qt::QtWindow* log = titled("Se på Logg-file");
  shot(run, out / "log_file_view.png");
  click(log, "?ASCIISEARCH");
  ui::qt::QtWindow* search = titled("Searching Text...");
  shot(run, out / "log_search.png");
  click(search, "?ASC1:CANCELSEARCH");
  settle(run, 300);
  click(log, "?CLOSE");
  settle(run, 300);
  // A long log, to see the progress window while it loads.
  {
    std::ofstream big(fs::path("data") / "Import.Txt", std::ios::app);
    for (int i = 0; i < 100000; ++i) big << "Lagret Utslippskontroll - linje " << i << '\n';
  }
  click(imp, "?LOGFILEBUTTON");
  if (titled("Reading File")) shot(run, out / "log_progress.png");
  if (ui::qt::QtWindow* again = titled("Se på Logg-file")) {
    run.pumpUntil([&] { return run.backend().windowTitled("Reading File") == nullptr; }, 30000);
    click(again, "?CLOSE");
  }
  settle(run, 300);
  click(imp, "?CANCELBUTTON");
  settle(run, 300);

  if (QAction* about = frame->action(std::string("?HJELPOMBRAKELSIVRAPROVEX"))) about->trigger();
  if (ui::qt::QtWindow* about = titled("Om programmet")) {
    shot(run, out / "about_window.png");
    click(about, "?CALLLOOKUP");
    if (ui::qt::QtWindow* list = titled("Tabell postadresser")) {
      shot(run, out / "postadresser_list.png");
      click(list, "?CLOSE");
    }
  }
  settle(run, 300);
  // The laboratories list, whose column group shares the look of the viewers' lists.
  frame->action(std::string("?LABORATORIERLABORATORIER"))->trigger();
  if (ui::qt::QtWindow* labs = titled("Tabell laboratorier")) {
    shot(run, out / "lab_list.png");
    click(labs, "?CLOSE");
    settle(run, 300);
  }
  ui::requestShutdown();
  return run.exec();
}
