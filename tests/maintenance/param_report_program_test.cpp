// The real program, scripted: the demo laboratory's parameter mapping printed to a PDF.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../platform/report/pdf_text.h"

namespace fs = std::filesystem;

TEST(ParamReportProgram, TheDemoMappingPrintsToAPdf) {
  const fs::path dir = fs::temp_directory_path() / ("l2s-report-program-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string bin = LAB2SIV_BINARY_DIR "/app/";
  const std::string env = "cd '" + dir.string() + "' && LAB2SIV_NO_PRINTER=1 LAB2SIV_SYSTEM_DIR='" +
                          (dir / "system").string() + "' ";
  ASSERT_EQ(std::system((env + "'" + bin + "lab2siv-demo' . >/dev/null").c_str()), 0);
  const std::string pdf = (dir / "out" / "mapping").string();
  fs::create_directories(dir / "out");
  std::ofstream(dir / "script.txt") << "window \"Innstillinger\"\n"
                                       "press ?OK\n"
                                       "window P1$APPFRAME\n"
                                       "start ParamReport \"FJL\"\n"
                                       "window \"Report Preview\"\n"
                                       "dump ?CURRENTPAGE\n"
                                       "press ?ZOOM100\n"
                                       "key PgDn\n"
                                       "press ?PRINTBUTTON\n"
                                       "file \""
                                    << pdf
                                    << "\"\n"
                                       "wait-closed \"Report Preview\"\n";
  const int status =
      std::system((env + "'" + bin + "lab2siv' --headless --script script.txt --transcript t.txt 2>/dev/null").c_str());
  std::stringstream transcript;
  transcript << std::ifstream(dir / "t.txt").rdbuf() << std::ifstream(dir / "err.txt").rdbuf();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << transcript.str();
  EXPECT_NE(transcript.str().find("close \"Generating Report\""), std::string::npos) << transcript.str();
  EXPECT_NE(transcript.str().find("dump ?CURRENTPAGE \"1\""), std::string::npos) << transcript.str();

  const std::string text = l2stest::pdfText(pdf + ".pdf");
  EXPECT_EQ(l2stest::pdfPages(pdf + ".pdf"), 1);
  for (const char* piece : {"Mapping av paremetre", "Fjordlab Miljøanalyse AS", "Slamkontroll", "Utslipskontroll",
                            "Parameter lab: BOF", "BOF5", "Parameter lab: TSN", "TS-næringsstoff", "0,001"})
    EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
  fs::remove_all(dir);
}
