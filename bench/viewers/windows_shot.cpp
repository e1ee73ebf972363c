// Manual check of the look at 1024x768: runs the program in a fresh demo working directory
// (argument 1, set up with lab2siv-demo) and writes PNGs of the whole screen (argument 2, a
// folder) with the first start's settings window, the import window before and after an
// import, the log viewer and its search window, the laboratories list and the mapping report's
// preview. Run under xvfb-run -s "-screen 0 1024x768x24".
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <filesystem>
#include <string>

#include "import/window/register.h"
#include "maintenance/register.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "screen_shot.h"
#include "shell/main.h"

namespace {

namespace fs = std::filesystem;

using shots::click;
using shots::settle;

void shot(ui::qt::QtRun& run, const fs::path& file) { shots::shot(run, file, 500); }

}  // namespace

int main(int argc, char** argv) {
  fs::path out;
  if (!shots::enterDemo(argc, argv, out)) return 2;
  ::setenv("LAB2SIV_NO_PRINTER", "1", 1);
  QApplication app(argc, argv);
  maintenance::registerProcedures();
  import::registerImportWindow();
  ui::qt::QtRun run;
  run.start([] { shell::Main(); });
  const auto titled = [&](const char* title, int ms = 15000) { return shots::titled(run, title, ms); };

  if (ui::qt::QtWindow* settings = titled("Innstillinger", 5000)) {
    shot(run, out / "settings.png");
    click(settings, "?OK");
  }
  ui::qt::QtWindow* frame = nullptr;
  if (!run.pumpUntil([&] {
        for (int id = 1; id < 8 && !frame; ++id)
          if (auto* w = run.backend().window(id); w && w->def().kind == ui::WindowKind::MdiFrame) frame = w;
        return frame != nullptr;
      }))
    return 1;
  settle(run, 500);

  frame->action(std::string("?IMPORT"))->trigger();
  ui::qt::QtWindow* imp = titled("Import");
  shot(run, out / "import.png");
  click(imp, "?OKBUTTON");
  run.pumpUntil(
      [&] {
        auto* l = imp ? qobject_cast<QLabel*>(imp->widget(std::string("?LOC:MELDING_1"))) : nullptr;
        return l && l->text() == QStringLiteral("Ferdig!");
      },
      30000);
  shot(run, out / "import_done.png");

  click(imp, "?LOGFILEBUTTON");
  if (ui::qt::QtWindow* log = titled("Se på Logg-file")) {
    shot(run, out / "log_view.png");
    click(log, "?ASCIISEARCH");
    if (ui::qt::QtWindow* search = titled("Searching Text...")) {
      shot(run, out / "log_search.png");
      click(search, "?ASC1:CANCELSEARCH");
    }
    settle(run, 300);
    click(log, "?CLOSE");
  }
  settle(run, 300);
  click(imp, "?CANCELBUTTON");
  settle(run, 300);

  frame->action(std::string("?LABORATORIERLABORATORIER"))->trigger();
  if (ui::qt::QtWindow* labs = titled("Tabell laboratorier")) {
    shot(run, out / "lab_list.png");
    click(labs, "?INSTILLINGBUTTON");
    if (ui::qt::QtWindow* lab = titled("Tabell instillinger laboratorier")) {
      settle(run, 500);
      click(lab, "?UTSKRIFTBUTTON");
      if (ui::qt::QtWindow* preview = titled("Report Preview")) {
        shot(run, out / "preview.png");
        preview->action(std::string("?EXITBUTTON"))->trigger();
      }
      settle(run, 500);
      click(lab, "?BUTTON11");
    }
    settle(run, 300);
    click(labs, "?CLOSE");
    settle(run, 300);
  }
  ui::requestShutdown();
  return run.exec();
}
