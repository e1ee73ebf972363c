#include <gtest/gtest.h>

#include "one_sample_fixture.h"

namespace testing_import {
namespace {

using DischargeValuesTest = OneSampleFixture;

TEST_F(DischargeValuesTest, OnlyTheCountedEntriesOfThePlantsListsAreUsed) {
  auto& anl = data::thr().Anlegg;
  anl.rec.ANLEGGSNR.setWhole(text::Str<6>("010101"));
  ASSERT_EQ(anl.get(data::Anlegg::ANLEGG_KEY1), 0);
  anl.rec.PARAMETER[1] = "SS";  // beyond the count of 1
  anl.rec.PRSTED[1] = "Utløp";
  anl.rec.TUNGMETALLPARAMETER[0] = "Cd";  // count 0
  ASSERT_EQ(anl.put(), 0);
  addSted("100", "03", "Utløp");
  addSted("100", "03", "Innløp");
  give("TOT-P", "1", 1, "U");
  give("SS", "2", 1, "U");
  give("Cd", "3", 1, "U");
  run(allOn());
  const std::string rec = storedDischarge();
  EXPECT_TRUE(hasField(rec, "VERDI_1_1=1")) << rec;
  EXPECT_EQ(rec.find("VERDI_1_2"), std::string::npos) << rec;
  EXPECT_EQ(rec.find("VERDI_2_"), std::string::npos) << rec;
  EXPECT_EQ(rec.find("VERDITUNGMETALL"), std::string::npos) << rec;
}

TEST_F(DischargeValuesTest, QuantitiesIgnoreTheFactorAndDaysAreCut) {
  struct Case {
    const char* days;
    const char* water;
    const char* expected;  // stored-record log line
    const char* vannfoering;
  };
  const Case cases[] = {
      {"2.9", "700", "Periode:  3.02.08 -  5.02.08 Ant. døgn:  2", "VANNFOERING=350"},
      {"7", "700", "Periode: 29.01.08 -  5.02.08 Ant. døgn:  7", "VANNFOERING=100"},
      {"0,5", "700", "Periode:  5.02.08 -  5.02.08 Ant. døgn:  0", ""},
      {"400", "800", "Periode:  1.01.07 -  5.02.08 Ant. døgn: 400", "VANNFOERING=2"},
      {"", "700", "Periode:  4.02.08 -  5.02.08 Ant. døgn:  1", "VANNFOERING=700"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.days);
    fake.samples[0].results.clear();
    auto& p = data::thr().MapParam;
    p.set();
    while (p.next() == 0) p.remove();
    if (*c.days) give("Ant. Døgn", c.days, 10, "U");
    give("Vannmengde", c.water, 10, "U");
    run(allOn());
    EXPECT_NE(logText().find(c.expected), std::string::npos) << logText();
    const std::string rec = storedDischarge();
    if (*c.vannfoering)
      EXPECT_TRUE(hasField(rec, c.vannfoering)) << rec;
    else
      EXPECT_EQ(rec.find("VANNFOERING"), std::string::npos) << rec;
    auto& u = data::thr().Utslippskontroll;
    u.set();
    while (u.next() == 0) u.remove();
  }
}

TEST_F(DischargeValuesTest, JournalNumberAndSupplierCodeLongerThanSix) {
  fake.journals[0].PAAR = "8";
  fake.samples[0].row.PAAR = "8";
  addLever("KL", "1000000", "010101");  // seven characters: no journal row matches it
  give("Vannmengde", "5", 1, "U");
  run(allOn());
  EXPECT_TRUE(hasField(storedDischarge(), "LAB_JOURNALNR=8/0124")) << storedDischarge();
  EXPECT_EQ(state.UtslippskontrollCount, 1);
}

}  // namespace
}  // namespace testing_import

namespace testing_import {
namespace {

// Two journal rows with the same year and number give the same record key; the second finds
// the record the first added in the same uncommitted batch.
TEST_F(DischargeValuesTest, SameKeyTwiceInOneBatch) {
  fake.journals.push_back(fake.journals[0]);
  give("Vannmengde", "5", 1, "U");
  for (bool overwrite : {false, true}) {
    SCOPED_TRACE(overwrite);
    auto ch = allOn();
    ch.OVERSKRIVES = overwrite;
    run(ch);
    EXPECT_EQ(state.UtslippskontrollCount, overwrite ? 2 : 1);
    EXPECT_EQ(dumpUtslippskontroll().size(), 1u);
    const std::string log = logText();
    EXPECT_NE(log.find("Ant. døgn:  1 Status: Ny"), std::string::npos) << log;
    EXPECT_EQ(log.find("Status: Eksist") != std::string::npos, overwrite) << log;
    auto& u = data::thr().Utslippskontroll;
    u.set();
    while (u.next() == 0) u.remove();
  }
}

}  // namespace
}  // namespace testing_import
