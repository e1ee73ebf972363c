// The parameter-mapping and place-mapping forms as the laboratory settings window calls them:
// on a thread that holds the laboratory's tables (the import fixture's export), with THR:LAB,
// THR:PR_TYPE and the laboratory and supplier mapping in the thread's buffers.
#include <atomic>
#include <clocale>
#include <functional>
#include <string>
#include <vector>

#include "data/lab/lab_tables.h"
#include "data/use_counters.h"
#include "maintenance/forms/param_form.h"
#include "maintenance/forms/sted_form.h"
#include "platform/store/paths.h"
#include "sqlite_peek.h"
#include "window_harness.h"

namespace {

using data::FileId;
using l2stest::WindowHarness;
using Strings = std::vector<std::string>;
constexpr const char* kParam = "Mapping parametre Lab/Sivra";
constexpr const char* kSted = "Mapping av steder i Kelda/Sivra";

class MapFormsTest : public WindowHarness {
 protected:
  void SetUp() override {
    WindowHarness::SetUp();
    // The laboratories' export is a copy of the import fixture's: the tables are opened
    // exclusively, and tests run side by side.
    export_ = (std::filesystem::current_path() / "lab").string();
    std::filesystem::copy(LAB2SIV_FIXTURES "/import/lab", export_);
    addLabs({{"KL", "Kjemisk lab", export_, "", "Sted"}, {"MA", "Materiallab", export_, "", "Material"}});
    addParameters({{"TOT-P", "N", "Totalfosfor"},
                   {"BOF5", "O", "Biologisk oksygenforbruk"},
                   {"SS", "A", "Suspendert stoff"},
                   {"COD", "O", "Kjemisk oksygenforbruk"}});
  }
  void TearDown() override {
    if (!robot.failed()) robot.waitEnd();
    WindowHarness::TearDown();
  }

  void addPlant(const std::string& nr, const std::string& name, int count, const Strings& places) {
    data::Anlegg f;
    f.setName(data::fileName(FileId::Anlegg));
    fill(f, [&] {
      f.clear();
      f.rec.ANLEGGSNR.setWhole(text::Str<6>(nr));
      f.rec.ANLEGGSNAVN = name;
      f.rec.ANTALLPRSTEDER = static_cast<std::uint8_t>(count);
      for (std::size_t i = 0; i < places.size(); ++i) f.rec.PRSTED[i] = places[i];
      ASSERT_EQ(f.add(), 0);
    });
  }

  // A form called as the settings window calls it: the laboratory read into the MapLab buffer,
  // its tables held by this thread, THR:LAB and THR:PR_TYPE set; `prepare` fills in the rest.
  void call(void (*form)(), int request, const std::string& lab, const std::string& prType,
            std::function<void(data::ThreadState&)> prepare = {}) {
    response = -1;
    ASSERT_TRUE(ui::startProcedure([=, this] {
      data::ThreadState& t = data::thr();
      for (FileId id : {FileId::MapLab, FileId::MapLever, FileId::MapParam, FileId::MapSted}) data::useFile(id);
      t.LAB = lab;
      t.PR_TYPE = prType;
      t.MapLab.rec.LAB = lab;
      if (t.MapLab.get(data::MapLab::MAPLABKEY) != 0) t.MapLab.clear();
      data::lab::LabTablesHolder holder;
      if (data::lab::OpenLabTables(holder, export_, export_ + "/RNX20.dbf") == 1) {
        if (prepare) prepare(t);
        t.ThreadRequest = request;
        form();
        response = t.ThreadResponse;
      }
      data::lab::CloseLabTables(holder);
      for (FileId id : {FileId::MapSted, FileId::MapParam, FileId::MapLever, FileId::MapLab}) data::dropFile(id);
    }));
  }
  // The settings window's "Ny" on the parameter page: a cleared buffer with the laboratory.
  void newParam(const std::string& lab, const std::string& prType) {
    call(maintenance::ParamForm, 1, lab, prType, [lab](data::ThreadState& t) {
      t.MapParam.clear();
      t.MapParam.rec.LAB = lab;
    });
    ASSERT_TRUE(robot.window(kParam));
  }
  // "Ny" on the place page of the supplier row (lab, supplier, plant).
  void newPlace(const std::string& lab, const std::string& supplier, const std::string& plant) {
    call(maintenance::StedForm, 1, lab, "U", [=](data::ThreadState& t) {
      t.MapLever.clear();
      t.MapLever.rec.LAB = lab;
      t.MapLever.rec.LEVERAND = supplier;
      t.MapLever.rec.ANLEGGSNR = plant;
      t.MapSted.clear();
      t.MapSted.rec.LAB = lab;
      t.MapSted.rec.LEVERAND = supplier;
    });
    ASSERT_TRUE(robot.window(kSted));
  }
  bool finish() { return robot.waitEnd(); }

