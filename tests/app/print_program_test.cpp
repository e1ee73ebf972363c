// The real program, scripted: the demo laboratory's parameter mapping printed to a PDF.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../maintenance/demo_program.h"
#include "../platform/report/pdf_text.h"

namespace fs = std::filesystem;

namespace {

// A demo working directory of its own, and scripted runs of the real program in it.
class PrintProgramTest : public ::testing::TestWithParam<l2stest::ScriptBackend> {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "out");
    ASSERT_EQ(demo_.makeDemo(), 0);
  }
  // Runs the script with no printer; true when the run ended with 0. The transcript (and stderr)
  // in `out`.
  bool run(const std::string& script, std::string& out) {
    const int code = demo_.runScript(script, "LAB2SIV_NO_PRINTER=1 2>err.txt");
    std::stringstream s;
    s << demo_.transcript() << std::ifstream(dir_ / "err.txt").rdbuf();
    out = s.str();
    return code == 0;
  }
  std::string pdf(const std::string& name) const { return (dir_ / "out" / name).string(); }

  l2stest::DemoProgram demo_{"print-program", GetParam()};
  const fs::path& dir_ = demo_.dir();
};

TEST_P(PrintProgramTest, TheDemoMappingPrintsToAPdf) {
  std::string transcript;
  EXPECT_TRUE(
      run("window \"Innstillinger\"\n"
          "press ?OK\n"
          "window P1$APPFRAME\n"
          "start ParamReport \"FJL\"\n"
          "window \"Report Preview\"\n"
          "dump ?CURRENTPAGE\n"
          "press ?ZOOM100\n"
          "key PgDn\n"
          "press ?PRINTBUTTON\n"
          "file \"" +
              pdf("mapping") +
              "\"\n"
              "wait-closed \"Report Preview\"\n",
          transcript))
      << transcript;
  EXPECT_NE(transcript.find("close \"Generating Report\""), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("dump ?CURRENTPAGE \"1\""), std::string::npos) << transcript;

  const std::string text = l2stest::pdfText(pdf("mapping.pdf"));
  EXPECT_EQ(l2stest::pdfPages(pdf("mapping.pdf")), 1);
  for (const char* piece : {"Mapping av paremetre", "Fjordlab Miljøanalyse AS", "Slamkontroll", "Utslipskontroll",
                            "Parameter lab: BOF", "BOF5", "Parameter lab: TSN", "TS-næringsstoff", "0,001"})
    EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
}

// The log viewer prints every line of the import log, through the same engine.
TEST_P(PrintProgramTest, TheImportLogPrintsToAPdf) {
  std::string transcript;
  ASSERT_TRUE(
      run("window \"Innstillinger\"\n"
          "press ?OK\n"
          "window P1$APPFRAME\n"
          "menu \"&Import\"\n"
          "window \"Import\"\n"
          "press ?OKBUTTON\n"
          "press ?LOGFILEBUTTON\n"
          "window \"Se på Logg-file\"\n"
          "press ?ASCIIPRINT\n"
          "file \"" +
              pdf("log.pdf") +
              "\"\n"
              "press ?CLOSE\n",
          transcript))
      << transcript;
  // The PDF's text keeps the words and their order; runs of blanks may come out shorter.
  auto words = [](const std::string& s) {
    std::string out;
    for (char c : s)
      if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
    return out;
  };
  std::stringstream log;
  log << std::ifstream(dir_ / "data" / "Import.Txt").rdbuf();
  const std::string text = words(l2stest::pdfText(pdf("log.pdf")));
  std::string line;
  int lines = 0;
  while (std::getline(log, line)) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
    if (line.empty()) continue;
    ++lines;
    EXPECT_NE(text.find(words(line)), std::string::npos) << line;
  }
  EXPECT_GT(lines, 5);
}

INSTANTIATE_TEST_SUITE_P(Backends, PrintProgramTest, ::testing::ValuesIn(l2stest::scriptBackends()),
                         l2stest::backendName);

}  // namespace
