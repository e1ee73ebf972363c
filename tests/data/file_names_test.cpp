// File names built from the data directory, their widths, and the guard around them.
#include "data/file_names.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/store/paths.h"

using data::FileId;

namespace {

class FileNamesTest : public ::testing::Test {
 protected:
  void TearDown() override { data::resetFileNames(); }
};

TEST_F(FileNamesTest, NamesFollowTheDataDirectoryWithTheirOwnLetterCase) {
  data::setDataDirectory("/srv/siv/data   ");  // trailing blanks never count
  data::SetFileNames();
  struct Case {
    FileId id;
    const char* name;
  };
  const Case cases[] = {
      {FileId::Lab2Siv, "Lab2Siv.Tps"},
      {FileId::Labuser, "Labuser.tps"},
      {FileId::MapLab, "/srv/siv/data\\MapFile.tps"},
      {FileId::MapLever, "/srv/siv/data\\MapLever.tps"},
      {FileId::MapParam, "/srv/siv/data\\MapParam.tps"},
      {FileId::MapSted, "/srv/siv/data\\MapSted.tps"},
      {FileId::Anlegg, "/srv/siv/data\\Anlegg.tps"},
      {FileId::Utslippskontroll, "/srv/siv/data\\Utslippskontroll.tps"},
      {FileId::Slamkontroll, "/srv/siv/data\\Slamkontroll.tps"},
      {FileId::ImportLog, "/srv/siv/data\\Import.Txt"},
      {FileId::Bef_reg, "/srv/siv/data\\Bef_reg.Tps"},
      {FileId::Bef_dato, "/srv/siv/data\\Bef_dato.Tps"},
      {FileId::Driftsanalyser, "/srv/siv/data\\Driftsanalyser.tps"},
      {FileId::Parameter, "/srv/siv/data\\Parameter.tps"},
      {FileId::Driftsdata, "/srv/siv/data\\Driftsdata.tps"},
      {FileId::Slamoverforing, "/srv/siv/data\\Slamoverforing.tps"},
      {FileId::Slamdisponering, "/srv/siv/data\\Slamdisponering.tps"},
      {FileId::Postadresser, "/srv/siv/data\\Postadresser.tps"},
      {FileId::PrType, "/srv/siv/data\\PrType.tps"},
      {FileId::PrTakingsSted, "/srv/siv/data\\PrTakingsSted.tps"},
      {FileId::Datasett, ""},  // named by the frame, not here
  };
  for (const auto& c : cases) EXPECT_EQ(data::fileName(c.id), c.name) << data::fileLabel(c.id);
  EXPECT_EQ(store::resolvePath(data::fileName(FileId::MapLab)), "/srv/siv/data/MapFile.tps");
}

TEST_F(FileNamesTest, BlankDataDirectoryNamesTheDriveRoot) {
  data::SetFileNames();
  EXPECT_EQ(data::fileName(FileId::MapLab), "\\MapFile.tps");
  store::setDriveRoot("/mnt/l2s-drive");
  EXPECT_EQ(store::resolvePath(data::fileName(FileId::MapLab)), "/mnt/l2s-drive/MapFile.tps");
  store::setDriveRoot("/");
}

TEST_F(FileNamesTest, LongNamesAreCutToTheirVariablesWidth) {
  // 190 characters of directory: past 200 with the file name, not past 255.
  const std::string dir = "/" + std::string(189, 'd');
  data::setDataDirectory(dir);
  data::SetFileNames();
  EXPECT_EQ(data::fileName(FileId::MapLab), dir + "\\MapFile.tps");
  EXPECT_EQ(data::fileName(FileId::PrType).size(), 200u);
  EXPECT_EQ(data::fileName(FileId::PrType), (dir + "\\PrType.tps").substr(0, 200));
  EXPECT_EQ(data::fileName(FileId::Postadresser).size(), 200u);

  const std::string longer = "/" + std::string(244, 'e');
  data::setDataDirectory(longer);
  data::SetFileNames();
  EXPECT_EQ(data::fileName(FileId::MapLab).size(), 255u);
  EXPECT_EQ(data::fileName(FileId::Bef_dato), longer + "\\Bef_dato.Tps");  // 260 wide: fits
  data::setFileName(FileId::Datasett, std::string(300, 'x'));
  EXPECT_EQ(data::fileName(FileId::Datasett).size(), 200u);
}

TEST_F(FileNamesTest, ReadersNeverSeeANameHalfRewritten) {
  const std::string a = "/" + std::string(100, 'a'), b = "/" + std::string(120, 'b');
  std::atomic<bool> stop{false};
  std::atomic<int> torn{0};
  std::thread writer([&] {
    for (int i = 0; i < 500; ++i) {
      data::setDataDirectory(i % 2 ? a : b);
      data::SetFileNames();
    }
    stop = true;
  });
  data::setDataDirectory(a);
  data::SetFileNames();
  while (!stop) {
    const auto snap = data::fileNamesSnapshot();
    const std::string& m = snap[FileId::MapLab];
    const std::string& p = snap[FileId::MapParam];
    const bool okM = m == a + "\\MapFile.tps" || m == b + "\\MapFile.tps";
    const bool samePrefix = m.substr(0, 50) == p.substr(0, 50);
    if (!okM || !samePrefix) ++torn;
  }
  writer.join();
  EXPECT_EQ(torn, 0);
}

}  // namespace
