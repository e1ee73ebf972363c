// "Tabell postadresser" through the robot, called by the About window as its select list: the
// typed code places the list, the locator, choosing and cancelling, and the buttons that have
// no form to call.
#include "maintenance/lists/postadresser_browse.h"

#include <filesystem>

#include "platform/store/paths.h"
#include "shell/about_window.h"
#include "window_harness.h"

namespace {

constexpr const char* kAbout = "Om programmet";
constexpr const char* kList = "Tabell postadresser";

class PostadresserBrowseTest : public l2stest::WindowHarness {
 protected:
  void SetUp() override {
    WindowHarness::SetUp();
    registerProcedure("PostadresserBrowse", maintenance::PostadresserBrowse);
  }
  void addAddresses(const std::vector<std::pair<std::string, std::string>>& rows) {
    data::Postadresser f;
    f.setName(data::fileName(data::FileId::Postadresser));
    fill(f, [&] {
      for (const auto& [code, place] : rows) {
        f.clear();
        f.rec.POSTNUMMER = code;
        f.rec.POSTSTED = place;
        ASSERT_EQ(f.add(), 0);
      }
    });
  }
  long long storedAddresses() {
    data::Postadresser f;
    f.setName(data::fileName(data::FileId::Postadresser));
    return f.open() == 0 ? f.records() : -1;
  }
  void openAbout() {
    ASSERT_TRUE(ui::startProcedure([] { shell::AboutWindow(); }));
    ASSERT_TRUE(robot.window(kAbout));
  }
  void closeAbout() {
    ASSERT_TRUE(robot.window(kAbout));
    ASSERT_TRUE(robot.press("?CANCELBUTTON"));
    ASSERT_TRUE(robot.waitEnd());
  }
  std::string about(const char* equate) { return control(kAbout, equate).value; }
};

const std::vector<std::pair<std::string, std::string>> kAddresses{
    {"0150", "OSLO"},       {"0151", "OSLO"},      {"1300", "SANDVIKA"}, {"1338", "SANDVIKA"}, {"1999", "ETT"},
    {"2000", "LILLESTRØM"}, {"2317", "HAMAR"},     {"3000", "DRAMMEN"},  {"3015", "DRAMMEN"},  {"4001", "STAVANGER"},
    {"5003", "BERGEN"},     {"7010", "TRONDHEIM"}, {"8006", "BODØ"},     {"9008", "TROMSØ"}};

TEST_P(PostadresserBrowseTest, AnUnknownCodeOpensTheListWhereItWouldStandAndTheChoiceComesBack) {
  addAddresses(kAddresses);
  openAbout();
  ASSERT_TRUE(robot.type("?L_U:POSTNR", "2"));
  ASSERT_TRUE(robot.window(kList));
  EXPECT_EQ(highlighted(kList), "2000") << "the first code that is \"2\" or greater, by text";
  const auto select = control(kList, "?SELECT");
  EXPECT_TRUE(select.visible);
  EXPECT_TRUE(select.enabled);
  EXPECT_FALSE(select.isDefault) << "Enter chooses through the button's key instead";
  ASSERT_TRUE(robot.choose("?LIST", "3000"));
  ASSERT_TRUE(robot.press("?SELECT"));
  ASSERT_TRUE(robot.window(kAbout));
  EXPECT_EQ(about("?L_U:POSTNR"), "3000");
  EXPECT_EQ(about("?P_A:POSTSTED"), "DRAMMEN");

  // A code after every stored one: the last page, the last code highlighted; Lukk cancels.
  ASSERT_TRUE(robot.type("?L_U:POSTNR", "9999"));
  ASSERT_TRUE(robot.window(kList));
  EXPECT_EQ(rows(kList).back(), "9008");
  EXPECT_EQ(highlighted(kList), "9008");
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.window(kAbout));
  EXPECT_EQ(about("?L_U:POSTNR"), "9999") << "the typed code stays";
  EXPECT_EQ(about("?P_A:POSTSTED"), "") << "an unknown code has no place";
  EXPECT_EQ(focus(kAbout), "?L_U:POSTNR");
  closeAbout();
}

