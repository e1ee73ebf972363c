// The supplier-mapping form from the supplier list of a laboratory: its look-up lists from the
// laboratory's requisitioners (when this thread holds the laboratory's tables) and the plants,
// add, change and delete with the place mappings following, duplicates and long numbers refused.
#include "maintenance/forms/lever_form.h"

#include <filesystem>

#include "data/lab/lab_tables.h"
#include "maintenance/lists/lever_browse.h"
#include "mapping_fixture.h"

namespace {

using data::FileId;
using l2stest::FormHarness;
namespace fs = std::filesystem;
constexpr const char* kList = "Tabell anlegg/leverandører";
constexpr const char* kForm = "Mapping leverandørnummer/anleggsnummer";

class LeverFormTest : public FormHarness {
 protected:
  LeverFormTest() : FormHarness(kList, kForm) {}
  void SetUp() override {
    FormHarness::SetUp();
    addTree();
    addPlants({{"000002", "Fjellby RA"}, {"000004", "Dalen RA"}, {"000009", "Nytt RA"}});
    before = snapshot();
    registerProcedure("LeverForm", maintenance::LeverForm);
  }
  // The supplier list of FJL, with the laboratory's tables held by its thread or not.
  void startList(bool tablesOpen) {
    const std::string tables = (fs::current_path() / "lab").string();
    fs::copy(fs::path(LAB2SIV_FIXTURES) / "lab", tables, fs::copy_options::recursive);
    ASSERT_TRUE(ui::startProcedure([tables, tablesOpen] {
      data::lab::LabTablesHolder holder;
      if (tablesOpen && data::lab::OpenLabTables(holder, tables, tables + "/RNX20.dbf") != 1) return;
      data::thr().LAB = "FJL";
      maintenance::LeverBrowse();
      data::lab::CloseLabTables(holder);
    }));
    ASSERT_TRUE(robot.window(kList));
  }
  std::vector<std::string> dropRows(const std::string& equate) {
    std::vector<std::string> out;
    for (const auto& r : control(kForm, equate).rows) out.push_back(r.cells.at(0) + "|" + r.cells.at(1));
    return out;
  }

