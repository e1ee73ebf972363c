// The settings window: the dataset choice, the pre-import command and how each way of closing
// stores them; and running the stored command.
#include "shell/settings_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "data/thread_state.h"
#include "data/use_counters.h"
#include "platform/sys/process.h"
#include "shell/main.h"
#include "shell/pre_import_command.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

constexpr const char* kFrame = "P1$APPFRAME";

class SettingsWindowTest : public ShellTest {
 protected:
  // The program up to its frame, then the settings window from the menu.
  void openSettings() {
    makeKnownInstallation();
    ASSERT_TRUE(session().start([] { shell::Main(); }));
    ASSERT_TRUE(robot().window(kFrame)) << failure();
    ASSERT_TRUE(robot().menu("&Innstillinger")) << failure();
    ASSERT_TRUE(robot().window("Innstillinger")) << failure();
  }
  void leaveByExit() {
    ASSERT_TRUE(robot().window(kFrame)) << failure();
    ASSERT_TRUE(robot().menu("E&xit")) << failure();
    EXPECT_EQ(session().finish(), 0);
  }
  data::Lab2SivRecord storedSettings() {
    data::Lab2Siv s;
    s.setName((work() / "Lab2Siv.Tps").string());
    EXPECT_EQ(s.open(), 0);
    s.set();
    EXPECT_EQ(s.next(), 0);
    data::Lab2SivRecord r = s.rec;
    s.close();
    return r;
  }
};

TEST_P(SettingsWindowTest, OkFindsADatasetTypedInAnotherLetterCase) {
  openSettings();
  ASSERT_TRUE(robot().dump("?GLO:DATASETT_NAVN")) << failure();
  ASSERT_TRUE(robot().type("?GLO:DATASETT_NAVN", "demo2")) << failure();
  ASSERT_TRUE(robot().press("?OK")) << failure();
  // Qt's typed combo completes the name to its row's spelling as the user types; headless the
  // name stays as typed.
  const std::string name = GetParam() == l2stest::ScriptBackend::Qt ? "Demo2" : "demo2";
  ASSERT_TRUE(robot().window("Brakel-Sivra Provex (Rnx-versjon) [" + name + "]")) << failure() << session().text();
  EXPECT_EQ(data::DataDirectory(), (root_ / "data2").string());
  leaveByExit();
  EXPECT_TRUE(std::find(lines().begin(), lines().end(), "dump ?GLO:DATASETT_NAVN \"Demo\" selected 1 rows 2") !=
              lines().end())
      << failure();
}

