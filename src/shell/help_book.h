#pragma once
// The help pages: one page per help keyword, shipped with the program (docs/help), plus the
// contents and help-on-help pages. The help file is named by a stem, as the frame sets it.
#include <string>
#include <string_view>
#include <vector>

namespace shell {

struct HelpPage {
  std::string keyword;  // the help keyword, also the page's title
  std::string text;     // the page without its title line, lines ended by '\n'
};

inline constexpr const char* kHelpContents = "Innhold";
inline constexpr const char* kHelpOnHelp = "Hvordan bruke hjelp";

// Every page of the help file `stem` (letter case ignored), in title order; empty for an
// unknown stem.
const std::vector<HelpPage>& helpPages(std::string_view stem);
// The page whose keyword equals `keyword` ignoring letter case and trailing blanks; nullptr when
// there is none.
const HelpPage* findHelpPage(std::string_view stem, std::string_view keyword);
// The keywords of the pages whose title or text holds `word` (letter case ignored), in page order;
// a blank word finds every page.
std::vector<std::string> searchHelp(std::string_view stem, std::string_view word);

// The help file the program uses: "Kelda2Siv" after the program's start.
void setHelpFile(std::string_view stem);
std::string helpFile();

}  // namespace shell
