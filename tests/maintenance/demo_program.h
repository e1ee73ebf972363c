#pragma once
// The real program in a fresh demo working directory, run with a script through the headless
// backend or on the Qt windows; the transcript is read back for the test.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "script_backend.h"
#include "wait_limit.h"

namespace l2stest {

class DemoProgram {
 public:
  explicit DemoProgram(const std::string& name, ScriptBackend backend = ScriptBackend::Headless)
      : backend_(backend),
        dir_(std::filesystem::temp_directory_path() / ("l2s-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~DemoProgram() { std::filesystem::remove_all(dir_); }
  DemoProgram(const DemoProgram&) = delete;
  DemoProgram& operator=(const DemoProgram&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  // Sets up the demo data; the exit code of the demo tool.
  int makeDemo() { return run("'" + bin() + "lab2siv-demo' . >/dev/null"); }
  // Runs `script` in the demo directory, with `env` (NAME='value' ..., redirections) before the
  // program; the program's exit code. The transcript is `transcript()`. The robot waits as long
  // as a loaded machine needs, unless the script sets its own timeout.
  int runScript(const std::string& script, const std::string& env = "") {
    std::ofstream(dir_ / "script.txt") << waitLimitScriptLine() << script;
    return run(scriptEnv(backend_) + env + " '" + bin() + "lab2siv' " + scriptOption(backend_) +
               " script.txt --transcript out.txt");
  }
  std::string transcript() const {
    std::stringstream s;
    s << std::ifstream(dir_ / "out.txt").rdbuf();
    return s.str();
  }

  // The folder of the build's programs, with its trailing slash.
  static std::string bin() { return LAB2SIV_BINARY_DIR "/app/"; }
  // Runs the shell `command` in the demo directory, the system directory inside it; its exit code.
  int run(const std::string& command) {
    const std::string line =
        "cd '" + dir_.string() + "' && LAB2SIV_SYSTEM_DIR='" + (dir_ / "system").string() + "' " + command;
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  ScriptBackend backend_;
  std::filesystem::path dir_;
};

}  // namespace l2stest
