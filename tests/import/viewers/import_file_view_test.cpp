// The import-file viewer over the demo export and the import fixture tables: its rows, the names
// by place or by material, ten analysis pairs, and the refusal while an import holds the tables.
#include "import/viewers/import_file_view.h"

#include <unistd.h>

#include <filesystem>

#include "../../maintenance/window_harness.h"
#include "data/lab/lab_tables.h"
#include "data/thread_state.h"

namespace {

namespace fs = std::filesystem;
constexpr const char* kTitle = "Se på importfile";

// The tables are opened exclusively, also towards the other test processes that read the same
// table sets side by side: each process reads its own copies, removed when it ends.
class TableCopies {
 public:
  ~TableCopies() { fs::remove_all(root_); }
  fs::path of(const fs::path& source) {
    const fs::path copy = root_ / (source.parent_path().filename().string() + "-" + source.filename().string());
    if (!fs::exists(copy)) {
      fs::create_directories(root_);
      fs::copy(source, copy);
    }
    return copy;
  }

 private:
  fs::path root_ = fs::temp_directory_path() / ("l2s-viewer-tables-" + std::to_string(::getpid()));
};
fs::path copyOf(const fs::path& source) {
  static TableCopies copies;
  return copies.of(source);
}

const fs::path kDemoExport = copyOf(fs::path(LAB2SIV_FIXTURES) / ".." / ".." / "demo-data" / "lab");
const fs::path kFixture = copyOf(fs::path(LAB2SIV_FIXTURES) / "import" / "lab");

using Rows = std::vector<std::vector<std::string>>;

// The viewer's rows of a table set, read as the viewer reads them.
Rows readRows(const fs::path& dir, bool bySted, int* otherJournalStops = nullptr) {
  data::lab::LabTablesHolder holder;
  Rows rows;
  if (data::lab::OpenLabTables(holder, dir.string(), (dir / "RNX20.dbf").string()) == 1)
    rows = import::readImportRows(bySted, [&] {
      if (otherJournalStops) ++*otherJournalStops;
    });
  data::lab::CloseLabTables(holder);
  return rows;
}

const std::vector<std::string>* rowOf(const Rows& rows, const std::string& journal, const std::string& place) {
  for (const auto& r : rows)
    if (r.at(0) == journal && r.at(4) == place) return &r;
  return nullptr;
}

TEST(ImportRows, DemoExportNamesByPlaceOrByMaterial) {
  const Rows bySted = readRows(kDemoExport, true);
  const Rows byMaterial = readRows(kDemoExport, false);
  ASSERT_FALSE(bySted.empty());
  ASSERT_EQ(bySted.size(), byMaterial.size());
  // Journals come by requisitioner: every 1010 row before the first 1020 row.
  EXPECT_EQ(bySted.front().at(1), "1010");
  EXPECT_EQ(bySted.front().at(2), "Åsmyra kommune");
  std::vector<std::string> suppliers;
  for (const auto& r : bySted)
    if (suppliers.empty() || suppliers.back() != r.at(1)) suppliers.push_back(r.at(1));
  EXPECT_EQ(suppliers, (std::vector<std::string>{"1010", "1020", "1030", "2040"}));

  for (std::size_t i = 0; i < bySted.size(); ++i) {
    const auto& s = bySted[i];
    const auto& m = byMaterial[i];
    ASSERT_EQ(s.size(), 28u) << "eight columns and ten pairs";
    if (s.at(4) == "02") {
      EXPECT_EQ(s.at(5), "Utløp") << "by the place code";
      EXPECT_EQ(m.at(5), "Innløp") << "by the material: the first place with material AVL";
    }
    EXPECT_EQ(s.at(6).size(), 8u) << "dd.mm.yy";
  }
}

TEST(ImportRows, TenPairsAsStoredAndUnknownNamesBlank) {
  int stops = 0;
  const Rows rows = readRows(kFixture, true, &stops);
  EXPECT_GT(stops, 0);
  // Sample of journal 0124: twelve pairs, of which the first ten show, "<" kept.
  const auto* sludge = rowOf(rows, "0124", "03");
  ASSERT_NE(sludge, nullptr);
  EXPECT_EQ(std::vector<std::string>(sludge->begin() + 8, sludge->end()),
            (std::vector<std::string>{"STS", "25,5", "SPH", "7.1", "SCD", "<0.5", "SKD", "0.3", "SSM", "12.8",
                                      "STK", "25",   "SSA", "0.5", "SPA", "2",    "SPB", "5",   "SDG", "3.9"}));
  EXPECT_EQ(sludge->at(6), "01.02.08");
  EXPECT_EQ(sludge->at(7), "05.02.08");
  // Supplier 150 is not in the requisitioner table: its rows are listed with a blank name.
  for (const auto& r : rows)
    if (r.at(1) == "150") {
      EXPECT_EQ(r.at(2), "");
    }
  const auto* first = rowOf(rows, "0123", "01");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->at(2), "Nordby kommune");
  EXPECT_EQ(first->at(5), "Sted 01");
  EXPECT_EQ(first->at(9), "<0,5");
}

