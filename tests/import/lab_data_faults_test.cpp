// Laboratory rows that must not reach the registry as they stand: rows of another year's
// journal, impossible numbers and dates, products that binary floating point cuts a unit short.
#include <gtest/gtest.h>

#include <cctype>
#include <limits>

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
        Impossible{"InfiniteResult", "0", "9e999", 0, "Ugyldig resultat - Journal: 08/0124 Analyse: S102 Verdi: 9e999",
                   ""},
        Impossible{"InfiniteDays", "9e999", "4", 0, "Ugyldig resultat - Journal: 08/0124 Analyse: S101 Verdi: 9e999",
                   "DATO1=2008-02-04"},
        Impossible{"NegativeDays", "-9999", "4", 0, "Ugyldig antall døgn - Journal: 08/0124 Analyse: S101 Verdi: -9999",
                   "DATO1=2008-02-04"},
        Impossible{"DaysPastTenYears", "3651", "4", 0, "Ugyldig antall døgn - Journal: 08/0124", "DATO1=2008-02-04"},
        Impossible{"TenYears", "3650", "4", 0, "", "DATO1=1998-02-07"},
        Impossible{"DateThatIsNoDate", "0", "4", dbase::kNotADate,
                   "Ugyldig dato - Journal: 08/0124 Tattdato er ikke en dato", ""}),
    [](const ::testing::TestParamInfo<Impossible>& i) { return std::string(i.param.name); });

// Every stored value of the record that is no finite number, as the dump writes it.
bool holdsNoFiniteNumber(const std::string& dumped) {
  std::string lower = dumped;
  for (char& ch : lower) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

// A mapping whose factor, or the product with it, is no finite number, or one its field cannot
// hold (a whole number beyond 32 bits, a text wider than the field), stores nothing of that
// mapping and names it in the log; the sample's other values are still taken.
TEST_F(LabDataFaultsTest, AFactorGivingAValueTheFieldCannotHoldIsLoggedAndNotStored) {
  struct Case {
    const char* target;
    const char* prtype;
    double factor;
    const char* logged;
    const char* field;  // the target's field, absent from both records
  };
  const Case cases[] = {
      {"TOT-P", "U", 1e308,
       "Ugyldig faktor - Journal: 08/0124 Analyse: U101 (TOT-P) Faktor: 1e+308 Verdi: 10 er ikke lagret!", "VERDI_1_1"},
      {"Cd", "U", -std::numeric_limits<double>::infinity(), "Analyse: U101 (Cd) Faktor: -inf Verdi: 10",
       "VERDITUNGMETALL"},
      {"Bly", "S", -1e308, "Analyse: S101 (Bly) Faktor: -1e+308 Verdi: 10", "VERDI_PB"},
      {"SS-middel", "S", std::numeric_limits<double>::infinity(), "Analyse: S101 (SS-middel) Faktor: inf Verdi: 10",
       "SS_MIDDEL"},
      {"Termokoli", "S", 1e308, "Analyse: S101 (Termokoli) Faktor: 1e+308 Verdi: 10", "VERDI_TERMO_KOLI"},
      {"SS-maks", "S", 1e9, "Analyse: S101 (SS-maks) Faktor: 1000000000 Verdi: 10", "SS_MAKS"},
      {"SS-middel", "S", -1e9, "Analyse: S101 (SS-middel) Faktor: -1000000000 Verdi: 10", "SS_MIDDEL"},
      {"Termokoli", "S", 12345678901.25, "Analyse: S101 (Termokoli) Faktor: 12345678901.25 Verdi: 10",
       "VERDI_TERMO_KOLI"},
  };
  auto& anl = data::thr().Anlegg;
  anl.rec.ANLEGGSNR.setWhole(text::Str<6>("010101"));
  ASSERT_EQ(anl.get(data::Anlegg::ANLEGG_KEY1), 0);
  anl.rec.TUNGMETALLPARAMETER[0] = "Cd";
  anl.rec.TUNGMETALLANTALLPARAMETRE = 1;
  ASSERT_EQ(anl.put(), 0);
  addSted("100", "03", "Innløp");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    auto& t = data::thr();
    for (store::FileBase* f :
         {static_cast<store::FileBase*>(&t.MapParam), static_cast<store::FileBase*>(&t.Utslippskontroll),
          static_cast<store::FileBase*>(&t.Slamkontroll)}) {
      f->set();
      while (f->next() == 0) f->remove();
    }
    codes_ = 0;
    fake.samples[0].results.clear();
    give(c.target, "10", c.factor, c.prtype);
    give("Sink", "7", 2);
    give("Vannmengde", "5", 1e308, "U");  // a quantity takes no factor
    run(allOn());
    const std::string log = logText();
    EXPECT_NE(log.find(c.logged), std::string::npos) << log;
    EXPECT_EQ(state.ProblemLogged, 1);
    const std::string sludge = storedSludge(), discharge = storedDischarge();
    EXPECT_TRUE(hasField(sludge, "VERDI_ZN=14")) << sludge;
    EXPECT_TRUE(hasField(discharge, "VANNFOERING=5")) << discharge;
    for (const std::string& rec : {sludge, discharge}) {
      EXPECT_FALSE(holdsNoFiniteNumber(rec)) << rec;
      EXPECT_EQ((" " + rec).find(std::string(" ") + c.field), std::string::npos) << rec;
    }
  }
}

TEST_F(LabDataFaultsTest, AnInfiniteWaterQuantityInTheSampleIdentIsLoggedAndNotStored) {
  fake.samples[0].row.IDENT = "9e999 m3/d";
  addSted("100", "03", "Innløp");
  give("TOT-P", "1", 1, "U");
  run(allOn());
  const std::string log = logText();
  EXPECT_NE(log.find("Ugyldig resultat - Journal: 08/0124 Analyse: Vannmengde Verdi: 9e999 er ikke lagret!"),
            std::string::npos)
      << log;
  const std::string rec = storedDischarge();
  EXPECT_TRUE(hasField(rec, "VERDI_1_1=1")) << rec;
  EXPECT_EQ(rec.find("VANNFOERING"), std::string::npos) << rec;
}

TEST_F(LabDataFaultsTest, WholeNumberAfterTheFactorIsNotCutAUnitShort) {
  give("SS-middel", "2,3", 100);
  give("SS-maks", "12.8", 1);
  run(allOn());
  const std::string rec = storedSludge();
  EXPECT_TRUE(hasField(rec, "SS_MIDDEL=230")) << rec;  // 2.3 * 100 is 229.99999999999997
  EXPECT_TRUE(hasField(rec, "SS_MAKS=12")) << rec;
}

// The largest whole number and a number as wide as its text field are stored as they are.
TEST_F(LabDataFaultsTest, TheLargestWholeNumberAndTheWidestTextFitTheirFields) {
  give("SS-middel", "2147483647", 1);
  give("Termokoli", "10", 1234567890);
  run(allOn());
  const std::string rec = storedSludge();
  EXPECT_TRUE(hasField(rec, "SS_MIDDEL=2147483647")) << rec;
  EXPECT_TRUE(hasField(rec, "VERDI_TERMO_KOLI=12345678900")) << rec;
  EXPECT_EQ(state.ProblemLogged, 0) << logText();
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
