#include "maintenance/lists/lab_browse.h"

#include <atomic>

#include "platform/store/paths.h"
#include "platform/ui/api/window.h"
#include "sqlite_peek.h"
#include "window_harness.h"

namespace {

using l2stest::WindowHarness;
using Strings = std::vector<std::string>;
constexpr const char* kTitle = "Tabell laboratorier";

std::vector<std::vector<std::string>> labs(int n) {
  std::vector<std::vector<std::string>> out;
  for (int i = 1; i <= n; ++i) {
    const std::string code = std::string("L") + (i < 10 ? "0" : "") + std::to_string(i);
    out.push_back({code, "Lab " + code, "/data/" + code, "/data/" + code + "/RNX20.dbf"});
  }
  return out;
}

class LabBrowseTest : public WindowHarness {
 protected:
  // The list as the import window calls it: the typed code in MAP:LAB, request 4.
  void startSelect(const std::string& typed) {
    ASSERT_TRUE(ui::startProcedure([this, typed] {
      auto& t = data::thr();
      t.MapLab.rec.LAB = typed;
      t.ThreadRequest = 4;
      maintenance::LabBrowse();
      response = t.ThreadResponse;
      chosen = t.MapLab.rec.LAB.str();
    }));
    ASSERT_TRUE(robot.window(kTitle));
  }
  void startMaintenance() {
    ASSERT_TRUE(ui::startProcedure([] { maintenance::LabBrowse(); }));
    ASSERT_TRUE(robot.window(kTitle));
  }
  // LabForm stand-in: `act` gets the request and the thread's MapLab; its result is the response.
  void formDoes(std::function<int(int, data::MapLab&)> act) {
    registerProcedure("LabForm", [this, act] {
      auto& t = data::thr();
      const int request = t.ThreadRequest;
      t.ThreadRequest = 0;
      formRequests.push_back(request);
      t.ThreadResponse = act(request, t.MapLab);
    });
  }

  std::atomic<int> response{-1};
  std::string chosen;
  std::vector<int> formRequests;
};

TEST_P(LabBrowseTest, EmptyFileDisablesRecordButtonsAndBlanksTheSampleTable) {
  addLabs({});
  formDoes([](int, data::MapLab&) { return 2; });
  startMaintenance();
  EXPECT_TRUE(rows(kTitle).empty());
  for (const char* b : {"?CHANGE", "?DELETE", "?INSTILLINGBUTTON"}) EXPECT_FALSE(control(kTitle, b).enabled) << b;
  EXPECT_FALSE(control(kTitle, "?SELECT").visible);
  EXPECT_TRUE(shell::globals().IMPORTFILE.blank());

  ASSERT_TRUE(robot.key("?LIST", "Apps"));
  ASSERT_TRUE(robot.popup(1));
  EXPECT_TRUE(transcriptHas("\"&Ny|~&Endre|~&Slette|-|~&Velg\""));
  ASSERT_TRUE(robot.key("?LIST", "Insert"));
  EXPECT_EQ(formRequests, (std::vector<int>{1, 1}));
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
}

TEST_P(LabBrowseTest, SelectModeOpensAtTheTypedCode) {
  struct Case {
    std::string typed;
    std::string firstRow;
    std::string highlighted;
  } cases[] = {
      {"", "L01", "L01"},     // before every code
      {"L03", "L03", "L03"},  // an existing code starts the page
      {"l03", "L03", "L03"},  // codes compare without case
      {"L10", "L05", "L10"},  // few follow: earlier codes fill the page above
      {"ZZ", "L05", "L12"},   // after the last: the last page
  };
  addLabs(labs(12));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    startSelect(c.typed);
    EXPECT_EQ(rows(kTitle).front(), c.firstRow);
    EXPECT_EQ(highlighted(kTitle), c.highlighted);
    EXPECT_TRUE(control(kTitle, "?SELECT").isDefault);
    ASSERT_TRUE(robot.press("?SELECT"));
    ASSERT_TRUE(robot.waitEnd());
    EXPECT_EQ(response, 1);
    EXPECT_EQ(chosen, c.highlighted) << "the chosen laboratory is left in the MapLab buffer";
  }
}

TEST_P(LabBrowseTest, SelectModeCloseCancelsAndDoubleClickChooses) {
  addLabs(labs(3));
  startSelect("L02");
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(response, 2);

  startSelect("L01");
  ASSERT_TRUE(robot.choose("?LIST", "L03"));
  ASSERT_TRUE(robot.key("?LIST", "Apps"));
  ASSERT_TRUE(robot.popup("&Velg"));
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(response, 1);
  EXPECT_EQ(chosen, "L03");
}

