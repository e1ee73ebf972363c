#pragma once
// The import scenario with a second supplier, 160, whose plant is not in the registry: a run
// over 100..160 logs the missing plant and ends by showing the log.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "program_dir.h"

namespace l2stest {

inline void addSupplierWithoutPlant(const std::filesystem::path& root) {
  data::setDataDirectory((root / "data").string());
  data::SetFileNames();
  data::MapLever lever;
  lever.setName(data::fileName(data::FileId::MapLever));
  ASSERT_EQ(lever.open(), 0);
  lever.clear();
  lever.rec.LAB = "KL";
  lever.rec.LEVERAND = "160";
  lever.rec.ANLEGGSNR = "999999";
  ASSERT_EQ(lever.add(), 0);
  lever.close();
  data::resetFileNames();
  std::ofstream(root / "system" / "Siv2000.ini")
      << "[Datasett]\nDatasett_navn=Demo\n[PROVEX]\nLab=KL\nLeverand1=100\nLeverand2=160\n"
         "UtslKtr=1\nSlamKtr=0\n";
}

}  // namespace l2stest
