// Manual check of the look of the update forms in real Qt windows: LabForm and LeverForm over a
// small data directory, written as PNGs (argument 1: the file-name stem). Run under xvfb-run.
#include <QApplication>
#include <QPixmap>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/registry_files.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "maintenance/lab_form.h"
#include "maintenance/lever_form.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"

namespace fs = std::filesystem;

namespace {

template <class F, class Fill>
void make(F& f, Fill fill) {
  f.setName(data::fileName(f.label() == "MapLab" ? data::FileId::MapLab
                           : f.label() == "MapLever" ? data::FileId::MapLever
                                                     : data::FileId::Anlegg));
  f.create();
  f.open();
  fill();
  f.close();
}

void seed() {
  data::MapLab lab;
  make(lab, [&] {
    lab.rec.LAB = "KV";
    lab.rec.LABNAVN = "Kelda Vest analysesenter";
    lab.rec.STEDKILDE = "Sted";
    lab.rec.DATOVALG = "Tattdato";
    lab.rec.DATADIRLAB = "/data/kelda/vest/eksport";
    lab.rec.IMPORTFILE = "/data/kelda/vest/eksport/RNX20_2026.DBF";
    lab.add();
  });
  data::Anlegg anl;
  make(anl, [&] {
    anl.rec.ANLEGGSNR.setWhole(text::Str<6>("150101"));
    anl.rec.ANLEGGSNAVN = "Fjellby renseanlegg";
    anl.add();
  });
  data::MapLever lev;
  make(lev, [&] {
    lev.rec.LAB = "KV";
    lev.rec.LEVERAND = "100";
    lev.rec.ANLEGGSNR = "150101";
    lev.add();
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
  seed();

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
    change(data::FileId::MapLever, t.MapLever, data::MapLever::MAPLEVERKEY, 2, maintenance::LeverForm);
    data::dropFile(data::FileId::MapLever);
    data::dropFile(data::FileId::MapLab);
  });
  for (const auto& [n, title] : {std::pair{1, "Skjema laboratorium"}, {2, "Mapping leverandørnummer/anleggsnummer"}}) {
    ui::qt::QtWindow* w = nullptr;
    run.pumpUntil([&] { return stage == n && (w = run.backend().windowTitled(title)) && run.backend().settled(); });
    run.pumpUntil([] { return false; }, 300);
    if (!w) break;
    const std::string out = stem + "." + std::to_string(n) + ".png";
    w->shell()->grab().save(QString::fromUtf8(out.c_str()));
    std::printf("wrote %s\n", out.c_str());
    w->shell()->close();
  }
  run.exec();
  fs::remove_all(dir);
  return 0;
}
