#include "import/viewers/log_file_view.h"

#include <algorithm>
#include <string>
#include <vector>

#include "data/file_names.h"
#include "data/thread_state.h"
#include "data/warnings.h"
#include "import/viewers/line_reader.h"
#include "import/viewers/text_search.h"
#include "platform/store/paths.h"
#include "platform/text/str.h"
#include "platform/ui/api/def_builders.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/line_printer.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/refresh.h"
#include "platform/ui/api/row_pager.h"
#include "platform/ui/api/window.h"

namespace import {

namespace {

using ui::ControlDef;
using ui::ControlKind;
using K = ui::EventKind;

constexpr const char* kTitle = "Se på Logg-file";

// A standard warning about the line file: its own error, not the store's.
int fileWarning(data::Warning kind, const std::string& name, int code = 0, const std::string& error = {}) {
  data::WarningBox box;
  const std::string err = code == 0 ? std::string() : data::warningErrorText({code, error, 0, {}});
  if (!data::warningBox(kind, name, {}, err, code, box)) return 0;
  return ui::message(box.text, box.caption, box.icon, box.buttons, box.defaultButton);
}

class LogViewer {
 public:
  LogViewer()
      : win_(logViewWindowDef()), pager_(win_, "?ASCIIBOX", [this](std::size_t i) {
          return ui::ListRow{{lines_[i]}, false};
        }) {}

  void run();

 private:
  void refresh();
  void load(const std::string& path);
  bool readTick(LineReader& r, ui::Window& pw);
  void search();
  void searchDialog();
  void print();

