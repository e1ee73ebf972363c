// Manual check of the look: the laboratory settings window of a demo directory's first
// laboratory in a 1024x768 frame, one PNG per sheet. Run under xvfb-run:
//   lab_settings_shot DEMO_DIR OUT_PREFIX
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>
#include <string>

#include "data/file_names.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "maintenance/settings/lab_settings_browse.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/window.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "shell/global_settings.h"

using namespace ui;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: lab_settings_shot DEMO_DIR OUT_PREFIX\n");
    return 2;
  }
  QApplication app(argc, argv);
  const std::string demo = argv[1], out = argv[2];
  const char* title = "Tabell instillinger laboratorier";
  qt::QtRun run;
  run.start([&] {
    WindowDef f;
    f.title = "Brakel-Sivra Provex";
    f.kind = WindowKind::MdiFrame;
    f.statusZones = {0, 80};
    Window frame(f);
    frame.open();
    startProcedure([&] {
      data::setDataDirectory(demo + "/data");
      data::SetFileNames();
      auto& t = data::thr();
      data::useFile(data::FileId::MapLab);
      t.MapLab.set(data::MapLab::MAPLABKEY);
      t.MapLab.next();
      shell::editGlobals([&](shell::GlobalSettings& g) { g.IMPORTFILE = t.MapLab.rec.IMPORTFILE; });
      t.LAB = t.MapLab.rec.LAB;
      t.PR_TYPE = "U";
      maintenance::LabSettingsBrowse();
      data::dropFile(data::FileId::MapLab);
    });
    while (auto ev = frame.accept()) {
    }
  });
  qt::QtWindow* frame = nullptr;
  run.pumpUntil([&] { return (frame = run.backend().windowTitled("Brakel-Sivra Provex")) != nullptr; });
  frame->shell()->resize(1024, 768);
  run.pumpUntil([&] { return run.backend().windowTitled(title) != nullptr; });
  const auto settle = [&] {
    run.pumpUntil([&] { return run.backend().settled(); });
    run.pumpUntil([] { return false; }, 400);
  };
  settle();
  qt::QtWindow* w = run.backend().windowTitled(title);
  const auto shot = [&](const std::string& name) {
    settle();
    frame->shell()->grab().save(QString::fromUtf8((out + "-" + name + ".png").c_str()));
  };
  shot("parametre");
  if (auto* inner = qobject_cast<QTabWidget*>(w->widget("?SHEET1"))) inner->setCurrentIndex(1);
  shot("anlegg");
  if (auto* inner = qobject_cast<QTabWidget*>(w->widget("?SHEET2"))) inner->setCurrentIndex(1);
  shot("steder");
  frame->shell()->close();
  run.exec();
  std::printf("wrote %s-*.png\n", out.c_str());
  return 0;
}
