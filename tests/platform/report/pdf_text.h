#pragma once
// What a printed PDF holds, read with poppler's command-line tools.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

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
