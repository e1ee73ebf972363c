#include "shell/settings_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "data/warnings.h"
#include "platform/sys/desktop.h"
#include "platform/text/codepage.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/refresh.h"
#include "platform/ui/api/window.h"
#include "shell/global_settings.h"
#include "shell/pre_import_command.h"
#include "shell/window_parts.h"

namespace shell {
namespace {

using ui::ControlDef;
using ui::ControlKind;

constexpr const char* kCommandTip = "program som kjøres før import";

struct DatasetEntry {
  text::Str<50> name;
  text::Str<200> directory;
};

// Fills the choice list from the dataset list in key order. The walk reads through the list's
// record buffer, which also holds the dataset last looked up (the one "Avslutt" stores), so the
// buffer is put back afterwards. False when a read error ended it (the window is to close).
bool loadDatasetList(ui::Window& win, std::vector<DatasetEntry>& list, text::Str<50>& chosen) {
  list.clear();
  int failed = 0;  // the warning to show once the list is let go
  {
    std::lock_guard lock(data::datasett().lock);
    data::Datasett& ds = data::datasett().file;
    const data::DatasettRecord kept = ds.rec;
    if (ds.set(data::Datasett::DATASETT_KEY) != 0) {
      failed = 36;
    } else {
      for (;;) {
        const int err = ds.next();
        if (err == 33) break;
        if (err != 0) {
          failed = 35;
          break;
        }
        list.push_back({ds.rec.DATASETT_NAVN, ds.rec.DATAKATALOG});
      }
    }
    // The read error is the one the warning reports, not a later success.
    if (failed != 0) data::SaveLastError();
    ds.rec = kept;
  }
  if (failed == 36) data::ShowWarningKind(data::kViewOpenError);
  if (failed == 35) {
    data::ShowWarningText(data::kRecordRetrievalError, "Datasett");
    win.post(ui::EventKind::CloseWindow);
    return false;
  }

  if (list.empty()) {
    chosen.clear();
    win.setRows("?GLO:DATASETT_NAVN", std::vector<std::string>{});
    win.display();
    return true;
  }
  std::stable_sort(list.begin(), list.end(),
                   [](const DatasetEntry& a, const DatasetEntry& b) { return a.name < b.name; });
  std::vector<std::string> names;
  for (const DatasetEntry& e : list) names.push_back(e.name.str());
  win.setRows("?GLO:DATASETT_NAVN", names);
  if (!chosen.blank()) {
    const auto it =
        std::find_if(list.begin(), list.end(), [&chosen](const DatasetEntry& e) { return e.name == chosen; });
    if (it != list.end()) win.setSelected("?GLO:DATASETT_NAVN", int(it - list.begin()) + 1);
  }
  win.display();
  return true;
}

// A switch shown by a check box: any value but 0 is on.
void bindSwitch(ui::Window& win, const char* equate, std::uint8_t& var) {
  win.bindText(
      equate, [&var] { return std::string(var != 0 ? "1" : "0"); },
      [&var](const std::string& v) { var = v == "1" ? 1 : 0; });
}

}  // namespace

bool namesBatchFile(std::string_view command) {
  const std::string up = text::upper1252(text::toCp1252(command));
  return up.find(".BAT") != std::string::npos || up.find(".SH") != std::string::npos;
}

ui::WindowDef settingsWindowDef() {
  using namespace ui::defs;
  ui::WindowDef d = window("Innstillinger", "Innstillinger", "", "Innstillinger");
  // The command's entry and switches show how the command runs as their tip and status text.
  const auto command = [](ControlDef c) {
    c.tip = c.status = kCommandTip;
    return c;
  };
  ControlDef notepad = iconButton("?NOTEPADBUTTON", "", "Editer BAT-file", "NOTEPAD.ICO");
  notepad.hidden = true;
  ControlDef ok = button("?OK", "OK");
  ok.isDefault = true;
  d.controls = {
      prompt("?PROMPT2", "Datasett Brakel Sivra 2000:"),
      combo("?GLO:DATASETT_NAVN", "@s50", 10, {column(50, 2, "", "")}),
      prompt("?L_S:PREIMPRUN:PROMPT", "Program som kjøres før import:"),
      command(entry("?L_S:PREIMPRUN", "@s150")),
      lookupButton("?LOOKUPFILE", "Velg Bat- eller Programfile"),
      command(check("?L_S:PREIMPRUNSTATUS", "Programmet kjøres eksklusivt")),
      notepad,
      command(check("?L_S:PREIMPRUNDOS", "Dos program")),
      ok,
      helpButton("Hjelp for dette vindu"),
  };
  return d;
}

void SettingsWindow() {
  data::ThreadState& t = data::thr();
  data::takeThreadRequest();
  data::SetFileNames();
  t.Lab2Siv.set();
  t.Lab2Siv.next();
  data::useDatasett();
  const data::UsedFiles files{data::FileId::Lab2Siv};

  auto& rec = t.Lab2Siv.rec;
  std::vector<DatasetEntry> list;
  // The dataset in use changes only through OK: a name picked and then left is not in use, and
  // the frame's title and "Avslutt" name the one that is.
  text::Str<50> chosen = globals().DATASETT_NAVN;
  ui::Window win(settingsWindowDef());
  win.bind("?GLO:DATASETT_NAVN", chosen);
  win.bind("?L_S:PREIMPRUN", rec.PREIMPRUN);
  bindSwitch(win, "?L_S:PREIMPRUNSTATUS", rec.PREIMPRUNSTATUS);
  bindSwitch(win, "?L_S:PREIMPRUNDOS", rec.PREIMPRUNDOS);
  win.open();

  const auto show = [&win] { win.display(); };
  const ui::RefreshHandlers refreshing{
      .open = [&] { loadDatasetList(win, list, chosen), show(); }, .gainFocus = show, .refresh = show};
  while (auto ev = win.accept()) {
    if (namesBatchFile(rec.PREIMPRUN.str())) {
      win.unhide("?NOTEPADBUTTON");
    } else {
      win.hide("?NOTEPADBUTTON");
    }
    const std::string eq = win.equate(ev.control);
    if (ui::handleRefresh(ev, refreshing)) continue;
    switch (ev.kind) {
      case ui::EventKind::Rejected: win.refuse(ev.control); break;
      case ui::EventKind::Accepted:
        if (eq == "?GLO:DATASETT_NAVN") {
          const bool known =
              std::any_of(list.begin(), list.end(), [&chosen](const DatasetEntry& e) { return e.name == chosen; });
          if (!known) win.select("?GLO:DATASETT_NAVN");
        } else if (eq == "?LOOKUPFILE") {
          std::string path = commandProgram(rec.PREIMPRUN.str());
          if (ui::fileDialog("Velg en programfile", path,
                             "Skallskript|*.sh|Bat filer|*.bat|Program filer|*.exe|Alle filer|*.*") &&
              !ui::refuseNotCp1252(win, "?L_S:PREIMPRUN", path)) {
            // Stored so that it runs: a path with a blank is one word only when quoted.
            rec.PREIMPRUN = commandForProgram(path);
            win.display();
          }
        } else if (eq == "?NOTEPADBUTTON") {
          // A quoted program is the file; an unquoted text is taken whole, as typed.
          const std::string command = rec.PREIMPRUN.str();
          sys::openInTextEditor(command.starts_with('"') ? commandProgram(command) : command);
        } else if (eq == "?OK") {
          if (ui::refuseNotCp1252(win)) break;
          std::string refused;
          {
            std::lock_guard lock(data::datasett().lock);
            data::Datasett& ds = data::datasett().file;
            const data::DatasettRecord inUse = ds.rec;
            ds.rec.DATASETT_NAVN = chosen;
            if (chosen.blank() || ds.get(data::Datasett::DATASETT_KEY) != 0) {
              refused = "Finner ikke datasettet: " + chosen.str() + "|Velg et datasett fra listen!";
            } else {
              refused = data::dataDirectoryProblem(ds.rec.DATAKATALOG.str());
              if (ds.rec.DATAKATALOG.blank()) refused = "Datakataloger må være angitt!";
            }
            if (refused.empty()) {
              data::setDataDirectory(ds.rec.DATAKATALOG.str());
              editGlobals([&chosen](GlobalSettings& g) { g.DATASETT_NAVN = chosen; });
            } else {
              ds.rec = inUse;  // the dataset in use stays, and "Avslutt" stores it
            }
          }
          if (refused.empty()) {
            win.post(ui::EventKind::CloseWindow);
          } else {
            ui::message(refused, "Advarsel", ui::Icon::Information);
            win.select("?GLO:DATASETT_NAVN");
          }
        }
        break;
      case ui::EventKind::CloseWindow:
        // The command is stored however the window closes: one it cannot hold keeps the old one.
        ui::refuseNotCp1252(win);
        break;
      default: break;
    }
  }

  // The command and its switches are stored however the window closed.
  if (t.Lab2Siv.put() != 0) t.Lab2Siv.add();
  data::dropDatasett();
  win.close();
  t.ThreadResponse = data::Response::Cancelled;
}

}  // namespace shell
