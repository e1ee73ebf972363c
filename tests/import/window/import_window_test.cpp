#include "import/window/import_window.h"

#include <atomic>

#include "../../maintenance/window_harness.h"
#include "../../platform/store/sqlite_peek.h"
#include "import/window/import_runner.h"
#include "import/window/sample_dates.h"
#include "import_scenario.h"
#include "platform/store/paths.h"
#include "platform/text/picture.h"

namespace {

using l2stest::WindowHarness;
constexpr const char* kTitle = "Import";

class ImportWindowTest : public WindowHarness {
 protected:
  void SetUp() override {
    WindowHarness::SetUp();
    addLabs({{"K1", "Kjemilab", "/lab/k1", "/lab/k1/RNX20A.dbf"}, {"K2", "Andre lab", "/lab/k2", ""}});
    addPlants({{"010101", "Renseanlegg Nord"}});
    addSuppliers({{"K1", "100", "010101"}, {"K2", "200", "010101"}});
    data::PrType types;
    types.setName(data::fileName(data::FileId::PrType));
    fill(types, [&] {
      for (const char* t : {"Rutinekontroll", "Ekstraprøve"}) {
        types.clear();
        types.rec.PRTYPE = t;
        ASSERT_EQ(types.add(), 0);
      }
    });
    import::setSampleDates({});
  }
  void TearDown() override {
    import::setImportRunner({});
    WindowHarness::TearDown();
  }
  void openWindow(const std::string& lab) {
    shell::editGlobals([&](shell::GlobalSettings& g) { g.LAB = lab; });
    ASSERT_TRUE(ui::startProcedure([] { import::ImportWindow(); }));
    ASSERT_TRUE(robot.window(kTitle));
  }
  void closeWindow() {
    ASSERT_TRUE(robot.window(kTitle));
    ASSERT_TRUE(robot.press("?CANCELBUTTON"));
    ASSERT_TRUE(robot.waitEnd());
  }
  bool enabled(const char* equate) { return control(kTitle, equate).enabled; }
  // The sample table stored with the laboratory.
  std::string storedImportFile(const char* lab) {
    data::MapLab f;
    f.setName(data::fileName(data::FileId::MapLab));
    EXPECT_EQ(f.open(), 0);
    f.rec.LAB = lab;
    EXPECT_EQ(f.get(data::MapLab::MAPLABKEY), 0);
    return f.rec.IMPORTFILE.str();
  }
  std::string value(const char* equate) { return control(kTitle, equate).value; }
};

TEST_P(ImportWindowTest, BlankLaboratoryDisablesTheControlsButTabsFollowTheirSwitches) {
  shell::editGlobals([](shell::GlobalSettings& g) {
    g.UTSLKTR = 1;
    g.SLAMKTR = 0;
  });
  openWindow("");
  for (const char* c : {"?MAP:LABNAVN", "?GLO:IMPORTFILE", "?GLO:LEVERAND1", "?OKBUTTON", "?IMPFILEBUTTON",
                        "?SLAMKONTROLLKONTROLL:TAB"})
    EXPECT_FALSE(enabled(c)) << c;
  // The sheet comes with its enabled tab, or the tab could not be reached.
  for (const char* c : {"?THR:LAB", "?CALLLOOKUP", "?CANCELBUTTON", "?SHEET1", "?UTSLIPPSKONTROLL:TAB"})
    EXPECT_TRUE(enabled(c)) << c;
  EXPECT_TRUE(shell::globals().IMPORTFILE.blank());
  EXPECT_EQ(focus(kTitle), "?THR:LAB");
  closeWindow();
}

TEST_P(ImportWindowTest, UnknownLaboratoryOpensTheSelectListAndCancellingKeepsTheCode) {
  openWindow("");
  ASSERT_TRUE(robot.type("?THR:LAB", "ZZ"));
  ASSERT_TRUE(robot.window("Tabell laboratorier"));
  EXPECT_EQ(highlighted("Tabell laboratorier"), "K2") << "after the last code: the last page";
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_EQ(value("?THR:LAB"), "ZZ");
  EXPECT_EQ(focus(kTitle), "?THR:LAB");

  ASSERT_TRUE(robot.type("?THR:LAB", "k1"));
  EXPECT_FALSE(windowOpen("Tabell laboratorier")) << "a known code needs no select list";
  EXPECT_EQ(value("?MAP:LABNAVN"), "Kjemilab");
  EXPECT_TRUE(enabled("?OKBUTTON"));
  EXPECT_EQ(shell::globals().IMPORTFILE.str(), "/lab/k1/RNX20A.dbf");
  closeWindow();
  EXPECT_EQ(shell::globals().LAB.str(), "K1") << "the window leaves the laboratory's stored code";
}

TEST_P(ImportWindowTest, ALaboratoryFoundInAnotherLetterCaseTakesItsStoredCode) {
  // The mappings are found by the stored code: "k2" would find the laboratory, then nothing.
  std::string ranFor;
  import::setImportRunner([&](const import::ImportChoices&, import::ImportRunState&, import::ImportProgress&) {
    ranFor = data::thr().LAB.str();
});
openWindow("k1");
EXPECT_EQ(value("?THR:LAB"), "K1") << "at opening";
ASSERT_TRUE(robot.type("?THR:LAB", "k2"));
EXPECT_EQ(value("?THR:LAB"), "K2");
EXPECT_EQ(value("?MAP:LABNAVN"), "Andre lab");
ASSERT_TRUE(robot.press("?OKBUTTON"));
EXPECT_EQ(ranFor, "K2");
closeWindow();
EXPECT_EQ(shell::globals().LAB.str(), "K2") << "saved as stored";
}  // namespace

TEST_P(ImportWindowTest, LaboratoryLookupButtonChoosesFromTheList) {
  openWindow("K1");
  ASSERT_TRUE(robot.press("?CALLLOOKUP"));
  ASSERT_TRUE(robot.window("Tabell laboratorier"));
  ASSERT_TRUE(robot.choose("?LIST", "K2"));
  ASSERT_TRUE(robot.press("?SELECT"));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_EQ(value("?THR:LAB"), "K2");
  EXPECT_EQ(value("?MAP:LABNAVN"), "Andre lab");
  closeWindow();
}

TEST_P(ImportWindowTest, SupplierMappedForThisLaboratoryShowsItsPlant) {
  openWindow("K1");
  ASSERT_TRUE(robot.type("?GLO:LEVERAND1", "100"));
  EXPECT_EQ(value("?LOC:LEVERAND1"), "Renseanlegg Nord");
  ASSERT_TRUE(robot.type("?GLO:LEVERAND2", "200"));  // mapped only for K2
  ASSERT_TRUE(robot.window("Tabell anlegg/leverandører"));
  EXPECT_EQ(rows("Tabell anlegg/leverandører"), (std::vector<std::string>{"100"}));
  ASSERT_TRUE(robot.press("?SELECT"));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_EQ(value("?GLO:LEVERAND2"), "100");
  EXPECT_EQ(shell::globals().LEVERAND2.str(), "100");
  closeWindow();
}

TEST_P(ImportWindowTest, TabsFollowTheirSwitchesAndTypedSampleTypesMustBeListed) {
  openWindow("K1");
  ASSERT_TRUE(robot.check("?GLO:UTSLKTR", false));
  EXPECT_FALSE(enabled("?UTSLIPPSKONTROLL:TAB"));
  ASSERT_TRUE(robot.check("?GLO:SLAMKTR", false));
  EXPECT_FALSE(enabled("?SLAMKONTROLLKONTROLL:TAB"));
  ASSERT_TRUE(robot.check("?GLO:UTSLKTR", true));
  EXPECT_TRUE(enabled("?UTSLIPPSKONTROLL:TAB"));

  EXPECT_EQ(control(kTitle, "?GLO:PRTYPE").rows.size(), 2u);
  ASSERT_TRUE(robot.type("?GLO:PRTYPE", "Ukjent"));
  EXPECT_EQ(focus(kTitle), "?GLO:PRTYPE") << "not in the list: the focus returns, no message";
  EXPECT_EQ(shell::globals().PRTYPE.str(), "Ukjent");
  ASSERT_TRUE(robot.type("?GLO:PR_METODE", "Egen metode"));
  EXPECT_EQ(shell::globals().PR_METODE.str(), "Egen metode") << "fixed rows take any text";
  EXPECT_FALSE(transcriptHas("box ")) << "no message for a sample type not in the list";
  closeWindow();
}

TEST_P(ImportWindowTest, ReopeningKeepsSwitchesDatesAndTheLastLaboratory) {
  openWindow("K2");
  ASSERT_TRUE(robot.type("?THR:LAB", "K1"));
  ASSERT_TRUE(robot.check("?GLO:OVERSKRIVES", false));
  ASSERT_TRUE(robot.type("?GLO:DATO2", "31.12.08"));
  closeWindow();

  ASSERT_TRUE(ui::startProcedure([] { import::ImportWindow(); }));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_EQ(value("?THR:LAB"), "K1");
  EXPECT_EQ(value("?GLO:OVERSKRIVES"), "0");
  EXPECT_EQ(value("?GLO:DATO2"), "31.12.08");
  EXPECT_EQ(value("?MAP:LABNAVN"), "Kjemilab");
  closeWindow();
}

TEST_P(ImportWindowTest, DateEntriesTakeDatesAndRefuseOtherText) {
  openWindow("K1");
  struct Case {
    const char* typed;
    const char* shown;
  } cases[] = {
      {"1.2.08", "01.02.08"},    // short parts
      {"010208", "01.02.08"},    // a digit run
      {"32.13.08", "31.12.08"},  // no such day: refused, the date stays
      {"gammel", "31.12.08"},    // not a date at all
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ASSERT_TRUE(robot.type("?GLO:DATO1", "31.12.08"));
    ASSERT_TRUE(robot.type("?GLO:DATO1", c.typed));
    EXPECT_EQ(text::formatDate(import::sampleDates().DATO1), c.shown);
  }
  EXPECT_EQ(value("?GLO:DATO1"), "31.12.08") << "refused text: the entry shows the date it kept";
  EXPECT_TRUE(transcriptHas("beep")) << "refused text beeps";
  ASSERT_TRUE(robot.type("?GLO:DATO1", ""));
  EXPECT_EQ(import::sampleDates().DATO1, 0) << "an empty entry opens the range";
  closeWindow();
}

TEST_P(ImportWindowTest, EmptySampleTypeFileBlanksTheSavedType) {
  data::PrType types;
  types.setName(data::fileName(data::FileId::PrType));
  std::filesystem::remove(store::resolvePath(types.name()));
  shell::editGlobals([](shell::GlobalSettings& g) { g.PRTYPE = "Rutinekontroll"; });
  openWindow("K1");
  EXPECT_TRUE(control(kTitle, "?GLO:PRTYPE").rows.empty());
  EXPECT_TRUE(shell::globals().PRTYPE.blank());
  closeWindow();
}

TEST_P(ImportWindowTest, SampleTableDialogStoresTheChoiceWithTheLaboratory) {
  openWindow("K1");
  ASSERT_TRUE(robot.press("?IMPORTFILEBUTTON"));
  ASSERT_TRUE(robot.cancelFile());
  EXPECT_EQ(value("?GLO:IMPORTFILE"), "/lab/k1/RNX20A.dbf");
  EXPECT_FALSE(transcriptHas("standardfile"));

  ASSERT_TRUE(robot.press("?IMPORTFILEBUTTON"));
  EXPECT_TRUE(transcriptHas("Velg en importfile"));
  ASSERT_TRUE(robot.file("/lab/k1/RNX20B.dbf"));
  ASSERT_TRUE(robot.answer("", "Ok"));
  EXPECT_TRUE(transcriptHas("Ny standardfile er lagret!"));
  EXPECT_EQ(shell::globals().IMPORTFILE.str(), "/lab/k1/RNX20B.dbf");
  closeWindow();

  EXPECT_EQ(storedImportFile("K1"), "/lab/k1/RNX20B.dbf");
}

// A path beyond Windows-1252 is refused by name, as the laboratory form refuses its chosen
// paths; one too long for the record says so. Neither reaches the window or the record.
TEST_P(ImportWindowTest, ASampleTablePathThatTheRecordCannotHoldIsRefused) {
  struct Case {
    std::string path;
    std::string caption;
    std::string message;
  };
  const std::string longPath = "/lab/k1/" + std::string(190, 'x') + "/RNX20B.dbf";  // 209 characters
  const Case cases[] = {
      {longPath, "", "Navnet er lengre enn 200 tegn eller har tegn som ikke kan lagres."},
      {"/data/lab-Čech/RNX20.dbf", "Advarsel",
       "Aktiv importfile har tegn som ikke kan lagres: Č|/data/lab-Čech/RNX20.dbf"},
      {"/lab/東京/RNX20B.dbf", "Advarsel", "Aktiv importfile har tegn som ikke kan lagres: 東京|/lab/東京/RNX20B.dbf"},
  };
  openWindow("K1");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ASSERT_TRUE(robot.press("?IMPORTFILEBUTTON"));
    ASSERT_TRUE(robot.file(c.path));
    ASSERT_TRUE(robot.answer(c.caption, "Ok"));
    EXPECT_TRUE(transcriptHas(c.message)) << transcript.text();
    EXPECT_FALSE(transcriptHas("Ny standardfile er lagret!"));
    EXPECT_EQ(value("?GLO:IMPORTFILE"), "/lab/k1/RNX20A.dbf");
    EXPECT_EQ(shell::globals().IMPORTFILE.str(), "/lab/k1/RNX20A.dbf");
  }
  closeWindow();
  EXPECT_EQ(storedImportFile("K1"), "/lab/k1/RNX20A.dbf");
}

