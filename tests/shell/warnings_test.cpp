// ShowWarning as the user meets it: the box shown, the button returned, the error it reports
// (saved or current, once), the program's end; and SaveLastError undoing the transaction.
#include "data/warnings.h"

#include <gtest/gtest.h>

#include "data/thread_state.h"
#include "platform/store/transaction.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/procedure.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

class WarningsTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    data::setDataDirectory(dataDir().string());
    data::SetFileNames();
  }
  // The text of each box shown, in order.
  std::vector<std::string> boxTexts() const {
    std::vector<std::string> out;
    for (const std::string& l : linesStarting("box \"")) {
      const std::size_t from = l.find("\" \"") + 3;
      out.push_back(l.substr(from, l.find("\" icon ") - from));
    }
    return out;
  }
};

// A store error on the calling thread: reading a file that is not open.
void failARead() {
  data::MapLab f;
  f.get(data::MapLab::MAPLABKEY);
}

TEST_P(WarningsTest, ReturnsTheButtonPressedAndKindTwoYesAsTwo) {
  int kind2 = 0, kind16 = 0, outside = -1;
  ASSERT_TRUE(session().start([&] {
    kind2 = data::ShowWarningText(2, "MapFile.tps");
    kind16 = data::ShowWarningKind(16);
    outside = data::ShowWarningKind(39);
  }));
  ASSERT_TRUE(answer("Invalid Key", "Yes")) << failure();
  ASSERT_TRUE(answer("Record Update Error", "No")) << failure();
  ASSERT_TRUE(robot().waitEnd()) << failure();
  EXPECT_EQ(kind2, 2);
  EXPECT_EQ(kind16, ui::Button::No);
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(linesStarting("box ").size(), 2u) << "a kind outside the catalogue shows nothing";
  EXPECT_EQ(linesStarting("box \"Invalid Key\" \"MapFile.tps key file is invalid.  Do you want "
                          "to rebuild the key?\" icon exclamation buttons Yes|No answer Yes")
                .size(),
            1u)
      << session().text();
}

TEST_P(WarningsTest, TheSavedErrorIsReportedOnceThenTheCurrentOne) {
  ASSERT_TRUE(session().start([] {
    failARead();  // 37, "File Not Open"
    data::SaveLastError();
    data::MapLab f;  // a newer error on the thread
    f.open();        // 2, the file does not exist
    data::ShowWarningText(30, "a.tps");
    data::ShowWarningText(30, "b.tps");
  }));
  ASSERT_TRUE(answer("File Access Error", "Ok")) << failure();
  ASSERT_TRUE(answer("File Access Error", "Ok")) << failure();
  ASSERT_TRUE(robot().waitEnd()) << failure();
  const auto texts = boxTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rfind("File (a.tps) could not be opened.  Error: File Not Open", 0), 0u) << texts[0];
  EXPECT_NE(texts[0].find("(37)."), std::string::npos) << texts[0];
  EXPECT_EQ(texts[1].rfind("File (b.tps) could not be opened.  Error: File Not Found", 0), 0u) << texts[1];
  EXPECT_NE(texts[1].find("(2)."), std::string::npos) << texts[1];
}

// An error saved on one thread is reported by that thread's warning, even when another
// thread shows a warning in between.
TEST_P(WarningsTest, AnotherThreadsWarningDoesNotTakeTheSavedError) {
  ASSERT_TRUE(session().start([] {
    failARead();
    data::SaveLastError();
    ui::message("vent", "Vent");  // meanwhile the other thread shows its warning
    data::ShowWarningText(30, "saved.tps");
  }));
  // The first thread waits in its box; the second shows its own warning.
  ASSERT_TRUE(waitForBox("Vent")) << failure();
  ASSERT_TRUE(ui::startProcedure([] { data::ShowWarningText(30, "other.tps"); }));
  ASSERT_TRUE(answer("File Access Error", "Ok")) << failure();
  ASSERT_TRUE(answer("Vent", "Ok")) << failure();
  ASSERT_TRUE(answer("File Access Error", "Ok")) << failure();
  ASSERT_TRUE(robot().waitEnd()) << failure();
  const auto texts = boxTexts();
  ASSERT_EQ(texts.size(), 3u) << session().text();
  EXPECT_EQ(texts[0], "File (other.tps) could not be opened.  Error:  (0).");
  EXPECT_EQ(texts[2].rfind("File (saved.tps) could not be opened.  Error: File Not Open", 0), 0u) << texts[2];
}

