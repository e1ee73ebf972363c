// The real program, run as users run it, in a scratch working directory: a scripted run
// from start to "Avslutt", headless and on the Qt windows.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../maintenance/demo_program.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class ProgramTest : public ::testing::TestWithParam<l2stest::ScriptBackend> {
 protected:
  struct Ran {
    int code;
    std::string transcript;
  };
  // Runs the program in the demo directory on `script`, with `env` (NAME='value' ...) before it.
  Ran runScript(const std::string& script, const std::string& env = "") {
    const int code = demo_.runScript(script, env);
    return {code, demo_.transcript()};
  }
  l2stest::DemoProgram demo_{"program", GetParam()};
  const fs::path& dir_ = demo_.dir();
};

TEST_P(ProgramTest, ADemoDirectoryStartsTheFrameAndAvsluttStoresTheSettings) {
  ASSERT_EQ(demo_.makeDemo(), 0);
  EXPECT_TRUE(fs::exists(dir_ / "Datasett.tps"));
  EXPECT_TRUE(fs::is_directory(dir_ / "data"));
  // A second run keeps what is there.
  ASSERT_EQ(demo_.makeDemo(), 0);

  const auto [code, transcript] = runScript(
      "window \"Innstillinger\"\n"
      "press ?OK\n"
      "window \"Brakel-Sivra Provex (Rnx-versjon) [Demo]\"\n"
      "menu \"Avslutt\"\n"
      "wait-closed \"Brakel-Sivra Provex (Rnx-versjon) [Demo]\"\n");
  EXPECT_EQ(code, 0) << transcript;
  EXPECT_NE(transcript.find("open \"Innstillinger\""), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("end 0"), std::string::npos) << transcript;
  const std::string ini = readFile(dir_ / "system" / "Siv2000.ini");
  EXPECT_NE(ini.find("Datasett=Demo"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Datasett_navn=Demo"), std::string::npos) << ini;
  EXPECT_TRUE(fs::exists(dir_ / "Lab2Siv.Tps"));
  EXPECT_TRUE(fs::exists(dir_ / "data" / "MapFile.tps"));
}

// The README's road for a new user: the demo, the frame, the import window, "Start import".
TEST_P(ProgramTest, AScriptedImportOnTheDemoDataWritesRecords) {
  ASSERT_EQ(demo_.makeDemo(), 0);
  const auto [code, transcript] = runScript(
      "window \"Innstillinger\"\n"
      "press ?OK\n"
      "window P1$APPFRAME\n"
      "menu \"&Import\"\n"
      "window \"Import\"\n"
      "press ?OKBUTTON\n"
      "dump ?LOC:MELDING_1\n"
      "press ?CANCELBUTTON\n"
      "window P1$APPFRAME\n"
      "menu \"Avslutt\"\n");
  EXPECT_EQ(code, 0) << transcript;
  EXPECT_NE(transcript.find("dump ?LOC:MELDING_1 \"Ferdig!\""), std::string::npos) << transcript;

  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2((dir_ / "data" / "Utslippskontroll.tps").c_str(), &db, SQLITE_OPEN_READONLY, nullptr),
            SQLITE_OK);
  sqlite3_stmt* st = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM Utslippskontroll", -1, &st, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
  EXPECT_GT(sqlite3_column_int(st, 0), 0);
  sqlite3_finalize(st);
  sqlite3_close(db);
  EXPECT_NE(readFile(dir_ / "data" / "Import.Txt").find("Utslippskontroll"), std::string::npos);
}

// A dataset name that is not in the list: OK refuses it, and the program keeps working in the
// dataset it uses (never the drive's root), and "Avslutt" stores that one.
TEST_P(ProgramTest, TheSettingsWindowRefusesADatasetNotInTheList) {
  ASSERT_EQ(demo_.makeDemo(), 0);
  const auto [code, transcript] = runScript(
      "window \"Innstillinger\"\n"
      "type ?GLO:DATASETT_NAVN \"Finnes ikke\"\n"
      "press ?OK\n"
      "answer \"Advarsel\" Ok\n"
      "window \"Innstillinger\"\n"
      "dump\n"
      "close\n"
      "window \"Brakel-Sivra Provex (Rnx-versjon) [Demo]\"\n"
      "menu \"Avslutt\"\n",
      "XDG_DATA_HOME='" + (dir_ / "xdg").string() + "'");
  EXPECT_EQ(code, 0) << transcript;
  EXPECT_NE(transcript.find("box \"Advarsel\" \"Finner ikke datasettet: Finnes ikke|Velg et datasett fra listen!\""),
            std::string::npos)
      << transcript;
  EXPECT_NE(transcript.find("dump window \"Innstillinger\" focus ?GLO:DATASETT_NAVN"), std::string::npos) << transcript;
  const std::string ini = readFile(dir_ / "system" / "Siv2000.ini");
  EXPECT_NE(ini.find("Datasett=Demo\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Datasett_navn=Demo\n"), std::string::npos) << ini;
  EXPECT_FALSE(fs::exists(dir_ / "xdg")) << "nothing was made for a blank data directory";
}

// "fjl" finds the laboratory FJL; the import must then read FJL's mappings, not none.
TEST_P(ProgramTest, ALaboratoryCodeTypedInLowerCaseImports) {
  ASSERT_EQ(demo_.makeDemo(), 0);
  const auto [code, transcript] = runScript(
      "window \"Innstillinger\"\n"
      "press ?OK\n"
      "window P1$APPFRAME\n"
      "menu \"&Import\"\n"
      "window \"Import\"\n"
      "type ?THR:LAB \"fjl\"\n"
      "dump ?THR:LAB\n"
      "press ?OKBUTTON\n"
      "dump ?LOC:MELDING_2\n"
      "press ?CANCELBUTTON\n"
      "window P1$APPFRAME\n"
      "menu \"Avslutt\"\n");
  EXPECT_EQ(code, 0) << transcript;
  EXPECT_NE(transcript.find("dump ?THR:LAB \"FJL\""), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("dump ?LOC:MELDING_2 \"Antall Utsl.kontr.prøver lagret:    17\""), std::string::npos)
      << transcript;
  const std::string ini = readFile(dir_ / "system" / "Siv2000.ini");
  EXPECT_NE(ini.find("Lab=FJL\n"), std::string::npos) << ini;
}

// The stop boxes answered Ignore leave the data directory blank: its files go to the user's
// own folder, not to the root of the disk.
TEST_P(ProgramTest, ABlankDataDirectoryUsesTheUsersOwnFolder) {
  const auto [code, transcript] = runScript(
      "answer \"Stop\" Ignore\n"
      "answer \"Stop\" Ignore\n"
      "answer \"Stop\" Ignore\n"
      "window \"Innstillinger\"\n"
      "close\n"
      "window P1$APPFRAME\n"
      "menu \"E&xit\"\n",
      "XDG_DATA_HOME='" + (dir_ / "xdg").string() + "'");
  EXPECT_EQ(code, 0) << transcript;
  EXPECT_TRUE(fs::exists(dir_ / "xdg" / "lab2siv" / "MapFile.tps")) << transcript;
}

// Paths outside Windows-1252. A working directory is never stored in a record: the dataset
// list in it is found. A data directory comes from the dataset list, which cannot hold such a
// character: the start says so instead of failing on every file.
TEST_P(ProgramTest, PathsOutsideWindows1252) {
  const std::string bin = l2stest::DemoProgram::bin();
  const fs::path work = dir_ / "Čast 東";
  fs::create_directories(work);
  const auto start = [&](const std::string& script) {
    std::ofstream(work / "script.txt") << script;
    demo_.run("cd '" + work.string() + "' && LAB2SIV_SYSTEM_DIR='" + (work / "system").string() + "' " +
              l2stest::scriptEnv(GetParam()) + "'" + bin + "lab2siv' " + l2stest::scriptOption(GetParam()) +
              " script.txt --transcript out.txt");
    return readFile(work / "out.txt");
  };
  ASSERT_EQ(demo_.run("cd '" + work.string() + "' && '" + bin + "lab2siv-demo' ."), 0);
  std::string transcript = start("answer \"Stop\" Abort\n");
  EXPECT_NE(transcript.find("box \"Stop\" \"Datakatalogen har tegn som ikke kan brukes i et filnavn: " + dir_.string() +
                            "/?ast ?/data\""),
            std::string::npos)
      << transcript;

  // The same working directory with the data elsewhere.
  ASSERT_EQ(demo_.makeDemo(), 0);
  fs::copy_file(dir_ / "Datasett.tps", work / "Datasett.tps", fs::copy_options::overwrite_existing);
  transcript = start(
      "window \"Innstillinger\"\n"
      "press ?OK\n"
      "window \"Brakel-Sivra Provex (Rnx-versjon) [Demo]\"\n"
      "menu \"E&xit\"\n");
  EXPECT_EQ(transcript.find("box \"Stop\""), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("end 0"), std::string::npos) << transcript;
}

// Turning the wheel over the import window's drop lists, which have not got the focus, leaves
// their choices alone (a later import would store them on every record).
TEST_P(ProgramTest, AWheelOverTheImportWindowsDropListsChangesNothing) {
  ASSERT_EQ(demo_.makeDemo(), 0);
  const char* lists[] = {"?GLO:PRTYPE", "?GLO:PR_METODE", "?GLO:PR_TYPE_TUNGMETALL"};
  std::string script = "window \"Innstillinger\"\npress ?OK\nwindow P1$APPFRAME\nmenu \"&Import\"\nwindow \"Import\"\n";
  for (const char* l : lists) script += std::string("dump ") + l + "\n";
  for (const char* l : lists) script += std::string("wheel ") + l + " -1\nwheel " + l + " 3\n";
  for (const char* l : lists) script += std::string("dump ") + l + "\n";
  script += "close\nwindow P1$APPFRAME\nmenu \"Avslutt\"\n";
  const auto [code, transcript] = runScript(script);
  ASSERT_EQ(code, 0) << transcript;
  for (const char* l : lists) {
    const std::string head = std::string("dump ") + l + " ";
    const auto before = transcript.find(head);
    const auto after = transcript.rfind(head);
    ASSERT_NE(before, after) << transcript;
    EXPECT_EQ(transcript.substr(before, transcript.find('\n', before) - before),
              transcript.substr(after, transcript.find('\n', after) - after));
  }
  EXPECT_NE(transcript.find("dump ?GLO:PRTYPE \"Rutinekontroll\""), std::string::npos) << transcript;
}

INSTANTIATE_TEST_SUITE_P(Backends, ProgramTest, ::testing::ValuesIn(l2stest::scriptBackends()), l2stest::backendName);

}  // namespace
