// The program's scripted run: script file in, transcript file out, exit code; and the
// ways a script that would hang ends instead.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/window.h"
#include "platform/ui/headless/session.h"
#include "test_session.h"

using namespace ui;
using ::testing::HasSubstr;

namespace {

namespace fs = std::filesystem;

// A small laboratory form: code, name, source option, a message on OK.
void labForm() {
  WindowDef def;
  def.title = "Skjema laboratorium";
  def.controls = {
      {.kind = ControlKind::Entry, .equate = "?MAP:LAB", .picture = "@s4"},
      {.kind = ControlKind::Entry, .equate = "?MAP:LABNAVN", .picture = "@s30"},
      {.kind = ControlKind::Option, .equate = "?MAP:STEDKILDE", .text = "Sted Kilde"},
      {.kind = ControlKind::Radio, .equate = "?STED", .text = "Sted", .parent = "?MAP:STEDKILDE"},
      {.kind = ControlKind::Radio, .equate = "?MATERIAL", .text = "Material", .parent = "?MAP:STEDKILDE"},
      {.kind = ControlKind::Button, .equate = "?OK", .text = "OK"},
  };
  std::string lab, navn, kilde = "Sted";
  Window win(def);
  win.bind("?MAP:LAB", lab);
  win.bind("?MAP:LABNAVN", navn);
  win.bind("?MAP:STEDKILDE", kilde);
  win.open();
  while (auto ev = win.accept()) {
    if (ev.kind == EventKind::Accepted && win.equate(ev.control) == "?OK") {
      if (message("Lagre " + lab + " (" + kilde + ")?", "Advarsel", Icon::Information, Button::Yes | Button::No) ==
          Button::Yes)
        win.post(EventKind::CloseWindow);
    }
  }
}

struct TempDir {
  fs::path path;
  TempDir() {
    path = fs::temp_directory_path() / ("l2s-script-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(path);
  }
  ~TempDir() { fs::remove_all(path); }
};

std::string readFile(const fs::path& p) {
  std::ifstream in(p);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(HeadlessScript, RunsAScriptFileAndWritesTheTranscript) {
  TempDir dir;
  const fs::path script = dir.path / "lab.script";
  const fs::path transcript = dir.path / "lab.transcript";
  std::ofstream(script) << "# a new laboratory\n"
                           "window \"Skjema laboratorium\"\n"
                           "type ?MAP:LAB \"KL01\"\n"
                           "type ?MAP:LABNAVN \"Kjemisk \\\"lab\\\" Ås\"\n"
                           "choose ?MAP:STEDKILDE \"Material\"\n"
                           "dump ?MAP:LABNAVN\n"
                           "press ?OK\n"
                           "answer \"Advarsel\" No\n"
                           "press ?OK\n"
                           "answer \"Advarsel\" Yes\n"
                           "wait-closed \"Skjema laboratorium\"\n";
  const int rc = headless::runScripted(script.string(), transcript.string(), labForm);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(readFile(transcript),
            "open \"Skjema laboratorium\" thread 1\n"
            "dump ?MAP:LABNAVN \"Kjemisk \\\"lab\\\" Ås\"\n"
            "box \"Advarsel\" \"Lagre KL01 (Material)?\" icon information buttons Yes|No answer No\n"
            "box \"Advarsel\" \"Lagre KL01 (Material)?\" icon information buttons Yes|No answer Yes\n"
            "close \"Skjema laboratorium\" thread 1\n"
            "end 0\n");
}

// Every way a script could hang or go wrong ends the run with a clear line and exit code 2.
TEST(HeadlessScript, ScriptsThatWouldHangEndWithAnErrorLine) {
  struct Case {
    const char* script;
    const char* error;
  };
  const Case cases[] = {
      {"timeout 0.3\nwindow \"Finnes ikke\"\n", "error: line 2: window \"Finnes ikke\" did not open within 300 ms"},
      {"window \"Skjema laboratorium\"\npress ?OK\npress ?OK\n",
       "error: line 3: box \"Advarsel\" \"Lagre  (Sted)?\" was not answered"},
      {"window \"Skjema laboratorium\"\npress ?OK\n", "error: box \"Advarsel\" \"Lagre  (Sted)?\" was not answered"},
      {"window \"Skjema laboratorium\"\nanswer \"Advarsel\" Yes\n", "error: line 2: no box \"Advarsel\" to answer"},
      {"window \"Skjema laboratorium\"\npress ?MISSING\n",
       "error: line 2: window \"Skjema laboratorium\" has no control ?MISSING"},
      {"window \"Skjema laboratorium\"\nhop ?OK\n", "error: line 2: unknown verb \"hop\""},
      {"window \"Skjema laboratorium\"\ntype ?MAP:LAB \"uten slutt\n", "error: line 2: unterminated quote"},
  };
  for (const Case& c : cases) {
    l2stest::Session s;
    s.start(labForm);
    std::istringstream in(c.script);
    EXPECT_EQ(headless::runScript(s, in), headless::kRunFailed) << c.script;
    EXPECT_THAT(s.text(), HasSubstr(std::string(c.error) + "\n")) << s.text();
    EXPECT_THAT(s.text(), HasSubstr("end 2\n"));
  }
}

TEST(HeadlessScript, AHaltedProgramEndsTheScriptWithItsCode) {
  l2stest::Session s;
  s.start([] {
    stop("Kan ikke åpne fila: Datasett.tps");
    labForm();
  });
  std::istringstream in("answer \"Stop\" Abort\nwindow \"Skjema laboratorium\"\npress ?OK\n");
  EXPECT_EQ(headless::runScript(s, in), 0);
  EXPECT_THAT(s.text(), HasSubstr("answer Abort\nhalt 0\nnote: the program ended; 2 script line(s) not run\nend 0\n"));
}

// A list window driven from script text: rows by number, a right click with its pop-up
// menu, keys, the thumb, a resize; what the procedure makes of them shows in the dumps.
TEST(HeadlessScript, DrivesAListWindowFromScriptText) {
  l2stest::Session s;
  s.start([] {
    WindowDef def;
    def.title = "Laboratorier";
    def.resizable = true;
    def.controls = {{.kind = ControlKind::List, .equate = "?LIST", .items = 2},
                    {.kind = ControlKind::Text, .equate = "?LAST"}};
    std::string last;
    Window win(def);
    win.bind("?LAST", last);
    win.open();
    win.setRows("?LIST", std::vector<std::string>{"KL01", "KL02"});
    win.setAlertKeys("?LIST", {Key::MouseRight});
    while (auto ev = win.accept()) {
      switch (ev.kind) {
        case EventKind::AlertKey: last = "popup " + std::to_string(popup("&Ny|~&Endre|-|&Velg")); break;
        case EventKind::NewSelection: last = "row " + std::to_string(win.selected("?LIST")); break;
        case EventKind::ScrollDrag: last = "thumb " + std::to_string(ev.number); break;
        case EventKind::Sized: last = "size " + std::to_string(win.position().width); break;
        case EventKind::PageDown: last = "page down"; break;
        default: continue;
      }
      win.display();
    }
  });
  std::istringstream in(
      "window \"Laboratorier\"\n"
      "choose ?LIST #2\n"
      "dump ?LAST\n"
      "key ?LIST MouseRight\n"
      "popup \"&Velg\"\n"
      "dump ?LAST\n"
      "key ?LIST MouseRight\n"
      "popup -\n"
      "dump ?LAST\n"
      "key ?LIST PgDn\n"
      "dump ?LAST\n"
      "drag ?LIST 100\n"
      "dump ?LAST\n"
      "resize 640 480\n"
      "dump ?LAST\n"
      "dump\n"
      "close\n"
      "wait-end\n");
  EXPECT_EQ(headless::runScript(s, in), 0);
  EXPECT_EQ(s.text(),
            "open \"Laboratorier\" thread 1\n"
            "dump ?LAST \"row 2\"\n"
            "popup \"&Ny|~&Endre|-|&Velg\" answer 3\n"
            "dump ?LAST \"popup 3\"\n"
            "popup \"&Ny|~&Endre|-|&Velg\" answer 0\n"
            "dump ?LAST \"popup 0\"\n"
            "dump ?LAST \"page down\"\n"
            "dump ?LAST \"thumb 100\"\n"
            "dump ?LAST \"size 640\"\n"
            "dump window \"Laboratorier\" focus ?LIST\n"
            "close \"Laboratorier\" thread 1\n"
            "end 0\n");
}

}  // namespace
