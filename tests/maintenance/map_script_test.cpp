// The real program, driven by a script, maps a laboratory from nothing: from a dataset with the
// registry's plants and parameters but no laboratory or mapping, and the laboratory's export,
// the windows create the laboratory, a supplier mapping, place mappings and parameter
// mappings; then an import from the laboratory stores records.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "demo_program.h"
#include "sqlite_peek.h"

namespace {

class MapScript : public ::testing::TestWithParam<l2stest::ScriptBackend> {};

TEST_P(MapScript, ALaboratoryMappedEntirelyThroughTheWindowsImports) {
  l2stest::DemoProgram demo("mapscript", GetParam());
  const std::filesystem::path& dir = demo.dir();
  // The demo's dataset and export, without its laboratory and mappings.
  ASSERT_EQ(demo.makeDemo(), 0);
  for (const char* f : {"MapFile.tps", "MapLever.tps", "MapParam.tps", "MapSted.tps"})
    std::filesystem::remove(dir / "data" / f);
  const std::string lab = (dir / "lab").string();
  const int code = demo.runScript(R"(window "Innstillinger"
press ?OK
window P1$APPFRAME
menu "&Laboratorier"
window "Tabell laboratorier"
press ?INSERT
window "Skjema laboratorium"
type ?MAP:LAB "FJL"
type ?MAP:LABNAVN "Fjordlab"
press ?LOOKUP
file ")" + lab + R"("
press ?LOOKUP:2
file ")" + lab + R"(/RNX20.dbf"
press ?OK
wait-closed "Skjema laboratorium"
window "Tabell laboratorier"
press ?INSTILLINGBUTTON
window "Tabell instillinger laboratorier"
choose ?SHEET1 " &Anlegg"
press ?INSERT:3
window "Mapping leverandørnummer/anleggsnummer"
choose ?M_L:LEVERAND "1010"
choose ?M_L:ANLEGGSNR "340301"
press ?OK
wait-closed "Mapping leverandørnummer/anleggsnummer"
window "Tabell instillinger laboratorier"
choose ?SHEET2 "&Prøvesteder"
press ?INSERT:4
window "Mapping av steder i Kelda/Sivra"
dump ?M_S:STEDLAB
dump ?M_S:STEDSIV
choose ?M_S:STEDLAB "01"
choose ?M_S:STEDSIV "Innløp"
press ?OK
wait-closed "Mapping av steder i Kelda/Sivra"
window "Tabell instillinger laboratorier"
press ?INSERT:4
window "Mapping av steder i Kelda/Sivra"
choose ?M_S:STEDLAB "02"
choose ?M_S:STEDSIV "Utløp"
press ?OK
wait-closed "Mapping av steder i Kelda/Sivra"
window "Tabell instillinger laboratorier"
dump ?LIST:4
choose ?SHEET1 " &Parametre"
press ?INSERT:2
window "Mapping parametre Lab/Sivra"
dump ?LOC:PR_TYPE
choose ?M_P:PARAMLAB "TP"
choose ?M_P:PARAMSIV "TOT-P"
press ?OK
wait-closed "Mapping parametre Lab/Sivra"
window "Tabell instillinger laboratorier"
press ?INSERT:2
window "Mapping parametre Lab/Sivra"
choose ?M_P:PARAMLAB "SS"
choose ?M_P:PARAMSIV "SS"
press ?OK
wait-closed "Mapping parametre Lab/Sivra"
window "Tabell instillinger laboratorier"
press ?INSERT:2
window "Mapping parametre Lab/Sivra"
choose ?M_P:PARAMLAB "PO4"
choose ?M_P:PARAMSIV "PO4-P"
type ?M_P:FAKTOR "0,001"
press ?OK
wait-closed "Mapping parametre Lab/Sivra"
window "Tabell instillinger laboratorier"
dump ?LIST:2
press ?BUTTON11
window "Tabell laboratorier"
press ?CLOSE
window P1$APPFRAME
menu "&Import"
window "Import"
dump ?MAP:LABNAVN
press ?OKBUTTON
dump ?LOC:MELDING_1
press ?CANCELBUTTON
window P1$APPFRAME
menu "Avslutt"
)");
  const std::string t = demo.transcript();
  EXPECT_EQ(code, 0) << t;
  for (const char* line : {
           "dump ?MAP:LABNAVN \"Fjordlab\"",
           "dump ?LOC:PR_TYPE \"Utslippskontroll\"",
           "dump ?LOC:MELDING_1 \"Ferdig!\"",
           "end 0",
       })
    EXPECT_NE(t.find(line), std::string::npos) << line << "\n" << t;
  const auto peek = [&](const char* file, const std::string& sql) {
    return testing_util::peek((dir / "data" / file).string(), sql);
  };
  EXPECT_EQ(peek("MapLever.tps", "SELECT LAB, LEVERAND, ANLEGGSNR FROM MapLever"),
            (testing_util::Rows{{"FJL", "1010", "340301"}}));
  EXPECT_EQ(peek("MapSted.tps",
                 "SELECT STEDLAB, STEDSIV FROM MapSted WHERE LAB = 'FJL' AND LEVERAND = '1010' ORDER BY STEDLAB"),
            (testing_util::Rows{{"01", "Innløp"}, {"02", "Utløp"}}));
  EXPECT_EQ(
      peek("MapParam.tps", "SELECT PRTYPE, PARAMLAB, PARAMSIV, FAKTOR FROM MapParam ORDER BY PARAMLAB"),
      (testing_util::Rows{{"U", "PO4", "PO4-P", "0.001"}, {"U", "SS", "SS", "1.0"}, {"U", "TP", "TOT-P", "1.0"}}));
  // Records of the mapped supplier's plant came in.
  const auto stored = peek("Utslippskontroll.tps", "SELECT COUNT(*) FROM Utslippskontroll WHERE ANLEGGSNR = '340301'");
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_GT(std::stoi(stored[0][0]), 0) << t;
}

INSTANTIATE_TEST_SUITE_P(Backends, MapScript, ::testing::ValuesIn(l2stest::scriptBackends()), l2stest::backendName);

}  // namespace
