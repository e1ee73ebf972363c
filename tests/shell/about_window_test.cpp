// The About window: the user record kept in "Labuser.tps", the postal-code look-up and the
// two link lines.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "data/thread_state.h"
#include "shell/main.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

class AboutWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    makeKnownInstallation();
    data::Postadresser p;
    p.setName((dataDir() / "Postadresser.tps").string());
    ASSERT_EQ(p.create(), 0);
    ASSERT_EQ(p.open(), 0);
    for (auto [code, place] : {std::pair{"0150", "OSLO"}, std::pair{"1300", "SANDVIKA"}}) {
      p.clear();
      p.rec.POSTNUMMER = code;
      p.rec.POSTSTED = place;
      ASSERT_EQ(p.add(), 0);
    }
    p.close();
    // The postal-address list as a select list: the user picks 1300.
    shell::setProcedure("PostadresserBrowse", [] {
      auto& t = data::thr();
      t.ThreadResponse = 2;
      if (t.ThreadRequest != 4) return;
      t.Postadresser.rec.POSTNUMMER = "1300";
      t.ThreadResponse = 1;
    });
    ASSERT_TRUE(session().start([] { shell::Main(); }));
    ASSERT_TRUE(robot().window("P1$APPFRAME")) << failure();
  }
  void openAbout() {
    ASSERT_TRUE(robot().window("P1$APPFRAME")) << failure();
    ASSERT_TRUE(robot().menu("&Om Brakel Sivra Provex")) << failure();
    ASSERT_TRUE(robot().window("Om programmet")) << failure();
  }
  std::string dumped(const std::string& equate) {
    robot().dump(equate);
    return lines().back();
  }
  long long colour(const std::string& equate) {
    auto& b = session().backend();
    std::lock_guard lock(b.mutex());
    for (auto& [id, w] : b.windows()) {
      if (w.title != "Om programmet") continue;
      for (auto& [cid, c] : w.controls) {
        if (c.def.equate == equate) return c.color;
      }
    }
    return -2;
  }
};

TEST_F(AboutWindowTest, OkStoresTheUserRecordAndCancelDoesNot) {
  openAbout();
  EXPECT_EQ(dumped("?L_U:BRUKER"), "dump ?L_U:BRUKER \"\"");
  ASSERT_TRUE(robot().type("?L_U:BRUKER", "Vest renseanlegg")) << failure();
  ASSERT_TRUE(robot().type("?L_U:POSTNR", "0150")) << failure();
  EXPECT_EQ(dumped("?P_A:POSTSTED"), "dump ?P_A:POSTSTED \"OSLO\"");
  ASSERT_TRUE(robot().press("?OKBUTTON")) << failure();
  ASSERT_TRUE(robot().waitClosed("Om programmet")) << failure();

  openAbout();
  EXPECT_EQ(dumped("?L_U:BRUKER"), "dump ?L_U:BRUKER \"Vest renseanlegg\"");
  EXPECT_EQ(dumped("?P_A:POSTSTED"), "dump ?P_A:POSTSTED \"OSLO\"");
  ASSERT_TRUE(robot().type("?L_U:BRUKER", "Endret")) << failure();
  ASSERT_TRUE(robot().press("?CANCELBUTTON")) << failure();
  ASSERT_TRUE(robot().waitClosed("Om programmet")) << failure();

  openAbout();
  EXPECT_EQ(dumped("?L_U:BRUKER"), "dump ?L_U:BRUKER \"Vest renseanlegg\"");
  // Exactly one user record.
  data::Labuser u;
  u.setName((work() / "Labuser.tps").string());
  ASSERT_EQ(u.open(), 0);
  EXPECT_EQ(u.records(), 1);
  u.close();
}

// The user record is stored in Windows-1252: OK refuses what it cannot hold, by field name.
TEST_F(AboutWindowTest, OkRefusesTextTheUserRecordCannotHold) {
  openAbout();
  ASSERT_TRUE(robot().type("?L_U:BRUKER", "Analyse 漢字 AS")) << failure();
  ASSERT_TRUE(robot().type("?L_U:ADRESSE", "Čechova 1")) << failure();
  ASSERT_TRUE(robot().press("?OKBUTTON")) << failure();
  ASSERT_TRUE(answer("Advarsel", "Ok")) << failure();
  EXPECT_FALSE(linesStarting("box \"Advarsel\" \"Bruker har tegn som ikke kan lagres: 漢字\"").empty());
  EXPECT_EQ(focus("Om programmet"), "?L_U:BRUKER");
  ASSERT_TRUE(robot().type("?L_U:BRUKER", "Analyse AS")) << failure();
  ASSERT_TRUE(robot().press("?OKBUTTON")) << failure();
  ASSERT_TRUE(answer("Advarsel", "Ok")) << failure();
  EXPECT_FALSE(linesStarting("box \"Advarsel\" \"Adresse har tegn som ikke kan lagres: Č\"").empty());
  EXPECT_EQ(focus("Om programmet"), "?L_U:ADRESSE");
  ASSERT_TRUE(robot().press("?CANCELBUTTON")) << failure();
  ASSERT_TRUE(robot().waitClosed("Om programmet")) << failure();
  data::Labuser u;
  u.setName((work() / "Labuser.tps").string());
  ASSERT_EQ(u.open(), 0);
  EXPECT_EQ(u.records(), 0) << "nothing stored";
  u.close();
}

