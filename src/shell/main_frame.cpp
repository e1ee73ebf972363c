#include "shell/main_frame.h"

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "platform/ini/ini.h"
#include "platform/sys/cwd.h"
#include "platform/ui/api/def_builders.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/refresh.h"
#include "platform/ui/api/window.h"
#include "shell/global_settings.h"
#include "shell/procedures.h"
#include "shell/settings_window.h"

namespace shell {
namespace {

constexpr std::size_t kWindowStack = 25000;

// Names the process-wide dataset list after the current directory, opens it directly (no
// counter) and looks up the dataset of the settings file. Each failure is a stop box: Abort ends
// the program, Ignore goes on with the values as they stand.
void findDataset() {
  data::DatasettShared& shared = data::datasett();
  std::unique_lock lock(shared.lock);
  data::Datasett& ds = shared.file;
  data::setFileName(data::FileId::Datasett, (sys::currentDirectory() / "Datasett.tps").string());
  const bool opened = ds.open() == 0;
  ds.clear();
  ds.rec.DATASETT_NAVN = ini::getValue(kSettingsFile, kDatasetSection, kDatasetKey, "");
  const bool found = opened && ds.get(data::Datasett::DATASETT_KEY) == 0;
  if (!found) ds.rec.DATAKATALOG.clear();
  const data::DatasettRecord rec = ds.rec;
  // The stop boxes wait for the user: not with the list's lock held.
  lock.unlock();
  if (!opened) ui::stop("Kan ikke åpne fila: Datasett.tps");
  if (!found) ui::stop("Finner ikke gyldig datasett!");
  if (rec.DATAKATALOG.blank()) ui::stop("Datakataloger må være angitt!");
  // A directory whose file names would be cut names other files: refused, as a blank one is.
  const std::string problem = data::dataDirectoryProblem(rec.DATAKATALOG.str());
  if (!rec.DATAKATALOG.blank() && !problem.empty()) {
    ui::stop(problem);
    data::setDataDirectory("");
  } else {
    data::setDataDirectory(rec.DATAKATALOG.str());
  }
  editGlobals([&rec](GlobalSettings& g) { g.DATASETT_NAVN = rec.DATASETT_NAVN; });
}

void storeSettings() {
  std::string name;
  {
    std::lock_guard lock(data::datasett().lock);
    name = data::datasett().file.rec.DATASETT_NAVN.str();
  }
  storeGlobalSettings({{kDatasetSection, kDatasetKey, name}});
}

}  // namespace

std::string frameTitle(const std::string& datasetName) {
  std::string name = datasetName;
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return "Brakel-Sivra Provex (Rnx-versjon) [" + name + "]";
}

ui::WindowDef mainFrameDef() {
  using namespace ui::defs;
  using ui::StdAction;
  ui::WindowDef d = window("P1$APPFRAME", "Brakel-Sivra Provex", "LAB.ICO", "Hovedmeny", ui::WindowKind::MdiFrame);
  d.resizable = true;
  d.statusZones = {-1};
  ui::MenuItem windows =
      menu("", "&Window",
           {menuItem("?TILE", "T&ile", "Make all open windows visible", StdAction::Tile),
            menuItem("?CASCADE", "&Cascade", "Stack all open windows", StdAction::Cascade),
            menuItem("?ARRANGE", "&Arrange Icons", "Align all window icons", StdAction::ArrangeIcons)},
           "Create and Arrange windows");
  windows.windowList = true;
  d.menu = {
      menu("", "&File",
           {menuItem("?PRINTSETUP", "P&rint Setup...", "Setup Printer", StdAction::PrintSetup),
            menuItem("?FILEINNSTILLINGER", "&Innstillinger"), separator(),
            menuItem("?EXIT", "E&xit", "Exit this application", StdAction::Close)}),
      menu("", "&Edit",
           {menuItem("?CUT", "Cu&t", "Remove item to Windows Clipboard", StdAction::Cut),
            menuItem("?COPY", "&Copy", "Copy item to Windows Clipboard", StdAction::Copy),
            menuItem("?PASTE", "&Paste", "Paste contents of Windows Clipboard", StdAction::Paste)}),
      menuItem("?LABORATORIERLABORATORIER", "&Laboratorier"),
      menuItem("?IMPORT", "&Import"),
      windows,
      menu("", "&Hjelp",
           {menuItem("?HELPINDEX", "&Innhold", "Se innholdet på hjelp fila", StdAction::HelpIndex),
            menuItem("?HELPSEARCH", "&Søk for hjelp om", "Søk for hjelp om et emne", StdAction::HelpSearch),
            menuItem("?HELPONHELP", "&Hvordan bruke hjelp", "Hvordan bruke Windows Hjelp", StdAction::HelpOnHelp),
            menuItem("?HJELPOMBRAKELSIVRAPROVEX", "&Om Brakel Sivra Provex")},
           "Windows Hjelp"),
  };
  // The toolbar's tips show in the status bar too.
  const auto tool = [](const char* equate, const char* tip, const char* icon, StdAction action = StdAction::None) {
    ui::ControlDef c = iconButton(equate, "", tip, icon);
    c.status = tip;
    c.action = action;
    return c;
  };
  d.toolbar = {
      tool("?BUTTON2", "Avslutt", "DOORWAY.ICO"),
      tool("?BUTTON1", "Laboratorier m. innstillinger", "LAB.ICO"),
      tool("?BUTTON3", "Import av labdata", "LABX.ICO"),
      tool("?HELP", "Hjelp for dette vindu", "HELP.ICO", StdAction::Help),
  };
  return d;
}

void MainFrame() {
  data::ThreadState& t = data::thr();
  data::takeThreadRequest();

  loadGlobalSettings();
  findDataset();
  data::SetFileNames();

  // FrameStartup: the program's own files, the first-run settings record, then the window.
  // Each open either succeeds or ends the program; the three are given back when the frame ends.
  const data::UsedFiles files{data::FileId::Lab2Siv, data::FileId::Labuser, data::FileId::MapLab};
  t.Lab2Siv.set();
  if (t.Lab2Siv.next() != 0) {
    t.Lab2Siv.clear();
    t.Lab2Siv.rec.PREIMPRUNSTATUS = 1;
    t.Lab2Siv.rec.PREIMPRUNDOS = 1;
    t.Lab2Siv.add();
    SettingsWindow();
  }

  ui::Window win(mainFrameDef());
  win.open();
  const auto refreshTitle = [&win] {
    win.setTitle(frameTitle(globals().DATASETT_NAVN.str()));
    win.display();
  };
  bool activated = false;  // opening is the first activation unless the focus came first
  const auto activate = [&] {
    activated = true;
    refreshTitle();
  };
  const ui::RefreshHandlers refreshing{.open =
                                           [&] {
                                             if (!activated) activate();
                                           },
                                       .gainFocus = activate,
                                       .refresh = refreshTitle};
  while (auto ev = win.accept()) {
    if (ui::handleRefresh(ev, refreshing)) continue;
    switch (ev.kind) {
      case ui::EventKind::Rejected: win.refuse(ev.control); break;
      case ui::EventKind::Accepted: {
        const std::string eq = win.equate(ev.control);
        if (eq == "?FILEINNSTILLINGER") {
          SettingsWindow();
          refreshTitle();
        } else if (eq == "?LABORATORIERLABORATORIER" || eq == "?BUTTON1") {
          startProcedure("LabBrowse", kWindowStack);
        } else if (eq == "?IMPORT" || eq == "?BUTTON3") {
          startProcedure("ImportWindow", kWindowStack);
        } else if (eq == "?HJELPOMBRAKELSIVRAPROVEX") {
          startProcedure("AboutWindow", kWindowStack);
        } else if (eq == "?BUTTON2") {
          storeSettings();
          win.post(ui::EventKind::CloseWindow);
        }
        break;
      }
      default: break;
    }
  }

  win.close();
  t.ThreadResponse = data::Response::Cancelled;
}

}  // namespace shell
