#include <gtest/gtest.h>

#include <filesystem>

#include "data/lab/lab_tables.h"
#include "golden.h"
#include "import/run_import.h"
#include "scenario.h"
#include "ui_message_double.h"

namespace testing_import {
namespace {

// The scenario over the committed dBase tables instead of their in-memory copy.
class DbaseRunTest : public ScenarioFixture {
 protected:
  void SetUp() override {
    ScenarioFixture::SetUp();
    if (HasFatalFailure()) return;
    // The tables are opened exclusively, also towards other test processes: work on a copy.
    labDir = (dir / "lab").string();
    std::filesystem::copy(std::string(LAB2SIV_FIXTURES) + "/import/lab", labDir);
    auto& lab = data::thr().MapLab;
    lab.rec.LAB = "KL";
    ASSERT_EQ(lab.get(data::MapLab::MAPLABKEY), 0);
    lab.rec.DATADIRLAB = labDir;
    lab.rec.IMPORTFILE = labDir + "/RNX20.dbf";
    ASSERT_EQ(lab.put(), 0);
  }

  import::ImportChoices choices() const { auto ch = allOn();
  ch.IMPORTFILE = labDir + "/RNX20.dbf";
  return ch;
}

std::string labDir;
};  // namespace

TEST_F(DbaseRunTest, GivesTheRecordsAndLogOfTheGoldenRun) {
  import::RunImport(choices(), state, progress);
  EXPECT_TRUE(testing_ui::boxes().empty());
  expectGolden("log.txt", logText());
  expectGolden("utslippskontroll.txt", [&] {
    std::string s;
    for (const auto& r : dumpUtslippskontroll()) s += r + "\n";
    return s;
  }());
  expectGolden("slamkontroll.txt", [&] {
    std::string s;
    for (const auto& r : dumpSlamkontroll()) s += r + "\n";
    return s;
  }());
}

TEST_F(DbaseRunTest, SecondRunWhileTheTablesAreHeldIsRefused) {
  data::lab::LabTablesHolder other;
  ASSERT_EQ(data::lab::OpenLabTables(other, labDir, labDir + "/RNX20.dbf"), 1);
  import::RunImport(choices(), state, progress);
  ASSERT_EQ(testing_ui::boxes().size(), 2u);
  EXPECT_EQ(testing_ui::boxes()[0].caption, "Advarsel");
  EXPECT_EQ(testing_ui::boxes()[0].text.rfind("Kan ikke åpne: ", 0), 0u) << testing_ui::boxes()[0].text;
  EXPECT_EQ(testing_ui::boxes()[1].text.rfind("Feil ved åpning av importfiler!", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(logPath()));
  // The holder keeps its tables.
  EXPECT_TRUE(data::lab::labTables().RNX51.isOpen());
  data::lab::CloseLabTables(other);
}

TEST_F(DbaseRunTest, MissingTablesAreReported) {
  auto& lab = data::thr().MapLab;
  lab.rec.DATADIRLAB = (dir / "nowhere").string();
  import::RunImport(choices(), state, progress);
  ASSERT_EQ(testing_ui::boxes().size(), 2u);
  EXPECT_EQ(testing_ui::boxes()[0].text.rfind("Kan ikke åpne: ", 0), 0u) << testing_ui::boxes()[0].text;
  EXPECT_FALSE(data::lab::labTables().RNX51.isOpen());
}

}  // namespace testing_import
}  // namespace testing_import
