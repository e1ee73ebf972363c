#include "maintenance/settings/lab_settings_browse.h"

#include <charconv>

#include "data/default_texts.h"
#include "data/lab/lab_tables.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "maintenance/forms/form_call.h"
#include "maintenance/lists/browse_list.h"
#include "maintenance/lists/browse_window.h"
#include "maintenance/lists/list_window_parts.h"
#include "maintenance/lists/param_siv_list.h"
#include "maintenance/settings/lab_settings_sources.h"
#include "platform/text/codepage.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/picture.h"
#include "shell/global_settings.h"

namespace maintenance {

namespace {

using ui::ColumnDef;
using ui::ControlDef;
using ui::ControlKind;

using namespace ui::defs;

// A list box of one tab, with the tip every list has.
ControlDef tabList(const char* equate, const char* tab, int items, int rowLines, std::vector<ColumnDef> cols) {
  return inside(ui::defs::listBox(equate, items, rowLines, std::move(cols), "Browsing Records"), tab);
}
ColumnDef rightColumn(int width, const char* heading) {
  ColumnDef c = column(width, 1, heading, "");
  c.align = ui::Align::Right;
  c.headingAlign = ui::Align::Right;
  return c;
}

// The files of the window, opened and dropped in this order.
constexpr data::FileId kFiles[] = {data::FileId::Anlegg,   data::FileId::MapLab,  data::FileId::MapLever,
                                   data::FileId::MapParam, data::FileId::MapSted, data::FileId::Parameter};

std::string firstSix(const std::string& utf8) { return text::fromCp1252(text::toCp1252(utf8).substr(0, 6)); }

// Rows of the parameter and supplier lists are two lines: a code with its name below it.
ui::ListRow paramRow(const BrowseRow& r) {
  const auto& c = r.columns;
  double factor = 0;
  std::from_chars(c.at(4).data(), c.at(4).data() + c.at(4).size(), factor);
  return {{c.at(0) + "\n" + c.at(1), c.at(2) + "\n" + c.at(3), ui::formatNumber("@n7,3b", factor)}, false};
}
ui::ListRow supplierRow(const BrowseRow& r) {
  const auto& c = r.columns;
  return {{firstSix(c.at(0)) + "\n" + c.at(1), c.at(2) + "\n" + c.at(3)}, false};
}
ui::ListRow placeRow(const BrowseRow& r) {
  const auto& c = r.columns;
  return {{c.at(0), c.at(1), c.at(2)}, false};
}

BrowseControls listControls(const char* n) {
  BrowseControls c;
  c.list = std::string("?LIST:") + n;
  c.select.clear();
  c.insert = std::string("?INSERT:") + n;
  c.change = std::string("?CHANGE:") + n;
  c.del = std::string("?DELETE:") + n;
  c.close.clear();
  return c;
}

class SettingsWindow {
 public:
  explicit SettingsWindow(data::ThreadState& t)
      : t_(t),
        win_(labSettingsWindow()),
        paramHost_(win_, listControls("2"), paramRow),
        supplierHost_(win_, listControls("3"), supplierRow),
        placeHost_(win_, listControls("4"), placeRow),
        paramSource_(t, targets_),
        supplierSource_(t),
        placeSource_(t),
        params_(paramSource_, paramHost_, 0),
        suppliers_(supplierSource_, supplierHost_, 0),
        places_(placeSource_, placeHost_, 0) {
    for (BrowseList* l : lists()) {
      l->setHasSelect(false);
      l->shareRefresh(refreshPending_, [this] { LoadParamSivList(); });
    }
    win_.bind("?THR:LAB", t.LAB);
    win_.bind("?MAP:LABNAVN", t.MapLab.rec.LABNAVN);
    win_.bind("?THR:PR_TYPE", t.PR_TYPE);
  }

  void run() {
    win_.open();
    paramHost_.prepare(params_);
    supplierHost_.prepare(suppliers_);
    placeHost_.prepare(places_);
    const int sheet1 = win_.id("?SHEET1"), sheet2 = win_.id("?SHEET2");
    const int prType = win_.id("?THR:PR_TYPE"), print = win_.id("?UTSKRIFTBUTTON"), close = win_.id("?BUTTON11");
    BrowseWindow::run(
        win_, {{&paramHost_, &params_}, {&supplierHost_, &suppliers_}, {&placeHost_, &places_}},
        [&](const ui::Event& ev) {
          switch (ev.kind) {
            case ui::EventKind::OpenWindow:
              firstRefresh();
              win_.select("?HJELP");
              return true;
            case ui::EventKind::GainFocus:
              if (!firstRefresh()) forcedRefresh();
              return true;
            case ui::EventKind::Accepted:
              if (isButton(ev.control)) rereadAll();
              if (ev.control == close) {
                win_.post(ui::EventKind::CloseWindow);
                return true;
              }
              if (ev.control == print) {
                callForm("ParamReport", 0);
                LoadParamSivList();
                forcedRefresh();
                return true;
              }
              if (ev.control == prType) {
                forcedRefresh();
                return true;
              }
              return false;
            default: return false;
          }
        },
        [&](const ui::Event& ev) {
          const bool sheetEvent = ev.kind == ui::EventKind::Accepted || ev.kind == ui::EventKind::NewSelection ||
                                  ev.kind == ui::EventKind::TabChanging || ev.kind == ui::EventKind::Selected;
          if ((ev.control == sheet1 || ev.control == sheet2) && sheetEvent) LoadParamSivList();
        });
  }

 private:
  std::vector<BrowseList*> lists() { return {&params_, &suppliers_, &places_}; }

