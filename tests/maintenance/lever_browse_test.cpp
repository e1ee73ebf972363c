#include "maintenance/lists/lever_browse.h"

#include <atomic>

#include "platform/store/paths.h"
#include "sqlite_peek.h"
#include "window_harness.h"

namespace {

using l2stest::WindowHarness;
using Strings = std::vector<std::string>;
constexpr const char* kTitle = "Tabell anlegg/leverandører";

class LeverBrowseTest : public WindowHarness {
 protected:
  void SetUp() override {
    WindowHarness::SetUp();
    addPlants({{"010101", "Renseanlegg Nord"}, {"020202", "Renseanlegg Sør"}});
    addSuppliers({{"K1", "100", "010101"},
                  {"k1", "2000000001", "020202"},  // laboratory differs in case only
                  {"K1", "300", "999999"},         // plant not in the registry
                  {"K1", "400", "010101"},
                  {"K2", "150", "020202"},  // another laboratory
                  {"", "050", "010101"}});
  }
  void startSelect(const std::string& lab, const std::string& typed) {
    ASSERT_TRUE(ui::startProcedure([this, lab, typed] {
      auto& t = data::thr();
      t.LAB = lab;
      t.MapLever.rec.LEVERAND = typed;
      t.ThreadRequest = 4;
      maintenance::LeverBrowse();
      response = t.ThreadResponse;
      chosen = t.MapLever.rec.LEVERAND.str();
    }));
    ASSERT_TRUE(robot.window(kTitle));
  }
  std::atomic<int> response{-1};
  std::string chosen;
};

TEST_P(LeverBrowseTest, ListsTheLaboratorysSuppliersWithTheirPlants) {
  startSelect("K1", "");
  EXPECT_EQ(rows(kTitle), (Strings{"100", "200000", "300", "400"}));
  const auto list = control(kTitle, "?LIST");
  ASSERT_EQ(list.rows.size(), 4u);
  EXPECT_EQ(list.rows[0].cells.at(1), "Renseanlegg Nord");
  EXPECT_EQ(list.rows[1].cells.at(1), "Renseanlegg Sør");
  EXPECT_EQ(list.rows[2].cells.at(1), "") << "a plant missing from the registry shows blank";
  ASSERT_TRUE(robot.choose("?LIST", "200000"));
  ASSERT_TRUE(robot.press("?SELECT"));
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(response, 1);
  EXPECT_EQ(chosen, "2000000001") << "the caller takes its first six characters";
}

TEST_P(LeverBrowseTest, BlankLaboratoryShowsOnlyBlankMappingsAndTheLocatorStaysInside) {
  startSelect("", "");
  EXPECT_EQ(rows(kTitle), (Strings{"050"}));
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(response, 2);

  startSelect("K1", "35");
  EXPECT_EQ(highlighted(kTitle), "400") << "select mode opens at the first number at or after the typed one";
  ASSERT_TRUE(robot.key("?LIST", "1"));
  EXPECT_EQ(highlighted(kTitle), "100");
  ASSERT_TRUE(robot.key("?LIST", "9"));
  EXPECT_EQ(highlighted(kTitle), "400") << "no number at or after it within the laboratory: the last";
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
}

TEST_P(LeverBrowseTest, InsertPrimesTheLaboratory) {
  std::string primed;
  registerProcedure("LeverForm", [&] {
    auto& t = data::thr();
    primed = t.MapLever.rec.LAB.str();
    t.MapLever.rec.LEVERAND = "250";
    t.MapLever.rec.ANLEGGSNR = "010101";
    t.ThreadResponse = t.MapLever.add() == 0 ? 1 : 2;
  });
  startSelect("K1", "");
  ASSERT_TRUE(robot.press("?INSERT"));
  EXPECT_EQ(primed, "K1");
  EXPECT_EQ(highlighted(kTitle), "250");
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
}

INSTANTIATE_TEST_SUITE_P(Backends, LeverBrowseTest, ::testing::ValuesIn(l2stest::windowBackends()),
                         l2stest::backendName);

}  // namespace

namespace {

// Another tool wrote a blob into the code or the linking column. The list reads either as its
// text, so the row is K1's and comes once, after K1's texts (a blob laboratory sorts after
// every text laboratory, beyond K2); walked to the end, the list stops there.
TEST_P(LeverBrowseTest, BlobsAnotherToolWroteAreListedOnceAsTheirText) {
  struct Case {
    const char* update;
    Strings rows;
  } const cases[] = {
      {"UPDATE MapLever SET LEVERAND = CAST(LEVERAND AS BLOB) WHERE LAB = 'K1' AND LEVERAND = '100'",
       {"200000", "300", "400", "100"}},
      {"UPDATE MapLever SET LAB = CAST(LAB AS BLOB) WHERE LAB = 'K1' AND LEVERAND = '300'",
       {"100", "200000", "400", "300"}},
  };
  const std::string file = store::resolvePath(data::fileName(data::FileId::MapLever));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.update);
    ASSERT_TRUE(testing_util::poke(file, c.update));
    startSelect("K1", "");
    EXPECT_EQ(rows(kTitle), c.rows);
    ASSERT_TRUE(robot.key("?LIST", "Ctrl+End"));
    EXPECT_EQ(highlighted(kTitle), c.rows.back()) << "the last row is the list's last";
    ASSERT_TRUE(robot.key("?LIST", "Down"));
    EXPECT_EQ(highlighted(kTitle), c.rows.back()) << "and the walk stops there";
    ASSERT_TRUE(robot.key("?LIST", "Ctrl+Home"));
    ASSERT_TRUE(robot.key("?LIST", "Up"));
    EXPECT_EQ(highlighted(kTitle), c.rows.front());
    EXPECT_EQ(rows(kTitle), c.rows) << "each row once, whichever way the page was read";
    ASSERT_TRUE(robot.press("?CLOSE"));
    ASSERT_TRUE(robot.waitEnd());
    ASSERT_TRUE(
        testing_util::poke(file, "UPDATE MapLever SET LAB = CAST(LAB AS TEXT), LEVERAND = CAST(LEVERAND AS TEXT)"));
  }
}

}  // namespace
