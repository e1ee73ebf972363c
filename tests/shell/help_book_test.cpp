// The shipped help pages: every keyword the windows use has a page, found and searched
// ignoring letter case.
#include "shell/help_book.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(HelpBook, EveryWindowKeywordHasAPage) {
  for (const char* k : {"Hovedmeny", "Innstillinger", "Om programmet", "Import", "Se på importfile", "Se på Logg-file",
                        shell::kHelpContents, shell::kHelpOnHelp}) {
    const shell::HelpPage* p = shell::findHelpPage("Kelda2Siv", k);
    ASSERT_NE(p, nullptr) << k;
    EXPECT_EQ(p->keyword, k);
    EXPECT_FALSE(p->text.empty()) << k;
  }
}

TEST(HelpBook, LookupIgnoresLetterCaseAndTrailingBlanks) {
  const shell::HelpPage* p = shell::findHelpPage("KELDA2SIV", "SE PÅ IMPORTFILE  ");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->keyword, "Se på importfile");
  EXPECT_EQ(shell::findHelpPage("Kelda2Siv", "Finnes ikke"), nullptr);
  EXPECT_EQ(shell::findHelpPage("Annen", "Hovedmeny"), nullptr);
}

TEST(HelpBook, SearchFindsPagesHoldingTheWord) {
  const auto found = shell::searchHelp("Kelda2Siv", "DATASETT");
  EXPECT_NE(std::find(found.begin(), found.end(), "Innstillinger"), found.end());
  EXPECT_EQ(std::find(found.begin(), found.end(), "Se på Logg-file"), found.end());
  EXPECT_TRUE(shell::searchHelp("Kelda2Siv", "xyzzy").empty());
  EXPECT_EQ(shell::searchHelp("Kelda2Siv", "").size(), shell::helpPages("Kelda2Siv").size());
}

}  // namespace