// Typed text the settings cannot hold stops "Start import" with the field named and the focus
// on it; mended, the run goes.
TEST_P(ImportWindowTest, StartImportRefusesTypedTextTheFieldsCannotHold) {
  struct Case {
    const char* field;
    const char* typed;
    const char* message;
    const char* mended;
  } const cases[] = {
      // The import file last: a box's closing gives the window the focus back, and that
      // refresh puts the laboratory's own file back in the field.
      {"?GLO:PR_METODE", "Døgn ✓", "\"Prøvetakingsmetode har tegn som ikke kan lagres: ✓\"", "Døgn"},
      {"?GLO:IMPORTFILE", "/data/lab-Čech/RNX20.dbf", "\"Aktiv importfile har tegn som ikke kan lagres: Č\"",
       "/data/lab-Cech/RNX20.dbf"},
  };
  std::atomic<int> runs{0};
  import::ImportChoices ranWith;
  import::setImportRunner([&](const import::ImportChoices& c, import::ImportRunState&, import::ImportProgress&) {
    ++runs;
  ranWith = c;
});
openWindow("K1");
for (const Case& c : cases) {
  SCOPED_TRACE(c.typed);
  ASSERT_TRUE(robot.type(c.field, c.typed));
  ASSERT_TRUE(robot.press("?OKBUTTON"));
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  EXPECT_TRUE(transcriptHas(c.message)) << transcript.text();
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(focus(kTitle), c.field);
  EXPECT_EQ(value(c.field), c.typed) << "the typed text stays to be mended";
  ASSERT_TRUE(robot.type(c.field, c.mended));
}
ASSERT_TRUE(robot.press("?OKBUTTON"));
EXPECT_EQ(runs, 1);
EXPECT_EQ(ranWith.IMPORTFILE, "/data/lab-Cech/RNX20.dbf");
EXPECT_EQ(ranWith.PR_METODE.str(), "Døgn");
closeWindow();
EXPECT_EQ(storedImportFile("K1"), "/lab/k1/RNX20A.dbf");
}