TEST_P(LabBrowseTest, HighlightCarriesTheSampleTableAndTheLocatorWalksOneLetter) {
  addLabs({{"ALFA", "a", "", "/a.dbf"},
           {"BETA", "b", "", "/b.dbf"},
           {"BRAV", "b2", "", "/b2.dbf"},
           {"CHAR", "c", "", "/c.dbf"}});
  startMaintenance();
  EXPECT_EQ(shell::globals().IMPORTFILE.str(), "/a.dbf");
  ASSERT_TRUE(robot.key("?LIST", "b"));
  EXPECT_EQ(highlighted(kTitle), "BETA");
  ASSERT_TRUE(robot.key("?LIST", "b"));
  EXPECT_EQ(highlighted(kTitle), "BRAV");
  EXPECT_EQ(shell::globals().IMPORTFILE.str(), "/b2.dbf");
  ASSERT_TRUE(robot.key("?LIST", "b"));
  EXPECT_EQ(highlighted(kTitle), "BETA");
  ASSERT_TRUE(robot.key("?LIST", "x"));
  EXPECT_EQ(highlighted(kTitle), "CHAR") << "no code at or after the letter: the last one";
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(shell::globals().IMPORTFILE.str(), "/c.dbf") << "kept after closing without a choice";
}

TEST_P(LabBrowseTest, FormResultsPlaceTheHighlight) {
  addLabs(labs(12));
  formDoes([](int request, data::MapLab& f) {
    if (request == 2 && f.rec.LAB == "L02") {  // change the code: the record moves
      f.rec.LAB = "L115";
      return f.put() == 0 ? 1 : 2;
    }
    if (request == 3) return f.remove() == 0 ? 1 : 2;
    return 2;  // cancelled
  });
  startMaintenance();

  ASSERT_TRUE(robot.key("?LIST", "Down"));
  ASSERT_TRUE(robot.key("?LIST", "Down"));
  const Strings before = rows(kTitle);
  ASSERT_TRUE(robot.key("?LIST", "Ctrl+Enter"));  // L03: the form cancels
  EXPECT_EQ(rows(kTitle), before);
  EXPECT_EQ(highlighted(kTitle), "L03");

  ASSERT_TRUE(robot.key("?LIST", "Up"));
  ASSERT_TRUE(robot.press("?CHANGE"));  // L02 becomes L115
  EXPECT_EQ(highlighted(kTitle), "L115");
  EXPECT_EQ(rows(kTitle).back(), "L12");

  ASSERT_TRUE(robot.key("?LIST", "Ctrl+End"));
  EXPECT_EQ(highlighted(kTitle), "L12");
  ASSERT_TRUE(robot.press("?DELETE"));
  EXPECT_EQ(highlighted(kTitle), "L115") << "deleting the last row highlights the one above it";
  EXPECT_EQ(rows(kTitle).size(), 8u) << "the page is filled from above";
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
}

// The wheel over the list, which has not got the focus, scrolls it as the arrow keys do: one row
// a notch, down for a turn towards the user.
TEST_P(LabBrowseTest, TheWheelOverTheListMovesItsHighlightANotchARow) {
  addLabs(labs(12));
  startMaintenance();
  ASSERT_TRUE(robot.wheel("?LIST", -2));
  EXPECT_EQ(highlighted(kTitle), "L03");
  ASSERT_TRUE(robot.wheel("?LIST", 1));
  EXPECT_EQ(highlighted(kTitle), "L02");
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
}

TEST_P(LabBrowseTest, CancellingAFormWindowLeavesPageAndHighlight) {
  addLabs(labs(12));
  registerProcedure("LabForm", [] {
    auto& t = data::thr();
    t.ThreadRequest = 0;
    ui::WindowDef def;
    def.title = "Skjema laboratorium";
    ui::ControlDef cancel;
    cancel.kind = ui::ControlKind::Button;
    cancel.equate = "?CANCEL";
    cancel.text = "Avbryt";
    def.controls = {cancel};
    ui::Window w(def);
    w.open();
    while (auto ev = w.accept())
      if (ev.kind == ui::EventKind::Accepted) w.post(ui::EventKind::CloseWindow);
    t.ThreadResponse = 2;
  });
  startMaintenance();
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(robot.key("?LIST", "Down"));
  const Strings before = rows(kTitle);
  ASSERT_EQ(highlighted(kTitle), "L11");
  ASSERT_TRUE(robot.press("?CHANGE"));
  ASSERT_TRUE(robot.window("Skjema laboratorium"));
  ASSERT_TRUE(robot.press("?CANCEL"));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_EQ(rows(kTitle), before) << "the list gets the focus back without moving its page";
  EXPECT_EQ(highlighted(kTitle), "L11");
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
}

