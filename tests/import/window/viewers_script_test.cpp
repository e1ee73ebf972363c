// The two viewers as the import window opens them, scripted from the frame: a run whose
// supplier has no plant ends with the log open, and both buttons open their viewer.
#include <gtest/gtest.h>

#include <sstream>

#include "backend_session.h"
#include "platform/ui/headless/session.h"
#include "shell/main.h"
#include "supplier_without_plant.h"

namespace {

class ViewersScriptTest : public l2stest::ProgramDirTest, public ::testing::WithParamInterface<l2stest::ScriptBackend> {
 protected:
  ViewersScriptTest() : ProgramDirTest("l2s-viewers-script") {}
};

TEST_P(ViewersScriptTest, ARunWithAMissingPlantEndsWithTheLogOpen) {
  prepareDataset();
  if (HasFatalFailure()) return;
  l2stest::addSupplierWithoutPlant(root_);
  if (HasFatalFailure()) return;
  l2stest::BackendSession session(GetParam());
  ASSERT_TRUE(session.start([] { shell::Main(); }));
  std::istringstream script(
      "window P1$APPFRAME\n"
      "menu \"&Import\"\n"
      "window \"Import\"\n"
      "press ?OKBUTTON\n"
      "window \"Se på Logg-file\"\n"
      "dump ?ASCIIBOX\n"
      "press ?CLOSE\n"
      "window \"Import\"\n"
      "dump ?LOC:MELDING_1\n"
      "press ?IMPFILEBUTTON\n"
      "window \"Se på importfile\"\n"
      "dump ?LIST1\n"
      "press ?CANCELBUTTON\n"
      "window \"Import\"\n"
      "press ?LOGFILEBUTTON\n"
      "window \"Se på Logg-file\"\n"
      "press ?CLOSE\n"
      "window \"Import\"\n"
      "press ?CANCELBUTTON\n"
      "window P1$APPFRAME\n"
      "menu \"Avslutt\"\n");
  EXPECT_EQ(session.run(script), 0) << session.text();
  const std::string t = session.text();
  const auto logOpened = t.find("open \"Se på Logg-file\"");
  const auto ferdig = t.find("dump ?LOC:MELDING_1 \"Ferdig!\"");
  ASSERT_NE(logOpened, std::string::npos) << t;
  EXPECT_LT(logOpened, ferdig) << "the log opens at the end of the run itself" << t;
  EXPECT_NE(t.find("Leverandør: 160 er ikke registrert Sivra 2000!"), std::string::npos) << t;
  EXPECT_NE(t.find("row 1 \"0123\" \"100\" \"Nordby kommune\""), std::string::npos) << t;
}

INSTANTIATE_TEST_SUITE_P(Backends, ViewersScriptTest, ::testing::ValuesIn(l2stest::windowBackends()),
                         l2stest::backendName);

}  // namespace