// Input given while the run works is stale; input given once its end shows is the user's next
// step and is kept.
TEST_P(ImportWindowTest, AClickQueuedDuringTheRunIsDroppedAndOneAfterItsEndIsKept) {
  const auto clickOn = [&](const char* equate) {
    int window = 0;
    for (auto& [id, w] : driver.windows())
      if (w.title == kTitle) window = id;
    ui::Event click;
    click.kind = ui::EventKind::Accepted;
    click.control = control(kTitle, equate).def.id;
    click.key = ui::Key::MouseLeft;
    ui::deliver(window, click);
  };
  std::atomic<int> runs{0};
  import::setImportRunner([&](const import::ImportChoices&, import::ImportRunState&, import::ImportProgress& p) {
    if (++runs == 1) {
      // The second click of a double click arrives while the first run is going.
      clickOn("?OKBUTTON");
  p.runEnded();
  return;
}
// "Avbryt" clicked as soon as "Ferdig!" shows, before the window takes input again.
p.runEnded();
p.showLine(1, "Ferdig!");
p.redraw();
clickOn("?CANCELBUTTON");
});
openWindow("K1");
ASSERT_TRUE(robot.press("?OKBUTTON"));
ASSERT_TRUE(robot.settle());
EXPECT_EQ(runs, 1);
ASSERT_TRUE(robot.press("?OKBUTTON"));
EXPECT_EQ(runs, 2) << "a click after the run starts it again";
EXPECT_TRUE(robot.waitEnd()) << "the click after the end closes the window";
}

