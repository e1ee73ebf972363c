#include "import/log_lines.h"

#include <gtest/gtest.h>

namespace {

using text::dateFromYmd;

TEST(LogLines, ProblemLinesClipTheNumber) {
  EXPECT_EQ(import::missingRequisitionerLine("150   "), "Data for Leverndør: 150 er IKKE i importfile!");
  EXPECT_EQ(import::missingPlantLine("160       "), "Leverandør: 160 er ikke registrert Sivra 2000!");
}

TEST(LogLines, PlantHeaderKeepsTheFieldWidths) {
  const std::string line = import::plantHeaderLine("0101  ", "Nordby RA", dateFromYmd(2008, 9, 5), 9 * 3600 + 5 * 60);
  EXPECT_EQ(line, "Anlegg: 0101   Nordby RA" + std::string(41, ' ') + " Data importert:  5.09.08 kl.  9.05");
}

TEST(LogLines, StoredRecordLines) {
  const auto d1 = dateFromYmd(2008, 1, 1), d2 = dateFromYmd(2008, 1, 8);
  EXPECT_EQ(import::storedDischargeLine(d1, d2, 7, true),
            "Lagret Utslippskontroll - Periode:  1.01.08 -  8.01.08 Ant. døgn:  7 Status: Ny");
  EXPECT_EQ(import::storedSludgeLine(d1, d2, 12, false),
            "Lagret Slamkontroll     - Periode:  1.01.08 -  8.01.08 Ant. døgn: 12 Status: Eksist");
  // Day counts that do not fit two positions are written in full.
  EXPECT_TRUE(import::storedDischargeLine(d1, d2, 365, true).ends_with(" Ant. døgn: 365 Status: Ny"));
  EXPECT_TRUE(import::storedDischargeLine(d1, d2, -12, true).ends_with(" Ant. døgn: -12 Status: Ny"));
}

TEST(LogLines, TotalsAndDashes) {
  EXPECT_EQ(import::dischargeTotalLine(3), "Antall Utsl.kontr.prøver lagret:     3");
  EXPECT_EQ(import::sludgeTotalLine(123456), "Antall Slam.kontr.prøver lagret: 123456");
  EXPECT_EQ(import::dashLine(), std::string(150, '-'));
}

}  // namespace
