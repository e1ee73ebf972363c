// The laboratory form as a user meets it from "Tabell laboratorier": add, change and delete a
// laboratory, its mappings following; duplicates, refusals, retries, another station's change
// and the question on closing a changed record.
#include "maintenance/forms/lab_form.h"

#include "data/use_counters.h"
#include "maintenance/lists/lab_browse.h"
#include "mapping_fixture.h"
#include "shell/global_settings.h"

namespace {

using data::FileId;
using l2stest::FormHarness;
constexpr const char* kList = "Tabell laboratorier";
constexpr const char* kForm = "Skjema laboratorium";

class LabFormTest : public FormHarness {
 protected:
  LabFormTest() : FormHarness(kList, kForm) {}
  void SetUp() override {
    FormHarness::SetUp();
    addTree();
    before = snapshot();
    registerProcedure("LabForm", maintenance::LabForm);
    ASSERT_TRUE(ui::startProcedure([] { maintenance::LabBrowse(); }));
    ASSERT_TRUE(robot.window(kList));
  }
  std::string labName(const std::string& code) {
    const auto rows = testing_util::peek(path(FileId::MapLab), "SELECT LABNAVN FROM MapLab WHERE LAB = '" + code + "'");
    return rows.empty() ? "(none)" : rows[0][0];
  }