// Two About windows opened before any user record exists: each OK stores into the one record
// (read afresh), so the file never holds a second record that nobody would show again.
TEST_F(AboutWindowTest, TwoWindowsBeforeAnyUserRecordKeepOneRecord) {
  openAbout();
  ASSERT_TRUE(robot().type("?L_U:BRUKER", "Første")) << failure();
  openAbout();
  ASSERT_TRUE(robot().type("?L_U:BRUKER", "Andre")) << failure();
  ASSERT_TRUE(robot().type("?L_U:TELEFON", "22 00 00 00")) << failure();
  ASSERT_TRUE(robot().press("?OKBUTTON")) << failure();  // the newer window adds the record
  ASSERT_TRUE(robot().window("Om programmet")) << failure();
  EXPECT_EQ(dumped("?L_U:BRUKER"), "dump ?L_U:BRUKER \"Første\"") << "the older window is the one left";
  ASSERT_TRUE(robot().press("?OKBUTTON")) << failure();  // and this one rewrites it
  ASSERT_TRUE(robot().waitClosed("Om programmet")) << failure();

  data::Labuser u;
  u.setName((work() / "Labuser.tps").string());
  ASSERT_EQ(u.open(), 0);
  EXPECT_EQ(u.records(), 1);
  u.set();
  ASSERT_EQ(u.next(), 0);
  EXPECT_EQ(u.rec.BRUKER.str(), "Første") << "the last OK wins";
  EXPECT_EQ(u.rec.TELEFON.str(), "") << "its own entries, not a mix";
  u.close();
  openAbout();
  EXPECT_EQ(dumped("?L_U:BRUKER"), "dump ?L_U:BRUKER \"Første\"");
}

TEST_F(AboutWindowTest, AnUnknownPostalCodeIsChosenFromTheList) {
  openAbout();
  ASSERT_TRUE(robot().type("?L_U:POSTNR", "9999")) << failure();
  EXPECT_EQ(dumped("?L_U:POSTNR"), "dump ?L_U:POSTNR \"1300\"");
  EXPECT_EQ(dumped("?P_A:POSTSTED"), "dump ?P_A:POSTSTED \"SANDVIKA\"");
  // A blank code only clears the place.
  ASSERT_TRUE(robot().type("?L_U:POSTNR", "")) << failure();
  EXPECT_EQ(dumped("?P_A:POSTSTED"), "dump ?P_A:POSTSTED \"\"");
}

TEST_F(AboutWindowTest, LinkLinesLightUpAndOpenTheirTarget) {
  // The desktop's handler is a stand-in that notes what it was asked to open. The note
  // appears whole (written aside, then renamed): the wait below sees it only once written.
  const fs::path bin = root_ / "bin";
  fs::create_directories(bin);
  {
    const std::string note = (root_ / "opened").string();
    std::ofstream s(bin / "xdg-open");
    s << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" << note << ".part\" && mv \"" << note << ".part\" \"" << note
      << "\"\n";
  }
  fs::permissions(bin / "xdg-open", fs::perms::owner_all);
  const std::string oldPath = ::getenv("PATH") ? ::getenv("PATH") : "";
  ::setenv("PATH", (bin.string() + ":" + oldPath).c_str(), 1);

  openAbout();
  EXPECT_EQ(colour("?WEBLINE"), 0x0000FF);
  ASSERT_TRUE(robot().mouse("?WEBLINK", "in")) << failure();
  EXPECT_EQ(colour("?WEBLINE"), 0xFF00FF);
  ASSERT_TRUE(robot().mouse("?WEBLINK", "out")) << failure();
  EXPECT_EQ(colour("?WEBLINE"), 0x0000FF);
  ASSERT_TRUE(robot().mouse("?MAILLINK", "up")) << failure();
  l2stest::pollUntil([&] { return fs::exists(root_ / "opened"); });
  ::setenv("PATH", oldPath.c_str(), 1);
  std::ifstream in(root_ / "opened");
  std::string target;
  std::getline(in, target);
  EXPECT_EQ(target.rfind("mailto:", 0), 0u) << target;
}

}  // namespace
}  // namespace shelltest
