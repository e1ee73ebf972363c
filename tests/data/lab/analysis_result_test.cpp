#include <gtest/gtest.h>

#include "data/lab/lab_tables.h"

namespace {

using data::lab::GetAnalysisResult;
using data::lab::labTables;

class AnalysisResult : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& r = labTables().RNX20.rec;
    r = {};
    r.AN11 = "KOF";
    r.SV11 = "120";
    r.AN12 = "TOTP";
    r.SV12 = "<0,5";
    r.AN13 = "TOTP";
    r.SV13 = "9,9";
    r.AN14 = "SS";
    r.SV14 = "<";
    r.AN25 = "Ntot";
    r.SV25 = "<12,3";
  }
};

TEST_F(AnalysisResult, LooksUpTheFirstEqualCode) {
  const struct {
    const char* code;
    const char* result;
  } cases[] = {
      {"KOF", "120  "},    {"TOTP", "0,5  "},  // the earlier of two columns, "<" removed
      {"TOTP  ", "0,5  "},                     // trailing blanks do not count
      {"totp", "0"},                           // letter case does
      {" TOTP", "0"},      {"SS", "     "},    // "<" alone becomes blank
      {"Ntot", "12,3 "},                       // the last pair
      {"PH", "0"},         {"", "     "},      // a blank code equals the first unused pair
  };
  for (const auto& c : cases) EXPECT_EQ(GetAnalysisResult(c.code), c.result) << c.code;
}

TEST_F(AnalysisResult, RemovesTheLessThanSignInTheRowBufferOnce) {
  auto& r = labTables().RNX20.rec;
  EXPECT_EQ(GetAnalysisResult("TOTP"), "0,5  ");
  EXPECT_EQ(r.SV12.raw(), "0,5  ");
  EXPECT_EQ(r.SV13.raw(), "9,9  ");
  EXPECT_EQ(GetAnalysisResult("TOTP"), "0,5  ");
  EXPECT_EQ(GetAnalysisResult("SS"), "     ");
  EXPECT_TRUE(r.SV14.blank());
}

}  // namespace
