// The command line: the options as read, and the real programs run as a user runs them
// (--help and --version without a display, an unknown option refused with exit code 2, a
// scripted run without a transcript file writing to stdout, a failed run saying why on stderr).
#include "../../app/command_line.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "lab2siv_version.h"
#include "script_backend.h"
#include "wait_limit.h"

namespace fs = std::filesystem;

namespace {

using Action = app::CommandLine::Action;

TEST(CommandLine, ReadsTheOptions) {
  struct Case {
    std::vector<std::string> args;
    Action action;
    const char* script;
    const char* transcript;
    const char* error;
  };
  const Case cases[] = {
      {{}, Action::Windows, "", "", ""},
      {{"-platform", "offscreen", "-style=fusion"}, Action::Windows, "", "", ""},
      {{"--headless", "--script", "a.txt", "--transcript", "b.txt"}, Action::Scripted, "a.txt", "b.txt", ""},
      {{"--headless", "--script=a.txt"}, Action::Scripted, "a.txt", "", ""},
      {{"--help", "--bogus"}, Action::Help, "", "", ""},
      {{"--version"}, Action::Version, "", "", ""},
      {{"--headless"}, Action::Error, "", "", "--headless needs --script FILE"},
      {{"--headless", "--script"}, Action::Error, "", "", "--script needs a file name"},
      {{"--headless", "--script", "a", "--fast"}, Action::Error, "a", "", "unknown option --fast"},
      {{"--script", "a", "--transcript", "b"}, Action::Scripted, "a", "b", ""},
      {{"--transcript", "b"}, Action::Error, "", "b", "--transcript goes with --script"},
      {{"-platform"}, Action::Error, "", "", "-platform needs a value"},
      {{"data"}, Action::Error, "", "", "unexpected argument data"},
  };
  for (const Case& c : cases) {
    const app::CommandLine got = app::parseCommandLine(c.args);
    SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args.front());
    EXPECT_EQ(got.action, c.action);
    EXPECT_EQ(got.script, c.script);
    EXPECT_EQ(got.transcript, c.transcript);
    EXPECT_EQ(got.error, c.error);
    EXPECT_EQ(got.headless, c.args.size() > 1 && c.args.front() == "--headless" && c.error[0] == '\0');
  }
}

struct Result {
  int code = -1;
  std::string out, err;
};