TEST_P(LabBrowseTest, SettingsOpenOnTheHighlightedLaboratoryWithDischargeTypes) {
  addLabs(labs(4));
  std::string lab, type;
  registerProcedure("LabSettingsBrowse", [&] {
    lab = data::thr().LAB.str();
    type = data::thr().PR_TYPE.str();
    data::thr().ThreadResponse = 1;
  });
  startMaintenance();
  ASSERT_TRUE(robot.choose("?LIST", "L03"));
  ASSERT_TRUE(robot.press("?INSTILLINGBUTTON"));
  EXPECT_EQ(lab, "L03");
  EXPECT_EQ(type, "U");
  EXPECT_EQ(highlighted(kTitle), "L03");
  EXPECT_EQ(rows(kTitle).front(), "L01");
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
}

}  // namespace

namespace {

// The form for an insert gets a cleared buffer and no current record: a store that tries to
// rewrite instead of add (after a failed add) cannot overwrite the laboratory last highlighted.
TEST_P(LabBrowseTest, InsertForgetsTheRecordLastRead) {
  addLabs(labs(2));
  int put = -1;
  formDoes([&put](int request, data::MapLab& f) {
    if (request != 1) return 2;
    f.rec.LAB = "L02";
    f.rec.LABNAVN = "overwritten";
    put = f.put();
    return 2;
  });
  startMaintenance();
  ASSERT_TRUE(robot.choose("?LIST", "L02"));
  ASSERT_TRUE(robot.press("?INSERT"));
  EXPECT_EQ(put, 33);
  ASSERT_TRUE(robot.choose("?LIST", "L02"));
  ASSERT_TRUE(robot.press("?CHANGE"));  // re-reads the record from the file
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
  data::MapLab f;
  f.setName(data::fileName(data::FileId::MapLab));
  ASSERT_EQ(f.open(), 0);
  f.rec.LAB = "L02";
  ASSERT_EQ(f.get(data::MapLab::MAPLABKEY), 0);
  EXPECT_EQ(f.rec.LABNAVN.str(), "Lab L02");
}

INSTANTIATE_TEST_SUITE_P(Backends, LabBrowseTest, ::testing::ValuesIn(l2stest::windowBackends()), l2stest::backendName);

}  // namespace

namespace {

// Another tool wrote two codes as blobs: they sort after every text, by bytes. Walking the
// list down and back up shows each laboratory once and stops at either end, and the form
// opened on a blob row reads that row itself.
TEST_P(LabBrowseTest, CodesAnotherToolWroteAsBlobsAreListedOnceAfterTheTexts) {
  addLabs(labs(12));
  ASSERT_TRUE(testing_util::poke(store::resolvePath(data::fileName(data::FileId::MapLab)),
                                 "UPDATE MapLab SET LAB = CAST(LAB AS BLOB) WHERE LAB IN ('L07', 'L03')"));
  std::string formRead;
  formDoes([&](int request, data::MapLab& f) {
    if (request == 2) formRead = f.rec.LAB.str() + "/" + f.rec.LABNAVN.str();
    return 2;
  });
  startMaintenance();
  const auto walk = [&](const char* key) {
    Strings seen{highlighted(kTitle)};
    for (int steps = 0; steps < 40; ++steps) {
      EXPECT_TRUE(robot.key("?LIST", key));
      const std::string now = highlighted(kTitle);
      if (now == seen.back()) return seen;
      seen.push_back(now);
    }
    ADD_FAILURE() << "the walk did not stop";
    return seen;
  };
  const Strings down{"L01", "L02", "L04", "L05", "L06", "L08", "L09", "L10", "L11", "L12", "L03", "L07"};
  EXPECT_EQ(walk("Down"), down);
  EXPECT_EQ(walk("Up"), Strings(down.rbegin(), down.rend()));
  ASSERT_TRUE(robot.key("?LIST", "Ctrl+End"));
  EXPECT_EQ(highlighted(kTitle), "L07");
  ASSERT_TRUE(robot.press("?CHANGE"));
  EXPECT_EQ(formRead, "L07/Lab L07");
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.waitEnd());
}

}  // namespace
