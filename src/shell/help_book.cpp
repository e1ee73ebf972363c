#include "shell/help_book.h"

#include <algorithm>
#include <mutex>

#include "platform/text/codepage.h"

namespace shell {

// Generated from docs/help/*.txt: each text starts with a "= Title" line.
extern const char* const kEmbeddedHelp[];
extern const std::size_t kEmbeddedHelpCount;

namespace {

constexpr std::string_view kBook = "Kelda2Siv";

std::string folded(std::string_view utf8) {
  while (!utf8.empty() && utf8.back() == ' ') utf8.remove_suffix(1);
  return text::upper1252(text::toCp1252(utf8));
}

std::vector<HelpPage> parsePages() {
  std::vector<HelpPage> pages;
  for (std::size_t i = 0; i < kEmbeddedHelpCount; ++i) {
    std::string_view src = kEmbeddedHelp[i];
    const std::size_t eol = src.find('\n');
    std::string_view title = src.substr(0, eol);
    if (!title.starts_with("= ")) continue;
    title.remove_prefix(2);
    pages.push_back(
        {std::string(title), eol == std::string_view::npos ? std::string() : std::string(src.substr(eol + 1))});
  }
  std::sort(pages.begin(), pages.end(),
            [](const HelpPage& a, const HelpPage& b) { return folded(a.keyword) < folded(b.keyword); });
  return pages;
}

std::mutex gMutex;
std::string gStem;

}  // namespace

const std::vector<HelpPage>& helpPages(std::string_view stem) {
  static const std::vector<HelpPage> pages = parsePages();
  static const std::vector<HelpPage> none;
  return folded(stem) == folded(kBook) ? pages : none;
}

const HelpPage* findHelpPage(std::string_view stem, std::string_view keyword) {
  const std::string want = folded(keyword);
  for (const HelpPage& p : helpPages(stem)) {
    if (folded(p.keyword) == want) return &p;
  }
  return nullptr;
}

std::vector<std::string> searchHelp(std::string_view stem, std::string_view word) {
  const std::string w = folded(word);
  std::vector<std::string> found;
  for (const HelpPage& p : helpPages(stem)) {
    if (w.empty() || folded(p.keyword).find(w) != std::string::npos || folded(p.text).find(w) != std::string::npos) {
      found.push_back(p.keyword);
    }
  }
  return found;
}

void setHelpFile(std::string_view stem) {
  std::lock_guard lock(gMutex);
  gStem = stem;
}

std::string helpFile() {
  std::lock_guard lock(gMutex);
  return gStem;
}

}  // namespace shell
