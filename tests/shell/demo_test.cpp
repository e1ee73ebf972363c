// The demo working directory as lab2siv-demo sets it up, and an import run over it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/file_names.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "import/run_import.h"
#include "platform/ini/ini.h"
#include "platform/store/paths.h"
#include "platform/ui/api/message.h"

namespace fs = std::filesystem;

namespace {
std::vector<std::string> gBoxes;
}

namespace ui {
int message(std::string_view text, std::string_view, Icon, int buttons, int) {
  gBoxes.emplace_back(text);
  return buttons & Button::Ok ? Button::Ok : buttons;
}
}  // namespace ui

namespace {

using data::FileId;

constexpr FileId kImportFiles[] = {FileId::MapLab,       FileId::MapLever, FileId::MapParam,
                                   FileId::MapSted,      FileId::Anlegg,   FileId::Utslippskontroll,
                                   FileId::Slamkontroll, FileId::PrType,   FileId::PrTakingsSted};

class Progress : public import::ImportProgress {
 public:
  void showLine(int, std::string_view) override {}
  void redraw() override {}
  void viewLog() override { ++logViews; }
  int logViews = 0;
};

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class DemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("l2s-demo-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    gBoxes.clear();
  }
  void TearDown() override {
    closeFiles();
    fs::remove_all(dir_);
  }

