#include "platform/ui/headless/session.h"

#include <charconv>
#include <fstream>
#include <iostream>

#include "platform/ui/api/procedure.h"

namespace ui::headless {

Session::Session() {
  ui::resetProcedures();
  backend_ = std::make_unique<HeadlessBackend>(transcript_);
  driver_ = std::make_unique<HeadlessDriver>(*backend_);
  robot_ = std::make_unique<Robot>(*driver_);
  ui::setBackend(backend_.get());
}

Session::~Session() {
  if (!finished_) finish();
  ui::setBackend(nullptr);
  ui::resetProcedures();
}

bool Session::start(std::function<void()> procedure, std::size_t requestedStack) {
  if (ui::startProcedure(std::move(procedure), requestedStack)) return true;
  robot_->fail("the first procedure could not be started");
  return false;
}

int Session::finish() {
  if (finished_) return exitCode_;
  finished_ = true;
  Robot& r = *robot_;
  endScript(r);
  if (r.failed() || ui::runningProcedures() > 0) {
    // Nothing may hang: every procedure unwinds from its next wait.
    backend_->setQuietHalt(true);
    try {
      ui::haltProgram(kRunFailed);
    } catch (const ui::ProgramHalted&) {
      // Expected: haltProgram always unwinds its caller.
    }
    backend_->cancelAll();
    if (!ui::waitProceduresEnded(r.timeout())) transcript_.add("error: a procedure did not end");
    exitCode_ = kRunFailed;
  } else {
    exitCode_ = ui::programHalted() ? ui::haltCode() : 0;
  }
  transcript_.add("end " + std::to_string(exitCode_));
  return exitCode_;
}

namespace {

// Splits a line into words; "quoted text" with \" \\ \n escapes is one word.
bool tokenize(const std::string& line, std::vector<std::string>& out, std::string& err) {
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    if (line[i] == '"') {
      std::string w;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c == '\\' && i < line.size()) {
          const char e = line[i++];
          w += e == 'n' ? '\n' : e;
        } else {
          w += c;
        }
      }
      if (!closed) {
        err = "unterminated quote";
        return false;
      }
      out.push_back(w);
    } else {
      std::size_t j = i;
      while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
      out.push_back(line.substr(i, j - i));
      i = j;
    }
  }
  return true;
}

