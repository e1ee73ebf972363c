#pragma once
// One laboratory "KL" whose tables are a copy of the import fixture set, mapped so that a run
// over supplier 100 stores discharge controls: plant 010101 with TOT-P at "Innløp".
// The files are written into the current data directory (data::SetFileNames done).
#include <gtest/gtest.h>

#include <filesystem>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/registry_files.h"

namespace l2stest {

inline void seedImportScenario(const std::filesystem::path& labDir) {
  namespace fs = std::filesystem;
  fs::copy(fs::path(LAB2SIV_FIXTURES) / "import" / "lab", labDir);
  const auto opened = [](store::FileBase& f, data::FileId id) {
    f.setName(data::fileName(id));
    if (f.open() != 0) {
      ASSERT_EQ(f.create(), 0);
      ASSERT_EQ(f.open(), 0);
    }
  };
  data::MapLab lab;
  opened(lab, data::FileId::MapLab);
  lab.clear();
  lab.rec.LAB = "KL";
  lab.rec.LABNAVN = "Kjemilab";
  lab.rec.STEDKILDE = "Sted";
  lab.rec.DATOVALG = "Tattdato";
  lab.rec.DATADIRLAB = labDir.string();
  lab.rec.IMPORTFILE = (labDir / "RNX20.dbf").string();
  ASSERT_EQ(lab.add(), 0);

  data::MapLever lever;
  opened(lever, data::FileId::MapLever);
  lever.clear();
  lever.rec.LAB = "KL";
  lever.rec.LEVERAND = "100";
  lever.rec.ANLEGGSNR = "010101";
  ASSERT_EQ(lever.add(), 0);

  data::Anlegg plant;
  opened(plant, data::FileId::Anlegg);
  plant.clear();
  plant.rec.ANLEGGSNR.setWhole(text::Str<6>("010101"));
  plant.rec.ANLEGGSNAVN = "Renseanlegg Nord";
  plant.rec.ANTALLPARAMETRE = 1;
  plant.rec.PARAMETER[0] = "TOT-P";
  plant.rec.ANTALLPRSTEDER = 1;
  plant.rec.PRSTED[0] = "Innløp";
  ASSERT_EQ(plant.add(), 0);

  data::MapParam param;
  opened(param, data::FileId::MapParam);
  param.clear();
  param.rec.LAB = "KL";
  param.rec.PRTYPE = "U";
  param.rec.PARAMLAB = "TP";
  param.rec.PARAMSIV = "TOT-P";
  param.rec.FAKTOR = 1;
  ASSERT_EQ(param.add(), 0);

  data::MapSted place;
  opened(place, data::FileId::MapSted);
  place.clear();
  place.rec.LAB = "KL";
  place.rec.LEVERAND = "100";
  place.rec.STEDLAB = "01";
  place.rec.STEDSIV = "Innløp";
  ASSERT_EQ(place.add(), 0);
}

inline long long storedDischargeControls() {
  data::Utslippskontroll u;
  u.setName(data::fileName(data::FileId::Utslippskontroll));
  return u.open() == 0 ? u.records() : -1;
}

}  // namespace l2stest
