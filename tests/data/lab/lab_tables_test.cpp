#include "data/lab/lab_tables.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <set>
#include <thread>

#include "message_double.h"

namespace {

using namespace data::lab;
using lab_test::boxes;

// The tables are opened exclusively, so each test process reads its own copy.
std::string copyFixtures() {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("l2s_lab_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::copy(fs::path(LAB2SIV_FIXTURES) / "lab", dir, fs::copy_options::recursive);
  return dir.string();
}
const std::string kDir = copyFixtures();
const std::string kSamples = kDir + "/RNX20.dbf";

struct RemoveCopy {
  ~RemoveCopy() { std::filesystem::remove_all(kDir); }
} removeCopy;

class LabTablesTest : public ::testing::Test {
 protected:
  void SetUp() override { boxes().clear(); }
  void TearDown() override {
    CloseLabTables(holder);
    setLabTableFactory(nullptr);
  }
  LabTablesHolder holder;
};

TEST_F(LabTablesTest, OpensTheFiveTablesAndReadsThemByTheirKeys) {
  ASSERT_EQ(OpenLabTables(holder, kDir + "   ", kSamples), 1);
  EXPECT_TRUE(boxes().empty());
  LabTables& t = labTables();
  EXPECT_EQ(t.RNX50.diskName(), kDir + "/RNX50.dbf");  // trailing blanks of the folder removed

  t.RNX51.clear();
  t.RNX51.rec.REKV = "100";
  ASSERT_TRUE(t.RNX51.get(LabKey::KEY_RNX51).ok());
  EXPECT_EQ(t.RNX51.rec.NAVN, "Østre Ålesund renseanlegg");
  EXPECT_EQ(t.RNX51.rec.GODKJTIL, 83645);
  EXPECT_NE(t.RNX51.rec.MERKNAD_PTR, 0);
  t.RNX51.rec.REKV = "AB1";  // stored key: letter case counts
  EXPECT_EQ(t.RNX51.get(LabKey::KEY_RNX51).code, dbase::Code::NotFound);
  t.RNX51.rec.REKV = "300";  // deleted row
  EXPECT_EQ(t.RNX51.get(LabKey::KEY_RNX51).code, dbase::Code::NotFound);

  // The import's walk: the supplier's journal rows, then each journal's samples.
  t.RNXJR.clear();
  t.RNXJR.rec.REKV = "100";
  ASSERT_TRUE(t.RNXJR.set(LabKey::I_RNXJR).ok());
  std::vector<std::string> walk;
  while (t.RNXJR.next().ok() && t.RNXJR.rec.REKV == "100") {
    walk.push_back("J" + t.RNXJR.rec.JRNLNR.str() + " " + std::to_string(t.RNXJR.rec.STARTDATO));
    t.RNX20.clear();
    t.RNX20.rec.JRNLNR = t.RNXJR.rec.JRNLNR;
    ASSERT_TRUE(t.RNX20.set(LabKey::I_RNX20).ok());
    while (t.RNX20.next().ok() && t.RNX20.rec.JRNLNR == t.RNXJR.rec.JRNLNR)
      walk.push_back(t.RNX20.rec.STED.str() + " " + std::to_string(t.RNX20.rec.TATTDATO) + " " +
                     t.RNX20.rec.IDENT.str());
  }
  EXPECT_EQ(walk, (std::vector<std::string>{"J0001 82242", "01 82243 ", "02 82244 350 m3/d", "J0002 0", "01 82278 "}))
      << ::testing::PrintToString(walk);

  // Codes by the case-insensitive run-time index, places by both keys.
  t.RNX50.rec.KODE = "kof";
  ASSERT_TRUE(t.RNX50.get(LabKey::I_RNX50).ok());
  EXPECT_EQ(t.RNX50.rec.TEKST, "Kjemisk oksygenforbruk");
  EXPECT_EQ(t.RNX50.rec.ANTALL, 3);
  t.RNX60.rec.REKV = "100";
  t.RNX60.rec.MATERIALE = "RENS";
  ASSERT_TRUE(t.RNX60.get(LabKey::I_RNX60).ok());
  EXPECT_EQ(t.RNX60.rec.TEKST, "Utløp");
  t.RNX60.rec.REKV = "200";
  t.RNX60.rec.STED = "01";
  ASSERT_TRUE(t.RNX60.get(LabKey::KEY_RNX60).ok());
  EXPECT_EQ(t.RNX60.rec.TEKST, "Kum ved ærfugl-skjær");
  EXPECT_EQ(t.RNX60.get(LabKey::I_RNX20).code, dbase::Code::BadKey);
}

TEST_F(LabTablesTest, SecondHolderIsRefusedAndTheFirstKeepsItsTables) {
  ASSERT_EQ(OpenLabTables(holder, kDir, kSamples), 1);
  {
    LabTablesHolder other;
    EXPECT_EQ(OpenLabTables(other, kDir, kSamples), 0);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].caption, "Advarsel");
    EXPECT_EQ(boxes()[0].icon, ui::Icon::Information);
    EXPECT_EQ(boxes()[0].buttons, ui::Button::Ok);
    EXPECT_EQ(boxes()[0].text.rfind("Kan ikke åpne: " + kDir + "/RNX51.dbf|File Already Open", 0), 0u)
        << boxes()[0].text;
    CloseLabTables(other);  // what the refused caller does next
  }
  LabTables& t = labTables();
  for (LabTableBase* table : std::initializer_list<LabTableBase*>{&t.RNX20, &t.RNX50, &t.RNX51, &t.RNX60, &t.RNXJR})
    EXPECT_TRUE(table->isOpen()) << table->diskName();
  t.RNX51.rec.REKV = "200";
  EXPECT_TRUE(t.RNX51.get(LabKey::KEY_RNX51).ok());
  CloseLabTables(holder);
  EXPECT_FALSE(t.RNX51.isOpen());
  LabTablesHolder next;
  EXPECT_EQ(OpenLabTables(next, kDir, kSamples), 1);
  CloseLabTables(next);
}