  std::vector<std::string> before;
};

TEST_P(LabFormTest, ANewLaboratoryIsAddedWithThePrimedChoicesAndListed) {
  open("?INSERT");
  EXPECT_EQ(value("?ACTIONMESSAGE"), "Ny post vil bli lagret");
  EXPECT_EQ(value("?MAP:DATOVALG"), "Tattdato");
  EXPECT_EQ(value("?MAP:STEDKILDE"), "Sted");
  ASSERT_TRUE(robot.type("?MAP:LAB", "KL01"));
  ASSERT_TRUE(robot.type("?MAP:LABNAVN", "Kjemisk lab"));
  ASSERT_TRUE(robot.choose("?MAP:STEDKILDE", "Material"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  ASSERT_TRUE(robot.window(kList));
  EXPECT_EQ(highlighted(kList), "KL01");
  EXPECT_EQ(
      testing_util::peek(path(FileId::MapLab), "SELECT LABNAVN, STEDKILDE, DATOVALG FROM MapLab WHERE LAB = 'KL01'"),
      (testing_util::Rows{{"Kjemisk lab", "Material", "Tattdato"}}));
}

TEST_P(LabFormTest, ANewCodeTakesTheMappingsAlongAndDeleteTakesThemAway) {
  open("?CHANGE", "FJL");
  EXPECT_EQ(value("?ACTIONMESSAGE"), "Posten vil bli endret");
  ASSERT_TRUE(robot.type("?MAP:LAB", "B"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  ASSERT_TRUE(robot.window(kList));
  EXPECT_EQ(highlighted(kList), "B");
  const auto now = snapshot();
  EXPECT_EQ(without(now, {" B "}), without(before, {" FJL ", " fjl "})) << "the neighbours stay";
  EXPECT_EQ(without(now, {" A ", " ZZ "}).size(), without(before, {" A ", " ZZ "}).size());

  open("?DELETE", "B");
  EXPECT_EQ(value("?ACTIONMESSAGE"), "Tast Ok for å slette");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  ASSERT_TRUE(robot.window(kList));
  EXPECT_EQ(rows(kList), (std::vector<std::string>{"A", "ZZ"}));
  EXPECT_EQ(snapshot(), without(before, {" FJL ", " fjl "}));
}

TEST_P(LabFormTest, AFailedAddKeepsTheFormOpenAndADuplicateNamesTheKey) {
  open("?INSERT");
  ASSERT_TRUE(robot.type("?MAP:LAB", "fjl"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.answer("Duplicate Key Error", "Ok"));
  EXPECT_TRUE(transcriptHas("Adding this record creates a duplicate entry for the key:Nøkkel på laboratorium"));
  ASSERT_TRUE(robot.window(kForm));
  EXPECT_EQ(focus(kForm), "?MAP:LAB");
  // Any other failure of the add: kind 14, the form stays for another try.
  testing_util::peek(path(FileId::MapLab),
                     "CREATE TRIGGER inject BEFORE INSERT ON MapLab BEGIN SELECT RAISE(ABORT, 'injected'); END");
  ASSERT_TRUE(robot.type("?MAP:LAB", "NY"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.answer("Record Insert Error", "Ok"));
  ASSERT_TRUE(robot.window(kForm));
  EXPECT_EQ(focus(kForm), "?MAP:LAB");
  testing_util::peek(path(FileId::MapLab), "DROP TRIGGER inject");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  EXPECT_EQ(labName("NY"), "");
}

TEST_P(LabFormTest, ABlankCodeIsRefusedAtOk) {
  open("?INSERT");
  ASSERT_TRUE(robot.type("?MAP:LABNAVN", "Uten kode"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  ASSERT_TRUE(robot.window(kForm));
  EXPECT_EQ(focus(kForm), "?MAP:LAB");
  EXPECT_EQ(snapshot(), before);
  ASSERT_TRUE(robot.close());
  ASSERT_TRUE(robot.answer("Update Cancelled", "No"));
  ASSERT_TRUE(robot.waitClosed(kForm));
}

// The files hold Windows-1252: a character beyond it is refused by name, never stored as '?'.
TEST_P(LabFormTest, TextTheFileCannotHoldIsRefusedAtOkNamingTheField) {
  struct Case {
    const char* field;
    const char* typed;
    const char* message;
    const char* mended;
  } const cases[] = {
      {"?MAP:LABNAVN", "Analyse 漢字 AS", "Lab.navn har tegn som ikke kan lagres: 漢字", "Analyse Æ – 5 €"},
      {"?MAP:LAB", "😀", "Lab.kode har tegn som ikke kan lagres: 😀", "FJL"},
      {"?MAP:DATADIRLAB", "/data/lab-Čech", "Katalog datafiler Lab har tegn som ikke kan lagres: Č", "/data/lab-Cech"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    open("?CHANGE", "FJL");
    ASSERT_TRUE(robot.type(c.field, c.typed));
    ASSERT_TRUE(robot.press("?OK"));
    ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
    EXPECT_TRUE(transcriptHas("\"" + std::string(c.message) + "\""));
    ASSERT_TRUE(robot.window(kForm));
    EXPECT_EQ(focus(kForm), c.field);
    EXPECT_EQ(value(c.field), c.typed) << "the typed text stays to be mended";
    EXPECT_EQ(snapshot(), before);
    ASSERT_TRUE(robot.type(c.field, c.mended));
    ASSERT_TRUE(robot.press("?OK"));
    ASSERT_TRUE(robot.waitClosed(kForm));
    ASSERT_TRUE(robot.window(kList));
    before = snapshot();
  }
  EXPECT_EQ(testing_util::peek(path(FileId::MapLab), "SELECT LABNAVN, DATADIRLAB FROM MapLab WHERE LAB = 'FJL'"),
            (testing_util::Rows{{"Analyse Æ – 5 €", "/data/lab-Cech"}}));
}

// A path the dialog hands back is refused before it reaches the field; closing over a refused
// entry asks whether to save, and saving refuses it again.
TEST_P(LabFormTest, AChosenPathTheFileCannotHoldIsRefusedAndClosingAsks) {
  open("?CHANGE", "FJL");
  const std::string shown = value("?MAP:DATADIRLAB");
  ASSERT_TRUE(robot.press("?LOOKUP"));
  ASSERT_TRUE(robot.file("/data/lab-Čech"));
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  EXPECT_TRUE(transcriptHas("Katalog datafiler Lab har tegn som ikke kan lagres: Č|/data/lab-Čech"));
  EXPECT_EQ(value("?MAP:DATADIRLAB"), shown);
  EXPECT_EQ(focus(kForm), "?MAP:DATADIRLAB");
  ASSERT_TRUE(robot.press("?LOOKUP:2"));
  ASSERT_TRUE(robot.file("/data/RNX20-😀.DBF"));
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  EXPECT_TRUE(transcriptHas("Importfile har tegn som ikke kan lagres: 😀|/data/RNX20-😀.DBF"));
  EXPECT_EQ(value("?MAP:IMPORTFILE"), "");

  ASSERT_TRUE(robot.type("?MAP:LABNAVN", "Analyse 漢字 AS"));
  ASSERT_TRUE(robot.close());
  ASSERT_TRUE(robot.answer("Update Cancelled", "Yes"));
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  ASSERT_TRUE(robot.window(kForm));
  EXPECT_EQ(focus(kForm), "?MAP:LABNAVN");
  ASSERT_TRUE(robot.close());
  ASSERT_TRUE(robot.answer("Update Cancelled", "No"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  EXPECT_EQ(snapshot(), before);
  EXPECT_EQ(shell::globals().IMPORTFILE.str().find("😀"), std::string::npos);
}

TEST_P(LabFormTest, ClosingAChangedRecordAsksWhetherToSaveIt) {
  struct Case {
    const char* answer;
    bool stays;
    std::string stored;  // the name stored afterwards
  };
  const Case cases[] = {{"Cancel", true, "Fjell lab"}, {"No", false, "Fjell lab"}, {"Yes", false, "Nytt"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    open("?CHANGE", "FJL");
    ASSERT_TRUE(robot.type("?MAP:LABNAVN", "Nytt"));
    ASSERT_TRUE(robot.press("?CANCEL"));
    ASSERT_TRUE(robot.answer("Update Cancelled", c.answer));
    if (c.stays) {
      ASSERT_TRUE(robot.window(kForm));
      EXPECT_EQ(focus(kForm), "?MAP:LAB");
      ASSERT_TRUE(robot.close());
      ASSERT_TRUE(robot.answer("Update Cancelled", "No"));
    }
    ASSERT_TRUE(robot.waitClosed(kForm));
    ASSERT_TRUE(robot.window(kList));
    EXPECT_EQ(labName("FJL"), c.stored);
  }
  // A new laboratory counts as changed from the start (its place source is primed after the copy).
  open("?INSERT");
  ASSERT_TRUE(robot.press("?CANCEL"));
  ASSERT_TRUE(robot.answer("Update Cancelled", "No"));
  ASSERT_TRUE(robot.waitClosed(kForm));
}

TEST_P(LabFormTest, AnUnchangedRecordIsAnsweredWithoutAWrite) {
  open("?CHANGE", "FJL");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  EXPECT_EQ(testing_util::peek(path(FileId::MapLab), "SELECT MAX(_REV) FROM MapLab"), testing_util::Rows{{"0"}});
}

TEST_P(LabFormTest, AnotherStationsChangeIsShownTheDittoKeyRecallsTheUsersValueAndASecondOkStoresIt) {
  open("?CHANGE", "FJL");
  testing_util::peek(path(FileId::MapLab), "UPDATE MapLab SET LABNAVN = 'Annen', _REV = _REV + 1 WHERE LAB = 'FJL'");
  ASSERT_TRUE(robot.type("?MAP:LABNAVN", "Min"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.answer("Record Was Not Updated", "Ok"));
  ASSERT_TRUE(robot.window(kForm));
  EXPECT_EQ(value("?MAP:LABNAVN"), "Annen");
  ASSERT_TRUE(robot.key("?MAP:LABNAVN", "Ctrl+'"));
  EXPECT_EQ(value("?MAP:LABNAVN"), "Min");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  EXPECT_EQ(labName("FJL"), "Min");
}

// Another station deleted the laboratory after the list showed it, or after the form opened:
// OK ends as not found, a retry finds nothing either, and No closes the form. The record the
// list read last (ZZ) is never taken in its place.
TEST_P(LabFormTest, ARecordGoneSinceItWasListedOrOpenedIsNotFoundAndNoClosesTheForm) {
  struct Case {
    const char* what;
    const char* button;
    bool goneBeforeOpening;
    const char* warning;
  };
  const Case cases[] = {
      {"change, gone under the form", "?CHANGE", false, "Update Operation Error"},
      {"delete, gone under the form", "?DELETE", false, "Delete Operation Error"},
      {"change, gone under the list", "?CHANGE", true, "Update Operation Error"},
      {"delete, gone under the list", "?DELETE", true, "Delete Operation Error"},
  };
  const auto deleteFjl = [this] { testing_util::peek(path(FileId::MapLab), "DELETE FROM MapLab WHERE LAB = 'FJL'"); };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.goneBeforeOpening) {
      ASSERT_TRUE(robot.choose("?LIST", "FJL"));
      deleteFjl();
      open(c.button);
    } else {
      open(c.button, "FJL");
      deleteFjl();
    }
    EXPECT_EQ(value("?MAP:LAB"), "FJL");
    if (c.button[1] == 'C') {
      ASSERT_TRUE(robot.type("?MAP:LABNAVN", "Min"));
    }
    ASSERT_TRUE(robot.press("?OK"));
    ASSERT_TRUE(robot.answer(c.warning, "Ok")) << transcript.text();
    ASSERT_TRUE(robot.answer("Record Update Error", "Yes"));
    ASSERT_TRUE(robot.answer(c.warning, "Ok")) << transcript.text();
    ASSERT_TRUE(robot.answer("Record Update Error", "No"));
    ASSERT_TRUE(robot.waitClosed(kForm));
    ASSERT_TRUE(robot.window(kList));
    EXPECT_FALSE(transcriptHas("changed by another station")) << transcript.text();
    EXPECT_EQ(snapshot(), without(before, {"MapLab: FJL "}));
    // FJL back, and the list opened afresh to show it.
    addLabs({{"FJL", "Fjell lab"}});
    ASSERT_TRUE(robot.press("?CLOSE"));
    ASSERT_TRUE(robot.waitEnd());
    ASSERT_TRUE(ui::startProcedure([] { maintenance::LabBrowse(); }));
    ASSERT_TRUE(robot.window(kList));
  }
}

// Another station moved FJL to FJB with its mappings; this user's FJA meets kind 38, is
// recalled with the ditto key and saved: the mappings follow it from FJB.
TEST_P(LabFormTest, ACodeRecalledAfterAnotherStationsChangeTakesTheMappingsFromTheStoredCode) {
  open("?CHANGE", "FJL");
  testing_util::peek(path(FileId::MapLab), "UPDATE MapLab SET LAB = 'FJB', _REV = _REV + 1 WHERE LAB = 'FJL'");
  for (auto [id, label] : {std::pair{FileId::MapLever, "MapLever"}, std::pair{FileId::MapParam, "MapParam"},
                           std::pair{FileId::MapSted, "MapSted"}})
    testing_util::peek(path(id), std::string("UPDATE ") + label + " SET LAB = 'FJB' WHERE LAB IN ('FJL', 'fjl')");
  ASSERT_TRUE(robot.type("?MAP:LAB", "FJA"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.answer("Record Was Not Updated", "Ok"));
  ASSERT_TRUE(robot.window(kForm));
  EXPECT_EQ(value("?MAP:LAB"), "FJB");
  ASSERT_TRUE(robot.key("?MAP:LAB", "Ctrl+'"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  std::vector<std::string> expected;
  for (std::string l : before) {
    for (const char* old : {": FJL ", ": fjl "})
      if (const auto at = l.find(old); at != std::string::npos) l.replace(at + 2, 3, "FJA");
    expected.push_back(l);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(snapshot(), expected);
}

// A mapping of the laboratory refuses to be rewritten or deleted once; the user tries again.
TEST_P(LabFormTest, AFailedSaveOffersToTryAgainAndTheRetryCarriesTheCascade) {
  struct Case {
    const char* event;
    const char* button;
    const char* warning;
    std::function<void()> edit;
    std::vector<std::string> after;
  };
  const Case cases[] = {
      {"UPDATE", "?CHANGE", "Update Operation Error", [this] { ASSERT_TRUE(robot.type("?MAP:LAB", "B")); },
       without(before, {" FJL ", " fjl "})},
      {"DELETE", "?DELETE", "Delete Operation Error", [] {}, without(before, {" FJL ", " fjl "})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    testing_util::peek(path(FileId::MapSted), std::string("CREATE TRIGGER inject BEFORE ") + c.event +
                                                  " ON MapSted WHEN old.LEVERAND = '200' BEGIN SELECT "
                                                  "RAISE(ABORT, 'injected'); END");
    open(c.button, std::string(c.event) == "UPDATE" ? "FJL" : "B");
    c.edit();
    ASSERT_TRUE(robot.press("?OK"));
    ASSERT_TRUE(robot.answer(c.warning, "Ok"));
    ASSERT_TRUE(robot.answer("Record Update Error", "Cancel"));
    ASSERT_TRUE(robot.window(kForm));
    EXPECT_EQ(focus(kForm), "?MAP:LAB");
    EXPECT_EQ(snapshot(), before);
    ASSERT_TRUE(robot.press("?OK"));
    ASSERT_TRUE(robot.answer(c.warning, "Ok"));
    testing_util::peek(path(FileId::MapSted), "DROP TRIGGER inject");
    ASSERT_TRUE(robot.answer("Record Update Error", "Yes"));
    ASSERT_TRUE(robot.waitClosed(kForm));
    ASSERT_TRUE(robot.window(kList));
    if (std::string(c.event) == "UPDATE")
      EXPECT_EQ(without(snapshot(), {" B "}), c.after);
    else
      EXPECT_EQ(snapshot(), c.after);
    before = snapshot();
  }
}

TEST_P(LabFormTest, TheDialogsFillTheFieldsWholeAndALongerPathIsRefused) {
  const std::string dir = "/data/" + std::string(150, 'k');
  const std::string tooLong = "/data/" + std::string(200, 'x');
  open("?CHANGE", "FJL");
  ASSERT_TRUE(robot.press("?LOOKUP"));
  ASSERT_TRUE(robot.file(dir));
  EXPECT_EQ(value("?MAP:DATADIRLAB"), dir);
  ASSERT_TRUE(robot.press("?LOOKUP:2"));
  ASSERT_TRUE(robot.file(tooLong));
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  EXPECT_EQ(value("?MAP:IMPORTFILE"), "");
  ASSERT_TRUE(robot.press("?LOOKUP:2"));
  ASSERT_TRUE(robot.file(dir + "/RNX20A.DBF"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  EXPECT_EQ(testing_util::peek(path(FileId::MapLab), "SELECT DATADIRLAB, IMPORTFILE FROM MapLab WHERE LAB = 'FJL'"),
            (testing_util::Rows{{dir, dir + "/RNX20A.DBF"}}));
  EXPECT_EQ(shell::globals().IMPORTFILE.str(), dir + "/RNX20A.DBF");
}

}  // namespace

namespace {

// No list sends it, but a form opened to view a record saves nothing: OK keeps it open (and
// still hands its sample table on), only Avbryt closes it, cancelled.
TEST_P(LabFormTest, AViewedRecordIsNotSavedByOk) {
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
  std::atomic<int> response{-1};
  ASSERT_TRUE(ui::startProcedure([&response] {
    auto& t = data::thr();
    data::useFile(FileId::MapLab);
    t.MapLab.rec.LAB = "FJL";
    t.MapLab.get(data::MapLab::MAPLABKEY);
    t.MapLab.rec.IMPORTFILE = "/lab/RNX20.DBF";
    t.ThreadRequest = 6;
    maintenance::LabForm();
    response = t.ThreadResponse;
    data::dropFile(FileId::MapLab);
  }));
  ASSERT_TRUE(robot.window(kForm));
  EXPECT_EQ(value("?ACTIONMESSAGE"), "View Record");
  ASSERT_TRUE(robot.type("?MAP:LABNAVN", "Endret"));
  ASSERT_TRUE(robot.key("?MAP:LABNAVN", "Ctrl+'"));  // no ditto in a view
  EXPECT_EQ(value("?MAP:LABNAVN"), "Endret");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.window(kForm));
  EXPECT_EQ(shell::globals().IMPORTFILE.str(), "/lab/RNX20.DBF");
  ASSERT_TRUE(robot.press("?CANCEL"));
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(response, 2);
  EXPECT_EQ(snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Backends, LabFormTest, ::testing::ValuesIn(l2stest::windowBackends()), l2stest::backendName);

}  // namespace
