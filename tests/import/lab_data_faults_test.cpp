// Laboratory rows that must not reach the registry as they stand: rows of another year's
// journal, impossible numbers and dates, products that binary floating point cuts a unit short.
#include <gtest/gtest.h>

#include "import/run_import.h"
#include "one_sample_fixture.h"
#include "platform/dbase/dbase_date.h"

namespace testing_import {
namespace {

using LabDataFaultsTest = OneSampleFixture;

TEST_F(LabDataFaultsTest, SampleRowsOfAnotherYearsJournalArePassedOver) {
  // Journal numbers restart each year: 09/0124 belongs to another supplier.
  give("Bly", "4", 1);
  testing_lab::Sample other = fake.samples[0];
  other.row.PAAR = "09";
  other.row.TATTDATO = text::dateFromYmd(2009, 6, 1);
  other.results = {{"S101", "9"}};
  fake.samples.push_back(other);
  run(allOn());
  const std::string rec = storedSludge();
  EXPECT_TRUE(hasField(rec, "VERDI_PB=4")) << rec;
  EXPECT_TRUE(hasField(rec, "DATO2=2008-02-05")) << rec;
}

struct Impossible {
  const char* name;
  const char* days;    // "Ant. Døgn" result
  const char* lead;    // "Bly" result
  text::Date taken;    // the sample's date
  const char* logged;  // the problem line's start, "" for none
  const char* stored;  // a field of the stored record, "" when none is stored
};

void PrintTo(const Impossible& c, std::ostream* os) { *os << c.name; }

class ImpossibleValuesTest : public OneSampleFixture, public ::testing::WithParamInterface<Impossible> {};

TEST_P(ImpossibleValuesTest, AreLoggedAndNotStored) {
  const Impossible& c = GetParam();
  give("Ant. Døgn", c.days, 1);
  give("Bly", c.lead, 1);
  if (c.taken != 0) fake.samples[0].row.TATTDATO = c.taken;
  run(allOn());
  const std::string log = logText();
  if (*c.logged) {
    EXPECT_NE(log.find(c.logged), std::string::npos) << log;
    EXPECT_EQ(state.ProblemLogged, 1);
  } else {
    EXPECT_EQ(log.find("Ugyldig"), std::string::npos) << log;
  }
  const std::string rec = storedSludge();
  if (*c.stored) {
    EXPECT_TRUE(hasField(rec, c.stored)) << rec;
  } else {
    EXPECT_EQ(rec, "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    LabData, ImpossibleValuesTest,
    ::testing::Values(
        Impossible{"InfiniteResult", "0", "9e999", 0,
                   "Ugyldig resultat - Journal: 08/0124 Analyse: S102 Verdi: 9e999", ""},
        Impossible{"InfiniteDays", "9e999", "4", 0,
                   "Ugyldig resultat - Journal: 08/0124 Analyse: S101 Verdi: 9e999", "DATO1=2008-02-04"},
        Impossible{"NegativeDays", "-9999", "4", 0,
                   "Ugyldig antall døgn - Journal: 08/0124 Analyse: S101 Verdi: -9999", "DATO1=2008-02-04"},
        Impossible{"DaysPastTenYears", "3651", "4", 0, "Ugyldig antall døgn - Journal: 08/0124",
                   "DATO1=2008-02-04"},
        Impossible{"TenYears", "3650", "4", 0, "", "DATO1=1998-02-07"},
        Impossible{"DateThatIsNoDate", "0", "4", dbase::kNotADate,
                   "Ugyldig dato - Journal: 08/0124 Tattdato er ikke en dato", ""}),
    [](const ::testing::TestParamInfo<Impossible>& i) { return std::string(i.param.name); });

TEST_F(LabDataFaultsTest, WholeNumberAfterTheFactorIsNotCutAUnitShort) {
  give("SS-middel", "2,3", 100);
  give("SS-maks", "12.8", 1);
  run(allOn());
  const std::string rec = storedSludge();
  EXPECT_TRUE(hasField(rec, "SS_MIDDEL=230")) << rec;  // 2.3 * 100 is 229.99999999999997
  EXPECT_TRUE(hasField(rec, "SS_MAKS=12")) << rec;
}

TEST_F(LabDataFaultsTest, ASampleWithoutADateStoresNoPeriodBeforeDayZero) {
  give("Bly", "4", 1);
  fake.samples[0].row.TATTDATO = 0;
  run(allOn());
  const std::string rec = storedSludge();
  ASSERT_NE(rec, "");
  EXPECT_EQ((" " + rec).find(" DATO1="), std::string::npos) << rec;
}

}  // namespace
}  // namespace testing_import
