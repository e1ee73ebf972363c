// The demo's import as scripts/run plays it without a display: demo-data/import.script on a
// fresh demo, and scripts/demo-report, which prints what the windows showed and says when the
// import did not do its job.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../maintenance/demo_program.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSource = fs::path(LAB2SIV_FIXTURES) / ".." / "..";

std::string readFile(const fs::path& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class DemoScriptTest : public ::testing::TestWithParam<l2stest::ScriptBackend> {
 protected:
  struct Report {
    int code;
    std::string out;
    std::string err;
  };
  // Runs scripts/demo-report on `transcript`.
  Report report(const std::string& transcript) {
    std::ofstream(demo_.dir() / "report-in.txt") << transcript;
    const int code = demo_.run("'" + (kSource / "scripts" / "demo-report").string() +
                               "' report-in.txt >report-out.txt 2>report-err.txt");
    return {code, readFile(demo_.dir() / "report-out.txt"), readFile(demo_.dir() / "report-err.txt")};
  }
  l2stest::DemoProgram demo_{"demo-script", GetParam()};
  const std::string script_ = readFile(kSource / "demo-data" / "import.script");
};

TEST_P(DemoScriptTest, TheScriptImportsTheDemoAndTheReportShowsTheCountsAndBothEndsOfTheLog) {
  ASSERT_EQ(demo_.makeDemo(), 0);
  ASSERT_FALSE(script_.empty());
  ASSERT_EQ(demo_.runScript(script_), 0) << demo_.transcript();
  const std::string t = demo_.transcript();
  EXPECT_NE(t.find("dump ?LOC:MELDING_1 \"Ferdig!\""), std::string::npos) << t;
  EXPECT_NE(t.find("dump ?LOC:MELDING_2 \"Antall Utsl.kontr.prøver lagret:    17\""), std::string::npos) << t;
  EXPECT_NE(t.find("dump ?LOC:MELDING_3 \"Antall Slam.kontr.prøver lagret:     3\""), std::string::npos) << t;

  const Report r = report(t);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto first = r.out.find("first page:\n");
  const auto last = r.out.find("last page (Ctrl+End):\n");
  ASSERT_NE(first, std::string::npos) << r.out;
  ASSERT_NE(last, std::string::npos) << r.out;
  EXPECT_LT(r.out.find("  Antall Utsl.kontr.prøver lagret:    17\n"), first) << "the window's count" << r.out;
  EXPECT_NE(r.out.find("  Anlegg: 340301 Åsmyra renseanlegg"), std::string::npos) << "the log's first lines" << r.out;
  EXPECT_NE(r.out.find("  Antall Slam.kontr.prøver lagret:     3\n", last), std::string::npos)
      << "the log's last line" << r.out;
}

// What the report refuses, each shown on a copy of a good run's transcript with one thing wrong,
// and a demo whose laboratory export is gone.
TEST_P(DemoScriptTest, TheReportEndsWithOneAndTheReasonWhenTheImportDidNotDoItsJob) {
  ASSERT_EQ(demo_.makeDemo(), 0);
  ASSERT_EQ(demo_.runScript(script_), 0) << demo_.transcript();
  const std::string good = demo_.transcript();
  struct Case {
    std::string transcript;
    const char* reason;
  };
  const Case cases[] = {
      {replaced(good, "end 0", "error: line 12: the program was still busy\nend 2"), "ended with 2"},
      {replaced(good, "MELDING_1 \"Ferdig!\"", "MELDING_1 \"Importen er stoppet!\""), "\"Importen er stoppet!\""},
      {replaced(replaced(good, "lagret:    17\"", "lagret:     0\""), "lagret:     3\"", "lagret:     0\""),
       "no record was stored"},
      {replaced(good, "open \"Se på Logg-file\"", "open \"Et annet vindu\""), "the log viewer did not open"},
      {"", "wrote no transcript"},
  };
  for (const Case& c : cases) {
    const Report r = report(c.transcript);
    EXPECT_EQ(r.code, 1) << c.reason;
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
  }

  l2stest::DemoProgram noExport("demo-script-no-export", GetParam());
  ASSERT_EQ(noExport.makeDemo(), 0);
  fs::remove_all(noExport.dir() / "lab");
  fs::create_directories(noExport.dir() / "lab");
  EXPECT_NE(noExport.runScript(script_), 0);
  const Report r = report(noExport.transcript());
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("Kan ikke åpne"), std::string::npos) << "the error line says why" << r.err;
}

INSTANTIATE_TEST_SUITE_P(Backends, DemoScriptTest, ::testing::ValuesIn(l2stest::scriptBackends()),
                         l2stest::backendName);

}  // namespace
