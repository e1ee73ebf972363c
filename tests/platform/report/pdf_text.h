#pragma once
// What a printed PDF holds, read with poppler's command-line tools.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace l2stest {

inline std::string commandOutput(const std::string& command) {
  std::string out;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    ::pclose(p);
  }
  return out;
}

// The PDF's text, page by page separated by form feeds, in its printed layout.
inline std::string pdfText(const std::string& pdf) { return commandOutput("pdftotext -layout '" + pdf + "' -"); }

// One word of a PDF with its box in points from the page's top left corner.
struct PdfWord {
  int page = 0;  // from 1
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
  std::string text;
};

inline std::vector<PdfWord> pdfWords(const std::string& pdf) {
  const std::string html = commandOutput("pdftotext -bbox '" + pdf + "' -");
  static const std::regex word(
      R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
  std::vector<PdfWord> out;
  int page = 0;
  std::size_t at = 0;
  for (;;) {
    const std::size_t nextPage = html.find("<page ", at);
    const std::size_t nextWord = html.find("<word ", at);
    if (nextWord == std::string::npos) break;
    if (nextPage != std::string::npos && nextPage < nextWord) {
      ++page;
      at = nextPage + 1;
      continue;
    }
    const std::size_t end = html.find("</word>", nextWord);
    std::smatch m;
    const std::string one = html.substr(nextWord, end + 7 - nextWord);
    if (std::regex_match(one, m, word))
      out.push_back({page, std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), m[5]});
    at = end;
  }
  return out;
}

inline int pdfPages(const std::string& pdf) {
  const std::string info = commandOutput("pdfinfo '" + pdf + "'");
  const auto at = info.find("Pages:");
  return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + 6);
}

inline std::size_t countOf(const std::string& text, const std::string& piece) {
  std::size_t n = 0;
  for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++n;
  return n;
}

}  // namespace l2stest