TEST_P(ImportWindowTest, StartImportRunsWithTheChoicesAndShowsItsProgress) {
  import::ImportChoices seen;
  std::string ranFor;
  std::atomic<int> runs{0};
  import::setImportRunner([&](const import::ImportChoices& c, import::ImportRunState& s, import::ImportProgress& p) {
    seen = c;
  ranFor = data::thr().LAB.str();
  ++runs;
  s.UtslippskontrollCount = 3;
  p.showLine(1, "Ferdig!");
  p.showLine(2, "Antall Utsl.kontr.prøver lagret:     3");
  p.redraw();
});
openWindow("K1");
ASSERT_TRUE(robot.type("?GLO:DATO1", "01.02.08"));
ASSERT_TRUE(robot.press("?OKBUTTON"));
EXPECT_EQ(runs, 1);
EXPECT_EQ(ranFor, "K1") << "the run reads the thread's laboratory";
EXPECT_EQ(seen.IMPORTFILE, "/lab/k1/RNX20A.dbf");
EXPECT_NE(seen.DATO1, 0);
EXPECT_EQ(value("?LOC:MELDING_1"), "Ferdig!");
closeWindow();
EXPECT_EQ(import::sampleDates().DATO1, seen.DATO1) << "the date range outlives the window";
}

// Another station renamed the laboratory while the window was open: the box names it, and no
// run looks for tables in a directory it no longer knows.
TEST_P(ImportWindowTest, ALaboratoryRenamedUnderTheOpenWindowIsNamedAndNotImported) {
  std::atomic<int> runs{0};
  import::setImportRunner([&](const import::ImportChoices&, import::ImportRunState&, import::ImportProgress&) { ++runs;
});
openWindow("K1");
testing_util::peek(store::resolvePath(data::fileName(data::FileId::MapLab)),
                   "UPDATE MapLab SET LAB = 'K9', _REV = _REV + 1 WHERE LAB = 'K1'");
for (const char* button : {"?OKBUTTON", "?IMPORTFILEBUTTON"}) {
  SCOPED_TRACE(button);
  ASSERT_TRUE(robot.press(button));
  ASSERT_TRUE(robot.answer("Advarsel", "Ok")) << transcript.text();
  EXPECT_TRUE(transcriptHas("Laboratoriet K1 finnes ikke lenger")) << transcript.text();
  EXPECT_FALSE(transcriptHas("Kan ikke åpne")) << transcript.text();
  EXPECT_FALSE(transcriptHas("Velg en importfile")) << "no file dialog in no directory";
}
EXPECT_EQ(runs, 0);
closeWindow();
}