  // The window's one refresh: target list, laboratory record, then the three lists in order.
  void LoadParamSivList() {
    auto& lab = t_.MapLab;
    lab.rec.LAB = t_.LAB;
    if (lab.get(data::MapLab::MAPLABKEY) != 0) lab.clear();
    targets_ = BuildParamSivList(t_.PR_TYPE.str(), t_.Parameter);
    for (BrowseList* l : lists()) l->refreshCheck();
    for (BrowseList* l : lists()) l->showThumb();
    // A place mapping needs a supplier to belong to.
    const bool supplier = !suppliers_.rows().empty();
    places_.allowInsert(supplier);
    if (supplier)
      win_.enable("?INSERT:4");
    else
      win_.disable("?INSERT:4");
    win_.display();
    refreshPending_ = false;
  }
  bool firstRefresh() {
    if (initialised_) return false;
    initialised_ = true;
    LoadParamSivList();
    return true;
  }
  void forcedRefresh() {
    refreshPending_ = true;
    LoadParamSivList();
  }
  // Every button first re-reads the highlighted record of all three lists, so each buffer
  // holds its list's current record whichever list the button belongs to.
  bool isButton(int control) const {
    for (const char* b : {"?CHANGE:2", "?INSERT:2", "?DELETE:2", "?CHANGE:3", "?INSERT:3", "?DELETE:3", "?CHANGE:4",
                          "?INSERT:4", "?DELETE:4", "?UTSKRIFTBUTTON", "?BUTTON11"})
      if (win_.id(b) == control) return true;
    return false;
  }
  void rereadAll() {
    for (BrowseList* l : lists()) l->rereadHighlighted();
  }

  data::ThreadState& t_;
  ui::Window win_;
  ParamSivList targets_;  // P_Q
  bool refreshPending_ = false;
  bool initialised_ = false;
  BrowseWindow paramHost_, supplierHost_, placeHost_;
  ParamMapSource paramSource_;
  SupplierMapSource supplierSource_;
  PlaceMapSource placeSource_;
  BrowseList params_, suppliers_, places_;
};

}  // namespace

ui::WindowDef labSettingsWindow() {
  ui::WindowDef w = childWindow("LabSettingsBrowse", "Tabell instillinger laboratorier", "LAB.ICO", "Innstillinger");
  const auto choice = [](const char* equate, const char* text, const char* value) {
    ControlDef c = inside(control(ControlKind::Radio, equate, text), "?THR:PR_TYPE");
    c.value = value;
    return c;
  };
  w.controls = {
      helpButton("Hjelp for dette vinduet"),
      prompt("?PROMPT1", "Laboratorium:"),
      display("?THR:LAB", "@s4"),
      display("?MAP:LABNAVN", "@s30"),
      control(ControlKind::Sheet, "?SHEET1"),
      tab("?TAB1", " &Parametre", "?SHEET1"),
      tabList(
          "?LIST:2", "?TAB1", 8, 2,
          {column(32, 1, "Parameter lab", ""), column(30, 1, "Parameter Brakel Sivra", ""), rightColumn(8, "Faktor")}),
      inside(button("?CHANGE:2", "&Endre"), "?TAB1"),
      inside(button("?INSERT:2", "&Ny"), "?TAB1"),
      inside(button("?DELETE:2", "&Slette"), "?TAB1"),
      inside(iconButton("?UTSKRIFTBUTTON", "", "Utskrift  av mapping-tabell", "PRINT.ICO"), "?TAB1"),
      inside(option("?THR:PR_TYPE", "Prøvetype"), "?TAB1"),
      choice("?THR:PR_TYPE:RADIO1", "Utslipskontroll", "U"),
      choice("?THR:PR_TYPE:RADIO2", "Slamkontroll", "S"),
      tab("?TAB2", " &Anlegg", "?SHEET1"),
      inside(control(ControlKind::Sheet, "?SHEET2"), "?TAB2"),
      tab("?TAB3", "&Leverandør/Anlegg", "?SHEET2"),
      tabList("?LIST:3", "?TAB3", 8, 2, {column(30, 1, "Leverandør Kelda", ""), column(50, 1, "Anlegg SIVRA", "")}),
      inside(button("?CHANGE:3", "&Endre"), "?TAB3"),
      inside(button("?INSERT:3", "&Ny"), "?TAB3"),
      inside(button("?DELETE:3", "&Slette"), "?TAB3"),
      tab("?TAB4", "&Prøvesteder", "?SHEET2"),
      tabList("?LIST:4", "?TAB4", 12, 1,
              {column(15, 1, "Sted SIVRA", ""), column(10, 1, "Sted Lab", ""), column(30, 1, "Navn", "")}),
      inside(button("?CHANGE:4", "&Endre"), "?TAB4"),
      inside(button("?INSERT:4", "&Ny"), "?TAB4"),
      inside(button("?DELETE:4", "&Slette"), "?TAB4"),
      button("?BUTTON11", "Lukk"),
  };
  return w;
}

void LabSettingsBrowse() {
  data::ThreadState& t = data::thr();
  // No select mode: the request the window was called with is not used; its forms get their own.
  const int ownResponse = 2;
  data::takeThreadRequest();

  data::lab::LabTablesHolder tables;
  if (data::lab::OpenLabTables(tables, t.MapLab.rec.DATADIRLAB.str(), shell::globals().IMPORTFILE.str()) == 0) {
    ui::message(data::kLabTablesOpenFailed);
    // Only what this attempt opened: tables another window holds stay with it.
    data::lab::CloseLabTables(tables);
    return;
  }
  if (ui::lastKey() == ui::Key::MouseRight) ui::clearLastKey();
  {
    const data::UsedFiles files(std::vector(std::begin(kFiles), std::end(kFiles)));
    SettingsWindow window(t);
    window.run();
  }
  data::lab::CloseLabTables(tables);
  t.ThreadResponse = ownResponse;
}

}  // namespace maintenance
