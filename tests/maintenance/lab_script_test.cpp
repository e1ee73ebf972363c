// The real program on the demo data, driven by a script: a laboratory added from the list, its
// code changed and the laboratory deleted again.
#include <gtest/gtest.h>

#include <string>

#include "demo_program.h"
#include "sqlite_peek.h"

namespace {

class LabScriptTest : public ::testing::TestWithParam<l2stest::ScriptBackend> {};

TEST_P(LabScriptTest, ALaboratoryIsAddedReKeyedAndDeletedFromTheList) {
  l2stest::DemoProgram demo("labscript", GetParam());
  ASSERT_EQ(demo.makeDemo(), 0);
  const int code = demo.runScript(R"(window "Innstillinger"
press ?OK
window P1$APPFRAME
menu "&Laboratorier"
window "Tabell laboratorier"
press ?INSERT
window "Skjema laboratorium"
type ?MAP:LAB "KL9"
type ?MAP:LABNAVN "Skriptlab"
press ?OK
wait-closed "Skjema laboratorium"
window "Tabell laboratorier"
press ?CHANGE
window "Skjema laboratorium"
type ?MAP:LAB "KL8"
press ?OK
wait-closed "Skjema laboratorium"
window "Tabell laboratorier"
dump ?LIST
press ?DELETE
window "Skjema laboratorium"
dump ?MAP:LAB
press ?OK
wait-closed "Skjema laboratorium"
window "Tabell laboratorier"
dump ?LIST
press ?CLOSE
window P1$APPFRAME
menu "Avslutt"
)");
  const std::string t = demo.transcript();
  EXPECT_EQ(code, 0) << t;
  // After the change the list shows the new code highlighted; after the delete it is gone.
  const std::size_t changed = t.find("dump ?LIST");
  ASSERT_NE(changed, std::string::npos) << t;
  const std::size_t deleted = t.find("dump ?LIST", changed + 1);
  ASSERT_NE(deleted, std::string::npos) << t;
  EXPECT_NE(t.substr(changed, deleted - changed).find("\"KL8\""), std::string::npos) << t;
  EXPECT_EQ(t.find("\"KL9\"", changed), std::string::npos) << t;
  EXPECT_NE(t.find("dump ?MAP:LAB \"KL8\""), std::string::npos) << t;
  EXPECT_EQ(t.substr(deleted).find("\"KL8\""), std::string::npos) << t;
  EXPECT_EQ(testing_util::peek((demo.dir() / "data" / "MapFile.tps").string(),
                               "SELECT COUNT(*) FROM MapLab WHERE LAB IN ('KL8', 'KL9')"),
            testing_util::Rows{{"0"}});
}

INSTANTIATE_TEST_SUITE_P(Backends, LabScriptTest, ::testing::ValuesIn(l2stest::scriptBackends()), l2stest::backendName);

}  // namespace