bool runLine(Robot& r, const std::vector<std::string>& w) {
  const std::string& verb = w[0];
  const std::size_t n = w.size() - 1;
  auto arity = [&](std::size_t lo, std::size_t hi) {
    if (n >= lo && n <= hi) return true;
    return r.fail(verb + " takes " +
                  (lo == hi ? std::to_string(lo) : std::to_string(lo) + " to " + std::to_string(hi)) + " argument(s)");
  };
  if (verb == "window") return arity(1, 1) && r.window(w[1]);
  if (verb == "type") return arity(2, 2) && r.type(w[1], w[2]);
  if (verb == "check") {
    if (!arity(2, 2)) return false;
    if (w[2] != "on" && w[2] != "off") return r.fail("check takes on or off");
    return r.check(w[1], w[2] == "on");
  }
  if (verb == "choose") {
    if (!arity(2, 2)) return false;
    if (w[2].size() > 1 && w[2][0] == '#') {
      const int row = std::atoi(w[2].c_str() + 1);
      if (row <= 0) return r.fail("bad row number " + w[2]);
      return r.choose(w[1], {}, row);
    }
    return r.choose(w[1], w[2]);
  }
  if (verb == "press") return arity(1, 1) && r.press(w[1]);
  if (verb == "menu") return arity(1, 1) && r.menu(w[1]);
  if (verb == "key") return arity(1, 2) && (n == 1 ? r.key("", w[1]) : r.key(w[1], w[2]));
  if (verb == "answer") return arity(2, 2) && r.answer(w[1], w[2]);
  if (verb == "file") return arity(1, 1) && (w[1] == "-" ? r.cancelFile() : r.file(w[1]));
  if (verb == "popup") {
    if (!arity(1, 1)) return false;
    if (w[1] == "-") return r.popup(0);
    if (w[1].find_first_not_of("0123456789") == std::string::npos) return r.popup(std::atoi(w[1].c_str()));
    return r.popup(w[1]);
  }
  if (verb == "close") return arity(0, 0) && r.close();
  if (verb == "resize") return arity(2, 2) && r.resize(std::atoi(w[1].c_str()), std::atoi(w[2].c_str()));
  if (verb == "mouse") return arity(2, 2) && r.mouse(w[1], w[2]);
  if (verb == "wheel") {
    if (!arity(2, 2)) return false;
    const int notches = std::atoi(w[2].c_str());
    if (notches == 0) return r.fail("bad wheel turn " + quote(w[2]));
    return r.wheel(w[1], notches);
  }
  if (verb == "drag") return arity(2, 2) && r.drag(w[1], std::atoi(w[2].c_str()));
  if (verb == "dump") return arity(0, 1) && r.dump(n == 0 ? std::string() : w[1]);
  if (verb == "wait-closed") return arity(1, 1) && r.waitClosed(w[1]);
  if (verb == "wait-end") return arity(0, 0) && r.waitEnd();
  if (verb == "start") return arity(1, 2) && r.start(w[1], n == 2 ? w[2] : std::string());
  if (verb == "timeout") {
    if (!arity(1, 1)) return false;
    double s = 0;  // from_chars: a point whatever the process locale
    std::from_chars(w[1].data(), w[1].data() + w[1].size(), s);
    if (s <= 0) return r.fail("bad timeout " + w[1]);
    r.setTimeout(std::chrono::milliseconds(static_cast<long long>(s * 1000)));
    return true;
  }
  return r.fail("unknown verb " + quote(verb));
}

}  // namespace

void playScript(Robot& r, Transcript& transcript, std::istream& script) {
  std::string line;
  int number = 0;
  int skipped = 0;
  while (std::getline(script, line)) {
    ++number;
    std::vector<std::string> words;
    std::string err;
    r.setContext("line " + std::to_string(number) + ": ");
    if (!tokenize(line, words, err)) {
      r.fail(err);
      break;
    }
    if (words.empty() || words[0][0] == '#') continue;
    if (ui::programHalted() && words[0] != "wait-end" && !r.failed()) r.waitEnd();
    if (ui::programHalted() && ui::runningProcedures() == 0 && words[0] != "wait-end") {
      ++skipped;
      continue;
    }
    if (!runLine(r, words)) break;
  }
  r.setContext({});
  if (skipped > 0) transcript.add("note: the program ended; " + std::to_string(skipped) + " script line(s) not run");
}

void endScript(Robot& r) {
  if (!r.failed()) {
    if (ui::programHalted()) {
      r.waitEnd();
    } else if (ui::runningProcedures() > 0 && r.settle()) {
      ui::requestShutdown();
      r.waitEnd();
    }
  }
}

int runScript(Session& session, std::istream& script) {
  playScript(session.robot(), session.transcript(), script);
  return session.finish();
}

int reportFailure(const Transcript& transcript, int code) {
  if (code != kRunFailed) return code;
  for (const std::string& line : transcript.lines())
    if (line.rfind("error:", 0) == 0) std::cerr << "lab2siv: " << line << "\n";
  return code;
}

int runScripted(const std::string& scriptPath, const std::string& transcriptPath, std::function<void()> start) {
  Session session;
  if (transcriptPath.empty()) {
    session.transcript().mirrorTo(std::cout);
  } else if (!session.transcriptFile(transcriptPath)) {
    std::cerr << "lab2siv: cannot write the transcript " << quote(transcriptPath) << "\n";
    return kRunFailed;
  }
  std::ifstream script(scriptPath);
  if (!script) {
    session.robot().fail("cannot read the script " + quote(scriptPath));
    return reportFailure(session.transcript(), session.finish());
  }
  session.start(std::move(start));
  return reportFailure(session.transcript(), runScript(session, script));
}

}  // namespace ui::headless