  ui::Window win_;
  std::vector<std::string> lines_;
  ui::RowPager pager_;
  std::string loaded_;  // name of the file last loaded
  SearchSettings search_;
  // Loading counters.
  long long size_ = 0, read_ = 0;
  int pct_ = 0, shownPct_ = -1;
};

void LogViewer::run() {
  win_.open();
  win_.disable("?ASCIIREPEAT");
  const auto show = [this] { refresh(); };
  const ui::RefreshHandlers refreshing{.open =
                                           [&] {
                                             refresh();
                                             win_.select("?ASCIIBOX");
                                           },
                                       .gainFocus = show,
                                       .refresh = show};
  while (auto ev = win_.accept()) {
    if (pager_.handle(ev) || ui::handleRefresh(ev, refreshing)) continue;
    switch (ev.kind) {
      case K::Accepted: {
        const std::string eq = win_.equate(ev.control);
        if (eq == "?ASCIIPRINT") print();
        if (eq == "?ASCIISEARCH") searchDialog();
        if (eq == "?ASCIIREPEAT") search();
        if (eq == "?CLOSE") win_.post(K::CloseWindow);
        break;
      }
      default: break;
    }
  }
}

void LogViewer::refresh() {
  const std::string name = data::fileName(data::FileId::ImportLog);
  if (name != loaded_) {
    load(name);
    loaded_ = name;
  }
  pager_.show();  // the list box may have changed size
  win_.display();
}

void LogViewer::load(const std::string& name) {
  lines_.clear();
  pager_.reset(0);
  if (text::trimRight(name).empty()) {
    win_.disable("?ASCIIBOX");
    return;
  }
  const std::string path = store::resolvePath(name);
  win_.enable("?ASCIIBOX");
  LineReader reader;
  if (!reader.open(path)) {
    win_.disable("?ASCIIBOX");
    fileWarning(data::kFileLoadError, path, reader.code(), reader.error());
    return;
  }
  size_ = reader.size();
  if (size_ == 0) {
    reader.close();
    win_.disable("?ASCIIBOX");
    fileWarning(data::kFileHasNoText, path);
    return;
  }
  read_ = 0;
  pct_ = 0;
  shownPct_ = 0;
  ui::Window pw(logProgressWindowDef());
  pw.open();
  pw.setTitle("Reading File");
  pw.setValue("?PROGRESS:PCTTEXT", "0% Completed");
  pw.setValue("?PROGRESS:USERSTRING", kTitle);
  while (auto ev = pw.accept()) {
    if (ev.kind == K::Timer) {
      if (!readTick(reader, pw)) pw.close();
    } else if ((ev.kind == K::Accepted && pw.equate(ev.control) == "?PROGRESS:CANCEL") || ev.kind == K::CloseWindow) {
      // The lines read so far stay.
      if (fileWarning(data::kConfirmStopLoading, path) == ui::Button::Ok)
        pw.close();
      else if (ev.kind == K::CloseWindow)
        pw.vetoClose();
    }
  }
  reader.close();
  pager_.reset(lines_.size());
}

// One tick: lines until this tick's bytes reach the limit; false at the end of the file.
bool LogViewer::readTick(LineReader& r, ui::Window& pw) {
  long long tick = 0;
  bool more = true;
  std::string line;
  while (tick < kLogBytesPerTick) {
    const std::int64_t n = r.next(line);
    if (n < 0) {
      more = false;
      break;
    }
    lines_.push_back(line);
    tick += n;
    read_ += n;
  }
  if (pct_ < 100) {
    pct_ = static_cast<int>(std::min<long long>(100, read_ * 100 / size_));
    if (pct_ != shownPct_) {
      shownPct_ = pct_;
      pw.setValue("?ASC1:PROGRESS:THERMOMETER", std::to_string(pct_));
      pw.setValue("?PROGRESS:PCTTEXT", std::to_string(pct_) + "% Completed (" + std::to_string(read_) + ") bytes");
    }
  }
  return more;
}

void LogViewer::searchDialog() {
  text::Str<80> what;
  bool wholeWord = search_.wholeWord, matchCase = search_.matchCase;
  std::string direction = search_.down ? "Down" : "Up";
  ui::Window sw(logSearchWindowDef());
  sw.bind("?ASC1:SEARCHSTRING", what);
  sw.bind("?ASC1:WHOLEWORD", wholeWord);
  sw.bind("?ASC1:MATCHCASE", matchCase);
  sw.bind("?ASC1:DIRECTION", direction);
  sw.open();
  sw.display();
  sw.select("?ASC1:SEARCHSTRING");
  bool find = false;
  while (auto ev = sw.accept()) {
    if (ev.kind == K::Rejected) sw.refuse(ev.control);
    if (ev.kind != K::Accepted) continue;
    const std::string eq = sw.equate(ev.control);
    // Enter in "Find What" finds, as the button does.
    if (eq == "?ASC1:SEARCH" || (eq == "?ASC1:SEARCHSTRING" && ev.key == ui::Key::Enter)) {
      for (const char* c : {"?ASC1:SEARCHSTRING", "?ASC1:WHOLEWORD", "?ASC1:MATCHCASE", "?ASC1:DIRECTION"})
        sw.update(c);
      find = true;
      sw.post(K::CloseWindow);
    } else if (eq == "?ASC1:CANCELSEARCH") {
      sw.post(K::CloseWindow);
    }
  }
  sw.close();
  // Closing the search window any other way than by "Find" is its "Cancel".
  search_.text = what.str();
  search_.wholeWord = wholeWord;
  search_.matchCase = matchCase;
  search_.down = direction != "Up";
  if (!find) {
    win_.disable("?ASCIIREPEAT");
    return;
  }
  search();
  win_.enable("?ASCIIREPEAT");
}

void LogViewer::search() {
  ui::WaitCursor wait;
  const std::size_t row = searchRows(lines_, pager_.current(), search_, [](bool down) {
    return data::ShowWarningText(data::kEndOfViewedFile, down ? "Down" : "Up") == ui::Button::Yes;
  });
  if (row != 0) pager_.setCurrent(row);
}

void LogViewer::print() {
  if (lines_.empty()) return;
  std::string error;
  {
    ui::WaitCursor wait;
    error = ui::printLines(lines_, "Fixedsys", 9);
  }
  if (!error.empty()) ui::message(error, "Advarsel", ui::Icon::Information);
}

}  // namespace

ui::WindowDef logViewWindowDef() {
  using namespace ui::defs;
  ui::WindowDef w = window("LogFileView", kTitle, "", kTitle);
  w.resizable = true;
  w.width = 560;
  w.height = 300;
  ControlDef box = listBox("?ASCIIBOX", 0, 1, {dropColumn(150, "")});
  // Lines wider than the window scroll sideways inside the list, which keeps its vertical
  // scroll bar in view.
  box.hscroll = true;
  box.fixedFont = true;
  ControlDef help = iconButton("?HELP", "", "Hjelp", "HELP.ICO");
  help.action = ui::StdAction::Help;
  w.controls = {box,
                iconButton("?ASCIIPRINT", "", "Skriv ut", "PRINT.ICO"),
                button("?ASCIISEARCH", "&Søk..."),
                button("?ASCIIREPEAT", "Søk neste"),
                button("?CLOSE", "&Lukk"),
                help};
  return w;
}

ui::WindowDef logSearchWindowDef() {
  using namespace ui::defs;
  ui::WindowDef w = window("LogSearch", "Searching Text...");
  w.modal = true;
  w.controls = {
      prompt("?ASC1:TEXTPROMPT", "Find What:"),
      entry("?ASC1:SEARCHSTRING", "@s20"),
      check("?ASC1:WHOLEWORD", "Match &Whole Word Only"),
      check("?ASC1:MATCHCASE", "Match &Case"),
      option("?ASC1:DIRECTION", "Direction"),
      inside(control(ControlKind::Radio, "?ASC1:DIRECTION:RADIO1", "Up"), "?ASC1:DIRECTION"),
      inside(control(ControlKind::Radio, "?ASC1:DIRECTION:RADIO2", "Down"), "?ASC1:DIRECTION"),
      button("?ASC1:SEARCH", "Find"),
      button("?ASC1:CANCELSEARCH", "Cancel"),
  };
  return w;
}

ui::WindowDef logProgressWindowDef() {
  using namespace ui::defs;
  ui::WindowDef w = window("LogProgress", "Progress...");
  w.timer = 1;
  // Room for the longest running text, "100% Completed (52428800) bytes".
  w.width = 180;
  w.height = 64;
  w.controls = {
      textLine("?PROGRESS:USERSTRING", ""),
      progress("?ASC1:PROGRESS:THERMOMETER", 0, 100),
      textLine("?PROGRESS:PCTTEXT", "0% Completed"),
      button("?PROGRESS:CANCEL", "Cancel"),
  };
  return w;
}

void LogFileView() {
  data::takeThreadRequest();
  LogViewer viewer;
  viewer.run();
}

}  // namespace import
