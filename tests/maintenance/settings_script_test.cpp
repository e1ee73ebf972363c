// The real program on the demo data, driven by a script: the laboratories list's
// "&Innstillinger" opens the settings window of the demo laboratory with its three lists; a
// supplier mapping is added and another's number changed, and its place mappings follow.
#include <gtest/gtest.h>

#include <string>

#include "demo_program.h"

namespace {

class SettingsScript : public ::testing::TestWithParam<l2stest::ScriptBackend> {};

TEST_P(SettingsScript, InnstillingerOpensTheDemoLaboratorysMappings) {
  l2stest::DemoProgram demo("settings", GetParam());
  ASSERT_EQ(demo.makeDemo(), 0);
  const int code = demo.runScript(
      "window \"Innstillinger\"\n"
      "press ?OK\n"
      "window P1$APPFRAME\n"
      "menu \"&Laboratorier\"\n"
      "window \"Tabell laboratorier\"\n"
      "press ?INSTILLINGBUTTON\n"
      "window \"Tabell instillinger laboratorier\"\n"
      "dump ?MAP:LABNAVN\n"
      "dump ?LIST:2\n"
      "choose ?THR:PR_TYPE \"Slamkontroll\"\n"
      "dump ?LIST:2\n"
      "choose ?SHEET1 \" &Anlegg\"\n"
      "choose ?LIST:3 #4\n"
      "choose ?SHEET2 \"&Prøvesteder\"\n"
      "dump ?LIST:4\n"
      // A new supplier mapping, then another one's number changed.
      "press ?INSERT:3\n"
      "window \"Mapping leverandørnummer/anleggsnummer\"\n"
      "type ?M_L:LEVERAND \"3050\"\n"
      "type ?M_L:ANLEGGSNR \"340301\"\n"
      "press ?OK\n"
      "wait-closed \"Mapping leverandørnummer/anleggsnummer\"\n"
      "window \"Tabell instillinger laboratorier\"\n"
      "choose ?LIST:3 \"1010\"\n"
      "press ?CHANGE:3\n"
      "window \"Mapping leverandørnummer/anleggsnummer\"\n"
      "type ?M_L:LEVERAND \"1011\"\n"
      "press ?OK\n"
      "wait-closed \"Mapping leverandørnummer/anleggsnummer\"\n"
      "window \"Tabell instillinger laboratorier\"\n"
      "dump ?LIST:3\n"
      "dump ?LIST:4\n"
      "press ?BUTTON11\n"
      "window \"Tabell laboratorier\"\n"
      "press ?CLOSE\n"
      "window P1$APPFRAME\n"
      "menu \"Avslutt\"\n");
  const std::string t = demo.transcript();
  EXPECT_EQ(code, 0) << t;
  for (const char* line : {
           "dump ?MAP:LABNAVN \"Fjordlab Miljøanalyse AS\"",
           // Discharge mappings named from the laboratory's codes and the registry's parameters.
           "row 1 \"BOF\\nBiokjemisk oksygenforbruk\" \"BOF5\\nBiokjemisk oksygenforbruk\" \"1,000\"",
           // Sludge mappings named from the fixed sludge targets.
           "\"Kvikksølv\\nMåleverdi Hg\"",
           "close \"Tabell instillinger laboratorier\"",
           "end 0",
       })
    EXPECT_NE(t.find(line), std::string::npos) << line << "\n" << t;
  // The fourth supplier's places (its sludge place too) after choosing it.
  const auto places = t.find("dump ?LIST:4");
  ASSERT_NE(places, std::string::npos) << t;
  EXPECT_NE(t.find("\"09\"", places), std::string::npos) << t.substr(places);
  // The new mapping in its place, the changed one highlighted, its place mappings with it.
  const auto after = t.rfind("dump ?LIST:3");
  ASSERT_NE(after, places);
  EXPECT_NE(t.find("dump ?LIST:3 selected 1 rows 5\n  row 1 \"1011\\n\"", after), std::string::npos) << t.substr(after);
  EXPECT_NE(t.find("row 5 \"3050\\n\" \"340301\\nÅsmyra renseanlegg\"", after), std::string::npos);
  EXPECT_NE(t.find("dump ?LIST:4 selected 1 rows 2\n  row 1 \"Innløp\" \"01\"", after), std::string::npos)
      << t.substr(after);
}

INSTANTIATE_TEST_SUITE_P(Backends, SettingsScript, ::testing::ValuesIn(l2stest::scriptBackends()),
                         l2stest::backendName);

}  // namespace
