#include <gtest/gtest.h>

#include <algorithm>

#include "import/run_import.h"
#include "one_sample_fixture.h"

namespace testing_import {
namespace {

using SludgeValuesTest = OneSampleFixture;

TEST_F(SludgeValuesTest, EveryTargetReachesItsFieldWithItsConversion) {
  struct Case {
    const char* target;
    const char* result;
    double factor;
    const char* expected;  // FIELD=value in the stored record
  };
  const Case cases[] = {
      {"TS-tungmetall", "1,5", 2, "VERDI_TS_TUNGMETALL=3"},
      {"pH tungmetall", "2", 2, "VERDI_PH_TUNGMETALL=4"},
      {"Kvikksølv", "3", 2, "VERDI_HG=6"},
      {"Bly", "4", 2, "VERDI_PB=8"},
      {"Nikkel", "5", 2, "VERDI_NI=10"},
      {"Krom", "6", 2, "VERDI_CR=12"},
      {"Sink", "7", 2, "VERDI_ZN=14"},
      {"Kobber", "8", 2, "VERDI_CU=16"},
      {"TS-næringsstoff", "9", 2, "VERDI_TS_NAERINGSSTOFF=18"},
      {"pH-næringsstoff", "10", 2, "VERDI_PH_NAERINGSSTOFF=20"},
      {"Org-Mat", "11", 2, "VERDI_TS_ORG_STOFF=22"},
      {"Kjeldahl-N", "12", 2, "VERDI_TS_KJELLDAHL=24"},
      {"Tot-N", "13", 2, "VERDI_TS_TOTALNITROGEN=26"},
      {"Ammonium", "14", 2, "VERDI_TS_AMMONIUM_N=28"},
      {"Tot-P", "15", 2, "VERDI_TS_TOTALFOSFOR=30"},
      {"Kalsium", "16", 2, "VERDI_TS_KALSIUM=32"},
      {"Kalium", "17", 2, "VERDI_TS_KALIUM=34"},
      {"Kjeldahl-N (mg/l)", "18", 2, "VERDI_TS_KJELLDAHL_MGL=36"},
      {"Tot-N (mg/l)", "19", 2, "VERDI_TS_TOTALNITROGEN_MGL=38"},
      {"Ammonium (mg/l)", "20", 2, "VERDI_TS_AMMONIUM_N_MGL=40"},
      {"Tot-P (mg/l)", "21", 2, "VERDI_TS_TOTALFOSFOR_MGL=42"},
      {"Kalsium (mg/l)", "22", 2, "VERDI_TS_KALSIUM_MGL=44"},
      {"Kalium (mg/l)", "23", 2, "VERDI_TS_KALIUM_MGL=46"},
      {"Kadmium", "24", 2, "VERDI_CD=50"},  // the later code, Kadmium (mg/l), decides
      {"Kadmium (mg/l)", "25", 2, "VERDI_CD=50"},
      {"Termokoli", "25", 1, "VERDI_TERMO_KOLI=25"},
      {"Salmonella", "0,5", 1, "VERDI_SALMONELLA=0.5"},
      {"Parasittegg", "2", 0.3333333333, "VERDI_PARASITTEGG=0.666666666"},  // cut to 11
      {"pH-min", "6,5", 1, "PH_SLAM_MIN=6.5"},
      {"pH-maks", "8", 1, "PH_SLAM_MAKS=8"},
      {"SS-middel", "12.8", 1, "SS_MIDDEL=12"},
      {"SS-maks", "12.8", 10, "SS_MAKS=128"},
      {"Temp. min", "-3", 1, "TEMP_MIN=-3"},
      {"Temp. maks", "<30", 1, "TEMP_MAKS=30"},
      {"Ant. Døgn", "2.9", 10, "DATO1=2008-02-03"},  // 2 days, factor not applied
  };
  for (const auto& c : cases) give(c.target, c.result, c.factor);
  auto ch = allOn();
  ch.UTSLKTR = false;
  run(ch);
  const std::string rec = storedSludge();
  for (const auto& c : cases) EXPECT_TRUE(hasField(rec, c.expected)) << c.target << " in " << rec;
  EXPECT_NE(logText().find("Lagret Slamkontroll     - Periode:  3.02.08 -  5.02.08 Ant. døgn:  2 Status: Ny"),
            std::string::npos);
}

TEST_F(SludgeValuesTest, ListedSpellingOfNutrientPhReachesItsField) {
  give("pH næringsstoff", "7,1", 1);
  run(allOn());
  EXPECT_TRUE(hasField(storedSludge(), "VERDI_PH_NAERINGSSTOFF=7.1")) << storedSludge();
}

TEST_F(SludgeValuesTest, TargetsWithoutAFieldShowTheirTextButStoreNothing) {
  for (const char* t : {"PCB", "DEHP", "4-nonylphenol", "BDE-47", "BDE-99", "BDE-100", "BDE-183", "BDE-209", "TBBPA"})
    give(t, "5", 1);
  give("Ukjent mål", "5", 1);
  run(allOn());
  EXPECT_EQ(storedSludge(), "");
  EXPECT_EQ(state.SlamkontrollCount, 0);
  const auto& shown = progress.shown;
  EXPECT_NE(std::find(shown.begin(), shown.end(), "4:Importerer: BDE-209 i slam"), shown.end());
  EXPECT_NE(std::find(shown.begin(), shown.end(), "4:Importerer: 4-nonylphenol i slam"), shown.end());
}

TEST_F(SludgeValuesTest, ZeroAndMissingResultsAreNotTaken) {
  give("Bly", "0", 1);
  give("Sink", "abc", 1);
  addParam("S", "S999", "Kobber", 1);  // a code the row does not hold
  run(allOn());
  EXPECT_EQ(storedSludge(), "");
}

TEST_F(SludgeValuesTest, SludgeNotChosenTakesNoValueAndNoDays) {
  give("Bly", "4", 1);
  give("Ant. Døgn", "5", 1);
  addParam("U", "TP", "TOT-P", 1);
  fake.samples[0].results.emplace_back("TP", "1");
  addSted("100", "03", "Innløp");
  auto ch = allOn();
  ch.SLAMKTR = false;
  run(ch);
  EXPECT_EQ(storedSludge(), "");
  EXPECT_NE(logText().find("Lagret Utslippskontroll - Periode:  4.02.08 -  5.02.08 Ant. døgn:  1 Status: Ny"),
            std::string::npos);
  for (const auto& s : progress.shown) EXPECT_EQ(s.find(" i slam"), std::string::npos) << s;
}

}  // namespace
}  // namespace testing_import