TEST_F(LabTablesTest, FailedOpeningShowsTheTableAndItsCloseFreesTheTables) {
  const struct {
    std::string dir, samples, box;
  } cases[] = {
      {"/nonexistent/lab  ", kSamples,
       "Kan ikke åpne: /nonexistent/lab/RNX51.dbf|File Not Found: /nonexistent/lab/RNX51.dbf"},
      {kDir, kDir + "/RNX99.dbf  ",
       "Kan ikke indeksere: " + kDir + "/RNX99.dbf|File Not Found: " + kDir + "/RNX99.dbf"},
      {kDir, kDir + "/broken/RNX20_truncated.dbf",
       "Kan ikke åpne: " + kDir + "/broken/RNX20_truncated.dbf|Invalid Data File: "},
  };
  for (const auto& c : cases) {
    boxes().clear();
    {
      LabTablesHolder attempt;
      EXPECT_EQ(OpenLabTables(attempt, c.dir, c.samples), 0);
      ASSERT_EQ(boxes().size(), 1u);
      EXPECT_EQ(boxes()[0].text.rfind(c.box, 0), 0u) << boxes()[0].text;
      CloseLabTables(attempt);
    }
    EXPECT_FALSE(labTables().RNX51.isOpen());
    ASSERT_EQ(OpenLabTables(holder, kDir, kSamples), 1) << c.box;
    CloseLabTables(holder);
  }
}

// A window on another thread (a form opened from a list that does not hold the tables) reads
// while the holder reads: it gets "not open" and never touches the shared row buffers.
TEST_F(LabTablesTest, OnlyTheHoldingThreadReadsThem) {
  ASSERT_EQ(OpenLabTables(holder, kDir, kSamples), 1);
  LabTables& t = labTables();
  std::atomic<bool> stop{false};
  std::atomic<int> otherReads{0}, otherAnswers{0};
  std::thread other([&] {
    while (!stop) {
      HeldLabTables held;
      if (held || t.RNX51.isOpen()) return;                             // must never happen here
      if (t.RNX51.next().code == dbase::Code::NotOpen) ++otherAnswers;  // the table the holder reads
      ++otherReads;
    }
  });
  for (int i = 0; i < 200 || otherReads < 50; ++i) {
    HeldLabTables held;
    ASSERT_TRUE(held);
    held->RNX51.clear();
    held->RNX51.rec.REKV = i % 2 ? "100" : "200";
    ASSERT_TRUE(held->RNX51.get(LabKey::KEY_RNX51).ok());
  }
  stop = true;
  other.join();
  EXPECT_GT(otherReads, 0);
  EXPECT_EQ(otherAnswers.load(), otherReads.load()) << "every read on the other thread answered not open";
  CloseLabTables(holder);
  EXPECT_FALSE(HeldLabTables()) << "closed tables are held by no one";
}