  std::vector<std::string> before;
};

TEST_P(LeverFormTest, ANewMappingGetsTheLaboratoryAndPicksFromTheRequisitionersAndPlants) {
  startList(true);
  open("?INSERT");
  EXPECT_EQ(value("?M_L:LAB"), "FJL");
  EXPECT_EQ(value("?MAP:LABNAVN"), "Fjell lab");
  EXPECT_EQ(value("?ACTIONMESSAGE"), "Ny post vil bli lagret");
  EXPECT_EQ(dropRows("?M_L:LEVERAND"),
            (std::vector<std::string>{"100|Østre Ålesund renseanlegg", "200|Æsøy kommune", "ab1|Små bokstaver"}));
  EXPECT_EQ(dropRows("?M_L:ANLEGGSNR"),
            (std::vector<std::string>{"000002|Fjellby RA", "000004|Dalen RA", "000009|Nytt RA"}));
  ASSERT_TRUE(robot.choose("?M_L:LEVERAND", "ab1"));
  EXPECT_EQ(value("?LOC:L_NAVN"), "Små bokstaver");
  ASSERT_TRUE(robot.choose("?M_L:ANLEGGSNR", "000009"));
  EXPECT_EQ(value("?ANL:ANLEGGSNAVN"), "Nytt RA");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  ASSERT_TRUE(robot.window(kList));
  EXPECT_EQ(highlighted(kList), "ab1");
  auto expected = before;
  expected.push_back("MapLever: FJL ab1 000009");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(snapshot(), expected);
}

// Opened from a window that does not hold the laboratory's tables: nothing to pick, a typed
// number and a plant that does not exist are stored as typed.
TEST_P(LeverFormTest, WithoutTheLaboratorysTablesTheSupplierListIsEmptyAndTypedValuesAreStored) {
  startList(false);
  open("?INSERT");
  EXPECT_TRUE(dropRows("?M_L:LEVERAND").empty());
  ASSERT_TRUE(robot.type("?M_L:LEVERAND", "100"));
  EXPECT_EQ(value("?LOC:L_NAVN"), "");
  ASSERT_TRUE(robot.type("?M_L:ANLEGGSNR", "777777"));
  EXPECT_EQ(value("?ANL:ANLEGGSNAVN"), "");
  ASSERT_TRUE(robot.press("?OK"));
  // FJL already maps supplier 100.
  ASSERT_TRUE(robot.answer("Duplicate Key Error", "Ok"));
  EXPECT_TRUE(transcriptHas("Adding this record creates a duplicate entry for the key:Nøkkel på Kelda-sted"));
  ASSERT_TRUE(robot.window(kForm));
  EXPECT_EQ(focus(kForm), "?M_L:LEVERAND");
  ASSERT_TRUE(robot.type("?M_L:LEVERAND", "500"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  auto expected = before;
  expected.push_back("MapLever: FJL 500 777777");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(snapshot(), expected);
}

TEST_P(LeverFormTest, ASupplierNumberLongerThanSixCharactersIsRefused) {
  startList(false);
  open("?INSERT");
  ASSERT_TRUE(robot.type("?M_L:LEVERAND", "1234567"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  EXPECT_TRUE(transcriptHas("Leverandørnummeret kan ha høyst 6 tegn!"));
  ASSERT_TRUE(robot.window(kForm));
  EXPECT_EQ(focus(kForm), "?M_L:LEVERAND");
  EXPECT_EQ(snapshot(), before);
  ASSERT_TRUE(robot.type("?M_L:LEVERAND", "123456"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  EXPECT_EQ(snapshot().size(), before.size() + 1);
}

TEST_P(LeverFormTest, ANewSupplierNumberTakesThePlaceMappingsAlongAndDeleteTakesThemAway) {
  startList(true);
  open("?CHANGE", "100");
  EXPECT_EQ(value("?ACTIONMESSAGE"), "Posten vil bli endret");
  EXPECT_EQ(value("?LOC:L_NAVN"), "Østre Ålesund renseanlegg");
  EXPECT_EQ(value("?ANL:ANLEGGSNAVN"), "Fjellby RA");
  ASSERT_TRUE(robot.type("?M_L:LEVERAND", "400"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  ASSERT_TRUE(robot.window(kList));
  EXPECT_EQ(highlighted(kList), "400");
  std::vector<std::string> moved;
  for (std::string l : before) {
    const std::size_t at = l.find("FJL 100 ");
    if (at != std::string::npos) l.replace(at, 8, "FJL 400 ");
    moved.push_back(l);
  }
  std::sort(moved.begin(), moved.end());
  EXPECT_EQ(snapshot(), moved) << "the same supplier under A and ZZ stays";

  open("?DELETE", "400");
  EXPECT_EQ(value("?ACTIONMESSAGE"), "Tast Ok for å slette");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  EXPECT_EQ(snapshot(), without(before, {"FJL 100 "}));
}

// Another station moved supplier 100 to 110 with its place mappings, then this user's 400 met
// kind 38 and was recalled with the ditto key: the place mappings follow it from 110. Then
// another station deletes the mapping under the list: the delete finds nothing, and the row
// the list read last (200) stays.
TEST_P(LeverFormTest, AfterAnotherStationsChangesTheRecalledNumberMovesTheMappingsAndAGoneRowIsNotFound) {
  startList(false);
  open("?CHANGE", "100");
  testing_util::peek(path(FileId::MapLever),
                     "UPDATE MapLever SET LEVERAND = '110', _REV = _REV + 1 WHERE LAB = 'FJL' AND LEVERAND = '100'");
  testing_util::peek(path(FileId::MapSted),
                     "UPDATE MapSted SET LEVERAND = '110' WHERE LAB = 'FJL' AND LEVERAND = '100'");
  ASSERT_TRUE(robot.type("?M_L:LEVERAND", "400"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.answer("Record Was Not Updated", "Ok"));
  ASSERT_TRUE(robot.window(kForm));
  EXPECT_EQ(value("?M_L:LEVERAND"), "110");
  ASSERT_TRUE(robot.key("?M_L:LEVERAND", "Ctrl+'"));
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  std::vector<std::string> moved;
  for (std::string l : before) {
    const std::size_t at = l.find("FJL 100 ");
    if (at != std::string::npos) l.replace(at, 8, "FJL 400 ");
    moved.push_back(l);
  }
  std::sort(moved.begin(), moved.end());
  EXPECT_EQ(snapshot(), moved);

  ASSERT_TRUE(robot.window(kList));
  ASSERT_TRUE(robot.choose("?LIST", "400"));
  testing_util::peek(path(FileId::MapLever), "DELETE FROM MapLever WHERE LAB = 'FJL' AND LEVERAND = '400'");
  open("?DELETE");
  ASSERT_TRUE(robot.press("?OK"));
  ASSERT_TRUE(robot.answer("Delete Operation Error", "Ok")) << transcript.text();
  ASSERT_TRUE(robot.answer("Record Update Error", "No"));
  ASSERT_TRUE(robot.waitClosed(kForm));
  EXPECT_EQ(snapshot(), without(moved, {"MapLever: FJL 400 "}));
}

INSTANTIATE_TEST_SUITE_P(Backends, LeverFormTest, ::testing::ValuesIn(l2stest::windowBackends()), l2stest::backendName);

}  // namespace
