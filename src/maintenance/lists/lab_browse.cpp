#include "maintenance/lists/lab_browse.h"

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "maintenance/forms/form_call.h"
#include "maintenance/lists/browse_list.h"
#include "maintenance/lists/browse_window.h"
#include "maintenance/lists/list_window_parts.h"
#include "maintenance/lists/store_browse_source.h"
#include "platform/ui/api/dialogs.h"
#include "shell/global_settings.h"
#include "shell/pre_import_command.h"

namespace maintenance {

namespace {

using ui::ColumnDef;
using ui::ControlDef;
using ui::ControlKind;

class LabSource : public StoreBrowseSource<data::MapLabRecord> {
 public:
  explicit LabSource(data::MapLab& f) : StoreBrowseSource(f, data::MapLab::MAPLABKEY) {}

  std::vector<std::string> makeRow() override {
    const auto& r = file_.rec;
    return {r.LAB.str(), r.LABNAVN.str(), r.DATADIRLAB.str(), r.IMPORTFILE.str()};
  }
  void copyBack(const std::vector<std::string>& row) override {
    auto& r = file_.rec;
    r.LAB = row.at(0);
    r.LABNAVN = row.at(1);
    r.DATADIRLAB = row.at(2);
    r.IMPORTFILE = row.at(3);
  }
  char locatorChar() const override { return file_.rec.LAB[0]; }
  void setLocator(char c) override {
    file_.rec.LAB.clear();
    file_.rec.LAB[0] = c;
  }
  int callForm(int request) override { return maintenance::callForm("LabForm", request); }
  std::string label() const override { return "MapLab"; }
};

ui::ListRow labRow(const BrowseRow& r) {
  // The name, the data directory and the sample table share one column, three lines a row.
  return {{r.columns.at(0), r.columns.at(1) + "\n" + r.columns.at(2) + "\n" + r.columns.at(3)}, false};
}

// Three headings over three lines, the data directory and the import file in grey.
ColumnDef nameDirAndFile() {
  ColumnDef c = column(60, 2, "Labnavn\nDatakatalog\nAktiv importfile", "@s30");
  c.greyFromLine = 2;
  return c;
}

}  // namespace

ui::WindowDef labBrowseWindow() {
  ui::WindowDef w = ui::defs::childWindow("LabBrowse", "Tabell laboratorier", "LAB.ICO");
  w.controls = {
      listBox(8, 3, {column(5, 2, "Lab.", "@s4"), nameDirAndFile()}),
      button("?SELECT", "&Velg", "Velg laboratorium", ui::Key::Enter),
      button("?CHANGE", "&Endre", "Endre laboratorium", ui::Key::CtrlEnter),
      button("?INSERT", "&Ny", "Nytt laboratorium", ui::Key::Insert),
      button("?DELETE", "&Slette", "Slett laboratorium", ui::Key::Delete),
      button("?CLOSE", "Lukk", "Lukk vinduet"),
      helpButton("Hjelp for dette vindu"),
      button("?INSTILLINGBUTTON", "&Innstillinger", "Innstillinger for valgt laboratorium"),
  };
  return w;
}

void LabBrowse() {
  data::ThreadState& t = data::thr();
  const int request = takeRequest();
  // A list started after a change of dataset works in the new data directory.
  data::SetFileNames();
  const data::UsedFiles files{data::FileId::Lab2Siv, data::FileId::MapLab};

  ui::Window win(labBrowseWindow());
  BrowseControls controls;
  controls.recordButtons = {"?INSTILLINGBUTTON"};
  BrowseWindow host(win, controls, labRow);
  LabSource source(t.MapLab);
  BrowseList list(source, host, request);

  win.open();
  host.prepare(list);
  const int listId = win.id("?LIST");
  const int settingsId = win.id("?INSTILLINGBUTTON");
  host.run(
      list,
      [&](const ui::Event& ev) {
        if (ev.kind != ui::EventKind::Accepted || ev.control != settingsId) return false;
        shell::RunPreImportCommand();
        list.rereadHighlighted();
        t.LAB = t.MapLab.rec.LAB;
        t.PR_TYPE = "U";
        list.rereadHighlighted();
        callForm("LabSettingsBrowse", 0);
        list.restoreRequest();
        list.refreshWindow();
        return true;
      },
      [&](const ui::Event& ev) {
        // The shared sample-table path follows the highlighted laboratory.
        if (ev.kind == ui::EventKind::NewSelection && ev.control == listId) {
          const auto file = t.MapLab.rec.IMPORTFILE;
          shell::editGlobals([&](shell::GlobalSettings& g) { g.IMPORTFILE = file; });
        }
      });

  t.ThreadResponse = list.response();
}

}  // namespace maintenance