TEST_F(LabTablesTest, HolderGoingAwayClosesTheTables) {
  {
    LabTablesHolder scoped;
    ASSERT_EQ(OpenLabTables(scoped, kDir, kSamples), 1);
  }
  EXPECT_FALSE(labTables().RNX20.isOpen());
  EXPECT_EQ(labTables().RNX20.next().code, dbase::Code::NotOpen);
}

// A reader that reports "keys must be rebuilt" at the first open of one table.
std::vector<std::string> events;

class Rebuild46 : public dbase::Table {
 public:
  Rebuild46(std::string tag, bool fail) : tag_(std::move(tag)), fail_(fail) {}
  dbase::Error open(std::uint8_t mode) override {
    events.push_back(tag_ + " open");
    if (fail_) {
      fail_ = false;
      return dbase::makeError(dbase::Code::KeysMustBeRebuilt);
    }
    return dbase::Table::open(mode);
  }
  void close() override {
    if (tag_ != "") events.push_back(tag_ + " close");
    dbase::Table::close();
  }
  dbase::Error rebuildKeys() override {
    events.push_back(tag_ + " rebuild");
    return dbase::Table::rebuildKeys();
  }
  ~Rebuild46() override { tag_ = ""; }

 private:
  std::string tag_;
  bool fail_;
};

TEST_F(LabTablesTest, KeysMustBeRebuiltIsRecoveredWhereTheOpeningHasARecovery) {
  const char* names[] = {"RNX20", "RNX50", "RNX51", "RNX60", "RNXJR"};
  const struct {
    LabTableId table;
    bool opens;
    std::vector<std::string> steps;
  } cases[] = {
      {LabTableId::RNX51, true, {"RNX51 open", "RNX51 close", "RNX51 rebuild", "RNX51 open"}},
      {LabTableId::RNX60, true, {"RNX60 open", "RNX60 close", "RNX60 rebuild", "RNX60 open"}},
      {LabTableId::RNX50, true, {"RNX50 open", "RNX50 rebuild", "RNX50 close", "RNX50 open"}},
      {LabTableId::RNXJR, false, {"RNXJR open"}},
      {LabTableId::RNX20, false, {"RNX20 open"}},
  };
  for (const auto& c : cases) {
    const std::string name = names[static_cast<int>(c.table)];
    setLabTableFactory(
        [&](LabTableId id) { return std::make_unique<Rebuild46>(names[static_cast<int>(id)], id == c.table); });
    events.clear();
    boxes().clear();
    EXPECT_EQ(OpenLabTables(holder, kDir, kSamples), c.opens ? 1 : 0) << name;
    std::vector<std::string> mine;
    for (const auto& e : events)
      if (e.rfind(name, 0) == 0) mine.push_back(e);
    EXPECT_EQ(mine, c.steps) << name;
    if (c.opens) {
      EXPECT_TRUE(boxes().empty());
    } else {
      ASSERT_EQ(boxes().size(), 1u);
      const std::string disk = c.table == LabTableId::RNX20 ? kSamples : kDir + "/" + name + ".dbf";
      EXPECT_EQ(boxes()[0].text, "Kan ikke åpne: " + disk + "|Key File Must Be Rebuilt");
    }
    CloseLabTables(holder);
  }
}

// The order of the opening: RNX51, RNX60, RNXJR, RNX50, RNX20, each run-time index before its open.
TEST_F(LabTablesTest, OpensInItsFixedOrder) {
  class Recording : public dbase::Table {
   public:
    explicit Recording(std::string tag) : tag_(std::move(tag)) {}
    dbase::Error open(std::uint8_t mode) override {
      events.push_back(tag_ + " open");
      return dbase::Table::open(mode);
    }
    dbase::Error buildIndex(int index) override {
      events.push_back(tag_ + " index");
      return dbase::Table::buildIndex(index);
    }

   private:
    std::string tag_;
  };
  const char* names[] = {"RNX20", "RNX50", "RNX51", "RNX60", "RNXJR"};
  setLabTableFactory([&](LabTableId id) { return std::make_unique<Recording>(names[static_cast<int>(id)]); });
  events.clear();
  ASSERT_EQ(OpenLabTables(holder, kDir, kSamples), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"RNX51 open", "RNX60 index", "RNX60 open", "RNXJR index", "RNXJR open",
                                              "RNX50 index", "RNX50 open", "RNX20 index", "RNX20 open"}));
}

}  // namespace