// The real run over the laboratory's dBase tables, started from the window.
TEST_P(ImportWindowTest, StartImportWithoutADoubleRunsTheImportOverTheLabTables) {
  std::filesystem::remove(store::resolvePath(data::fileName(data::FileId::MapLab)));
  std::filesystem::remove(store::resolvePath(data::fileName(data::FileId::MapLever)));
  std::filesystem::remove(store::resolvePath(data::fileName(data::FileId::Anlegg)));
  l2stest::seedImportScenario(std::filesystem::current_path() / "lab");
  shell::editGlobals([](shell::GlobalSettings& g) {
    g.LEVERAND1 = "100";
    g.LEVERAND2 = "100";
    g.UTSLKTR = 1;
    g.SLAMKTR = 0;
  });
  openWindow("KL");
  EXPECT_EQ(value("?LOC:LEVERAND1"), "Renseanlegg Nord");
  ASSERT_TRUE(robot.press("?OKBUTTON"));
  EXPECT_EQ(value("?LOC:MELDING_1"), "Ferdig!");
  EXPECT_NE(value("?LOC:MELDING_2").find("lagret:"), std::string::npos);
  closeWindow();
  EXPECT_GT(l2stest::storedDischargeControls(), 0) << "the run stored discharge controls";
}

INSTANTIATE_TEST_SUITE_P(Backends, ImportWindowTest, ::testing::ValuesIn(l2stest::windowBackends()),
                         l2stest::backendName);

}  // namespace