// A journal number is counted per year: each sample is listed under the journal of its own
// year only, as the import reads it, not under every journal that shares the number.
TEST(ImportRows, ASampleBelongsToTheJournalOfItsOwnYear) {
  const Rows rows = readRows(copyOf(fs::path(LAB2SIV_FIXTURES) / "viewers" / "two_years"), true);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ((std::vector<std::string>{rows[0].at(0), rows[0].at(1), rows[0].at(4), rows[0].at(7)}),
            (std::vector<std::string>{"0123", "100", "01", "07.01.08"}));
  EXPECT_EQ((std::vector<std::string>{rows[1].at(0), rows[1].at(1), rows[1].at(4), rows[1].at(7)}),
            (std::vector<std::string>{"0123", "200", "02", "09.01.09"}));
}

class ImportFileViewTest : public l2stest::WindowHarness {
 protected:
  void openOn(const fs::path& dir, const char* stedKilde) {
    shell::editGlobals([&](shell::GlobalSettings& g) { g.IMPORTFILE = (dir / "RNX20.dbf").string(); });
    const std::string d = dir.string(), k = stedKilde;
    ASSERT_TRUE(ui::startProcedure([d, k] {
      auto& t = data::thr();
      t.MapLab.rec.DATADIRLAB = d;
      t.MapLab.rec.STEDKILDE = k;
      import::ImportFileView();
    }));
  }
  void close() {
    ASSERT_TRUE(robot.window(kTitle));
    ASSERT_TRUE(robot.press("?CANCELBUTTON"));
    ASSERT_TRUE(robot.waitEnd());
  }
};

TEST_F(ImportFileViewTest, ShowsTheDemoExportPageByPage) {
  const Rows all = readRows(kDemoExport, false);
  openOn(kDemoExport, "Material");
  ASSERT_TRUE(robot.window(kTitle));
  const auto list = control(kTitle, "?LIST1");
  ASSERT_EQ(list.rows.size(), 10u);
  EXPECT_EQ(list.rows[0].cells, all[0]);
  EXPECT_EQ(list.def.columns.size(), 28u);
  EXPECT_EQ(control(kTitle, "?LOC:MELDING_1").value, "") << "blanked when a walk met another journal";
  ASSERT_TRUE(robot.key("?LIST1", "End"));
  EXPECT_EQ(control(kTitle, "?LIST1").rows.back().cells, all.back());
  close();
  EXPECT_TRUE(transcriptHas("close \"Se på importfile\""));
  EXPECT_EQ(data::thr().ThreadResponse, 0) << "the viewer's response belongs to its own thread";
}

TEST_F(ImportFileViewTest, RefusedWhileAnImportHoldsTheTables) {
  data::lab::LabTablesHolder run;
  ASSERT_EQ(data::lab::OpenLabTables(run, kFixture.string(), (kFixture / "RNX20.dbf").string()), 1);
  openOn(kFixture, "Sted");
  ASSERT_TRUE(robot.answer("Advarsel", "Ok"));
  ASSERT_TRUE(robot.answer("", "Ok"));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_TRUE(transcriptHas("Feil ved åpning av importfiler!|Sjekk at importkatalog er korrekt angitt!"));
  EXPECT_TRUE(control(kTitle, "?LIST1").rows.empty());
  close();
  EXPECT_TRUE(data::lab::labTables().RNX20.isOpen()) << "the run keeps its tables";
  data::lab::CloseLabTables(run);
}

}  // namespace