  int makeDemo() {
    const std::string line = "'" LAB2SIV_BINARY_DIR "/app/lab2siv-demo' '" + dir_.string() + "' >/dev/null 2>&1";
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string setting(const char* section, const char* key) const {
    return ini::getValue((dir_ / "system" / "Siv2000.ini").string(), section, key, "<missing>");
  }

  // The thread's files opened on the demo data directory, as the import window opens them.
  void openFiles() {
    data::setDataDirectory((dir_ / "data").string());
    data::SetFileNames();
    for (FileId id : kImportFiles) ASSERT_EQ(data::useFile(id), 0) << data::fileLabel(id);
    open_ = true;
  }
  void closeFiles() {
    if (!open_) return;
    for (FileId id : kImportFiles) data::dropFile(id);
    open_ = false;
  }

  // An import of the laboratory the settings name, with the window's defaults.
  void runImport() {
    auto& t = data::thr();
    t.LAB = setting("PROVEX", "Lab");
    t.MapLab.clear();
    t.MapLab.rec.LAB = t.LAB;
    ASSERT_EQ(t.MapLab.get(data::MapLab::MAPLABKEY), 0) << t.LAB.str();
    import::ImportChoices c;
    c.IMPORTFILE = t.MapLab.rec.IMPORTFILE.str();
    c.UTSLKTR = c.SLAMKTR = c.OVERSKRIVES = c.LOGSLETT = true;
    c.PRTYPE = setting("PROVEX", "PrType");
    c.PR_TAKINGSTED = setting("PROVEX", "Pr_takingsted");
    import::RunImport(c, state_, progress_);
  }
  std::string logText() const { return readFile(store::resolvePath(data::fileName(FileId::ImportLog))); }

  fs::path dir_;
  bool open_ = false;
  import::ImportRunState state_;
  Progress progress_;
};

TEST_F(DemoTest, AnImportOverTheDemoStoresEveryJournalWithoutProblems) {
  ASSERT_EQ(makeDemo(), 0);
  openFiles();
  runImport();
  EXPECT_TRUE(gBoxes.empty()) << gBoxes.front();
  const std::string log = logText();
  for (const char* problem : {"IKKE", "ikke registrert"}) EXPECT_EQ(log.find(problem), std::string::npos) << log;
  EXPECT_EQ(progress_.logViews, 0);
  // Four plants; 17 journals of water samples and 3 of sludge.
  for (const char* plant : {"340301", "180401", "340701", "300501"})
    EXPECT_NE(log.find(std::string("Anlegg: ") + plant), std::string::npos) << plant;
  EXPECT_NE(log.find("Antall Utsl.kontr.prøver lagret:    17"), std::string::npos) << log;
  EXPECT_NE(log.find("Antall Slam.kontr.prøver lagret:     3"), std::string::npos) << log;

  auto& t = data::thr();
  EXPECT_EQ(t.Utslippskontroll.records(), 17);
  t.Utslippskontroll.set(data::Utslippskontroll::UTSLIPPSKONTROLL_KEY1);
  while (t.Utslippskontroll.next() == 0) {
    const auto& r = t.Utslippskontroll.rec;
    SCOPED_TRACE(r.ANLEGGSNR.str() + " " + r.LAB_JOURNALNR.str());
    // Total phosphorus, the first parameter of every plant, at the inlet and at the outlet.
    EXPECT_GT(r.VERDI[0][0], 0);
    EXPECT_GT(r.VERDI[0][1], 0);
    EXPECT_LT(r.VERDI[0][1], r.VERDI[0][0]);
    EXPECT_GT(r.VANNFOERING, 0);
    EXPECT_EQ(r.PRTYPE, "Rutinekontroll");
    // Only Fossheim's inlet is analysed for heavy metals: cadmium in µg/l, mercury from ng/l.
    if (r.ANLEGGSNR == "300501") {
      EXPECT_GT(r.VERDITUNGMETALL[0][1], 0);
      EXPECT_LT(r.VERDITUNGMETALL[2][1], 0.1);
      EXPECT_GT(r.VERDITUNGMETALL[2][1], 0);
    }
  }
  EXPECT_EQ(t.Slamkontroll.records(), 3);
  t.Slamkontroll.set(data::Slamkontroll::SLAMKONTROLL_KEY1);
  while (t.Slamkontroll.next() == 0) {
    const auto& r = t.Slamkontroll.rec;
    EXPECT_EQ(r.ANLEGGSNR, "300501");
    EXPECT_EQ(r.PR_TAKINGSTED, "Avvannet slam");
    EXPECT_GT(r.VERDI_CD, 0);
    EXPECT_GT(r.VERDI_TS_TUNGMETALL, 0);
    EXPECT_FALSE(r.VERDI_TERMO_KOLI.str().empty());
  }
}

TEST_F(DemoTest, SettingsChooseTheDemoLaboratoryAndEntriesOfTheWindowsLists) {
  ASSERT_EQ(makeDemo(), 0);
  EXPECT_EQ(setting("Datasett", "Datasett_navn"), "Demo");
  openFiles();
  auto& t = data::thr();
  t.MapLab.rec.LAB = setting("PROVEX", "Lab");
  ASSERT_EQ(t.MapLab.get(data::MapLab::MAPLABKEY), 0);
  EXPECT_TRUE(fs::exists(t.MapLab.rec.IMPORTFILE.str()));
  EXPECT_TRUE(fs::exists(fs::path(t.MapLab.rec.DATADIRLAB.str()) / "RNXJR.dbf"));
  EXPECT_EQ(setting("PROVEX", "Importfile"), t.MapLab.rec.IMPORTFILE.str());
  // The import window selects the saved sample type and sludge place only when listed.
  t.PrType.rec.PRTYPE = setting("PROVEX", "PrType");
  EXPECT_EQ(t.PrType.get(data::PrType::PRTYPEKEY), 0);
  t.PrTakingsSted.rec.PR_TAKINGSTED = setting("PROVEX", "Pr_takingsted");
  EXPECT_EQ(t.PrTakingsSted.get(data::PrTakingsSted::PRTAKINGSSTED_KEY), 0);
}

TEST_F(DemoTest, RunningAgainKeepsTheRegistryTheImportedRecordsAndTheSettings) {
  ASSERT_EQ(makeDemo(), 0);
  openFiles();
  runImport();
  ASSERT_EQ(data::thr().Utslippskontroll.records(), 17);
  closeFiles();
  ASSERT_TRUE(ini::putValue((dir_ / "system" / "Siv2000.ini").string(), "PROVEX", "PrType", "Ekstrakontroll"));

  ASSERT_EQ(makeDemo(), 0);
  EXPECT_EQ(setting("PROVEX", "PrType"), "Ekstrakontroll");
  openFiles();
  auto& t = data::thr();
  EXPECT_EQ(t.Utslippskontroll.records(), 17);
  EXPECT_EQ(t.MapLab.records(), 1);
  EXPECT_EQ(t.MapParam.records(), 31);
}

TEST_F(DemoTest, FilesMissingOrLeftEmptyAreCompletedAndAStaleStagingDirectoryGoes) {
  ASSERT_EQ(makeDemo(), 0);
  // The program creates every missing file empty when it starts; a killed run leaves files out
  // and its staging directory behind.
  fs::remove(dir_ / "data" / "MapParam.tps");
  fs::remove(dir_ / "data" / "MapFile.tps");
  {
    data::MapLab empty;
    empty.setName((dir_ / "data" / "MapFile.tps").string());
    ASSERT_EQ(empty.create(), 0);
  }
  fs::remove(dir_ / "lab" / "RNX20.fpt");
  fs::create_directories(dir_ / ".lab2siv-demo-999999999" / "data");

  ASSERT_EQ(makeDemo(), 0);
  EXPECT_FALSE(fs::exists(dir_ / ".lab2siv-demo-999999999"));
  EXPECT_TRUE(fs::exists(dir_ / "lab" / "RNX20.fpt"));
  openFiles();
  runImport();
  EXPECT_TRUE(gBoxes.empty()) << gBoxes.front();
  EXPECT_EQ(data::thr().Utslippskontroll.records(), 17);
}

TEST_F(DemoTest, AFileThatIsNoRegistryFileIsLeftAloneAndReported) {
  fs::create_directories(dir_ / "data");
  std::ofstream(dir_ / "data" / "Anlegg.tps") << "not a database";
  EXPECT_EQ(makeDemo(), 1);
  EXPECT_EQ(readFile(dir_ / "data" / "Anlegg.tps"), "not a database");
  // The settings do not point at a laboratory set up only in part.
  EXPECT_EQ(setting("PROVEX", "Lab"), "<missing>");
}

TEST_F(DemoTest, ADirectoryTooLongForTheLaboratoryRecordIsRefusedBeforeAnythingIsSet) {
  // The laboratory record holds its sample table's path in 200 characters.
  const fs::path base = dir_;
  dir_ = base / std::string(190, 'd');
  fs::create_directories(dir_);
  EXPECT_EQ(makeDemo(), 1);
  EXPECT_FALSE(fs::exists(dir_ / "data" / "MapFile.tps"));
  EXPECT_FALSE(fs::exists(dir_ / "lab"));
  EXPECT_EQ(setting("PROVEX", "Lab"), "<missing>");
  dir_ = base;
}

}  // namespace
