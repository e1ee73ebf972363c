#include "maintenance/settings/lab_settings_browse.h"

#include <atomic>
#include <filesystem>

#include "data/lab/lab_tables.h"
#include "data/use_counters.h"
#include "maintenance/forms/lever_form.h"
#include "mapping_fixture.h"

namespace {

using l2stest::MappingHarness;
using Strings = std::vector<std::string>;
constexpr const char* kTitle = "Tabell instillinger laboratorier";
namespace fs = std::filesystem;

class LabSettingsTest : public MappingHarness {
 protected:
  void SetUp() override {
    MappingHarness::SetUp();
    // The tables are opened exclusively, so each test reads its own copy.
    labDir = (fs::current_path() / "lab").string();
    fs::copy(fs::path(LAB2SIV_FIXTURES) / "lab", labDir, fs::copy_options::recursive);
    addLabs({{"K1", "Kelda Øst", labDir, labDir + "/RNX20.dbf"},
             {"K3", "Uten leverandører", labDir, labDir + "/RNX20.dbf"}});
    setPlaceSource("K1", "Sted");
    addPlants({{"010101", "Renseanlegg Nord"}, {"020202", "Renseanlegg Sør"}});
    addParameters(
        {{"TOT-P", "", "Totalfosfor"}, {"BOF5", "", "Biokjemisk oksygenforbruk"}, {"N", "", "Nitrogen i registeret"}});
    addParams({{"K1", "U", "TOTP", "TOT-P", "1.5"},
               {"k1", "U", "KOF", "BOF5", "0"},  // laboratory differs in case only
               {"K1", "U", "SS", "N", "2"},      // a head-row code: the head row names it
               {"K1", "S", "SS", "Kadmium", "1"},
               {"K1", "S", "TOTP", "Tot-N", "1"},  // not a sludge target: no name
               {"K2", "U", "TOTP", "TOT-P", "1"},
               {"K9", "U", "XX", "BOF5", "1"},  // a laboratory without its record
               {"", "U", "YY", "BOF5", "1"}});
    addSuppliers({{"K1", "100", "010101"}, {"K1", "200", "020202"}, {"K2", "100", "010101"}});
    addPlaces({{"K1", "100", "01", "Innløp"},
               {"K1", "100", "02", "Utløp"},
               {"K1", "200", "01", "Kum"},
               {"K2", "100", "01", "Annen lab"},
               {"", "", "01", "Uten eier"},
               {"K3", "", "01", "Uten leverandør"}});
  }

  void setPlaceSource(const std::string& lab, const std::string& source) {
    data::MapLab f;
    f.setName(data::fileName(data::FileId::MapLab));
    ASSERT_EQ(f.open(), 0);
    f.rec.LAB = lab;
    ASSERT_EQ(f.get(data::MapLab::MAPLABKEY), 0);
    f.rec.STEDKILDE = source;
    ASSERT_EQ(f.put(), 0);
    f.close();
  }
  // The window as the laboratories list calls it: the laboratory's record in the buffer, THR:LAB
  // and THR:PR_TYPE "U". A code without a record stands for one another station removed after
  // the list had read it: the buffer still names the tables.
  void start(const std::string& lab, bool waitForWindow = true) {
    ASSERT_TRUE(ui::startProcedure([this, lab] {
      auto& t = data::thr();
      data::useFile(data::FileId::MapLab);
      t.MapLab.rec.LAB = lab;
      if (t.MapLab.get(data::MapLab::MAPLABKEY) != 0) {
        t.MapLab.rec.DATADIRLAB = labDir;
        t.MapLab.rec.IMPORTFILE = labDir + "/RNX20.dbf";
      }
      shell::editGlobals([&](shell::GlobalSettings& g) { g.IMPORTFILE = t.MapLab.rec.IMPORTFILE; });
      t.LAB = lab;
      t.PR_TYPE = "U";
      t.ThreadResponse = -1;
      maintenance::LabSettingsBrowse();
      response = t.ThreadResponse;
      data::dropFile(data::FileId::MapLab);
    }));
    if (waitForWindow) {
      ASSERT_TRUE(robot.window(kTitle));
    }
  }
  void close() {
    ASSERT_TRUE(robot.press("?BUTTON11"));
    ASSERT_TRUE(robot.waitEnd());
    EXPECT_EQ(response, 2);
  }
  // Every cell of every row of a list box, lines joined by '|'.
  std::vector<Strings> cells(const std::string& equate) {
    std::vector<Strings> out;
    for (const auto& r : control(kTitle, equate).rows) {
      Strings row;
      for (std::string c : r.cells) {
        for (char& ch : c)
          if (ch == '\n') ch = '|';
        row.push_back(c);
      }
      out.push_back(row);
    }
    return out;
  }
  bool enabled(const std::string& equate) { return control(kTitle, equate).enabled; }