  std::string value(const char* title, const std::string& equate) { return control(title, equate).value; }
  // Each row of a drop list, its cells joined by "|".
  Strings dropRows(const char* title, const std::string& equate) {
    Strings out;
    for (const auto& r : control(title, equate).rows) {
      std::string line;
      for (const auto& c : r.cells) line += (line.empty() ? "" : "|") + c;
      out.push_back(line);
    }
    return out;
  }
  testing_util::Rows stored(FileId id, const std::string& sql) {
    return testing_util::peek(store::resolvePath(data::fileName(id)), sql);
  }

  std::string export_;
  std::atomic<int> response{-1};
};

TEST_P(MapFormsTest, ANewParameterMappingIsPrimedWithFactorOneAndTheWindowsSampleType) {
  newParam("KL", "S");
  EXPECT_EQ(value(kParam, "?ACTIONMESSAGE"), "Ny post vil bli lagret");
  EXPECT_EQ(value(kParam, "?M_P:LAB"), "KL");
  EXPECT_EQ(value(kParam, "?MAP:LABNAVN"), "Kjemisk lab");
  EXPECT_EQ(value(kParam, "?LOC:PR_TYPE"), "Slamkontroll");
  EXPECT_EQ(value(kParam, "?M_P:FAKTOR"), "1,000");
  // Untouched, the primed record is not a change: Cancel closes without a question.
  ASSERT_TRUE(robot.press("?CANCEL"));
  ASSERT_TRUE(finish());
  EXPECT_EQ(response, 2);

  newParam("KL", "S");
  ASSERT_TRUE(robot.choose("?M_P:PARAMLAB", "CD"));
  EXPECT_EQ(value(kParam, "?R50:TEKST"), "Analyse CD");
  ASSERT_TRUE(robot.choose("?M_P:PARAMSIV", "Kadmium"));
  EXPECT_EQ(value(kParam, "?LOC:BETEGNELSE"), "Måleverdi Cd");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(finish());
  EXPECT_EQ(response, 1);
  EXPECT_EQ(stored(FileId::MapParam, "SELECT LAB, PRTYPE, PARAMLAB, PARAMSIV, FAKTOR FROM MapParam"),
            (testing_util::Rows{{"KL", "S", "CD", "Kadmium", "1.0"}}));
  // Opened, and so created, though the form never reads it.
  EXPECT_TRUE(std::filesystem::exists(store::resolvePath(data::fileName(FileId::Slamkontroll))));
}

// Qt sets the process locale from the environment; a Norwegian one has a decimal comma. The
// factor reads a comma and a point alike, shows a comma and keeps exactly what was typed.
TEST_P(MapFormsTest, AFactorTypedWithACommaOrAPointUnderEitherLocale) {
  struct Restore {
    std::string saved = std::setlocale(LC_ALL, nullptr);
    ~Restore() { std::setlocale(LC_ALL, saved.c_str()); }
  } restore;
  struct Case {
    const char* code;
    const char* typed;
    const char* shown;
    const char* stored;
  };
  const Case cases[] = {{"A1", "0,001", "0,001", "0.001"},
                        {"A2", "2.5", "2,500", "2.5"},
                        {"A3", "0.0005", "0,001", "0.0005"},
                        {"A4", "12,25", "12,250", "12.25"}};
  for (const char* locale : {"C", "nb_NO.UTF-8"}) {
    ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << locale << " is not installed (scripts/install-deps makes it)";
    for (const Case& c : cases) {
      newParam("KL", "U");
      ASSERT_TRUE(robot.type("?M_P:PARAMLAB", std::string(c.code) + locale[0]));
      ASSERT_TRUE(robot.type("?M_P:FAKTOR", c.typed));
      EXPECT_EQ(value(kParam, "?M_P:FAKTOR"), c.shown) << locale << " " << c.typed;
      ASSERT_TRUE(robot.press("?OK"));
      ASSERT_TRUE(finish());
      EXPECT_EQ(stored(FileId::MapParam,
                       std::string("SELECT FAKTOR FROM MapParam WHERE PARAMLAB = '") + c.code + locale[0] + "'"),
                (testing_util::Rows{{c.stored}}))
          << locale << " " << c.typed;
    }
  }
}

TEST_P(MapFormsTest, TheTargetListFollowsTheSampleType) {
  const Strings head = {"Ant. Døgn||Antall døgn", "Vannmengde||Vannmengde", "Overløp||Vannmengde i overløp",
                        "N||Næringsstoffer:"};
  newParam("KL", "U");
  EXPECT_EQ(value(kParam, "?LOC:PR_TYPE"), "Utslippskontroll");
  Strings u = head;
  // By type letter, then code.
  for (const char* r : {"SS|A|Suspendert stoff", "TOT-P|N|Totalfosfor", "BOF5|O|Biologisk oksygenforbruk",
                        "COD|O|Kjemisk oksygenforbruk"})
    u.push_back(r);
  EXPECT_EQ(dropRows(kParam, "?M_P:PARAMSIV"), u);
  // The analysis codes of RNX50, ascending, with their texts.
  EXPECT_EQ(dropRows(kParam, "?M_P:PARAMLAB"),
            (Strings{"BOF|Analyse BOF", "CD|Analyse CD",   "DG|Analyse DG",   "OV|Analyse OV",   "PB|Analyse PB",
                     "SCD|Analyse SCD", "SDG|Analyse SDG", "SKD|Analyse SKD", "SPA|Analyse SPA", "SPB|Analyse SPB",
                     "SPH|Analyse SPH", "SS|Analyse SS",   "SSA|Analyse SSA", "SSM|Analyse SSM", "STK|Analyse STK",
                     "STS|Analyse STS", "TP|Analyse TP",   "VM|Analyse VM",   "XX|Analyse XX",   "ZZ|Analyse ZZ"}));
  ASSERT_TRUE(robot.press("?CANCEL"));
  ASSERT_TRUE(finish());

  newParam("KL", "S");
  const Strings s = dropRows(kParam, "?M_P:PARAMSIV");
  ASSERT_EQ(s.size(), 4u + 35u);
  EXPECT_EQ(Strings(s.begin(), s.begin() + 4), head);
  EXPECT_EQ(s[4], "TS-tungmetall||Måleverdi TS tungmetall");
  EXPECT_EQ(s[22], "TS-næringsstoff||Måleverdi TS næringsstoff");
  EXPECT_EQ(s.back(), "Temp. maks||Måleverdi Temp. maks");
  ASSERT_TRUE(robot.press("?CANCEL"));
  ASSERT_TRUE(finish());
}

TEST_P(MapFormsTest, TypedValuesOutsideTheListsAreStoredAndAZeroFactorShowsBlank) {
  newParam("KL", "U");
  ASSERT_TRUE(robot.type("?M_P:PARAMLAB", "NYKODE"));
  EXPECT_EQ(value(kParam, "?R50:TEKST"), "");
  ASSERT_TRUE(robot.type("?M_P:PARAMSIV", "Tot-N"));
  EXPECT_EQ(value(kParam, "?LOC:BETEGNELSE"), "");
  ASSERT_TRUE(robot.type("?M_P:FAKTOR", "0"));
  EXPECT_EQ(value(kParam, "?M_P:FAKTOR"), "");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(finish());
  EXPECT_EQ(stored(FileId::MapParam, "SELECT PRTYPE, PARAMLAB, PARAMSIV, FAKTOR FROM MapParam"),
            (testing_util::Rows{{"U", "NYKODE", "Tot-N", "0.0"}}));
}

TEST_P(MapFormsTest, APlaceMappingListsTheSuppliersPlacesByThePlaceSource) {
  addPlant("010101", "Nordby RA", 2, {"Utløp", "Innløp"});
  struct Case {
    const char* lab;
    const char* chosen;
    Strings places;      // the laboratory place list
    const char* stored;  // STEDLAB stored
  };
  // The fixture's requisitioner 100 has the places 01, 02, 03, all of material AVL.
  const Case cases[] = {
      {"KL", "02", {"01|Sted 01", "02|Sted 02", "03|Sted 03"}, "02"},
      {"MA", "AVL", {"AVL|Sted 01"}, "AVL"},
  };
  for (const Case& c : cases) {
    newPlace(c.lab, "100", "010101");
    EXPECT_EQ(value(kSted, "?MAP:STEDKILDE"), c.lab == std::string("KL") ? "Sted" : "Material");
    EXPECT_EQ(value(kSted, "?ANL:ANLEGGSNAVN"), "Nordby RA");
    EXPECT_EQ(dropRows(kSted, "?M_S:STEDLAB"), c.places) << c.lab;
    EXPECT_EQ(dropRows(kSted, "?M_S:STEDSIV"), (Strings{"Innløp", "Utløp", "Slamkontroll"}));
    ASSERT_TRUE(robot.choose("?M_S:STEDLAB", c.chosen));
    EXPECT_EQ(value(kSted, "?LOC:STEDNAVN"), c.lab == std::string("KL") ? "Sted 02" : "Sted 01");
    ASSERT_TRUE(robot.choose("?M_S:STEDSIV", "Utløp"));
    ASSERT_TRUE(robot.press("?OK"));
    ASSERT_TRUE(finish());
    EXPECT_EQ(response, 1);
    EXPECT_EQ(stored(FileId::MapSted,
                     std::string("SELECT LEVERAND, STEDLAB, STEDSIV FROM MapSted WHERE LAB = '") + c.lab + "'"),
              (testing_util::Rows{{"100", c.stored, "Utløp"}}));
  }
}

TEST_P(MapFormsTest, ThePlantsPlacesAreReadToTheTenthAndATypedPlaceIsCutToFifteen) {
  addPlant("020202", "Sørby RA", 12, {"K", "J", "I", "H", "", "F", "E", "D", "C", "B med et langt stedsnavn"});
  newPlace("KL", "1000", "020202");
  EXPECT_EQ(dropRows(kSted, "?M_S:STEDSIV"),
            (Strings{"B med et langt", "C", "D", "E", "F", "H", "I", "J", "K", "Slamkontroll"}));
  ASSERT_TRUE(robot.type("?M_S:STEDLAB", "01"));
  ASSERT_TRUE(robot.type("?M_S:STEDSIV", "Et stedsnavn over 15"));
  EXPECT_EQ(value(kSted, "?M_S:STEDSIV"), "Et stedsnavn ov");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(finish());
  EXPECT_EQ(stored(FileId::MapSted, "SELECT STEDSIV FROM MapSted"), (testing_util::Rows{{"Et stedsnavn ov"}}));
}

TEST_P(MapFormsTest, DuplicatesAreRefusedWithTheirKeyDescriptions) {
  addPlant("010101", "Nordby RA", 1, {"Utløp"});
  struct Case {
    const char* title;
    std::function<void()> open;
    std::function<void()> fill;
    const char* key;
  };
  const Case cases[] = {
      {kParam, [this] { newParam("KL", "U"); },
       [this] {
         ASSERT_TRUE(robot.type("?M_P:PARAMLAB", "TP"));
         ASSERT_TRUE(robot.type("?M_P:PARAMSIV", "TOT-P"));
       },
       "Nøkkel på laboratorium og kode i SIVRA"},
      {kSted, [this] { newPlace("KL", "100", "010101"); },
       [this] {
         ASSERT_TRUE(robot.choose("?M_S:STEDLAB", "01"));
         ASSERT_TRUE(robot.choose("?M_S:STEDSIV", "Utløp"));
       },
       "Nøkkel på laboratorium og sted i SIVRA"},
  };
  for (const Case& c : cases) {
    for (int pass = 0; pass < 2; ++pass) {
      c.open();
      c.fill();
      ASSERT_TRUE(robot.press("?OK"));
      if (pass == 1) {
        ASSERT_TRUE(robot.answer("Duplicate Key Error", "Ok"));
        EXPECT_TRUE(transcriptHas(std::string("duplicate entry for the key:") + c.key)) << transcript.text();
        ASSERT_TRUE(robot.window(c.title));
        ASSERT_TRUE(robot.press("?CANCEL"));
        ASSERT_TRUE(robot.answer("Update Cancelled", "No"));
      }
      ASSERT_TRUE(finish());
      EXPECT_EQ(response, pass == 0 ? 1 : 2) << c.title;
    }
  }
  EXPECT_EQ(stored(FileId::MapParam, "SELECT COUNT(*) FROM MapParam"), (testing_util::Rows{{"1"}}));
  EXPECT_EQ(stored(FileId::MapSted, "SELECT COUNT(*) FROM MapSted"), (testing_util::Rows{{"1"}}));
}

TEST_P(MapFormsTest, AChangedFactorIsRewrittenAndDeleteAsksNothingMore) {
  newParam("KL", "U");
  ASSERT_TRUE(robot.type("?M_P:PARAMLAB", "TP"));
  ASSERT_TRUE(robot.type("?M_P:FAKTOR", "0,0005"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(finish());

  auto current = [](data::ThreadState& t) {
    t.MapParam.clear();
    t.MapParam.rec.LAB = "KL";
    t.MapParam.rec.PRTYPE = "U";
    t.MapParam.rec.PARAMLAB = "TP";
    ASSERT_EQ(t.MapParam.get(data::MapParam::MAPPARAMKEY), 0);
  };
  // Another target: the factor, shown with three decimals, keeps its fourth.
  call(maintenance::ParamForm, 2, "KL", "U", current);
  ASSERT_TRUE(robot.window(kParam));
  EXPECT_EQ(value(kParam, "?ACTIONMESSAGE"), "Posten vil bli endret");
  EXPECT_EQ(value(kParam, "?M_P:FAKTOR"), "0,001");
  ASSERT_TRUE(robot.choose("?M_P:PARAMSIV", "TOT-P"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(finish());
  EXPECT_EQ(response, 1);
  EXPECT_EQ(stored(FileId::MapParam, "SELECT PARAMSIV, FAKTOR FROM MapParam"),
            (testing_util::Rows{{"TOT-P", "0.0005"}}));

  call(maintenance::ParamForm, 2, "KL", "U", current);
  ASSERT_TRUE(robot.window(kParam));
  ASSERT_TRUE(robot.type("?M_P:FAKTOR", "2,5"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(finish());
  EXPECT_EQ(response, 1);
  EXPECT_EQ(stored(FileId::MapParam, "SELECT FAKTOR FROM MapParam"), (testing_util::Rows{{"2.5"}}));

  call(maintenance::ParamForm, 3, "KL", "U", current);
  ASSERT_TRUE(robot.window(kParam));
  EXPECT_EQ(value(kParam, "?ACTIONMESSAGE"), "Tast Ok for å slette");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(finish());
  EXPECT_EQ(response, 1);
  EXPECT_EQ(stored(FileId::MapParam, "SELECT COUNT(*) FROM MapParam"), (testing_util::Rows{{"0"}}));
}

// The factor is shown and printed through "@n7,3": what it cannot show, or what is not a
// finite number, never reaches the file; the limits themselves do.
TEST_P(MapFormsTest, AFactorThePictureCannotShowIsRefusedWithAMessage) {
  newParam("KL", "U");
  ASSERT_TRUE(robot.type("?M_P:PARAMLAB", "TP"));
  for (const char* typed : {"123456789", "1e308", "1e309", "inf", "nan", "1000", "-100", "999,9996"}) {
    SCOPED_TRACE(typed);
    ASSERT_TRUE(robot.type("?M_P:FAKTOR", typed));
    ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
    EXPECT_TRUE(transcriptHas("\"Faktoren kan ikke lagres: " + std::string(typed) +
                              "|Faktoren må ligge mellom -99,999 og 999,999.\""));
    EXPECT_EQ(value(kParam, "?M_P:FAKTOR"), "1,000");
    EXPECT_EQ(focus(kParam), "?M_P:FAKTOR");
  }
  ASSERT_TRUE(robot.type("?M_P:FAKTOR", "-99,999"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(finish());
  EXPECT_EQ(stored(FileId::MapParam, "SELECT FAKTOR FROM MapParam"), (testing_util::Rows{{"-99.999"}}));

  // A factor already in the file that the picture cannot show is refused at OK.
  call(maintenance::ParamForm, 2, "KL", "U", [](data::ThreadState& t) {
    t.MapParam.clear();
    t.MapParam.rec.LAB = "KL";
    t.MapParam.rec.PRTYPE = "U";
    t.MapParam.rec.PARAMLAB = "TP";
    ASSERT_EQ(t.MapParam.get(data::MapParam::MAPPARAMKEY), 0);
    t.MapParam.rec.FAKTOR = 1e308;
    ASSERT_EQ(t.MapParam.put(), 0);
  });
  ASSERT_TRUE(robot.window(kParam));
  ASSERT_TRUE(robot.choose("?M_P:PARAMSIV", "TOT-P"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  EXPECT_TRUE(transcriptHas("\"Faktoren kan ikke lagres: 1e+308|"));
  EXPECT_EQ(focus(kParam), "?M_P:FAKTOR");
  ASSERT_TRUE(robot.type("?M_P:FAKTOR", "999,999"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(finish());
  EXPECT_EQ(stored(FileId::MapParam, "SELECT PARAMSIV, FAKTOR FROM MapParam"),
            (testing_util::Rows{{"TOT-P", "999.999"}}));
}

// Codes typed into the look-up combos are stored in Windows-1252 too.
TEST_P(MapFormsTest, ACodeTheFileCannotHoldIsRefusedAtOk) {
  newParam("KL", "U");
  ASSERT_TRUE(robot.type("?M_P:PARAMLAB", "😀"));
  ASSERT_TRUE(robot.type("?M_P:PARAMSIV", "TOT-P"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  EXPECT_TRUE(transcriptHas("\"Analyse lab har tegn som ikke kan lagres: 😀\""));
  EXPECT_EQ(focus(kParam), "?M_P:PARAMLAB");
  EXPECT_EQ(value(kParam, "?M_P:PARAMLAB"), "😀");
  ASSERT_TRUE(robot.press("?CANCEL"));
  ASSERT_TRUE(robot.answer("Update Cancelled", "No"));
  ASSERT_TRUE(finish());
  EXPECT_EQ(stored(FileId::MapParam, "SELECT COUNT(*) FROM MapParam"), (testing_util::Rows{{"0"}}));
}

TEST_P(MapFormsTest, ThePlaceFormSaysItsOwnDeleteLineAndDeletesOnOk) {
  addPlant("010101", "Nordby RA", 1, {"Utløp"});
  newPlace("KL", "100", "010101");
  ASSERT_TRUE(robot.choose("?M_S:STEDLAB", "01"));
  ASSERT_TRUE(robot.choose("?M_S:STEDSIV", "Utløp"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(finish());

  call(maintenance::StedForm, 3, "KL", "U", [](data::ThreadState& t) {
    t.MapLever.clear();
    t.MapLever.rec.LAB = "KL";
    t.MapLever.rec.LEVERAND = "100";
    t.MapSted.clear();
    t.MapSted.rec.LAB = "KL";
    t.MapSted.rec.LEVERAND = "100";
    t.MapSted.rec.STEDLAB = "01";
    t.MapSted.rec.STEDSIV = "Utløp";
    ASSERT_EQ(t.MapSted.get(data::MapSted::MAPSTEDKEY), 0);
  });
  ASSERT_TRUE(robot.window(kSted));
  EXPECT_EQ(value(kSted, "?ACTIONMESSAGE"), "Tast Ok for å slette!");
  EXPECT_EQ(value(kSted, "?LOC:STEDNAVN"), "Sted 01");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(finish());
  EXPECT_EQ(response, 1);
  EXPECT_EQ(stored(FileId::MapSted, "SELECT COUNT(*) FROM MapSted"), (testing_util::Rows{{"0"}}));
}

INSTANTIATE_TEST_SUITE_P(Backends, MapFormsTest, ::testing::ValuesIn(l2stest::windowBackends()), l2stest::backendName);

}  // namespace