TEST_P(PostadresserBrowseTest, TheLocatorGoesToTheCodesThatBeginWithTheDigitAndEnterChooses) {
  addAddresses(kAddresses);
  openAbout();
  ASSERT_TRUE(robot.press("?CALLLOOKUP"));
  ASSERT_TRUE(robot.window(kList));
  EXPECT_EQ(highlighted(kList), "0150") << "a blank code opens at the first";
  ASSERT_TRUE(robot.key("?LIST", "1"));
  EXPECT_EQ(highlighted(kList), "1300");
  ASSERT_TRUE(robot.key("?LIST", "1"));
  EXPECT_EQ(highlighted(kList), "1338") << "the same digit again walks on";
  ASSERT_TRUE(robot.key("?LIST", "8"));
  EXPECT_EQ(highlighted(kList), "8006");
  ASSERT_TRUE(robot.key("?LIST", "Enter"));
  ASSERT_TRUE(robot.window(kAbout));
  EXPECT_EQ(about("?L_U:POSTNR"), "8006");
  EXPECT_EQ(about("?P_A:POSTSTED"), "BODØ");
  closeAbout();
}

TEST_P(PostadresserBrowseTest, WithoutAFormInsertChangeAndDeleteChangeNothing) {
  addAddresses(kAddresses);
  openAbout();
  ASSERT_TRUE(robot.type("?L_U:POSTNR", "0150"));
  ASSERT_TRUE(robot.press("?CALLLOOKUP"));
  ASSERT_TRUE(robot.window(kList));
  const auto before = rows(kList);
  ASSERT_TRUE(robot.key("?LIST", "Apps"));
  ASSERT_TRUE(robot.popup("&Slett"));
  EXPECT_TRUE(transcriptHas("popup \"&Ny|&Endre|&Slett|-|&Velg\""));
  for (const char* b : {"?INSERT", "?CHANGE", "?DELETE"}) {
    ASSERT_TRUE(robot.window(kList));
    ASSERT_TRUE(robot.press(b)) << b;
  }
  ASSERT_TRUE(robot.window(kList));
  EXPECT_EQ(rows(kList), before);
  EXPECT_EQ(highlighted(kList), "0150");
  ASSERT_TRUE(robot.press("?SELECT"));
  ASSERT_TRUE(robot.window(kAbout));
  EXPECT_EQ(about("?P_A:POSTSTED"), "OSLO");
  closeAbout();
  EXPECT_EQ(storedAddresses(), static_cast<long long>(kAddresses.size()));
}

TEST_P(PostadresserBrowseTest, AMissingFileIsCreatedEmptyAndTheListHasNothingToChoose) {
  std::filesystem::remove(store::resolvePath(data::fileName(data::FileId::Postadresser)));
  openAbout();
  ASSERT_TRUE(robot.press("?CALLLOOKUP"));
  ASSERT_TRUE(robot.window(kList));
  EXPECT_TRUE(rows(kList).empty());
  EXPECT_FALSE(control(kList, "?CHANGE").enabled);
  EXPECT_FALSE(control(kList, "?DELETE").enabled);
  ASSERT_TRUE(robot.key("?LIST", "Apps"));
  ASSERT_TRUE(robot.popup(0));
  EXPECT_TRUE(transcriptHas("popup \"&Ny|~&Endre|~&Slett|-|~&Velg\""));
  ASSERT_TRUE(robot.press("?CLOSE"));
  ASSERT_TRUE(robot.window(kAbout));
  EXPECT_EQ(about("?L_U:POSTNR"), "");
  closeAbout();
  EXPECT_EQ(storedAddresses(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, PostadresserBrowseTest, ::testing::ValuesIn(l2stest::windowBackends()),
                         l2stest::backendName);

}  // namespace