  std::string labDir;
  std::atomic<int> response{-1};
};

TEST_P(LabSettingsTest, ListsTheLaboratorysMappingsWithTheirNames) {
  start("K1");
  EXPECT_EQ(focus(kTitle), "?HJELP") << "the window opens with the focus on its first control";
  EXPECT_EQ(control(kTitle, "?MAP:LABNAVN").value, "Kelda Øst");
  EXPECT_EQ(cells("?LIST:2"),
            (std::vector<Strings>{{"KOF|Kjemisk oksygenforbruk", "BOF5|Biokjemisk oksygenforbruk", ""},
                                  {"SS|Suspendert stoff, tørrstoff", "N|Næringsstoffer:", "2,000"},
                                  {"TOTP|Total fosfor", "TOT-P|Totalfosfor", "1,500"}}));
  EXPECT_EQ(cells("?LIST:3"), (std::vector<Strings>{{"100|Østre Ålesund renseanlegg", "010101|Renseanlegg Nord"},
                                                    {"200|Æsøy kommune", "020202|Renseanlegg Sør"}}));
  // The place list follows the highlighted supplier; names by supplier and place code.
  EXPECT_EQ(cells("?LIST:4"), (std::vector<Strings>{{"Innløp", "01", "Innløp"}, {"Utløp", "02", "Utløp"}}));
  ASSERT_TRUE(robot.choose("?LIST:3", "200"));
  EXPECT_EQ(cells("?LIST:4"), (std::vector<Strings>{{"Kum", "01", "Kum ved ærfugl-skjær"}}));
  ASSERT_TRUE(robot.choose("?LIST:3", "100"));
  EXPECT_EQ(rows(kTitle, "?LIST:4"), (Strings{"Innløp", "Utløp"}));
  // A resize re-reads all three lists: mappings another station added show.
  addPlaces({{"K1", "100", "03", "Slam"}});
  addParams({{"K1", "U", "AAA", "BOF5", "1"}});
  addSuppliers({{"K1", "050", "010101"}});
  ASSERT_TRUE(robot.resize(700, 500));
  ASSERT_TRUE(robot.settle());
  EXPECT_EQ(rows(kTitle, "?LIST:2"), (Strings{"AAA", "KOF", "SS", "TOTP"}));
  EXPECT_EQ(rows(kTitle, "?LIST:3"), (Strings{"050", "100", "200"}));
  EXPECT_EQ(rows(kTitle, "?LIST:4"), (Strings{"Innløp", "Utløp", "Slam"}));
  close();
}

TEST_P(LabSettingsTest, PlaceNamesComeFromTheMaterialWhenThePlaceSourceIsNotSted) {
  setPlaceSource("K1", "Materiale");
  addPlaces({{"K1", "100", "RENS", "Renset"}});
  start("K1");
  EXPECT_EQ(cells("?LIST:4"),
            (std::vector<Strings>{{"Innløp", "01", ""}, {"Utløp", "02", ""}, {"Renset", "RENS", "Utløp"}}));
  close();
}

TEST_P(LabSettingsTest, SampleTypeSwitchesTheMappingsAndTheirTargetNames) {
  start("K1");
  ASSERT_TRUE(robot.choose("?LIST:2", "TOTP"));
  ASSERT_TRUE(robot.choose("?THR:PR_TYPE", "Slamkontroll"));
  EXPECT_EQ(control(kTitle, "?LIST:2").selected, 1) << "the other type's rows start at the top";
  EXPECT_EQ(cells("?LIST:2"), (std::vector<Strings>{{"SS|Suspendert stoff, tørrstoff", "Kadmium|Måleverdi Cd", "1,000"},
                                                    {"TOTP|Total fosfor", "Tot-N|", "1,000"}}));
  ASSERT_TRUE(robot.key("?LIST:2", "S"));  // every row has the type: the locator steps down
  EXPECT_EQ(control(kTitle, "?LIST:2").selected, 2);
  ASSERT_TRUE(robot.choose("?THR:PR_TYPE", "Utslipskontroll"));
  EXPECT_EQ(rows(kTitle, "?LIST:2"), (Strings{"KOF", "SS", "TOTP"}));
  EXPECT_EQ(cells("?LIST:2")[0][1], "BOF5|Biokjemisk oksygenforbruk");
  close();
}

TEST_P(LabSettingsTest, RefusedWhenTheLaboratoryTablesCannotBeOpened) {
  // Another window holds the tables; then a laboratory whose folder has no tables.
  data::lab::LabTablesHolder other;
  {
    data::thr().MapLab.rec.DATADIRLAB = labDir;
    ASSERT_EQ(data::lab::OpenLabTables(other, labDir, labDir + "/RNX20.dbf"), 1);
  }
  start("K1", false);
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  ASSERT_TRUE(robot.answer("", "Ok"));
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(response, 0);
  EXPECT_FALSE(windowOpen(kTitle));
  EXPECT_TRUE(transcriptHas("Feil ved åpning av importfiler!|Sjekk at importkatalog er korrekt angitt!"));
  EXPECT_TRUE(data::lab::labTables().RNX51.isOpen()) << "the holder keeps its tables";
  data::lab::CloseLabTables(other);

  fs::remove(fs::path(labDir) / "RNX60.dbf");
  start("K1", false);
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  ASSERT_TRUE(robot.answer("", "Ok"));
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(response, 0);
  EXPECT_TRUE(transcriptHas("Kan ikke indeksere: " + labDir + "/RNX60.dbf"));
  // The attempt released the tables it had opened before RNX60: they open again at once.
  fs::copy(fs::path(LAB2SIV_FIXTURES) / "lab" / "RNX60.dbf", fs::path(labDir) / "RNX60.dbf");
  data::lab::LabTablesHolder after;
  EXPECT_EQ(data::lab::OpenLabTables(after, labDir, labDir + "/RNX20.dbf"), 1);
  data::lab::CloseLabTables(after);
}

TEST_P(LabSettingsTest, NewSupplierMappingIsPrimedAndItsPlaceListFollows) {
  std::vector<std::string> seen;
  registerProcedure("LeverForm", [&] {
    auto& t = data::thr();
    seen.push_back(std::to_string(t.ThreadRequest) + ":" + t.MapLever.rec.LAB.str());
    t.ThreadRequest = 0;
    t.MapLever.rec.LEVERAND = "150";
    t.MapLever.rec.ANLEGGSNR = "020202";
    t.ThreadResponse = t.MapLever.add() == 0 ? 1 : 2;
  });
  std::string placePrimed;
  registerProcedure("StedForm", [&] {
    auto& t = data::thr();
    placePrimed = t.MapSted.rec.LAB.str() + "/" + t.MapSted.rec.LEVERAND.str();
    t.ThreadResponse = 2;
  });
  start("K1");
  ASSERT_TRUE(robot.choose("?SHEET1", " &Anlegg"));
  ASSERT_TRUE(robot.press("?INSERT:3"));
  EXPECT_EQ(seen, (Strings{"1:K1"}));
  EXPECT_EQ(rows(kTitle, "?LIST:3"), (Strings{"100", "150", "200"}));
  EXPECT_EQ(control(kTitle, "?LIST:3").selected, 2) << "the new row is highlighted";
  EXPECT_TRUE(rows(kTitle, "?LIST:4").empty()) << "the place list follows the new supplier";
  ASSERT_TRUE(robot.press("?INSERT:4"));
  EXPECT_EQ(placePrimed, "K1/150");
  close();
}

TEST_P(LabSettingsTest, MappingsNeverGoWithoutAnOwner) {
  int placeForms = 0;
  registerProcedure("StedForm", [&] {
    ++placeForms;
    data::thr().ThreadResponse = 2;
  });
  std::string primed;
  registerProcedure("ParamForm", [&] {
    primed = data::thr().MapParam.rec.LAB.str();
    data::thr().ThreadResponse = 2;
  });
  // A laboratory without suppliers: no place mapping can be added, none of another owner shows.
  start("K3");
  EXPECT_TRUE(rows(kTitle, "?LIST:3").empty());
  EXPECT_FALSE(enabled("?CHANGE:3"));
  EXPECT_FALSE(enabled("?DELETE:3"));
  EXPECT_EQ(rows(kTitle, "?LIST:4"), (Strings{"Uten leverandør"})) << "its own mappings, not the blank owner's";
  EXPECT_FALSE(enabled("?INSERT:4"));
  ASSERT_TRUE(robot.key("?LIST:4", "Insert"));
  ASSERT_TRUE(robot.key("?LIST:4", "Apps"));
  ASSERT_TRUE(robot.popup(0));
  EXPECT_TRUE(transcriptHas("\"~&Ny|&Endre|&Slette\""));
  EXPECT_EQ(placeForms, 0) << "the Insert key opened no place form";
  close();

  // A laboratory whose record has gone: its own parameter mappings, primed with its code.
  start("K9");
  EXPECT_EQ(control(kTitle, "?MAP:LABNAVN").value, "");
  EXPECT_EQ(rows(kTitle, "?LIST:2"), (Strings{"XX"}));
  ASSERT_TRUE(robot.press("?INSERT:2"));
  EXPECT_EQ(primed, "K9");
  close();
}

TEST_P(LabSettingsTest, ButtonsRereadAllThreeRowsAndARemovedRowDoesNotCome) {
  std::string buffers;
  registerProcedure("LeverForm", [&] {
    auto& t = data::thr();
    buffers = t.MapParam.rec.PARAMLAB.str() + "/" + t.MapLever.rec.LEVERAND.str() + "/" + t.MapSted.rec.STEDSIV.str();
    t.ThreadResponse = 2;
  });
  start("K1");
  ASSERT_TRUE(robot.choose("?LIST:3", "200"));
  {
    // Another connection removes the highlighted supplier mapping.
    data::MapLever f;
    f.setName(data::fileName(data::FileId::MapLever));
    ASSERT_EQ(f.open(), 0);
    f.rec.LAB = "K1";
    f.rec.LEVERAND = "200";
    ASSERT_EQ(f.get(data::MapLever::MAPLEVERKEY), 0);
    ASSERT_EQ(f.remove(), 0);
    f.close();
  }
  ASSERT_TRUE(robot.press("?CHANGE:3"));
  EXPECT_EQ(buffers, "KOF/200/Kum") << "each list's buffer holds its highlighted row";
  EXPECT_EQ(rows(kTitle, "?LIST:3"), (Strings{"100"})) << "the removed row has gone after the form";
  EXPECT_EQ(rows(kTitle, "?LIST:4"), (Strings{"Innløp", "Utløp"}));
  close();
}

TEST_P(LabSettingsTest, PrintRunsTheReportAndShowsWhatChangedMeanwhile) {
  std::string reportLab;
  registerProcedure("ParamReport", [&] {
    reportLab = data::thr().LAB.str();
    addParams({{"K1", "U", "AAA", "BOF5", "1"}});  // changed while the report ran
  });
  start("K1");
  ASSERT_TRUE(robot.press("?UTSKRIFTBUTTON"));
  EXPECT_EQ(reportLab, "K1");
  EXPECT_EQ(rows(kTitle, "?LIST:2"), (Strings{"AAA", "KOF", "SS", "TOTP"}));
  close();
}

// The supplier-mapping form itself, called from the settings window: what it writes shows in the
// supplier list, and the place list follows the supplier through the cascades.
TEST_P(LabSettingsTest, SupplierFormChangesShowWithTheirPlaces) {
  registerProcedure("LeverForm", maintenance::LeverForm);
  constexpr const char* kForm = "Mapping leverandørnummer/anleggsnummer";
  start("K1");
  ASSERT_TRUE(robot.press("?CHANGE:3"));
  ASSERT_TRUE(robot.window(kForm));
  ASSERT_TRUE(robot.type("?M_L:LEVERAND", "150"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_EQ(rows(kTitle, "?LIST:3"), (Strings{"150", "200"}));
  EXPECT_EQ(rows(kTitle, "?LIST:4"), (Strings{"Innløp", "Utløp"})) << "the places went with the number";

  ASSERT_TRUE(robot.press("?INSERT:3"));  // a number the laboratory maps already
  ASSERT_TRUE(robot.window(kForm));
  ASSERT_TRUE(robot.type("?M_L:LEVERAND", "200"));
  ASSERT_TRUE(robot.type("?M_L:ANLEGGSNR", "010101"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.answer("Duplicate Key Error", "Ok"));
  ASSERT_TRUE(robot.window(kForm));
  ASSERT_TRUE(robot.type("?M_L:LEVERAND", "300"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_EQ(rows(kTitle, "?LIST:3"), (Strings{"150", "200", "300"}));
  EXPECT_TRUE(rows(kTitle, "?LIST:4").empty()) << "the new supplier has no places yet";

  ASSERT_TRUE(robot.choose("?LIST:3", "150"));
  ASSERT_TRUE(robot.press("?DELETE:3"));
  ASSERT_TRUE(robot.window(kForm));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_EQ(rows(kTitle, "?LIST:3"), (Strings{"200", "300"}));
  EXPECT_EQ(rows(kTitle, "?LIST:4"), (Strings{"Kum"})) << "the next supplier's places";
  close();
  data::MapSted f;
  f.setName(data::fileName(data::FileId::MapSted));
  ASSERT_EQ(f.open(), 0);
  f.rec.LAB = "K1";
  f.rec.LEVERAND = "150";
  ASSERT_EQ(f.setFrom(data::MapSted::MAPSTEDKEY), 0);
  EXPECT_TRUE(f.next() != 0 || !(f.rec.LEVERAND == text::Str<6>("150"))) << "the deleted supplier's places are gone";
  f.close();
}

INSTANTIATE_TEST_SUITE_P(Backends, LabSettingsTest, ::testing::ValuesIn(l2stest::windowBackends()),
                         l2stest::backendName);

}  // namespace
