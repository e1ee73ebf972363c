#include "platform/sys/process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace sys {
namespace {

// Starts argv[0] (looked up in PATH); -1 when it could not start. glibc reports a failed exec
// from posix_spawnp itself.
pid_t spawn(const std::vector<std::string>& argv) {
  if (argv.empty() || argv.front().empty()) return -1;
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
  return pid;
}

// The child's exit code, -1 when it was killed.
int waitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A child nobody waits for is reaped by a small thread of its own, so it leaves no zombie.
void reapLater(pid_t pid) {
  try {
    std::thread([pid] { waitFor(pid); }).detach();
  } catch (...) {
    // No thread to spare: the zombie stays until the program ends; the command still runs.
  }
}

bool start(const std::vector<std::string>& argv, bool wait, bool shell) {
  const pid_t pid = spawn(argv);
  if (pid < 0) return false;
  if (!wait) {
    reapLater(pid);
    return true;
  }
  // The shell reports a command it could not find or run as 127 or 126.
  const int code = waitFor(pid);
  return !(shell && (code == 127 || code == 126));
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quote == '\'') {
      if (c == '\'')
        quote = 0;
      else
        word += c;
    } else if (c == '\\' && i + 1 < line.size()) {
      word += line[++i];
      inWord = true;
    } else if (quote == '"') {
      if (c == '"')
        quote = 0;
      else
        word += c;
    } else if (c == '"' || c == '\'') {
      quote = c;
      inWord = true;
    } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

bool runCommand(std::string_view commandLine, bool throughInterpreter, bool wait) {
  if (commandLine.find_first_not_of(" \t\r\n") == std::string_view::npos) return false;
  if (throughInterpreter) return start({"/bin/sh", "-c", std::string(commandLine)}, wait, true);
  return start(splitCommandLine(commandLine), wait, false);
}

bool runProgram(const std::string& program, const std::vector<std::string>& args, bool wait) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  return start(argv, wait, false);
}

int runProgramExitCode(const std::string& program, const std::vector<std::string>& args) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  const pid_t pid = spawn(argv);
  return pid < 0 ? -1 : waitFor(pid);
}

}  // namespace sys
