// Manual check of the look of the update forms in real Qt windows: LabForm, LeverForm, ParamForm
// and StedForm over a small data directory and the import fixture's laboratory export, written as
// PNGs (argument 1: the file-name stem). Run under xvfb-run.
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>

#include "data/file_names.h"
#include "data/lab/lab_tables.h"
#include "data/program_files.h"
#include "data/registry_files.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "maintenance/forms/lab_form.h"
#include "maintenance/forms/lever_form.h"
#include "maintenance/forms/param_form.h"
#include "maintenance/forms/sted_form.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"

namespace fs = std::filesystem;

namespace {

template <class F, class Fill>
void make(F& f, Fill fill) {
  const data::FileId ids[] = {data::FileId::MapLab,  data::FileId::MapLever, data::FileId::MapParam,
                              data::FileId::MapSted, data::FileId::Anlegg,   data::FileId::Parameter};
  for (data::FileId id : ids)
    if (data::fileLabel(id) == f.label()) f.setName(data::fileName(id));
  f.create();
  f.open();
  fill();
  f.close();
}

void seed(const std::string& exportDir) {
  data::MapLab lab;
  make(lab, [&] {
    lab.rec.LAB = "KV";
    lab.rec.LABNAVN = "Kelda Vest analysesenter";
    lab.rec.STEDKILDE = "Sted";
    lab.rec.DATOVALG = "Tattdato";
    lab.rec.DATADIRLAB = exportDir;
    lab.rec.IMPORTFILE = exportDir + "/RNX20.dbf";
    lab.add();
  });
  data::Anlegg anl;
  make(anl, [&] {
    anl.rec.ANLEGGSNR.setWhole(text::Str<6>("150101"));
    anl.rec.ANLEGGSNAVN = "Fjellby renseanlegg";
    anl.rec.ANTALLPRSTEDER = 3;
    anl.rec.PRSTED[0] = "Utløp";
    anl.rec.PRSTED[1] = "Innløp";
    anl.rec.PRSTED[2] = "Overløp";
    anl.add();
  });
  data::MapLever lev;
  make(lev, [&] {
    lev.rec.LAB = "KV";
    lev.rec.LEVERAND = "100";
    lev.rec.ANLEGGSNR = "150101";
    lev.add();
  });
  data::Parameter par;
  make(par, [&] {
    const char* rows[][3] = {
        {"TOT-P", "N", "Totalfosfor"}, {"BOF5", "O", "Biologisk oksygenforbruk"}, {"SS", "A", "Suspendert stoff"}};
    for (const auto& r : rows) {
      par.clear();
      par.rec.PARAMETER = r[0];
      par.rec.TYPE = r[1];
      par.rec.BETEGNELSE = r[2];
      par.add();
    }
  });
  data::MapParam map;
  make(map, [&] {
    map.rec.LAB = "KV";
    map.rec.PRTYPE = "U";
    map.rec.PARAMLAB = "TP";
    map.rec.PARAMSIV = "TOT-P";
    map.rec.FAKTOR = 0.001;
    map.add();
  });
  data::MapSted sted;
  make(sted, [&] {
    sted.rec.LAB = "KV";
    sted.rec.LEVERAND = "100";
    sted.rec.STEDLAB = "02";
    sted.rec.STEDSIV = "Utløp";
    sted.add();
  });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string stem = argc > 1 ? argv[1] : "forms_shot";
  const fs::path dir = fs::temp_directory_path() / "l2s-forms-shot";
  fs::remove_all(dir);
  fs::create_directories(dir);
  data::setDataDirectory(dir.string());
  data::SetFileNames();
  const fs::path exportDir = dir / "lab";
  fs::copy(LAB2SIV_FIXTURES "/import/lab", exportDir);
  seed(exportDir.string());

  ui::qt::QtRun run;
  std::atomic<int> stage{0};
  run.start([&] {
    auto& t = data::thr();
    // The record read as a list reads it, then its form for a change.
    auto change = [&](data::FileId id, auto& file, store::KeyId key, int n, void (*form)()) {
      data::useFile(id);
      file.get(key);
      t.ThreadRequest = 2;
      stage = n;
      form();
    };
    t.MapLab.rec.LAB = "KV";
    change(data::FileId::MapLab, t.MapLab, data::MapLab::MAPLABKEY, 1, maintenance::LabForm);
    t.MapLever.rec.LAB = "KV";
    t.MapLever.rec.LEVERAND = "100";
    // The last two as the settings window calls them: with the laboratory's tables held.
    data::lab::LabTablesHolder holder;
    data::lab::OpenLabTables(holder, t.MapLab.rec.DATADIRLAB.str(), t.MapLab.rec.IMPORTFILE.str());
    change(data::FileId::MapLever, t.MapLever, data::MapLever::MAPLEVERKEY, 2, maintenance::LeverForm);
    t.LAB = "KV";
    t.PR_TYPE = "U";
    t.MapParam.rec.LAB = "KV";
    t.MapParam.rec.PRTYPE = "U";
    t.MapParam.rec.PARAMLAB = "TP";
    change(data::FileId::MapParam, t.MapParam, data::MapParam::MAPPARAMKEY, 3, maintenance::ParamForm);
    t.MapSted.rec.LAB = "KV";
    t.MapSted.rec.LEVERAND = "100";
    t.MapSted.rec.STEDLAB = "02";
    t.MapSted.rec.STEDSIV = "Utløp";
    change(data::FileId::MapSted, t.MapSted, data::MapSted::MAPSTEDKEY, 4, maintenance::StedForm);
    data::lab::CloseLabTables(holder);
    for (data::FileId id :
         {data::FileId::MapSted, data::FileId::MapParam, data::FileId::MapLever, data::FileId::MapLab})
      data::dropFile(id);
  });
  for (const auto& [n, title] : {std::pair{1, "Skjema laboratorium"},
                                 {2, "Mapping leverandørnummer/anleggsnummer"},
                                 {3, "Mapping parametre Lab/Sivra"},
                                 {4, "Mapping av steder i Kelda/Sivra"}}) {
    ui::qt::QtWindow* w = nullptr;
    run.pumpUntil([&] { return stage == n && (w = run.backend().windowTitled(title)) && run.backend().settled(); });
    run.pumpUntil([] { return false; }, 300);
    if (!w) break;
    const std::string out = stem + "." + std::to_string(n) + ".png";
    w->shell()->grab().save(QString::fromUtf8(out.c_str()));
    // A drop list with its columns, grabbed from the screen (the list is a window of its own).
    const char* combo = n == 3 ? "?M_P:PARAMSIV" : n == 4 ? "?M_S:STEDLAB" : n == 2 ? "?M_L:LEVERAND" : nullptr;
    if (combo) {
      if (auto* cb = qobject_cast<QComboBox*>(w->widget(combo))) {
        cb->showPopup();
        run.pumpUntil([] { return false; }, 400);
        QGuiApplication::primaryScreen()->grabWindow(0).save(
            QString::fromUtf8((stem + "." + std::to_string(n) + ".drop.png").c_str()));
        cb->hidePopup();
      }
    }
    std::printf("wrote %s\n", out.c_str());
    w->shell()->close();
  }
  run.exec();
  fs::remove_all(dir);
  return 0;
}