std::string readFile(const fs::path& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class ProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("l2s-cli-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs a program of the build in the scratch directory with no display at all (`env`:
  // NAME=value ... set for it).
  Result run(const std::string& program, const std::string& args, const std::string& env = "") {
    const std::string line = "cd '" + dir_.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                             env + "LAB2SIV_SYSTEM_DIR='" + (dir_ / "system").string() +
                             "' '" LAB2SIV_BINARY_DIR "/app/" + program + "' " + args + " >out.txt 2>err.txt";
    const int status = std::system(line.c_str());
    Result r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = readFile(dir_ / "out.txt");
    r.err = readFile(dir_ / "err.txt");
    return r;
  }
  fs::path dir_;
};

TEST_F(ProgramRun, HelpVersionAndUnknownOptionsNeedNoDisplay) {
  const Result help = run("lab2siv", "--help");
  EXPECT_EQ(help.code, 0) << help.err;
  for (const char* part :
       {"--headless", "--script", "--version", "LAB2SIV_SYSTEM_DIR", "XDG_CONFIG_HOME", "Datasett.tps", "Siv2000.ini"})
    EXPECT_NE(help.out.find(part), std::string::npos) << part << "\n" << help.out;
  // Unset, the drive root is the user's own folder, never the disk's root.
  EXPECT_NE(help.out.find("(default $XDG_DATA_HOME/lab2siv"), std::string::npos) << help.out;

  const Result version = run("lab2siv", "--version");
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, std::string("lab2siv ") + lab2siv::kVersion + " (" + lab2siv::kVersionDate + ")\n");

  const Result unknown = run("lab2siv", "--frobnicate");
  EXPECT_EQ(unknown.code, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_NE(unknown.err.find("unknown option --frobnicate"), std::string::npos) << unknown.err;

  const Result demoHelp = run("lab2siv-demo", "--help");
  EXPECT_EQ(demoHelp.code, 0);
  EXPECT_NE(demoHelp.out.find("Usage: lab2siv-demo DIR"), std::string::npos) << demoHelp.out;
  const Result demoOption = run("lab2siv-demo", "--force");
  EXPECT_EQ(demoOption.code, 2);
  EXPECT_NE(demoOption.err.find("unknown option --force"), std::string::npos) << demoOption.err;
  EXPECT_FALSE(fs::exists(dir_ / "--force"));
}

// Scripted runs, headless and on the Qt windows (offscreen: still no display).
class ScriptedRun : public ProgramRun, public ::testing::WithParamInterface<l2stest::ScriptBackend> {
 protected:
  Result scripted(const std::string& args) {
    return run("lab2siv", l2stest::scriptOption(GetParam()) + " " + args, l2stest::scriptEnv(GetParam()));
  }
};

TEST_P(ScriptedRun, WithoutATranscriptFileItWritesToStdoutAndFailuresToStderr) {
  // No dataset list: the first stop box comes; the script answers it with Abort.
  std::ofstream(dir_ / "ok.txt") << "answer \"Stop\" Abort\n";
  const Result ok = scripted("ok.txt");
  EXPECT_EQ(ok.code, 0) << ok.err;
  EXPECT_NE(ok.out.find("box \"Stop\""), std::string::npos) << ok.out;
  EXPECT_NE(ok.out.find("end 0"), std::string::npos) << ok.out;
  // Qt's platform may say what it cannot do (raise a window offscreen); the program says nothing.
  EXPECT_EQ(ok.err.find("lab2siv"), std::string::npos) << ok.err;
  if (GetParam() == l2stest::ScriptBackend::Headless) {
    EXPECT_EQ(ok.err, "");
  }

  std::ofstream(dir_ / "bad.txt") << "window \"Ingen slik\"\n";
  const Result bad = scripted("bad.txt --transcript t.txt");
  EXPECT_EQ(bad.code, 2);
  EXPECT_NE(bad.err.find("error:"), std::string::npos) << bad.err;
  EXPECT_NE(readFile(dir_ / "t.txt").find("end 2"), std::string::npos);

  const Result missing = scripted("nowhere.txt");
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find("cannot read the script"), std::string::npos) << missing.err;
}

// The example of docs/script-format.md, as written, in a fresh demo working directory.
TEST_P(ScriptedRun, TheScriptFormatExampleRunsAsWritten) {
  const std::string doc = readFile(LAB2SIV_FIXTURES "/../../docs/script-format.md");
  const std::size_t example = doc.find("## Example");
  ASSERT_NE(example, std::string::npos);
  const std::size_t begin = doc.find("```\n", example);
  ASSERT_NE(begin, std::string::npos);
  const std::size_t end = doc.find("```", begin + 4);
  ASSERT_NE(end, std::string::npos);
  // The robot's wait limit first, so a loaded machine does not fail the example's first window.
  std::ofstream(dir_ / "example.txt") << l2stest::waitLimitScriptLine() << doc.substr(begin + 4, end - begin - 4);

  ASSERT_EQ(run("lab2siv-demo", ".").code, 0);
  const Result r = scripted("example.txt");
  EXPECT_EQ(r.code, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("dump ?MAP:LABNAVN \"Fjordlab Miljøanalyse AS\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("dump ?LOC:MELDING_1 \"Ferdig!\""), std::string::npos) << r.out;
  EXPECT_NE(readFile(dir_ / "system" / "Siv2000.ini").find("Datasett=Demo"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Backends, ScriptedRun, ::testing::ValuesIn(l2stest::scriptBackends()), l2stest::backendName);

}  // namespace