TEST_P(SettingsWindowTest, OkRefusesADatasetItCannotUseAndKeepsTheOneInUse) {
  // A name not in the list would have the program work in the drive's root; a directory too
  // long for the file names would have them cut and name other files.
  // 195 characters: the dataset list holds it, but not every file name built from it fits.
  const std::string longDir = (root_ / std::string(194 - root_.string().size(), 'd')).string();
  openSettings();
  {
    data::DatasettShared& shared = data::datasett();
    std::lock_guard lock(shared.lock);
    const data::DatasettRecord inUse = shared.file.rec;  // the buffer names the dataset in use
    shared.file.clear();
    shared.file.rec.DATASETT_NAVN = "Lang";
    shared.file.rec.DATAKATALOG = longDir;
    ASSERT_EQ(shared.file.add(), 0);
    shared.file.rec = inUse;
  }
  struct Case {
    const char* name;
    std::string message;
  } const cases[] = {
      {"Finnes ikke", "Finner ikke datasettet: Finnes ikke|Velg et datasett fra listen!"},
      {"", "Finner ikke datasettet: |Velg et datasett fra listen!"},
      {"Lang", "Datakatalogen er for lang: " + longDir + "|Navnet på fila Postadresser.tps blir lengre enn 200 tegn."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(robot().type("?GLO:DATASETT_NAVN", c.name)) << failure();
    ASSERT_TRUE(robot().press("?OK")) << failure();
    ASSERT_TRUE(answer("Advarsel", "Ok")) << failure();
    ASSERT_TRUE(robot().window("Innstillinger")) << failure();
    EXPECT_EQ(focus("Innstillinger"), "?GLO:DATASETT_NAVN");
    EXPECT_EQ(data::DataDirectory(), dataDir().string());
    EXPECT_FALSE(linesStarting("box \"Advarsel\" \"" + c.message + "\"").empty()) << linesStarting("box ").back();
  }
  ASSERT_TRUE(robot().close()) << failure();
  ASSERT_TRUE(robot().window("Brakel-Sivra Provex (Rnx-versjon) [Demo]")) << failure();
  ASSERT_TRUE(robot().menu("Avslutt")) << failure();
  EXPECT_EQ(session().finish(), 0);
  EXPECT_NE(iniText().find("Datasett=Demo\n"), std::string::npos) << iniText();
  EXPECT_NE(iniText().find("Datasett_navn=Demo\n"), std::string::npos) << iniText();
}

TEST_P(SettingsWindowTest, TheCloseBoxStoresTheCommandButKeepsTheDataDirectory) {
  openSettings();
  ASSERT_TRUE(robot().choose("?GLO:DATASETT_NAVN", "Demo2")) << failure();
  ASSERT_TRUE(robot().type("?L_S:PREIMPRUN", "/opt/hent/hent.sh")) << failure();
  ASSERT_TRUE(robot().check("?L_S:PREIMPRUNDOS", false)) << failure();
  ASSERT_TRUE(robot().close()) << failure();
  // A name picked and then left is not in use: the title names the one that is.
  ASSERT_TRUE(robot().window("Brakel-Sivra Provex (Rnx-versjon) [Demo]")) << failure();
  EXPECT_EQ(data::DataDirectory(), dataDir().string());
  leaveByExit();
  const data::Lab2SivRecord r = storedSettings();
  EXPECT_EQ(r.PREIMPRUN, "/opt/hent/hent.sh");
  EXPECT_EQ(r.PREIMPRUNDOS, 0);
  EXPECT_EQ(r.PREIMPRUNSTATUS, 1);
}

TEST_P(SettingsWindowTest, TheEditButtonFollowsTheCommand) {
  openSettings();
  struct {
    const char* command;
    bool shown;
  } const cases[] = {{"hent.bat", true}, {"C:\\HENT.BAT /x", true}, {"hent.sh", true}, {"prog.exe", false},
                     {"", false},        {"hent.Sh", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    ASSERT_TRUE(robot().type("?L_S:PREIMPRUN", c.command)) << failure();
    ASSERT_TRUE(robot().dump("?NOTEPADBUTTON")) << failure();
    const std::string last = lines().back();
    EXPECT_EQ(last.find("is hidden") == std::string::npos, c.shown) << last;
  }
  // The button hands the script to the text editor as one argument, never through a shell.
  ::setenv("VISUAL", "touch", 1);
  ASSERT_TRUE(robot().type("?L_S:PREIMPRUN", "hent med blank.sh")) << failure();
  ASSERT_TRUE(robot().press("?NOTEPADBUTTON")) << failure();
  l2stest::pollUntil([&] { return fs::exists(work() / "hent med blank.sh"); });
  ::unsetenv("VISUAL");
  EXPECT_TRUE(fs::exists(work() / "hent med blank.sh"));
  EXPECT_FALSE(fs::exists(work() / "hent"));
  ASSERT_TRUE(robot().close()) << failure();
  leaveByExit();
}

TEST_P(SettingsWindowTest, TheFileDialogSetsTheCommandCutTo150) {
  openSettings();
  const std::string longPath = "/" + std::string(199, 'k');
  ASSERT_TRUE(robot().press("?LOOKUPFILE")) << failure();
  ASSERT_TRUE(robot().cancelFile()) << failure();
  ASSERT_TRUE(robot().dump("?L_S:PREIMPRUN")) << failure();
  EXPECT_EQ(lines().back(), "dump ?L_S:PREIMPRUN \"\"");
  ASSERT_TRUE(robot().press("?LOOKUPFILE")) << failure();
  ASSERT_TRUE(robot().file(longPath)) << failure();
  ASSERT_TRUE(robot().dump("?L_S:PREIMPRUN")) << failure();
  EXPECT_EQ(lines().back(), "dump ?L_S:PREIMPRUN \"" + longPath.substr(0, 150) + "\"");
  ASSERT_TRUE(robot().press("?OK")) << failure();
  leaveByExit();
  EXPECT_EQ(storedSettings().PREIMPRUN.str(), longPath.substr(0, 150));
  EXPECT_TRUE(std::find(lines().begin(), lines().end(), "file \"Velg en programfile\" cancel") != lines().end());
}

// The settings file holds Windows-1252: what it cannot hold is refused by name, and the
// command stored on closing stays the one it held.
TEST_P(SettingsWindowTest, TextTheSettingsCannotHoldIsRefusedNamingTheField) {
  openSettings();
  ASSERT_TRUE(robot().type("?L_S:PREIMPRUN", "/opt/hent.sh")) << failure();
  ASSERT_TRUE(robot().press("?LOOKUPFILE")) << failure();
  ASSERT_TRUE(robot().file("/opt/lab-Čech/hent.sh")) << failure();
  ASSERT_TRUE(answer("Advarsel", "Ok")) << failure();
  EXPECT_FALSE(linesStarting("box \"Advarsel\" \"Program som kjøres før import har tegn som ikke kan lagres: "
                             "Č|/opt/lab-Čech/hent.sh\"")
                   .empty())
      << linesStarting("box ").back();
  ASSERT_TRUE(robot().dump("?L_S:PREIMPRUN")) << failure();
  EXPECT_EQ(lines().back(), "dump ?L_S:PREIMPRUN \"/opt/hent.sh\"");

  struct Case {
    const char* field;
    const char* typed;
    const char* message;
  } const cases[] = {
      {"?GLO:DATASETT_NAVN", "Demo 漢字", "Datasett Brakel Sivra 2000 har tegn som ikke kan lagres: 漢字"},
      {"?L_S:PREIMPRUN", "/opt/lab-Čech/hent.sh", "Program som kjøres før import har tegn som ikke kan lagres: Č"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    ASSERT_TRUE(robot().type(c.field, c.typed)) << failure();
    ASSERT_TRUE(robot().press("?OK")) << failure();
    ASSERT_TRUE(answer("Advarsel", "Ok")) << failure();
    ASSERT_TRUE(robot().window("Innstillinger")) << failure();
    EXPECT_EQ(focus("Innstillinger"), c.field);
    EXPECT_FALSE(linesStarting("box \"Advarsel\" \"" + std::string(c.message) + "\"").empty())
        << linesStarting("box ").back();
    ASSERT_TRUE(robot().type("?GLO:DATASETT_NAVN", "Demo")) << failure();
  }
  // Left by its close box the window stores the command it holds, so it says what stays out.
  ASSERT_TRUE(robot().close()) << failure();
  ASSERT_TRUE(answer("Advarsel", "Ok")) << failure();
  ASSERT_TRUE(robot().window("Brakel-Sivra Provex (Rnx-versjon) [Demo]")) << failure();
  EXPECT_EQ(data::DataDirectory(), dataDir().string());
  leaveByExit();
  EXPECT_EQ(storedSettings().PREIMPRUN.str(), "/opt/hent.sh");
}

// RunPreImportCommand on a thread of its own, the settings record written beforehand.
class PreImportCommandTest : public ShellTest {
 protected:
  void storeCommand(const std::string& command, int dos, int wait) {
    data::Lab2Siv s;
    s.setName((work() / "Lab2Siv.Tps").string());
    if (s.open() == 2) {
      ASSERT_EQ(s.create(), 0);
      ASSERT_EQ(s.open(), 0);
    }
    s.set();
    const bool exists = s.next() == 0;
    s.rec.PREIMPRUN = command;
    s.rec.PREIMPRUNDOS = static_cast<std::uint8_t>(dos);
    s.rec.PREIMPRUNSTATUS = static_cast<std::uint8_t>(wait);
    ASSERT_EQ(exists ? s.put() : s.add(), 0);
    s.close();
  }
  // Runs the command; tells whether the marker file existed when the call returned and whether
  // the thread's settings file was left as it was (closed).
  void run(bool& markerAtReturn, bool& leftClosed) {
    const fs::path marker = work() / "marker";
    ASSERT_TRUE(session().start([&] {
      data::SetFileNames();
      shell::RunPreImportCommand();
      markerAtReturn = fs::exists(marker);
      leftClosed = !data::thr().Lab2Siv.isOpen();
    }));
    ASSERT_TRUE(robot().waitEnd()) << failure();
  }
};

TEST_P(PreImportCommandTest, RunsTheStoredCommandAsItsSwitchesSay) {
  struct Case {
    const char* name;
    const char* command;
    int dos, wait;
    bool markerAtReturn;
  } const cases[] = {
      {"started directly, waited for", "touch marker", 0, 1, true},
      {"through the interpreter, waited for", "sleep 0.2 && echo x > marker", 1, 1, true},
      {"blank: nothing starts", "   ", 1, 1, false},
      {"through the interpreter, not waited for", "sleep 0.3 && touch marker", 1, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(work() / "marker");
    storeCommand(c.command, c.dos, c.wait);
    bool atReturn = false, closed = false;
    run(atReturn, closed);
    EXPECT_EQ(atReturn, c.markerAtReturn);
    EXPECT_TRUE(closed);
    session_.reset();
    newSession();
  }
  // The command not waited for goes on and ends by itself.
  l2stest::pollUntil([&] { return fs::exists(work() / "marker"); });
  EXPECT_TRUE(fs::exists(work() / "marker"));
}

// A script chosen with "...": its folder holds a blank and the script lacks the execute bit,
// as scripts copied from elsewhere do.
TEST_P(PreImportCommandTest, AScriptChosenInTheDialogRuns) {
  const fs::path script = work() / "mine skript" / "hent $1.sh";
  fs::create_directories(script.parent_path());
  std::ofstream(script) << "touch marker\n";
  fs::permissions(script, fs::perms::owner_read | fs::perms::owner_write);
  const std::string command = shell::commandForProgram(script.string());
  EXPECT_EQ(sys::splitCommandLine(command), std::vector<std::string>{script.string()});
  storeCommand(command, 1, 1);
  bool atReturn = false, closed = false;
  run(atReturn, closed);
  EXPECT_TRUE(atReturn) << "\"Dos program\" runs the script through the shell";
  EXPECT_TRUE(linesStarting("box ").empty()) << linesStarting("box ").front();
}

TEST_P(PreImportCommandTest, ACommandThatCannotStartIsSaid) {
  const fs::path script = work() / "hent.sh";
  std::ofstream(script) << "touch marker\n";
  fs::permissions(script, fs::perms::owner_read | fs::perms::owner_write);
  struct Case {
    std::string command;
    int dos;
    int wait;
    const char* why;
  } const cases[] = {
      {script.string(), 0, 1, "Fila er ikke kjørbar. Et skript kjøres med «Dos program» på."},
      {"/finnes/ikke/hent.sh", 1, 0, "Fila finnes ikke."},
      {"finnes-ikke-program --alt", 0, 0, "Programmet finnes ikke eller kan ikke kjøres."},
      {"finnes-ikke-program", 1, 1, "Programmet finnes ikke eller kan ikke kjøres."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    storeCommand(c.command, c.dos, c.wait);
    ASSERT_TRUE(session().start([] {
      data::SetFileNames();
      shell::RunPreImportCommand();
    }));
    ASSERT_TRUE(answer("Advarsel", "Ok")) << failure();
    ASSERT_TRUE(robot().waitEnd()) << failure();
    const auto boxes = linesStarting("box \"Advarsel\"");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].substr(0, boxes[0].find("\" icon")),
              "box \"Advarsel\" \"Kan ikke kjøre programmet som kjøres før import:|" + c.command + "|" + c.why);
    session_.reset();
    newSession();
  }
  EXPECT_FALSE(fs::exists(work() / "marker"));
}

TEST_P(PreImportCommandTest, WithoutASettingsRecordNothingStarts) {
  bool atReturn = true, closed = false;
  run(atReturn, closed);
  EXPECT_FALSE(atReturn);
  EXPECT_TRUE(closed);
  EXPECT_TRUE(fs::exists(work() / "Lab2Siv.Tps"));
}

TEST(PreImportCommandLine, ComesFromTheRecordTrimmed) {
  const shell::PreImportCommand c = shell::preImportCommand("hent.sh --alt   ", 2, 0);
  EXPECT_EQ(c.line, "hent.sh --alt");
  EXPECT_TRUE(c.throughInterpreter);
  EXPECT_FALSE(c.wait);
  EXPECT_TRUE(shell::preImportCommand("    ", 1, 1).line.empty());
}

INSTANTIATE_TEST_SUITE_P(Backends, PreImportCommandTest, ::testing::ValuesIn(l2stest::windowBackends()),
                         l2stest::backendName);
INSTANTIATE_TEST_SUITE_P(Backends, SettingsWindowTest, ::testing::ValuesIn(l2stest::windowBackends()),
                         l2stest::backendName);

}  // namespace
}  // namespace shelltest
