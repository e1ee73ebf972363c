#include "import/sludge_targets.h"

#include <gtest/gtest.h>

#include "platform/text/codepage.h"

namespace {

using import::SludgeConversion;

const import::SludgeTarget* find(std::string_view utf8) { return import::findSludgeTarget(text::toCp1252(utf8)); }

TEST(SludgeTargets, NamesCompareBlankPaddedWithCaseCounting) {
  ASSERT_NE(find("Kadmium        "), nullptr);
  EXPECT_EQ(find("kadmium"), nullptr);
  EXPECT_EQ(find("Ant. døgn"), nullptr);
  EXPECT_EQ(find("pH-tungmetall"), nullptr);  // the table's form has a blank after pH
  EXPECT_EQ(find(""), nullptr);
}

TEST(SludgeTargets, DestinationsAndConversions) {
  struct Case {
    const char* name;
    const char* field;
    SludgeConversion conversion;
    const char* progress;
  };
  const Case cases[] = {
      {"Ant. Døgn", "", SludgeConversion::DayCount, "Importerer: Antall døgn"},
      {"Kadmium", "VERDI_CD", SludgeConversion::TimesFactor, "Importerer: Måleverdi Cd"},
      {"Kadmium (mg/l)", "VERDI_CD", SludgeConversion::TimesFactor, "Importerer: Kadmium (mg/l) i slam"},
      {"pH-næringsstoff", "VERDI_PH_NAERINGSSTOFF", SludgeConversion::TimesFactor,
       "Importerer: pH-næringsstoff i slam"},
      {"pH næringsstoff", "VERDI_PH_NAERINGSSTOFF", SludgeConversion::TimesFactor,
       "Importerer: pH-næringsstoff i slam"},
      {"Org-Mat", "VERDI_TS_ORG_STOFF", SludgeConversion::TimesFactor, "Importerer: Organisk Materiale i slam"},
      {"SS-middel", "SS_MIDDEL", SludgeConversion::WholeNumber, "Importerer: SS-middel i slam"},
      {"Parasittegg", "VERDI_PARASITTEGG", SludgeConversion::Text, "Importerer: Parasittegg i slam"},
      {"TBBPA", "", SludgeConversion::NoField, "Importerer: TBBPA i slam"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto* t = find(c.name);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->field, c.field);
    EXPECT_EQ(t->conversion, c.conversion);
    EXPECT_EQ(t->progress, c.progress);
  }
}

}  // namespace