TEST_P(WarningsTest, KindFifteenAfterAChangeByAnotherStation) {
  ASSERT_TRUE(session().start([] {
    auto& mine = data::thr().MapLab;
    ASSERT_EQ(mine.create(), 0);
    ASSERT_EQ(mine.open(), 0);
    mine.clear();
    mine.rec.LAB = "K1";
    ASSERT_EQ(mine.add(), 0);
    data::MapLab other;  // another station's instance of the same file
    other.setName(data::fileName(data::FileId::MapLab));
    ASSERT_EQ(other.open(), 0);
    mine.watch();
    ASSERT_EQ(mine.get(data::MapLab::MAPLABKEY), 0);
    other.rec.LAB = "K1";
    ASSERT_EQ(other.get(data::MapLab::MAPLABKEY), 0);
    other.rec.LABNAVN = "Endret der";
    ASSERT_EQ(other.put(), 0);
    mine.rec.LABNAVN = "Endret her";
    ASSERT_EQ(mine.put(), 89);
    data::SaveLastError();
    data::ShowWarningText(15, "MapLab");
  }));
  ASSERT_TRUE(answer("Update Operation Error", "Ok")) << failure();
  ASSERT_TRUE(robot().waitEnd()) << failure();
  EXPECT_EQ(boxTexts(), std::vector<std::string>({"This record was changed by another station."}));
}

TEST_P(WarningsTest, SaveLastErrorRollsBackTheThreadsTransaction) {
  bool activeAfter = true;
  int found = 0;
  ASSERT_TRUE(session().start([&] {
    auto& f = data::thr().MapLab;
    ASSERT_EQ(f.create(), 0);
    ASSERT_EQ(f.open(), 0);
    store::Transaction tx;
    ASSERT_EQ(tx.begin({&f}, 2), 0);
    f.clear();
    f.rec.LAB = "K2";
    ASSERT_EQ(f.add(), 0);
    f.rec.LAB = "k2";
    ASSERT_EQ(f.add(), 40);  // the same key in another letter case
    data::SaveLastError();
    activeAfter = tx.active();
    f.clear();
    f.rec.LAB = "K2";
    found = f.get(data::MapLab::MAPLABKEY);
    data::ShowWarningText(17, "MapLab");
  }));
  ASSERT_TRUE(answer("Delete Operation Error", "Ok")) << failure();
  ASSERT_TRUE(robot().waitEnd()) << failure();
  EXPECT_FALSE(activeAfter);
  EXPECT_EQ(found, 35) << "the add inside the transaction is undone";
  const auto texts = boxTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].rfind("An error (Creates Duplicate Key", 0), 0u) << texts[0];
  EXPECT_NE(texts[0].find("(40)) was experienced when attempting to delete a record from the "
                          "file MapLab."),
            std::string::npos)
      << texts[0];
}

TEST_P(WarningsTest, WarningsThatEndTheProgramShowTheirFinalMessage) {
  struct {
    int kind;
    const char* caption;
    const char* button;
    const char* finalMessage;
  } const cases[] = {
      {1, "Invalid File", "Ok", "Invalid File!"},
      {2, "Invalid Key", "No", "Invalid Key!"},
      {3, "Key Rebuild Error", "Ok", "Error Rebuilding Key!"},
      {4, "File Creation Error", "Ok", "File Creation Error!"},
      {5, "File Creation Error", "Ok", "File Creation Error!"},
      {22, "File Creation Not Allowed", "Ok", "File Creation Error!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    session_.reset();
    newSession();
    bool returned = false;
    const int kind = c.kind;
    ASSERT_TRUE(session().start([kind, &returned] {
      data::ShowWarningText(kind, "f.tps");
      returned = true;
    }));
    ASSERT_TRUE(answer(c.caption, c.button)) << failure();
    ASSERT_TRUE(answer("Halt", "Ok")) << failure();
    EXPECT_EQ(session().finish(), 0);
    EXPECT_FALSE(returned);
    EXPECT_EQ(linesStarting(std::string("box \"Halt\" \"") + c.finalMessage + "\" icon stop").size(), 1u)
        << session().text();
    EXPECT_EQ(linesStarting("halt 0").size(), 1u);
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, WarningsTest, ::testing::ValuesIn(l2stest::windowBackends()), l2stest::backendName);

}  // namespace
}  // namespace shelltest
