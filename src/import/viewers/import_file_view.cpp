#include "import/viewers/import_file_view.h"

#include "data/default_texts.h"
#include "data/lab/lab_tables.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "platform/text/picture.h"
#include "platform/ui/api/def_builders.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/refresh.h"
#include "platform/ui/api/row_pager.h"
#include "platform/ui/api/window.h"
#include "shell/global_settings.h"

namespace import {

namespace {

using data::lab::LabKey;
using data::lab::labTables;
using ui::ColumnDef;
using ui::ControlDef;
using ui::ControlKind;
using K = ui::EventKind;

// Widths in dialog units, as the columns are drawn; a character is four.
ColumnDef col(int du, const char* heading, ui::Align align = ui::Align::Left, const char* group = "",
              bool fixed = false) {
  ColumnDef c;
  c.width = (du + 3) / 4;
  c.align = align;
  c.headingAlign = align;
  c.indent = 1;
  c.heading = heading;
  c.group = group;
  c.fixed = fixed;
  return c;
}

const data::lab::R20Record& sample() { return labTables().RNX20.rec; }

std::vector<std::string> pairsOf(const data::lab::R20Record& r) {
  const text::Str<4>* codes[] = {&r.AN11, &r.AN12, &r.AN13, &r.AN14, &r.AN15,
                                 &r.AN16, &r.AN17, &r.AN18, &r.AN19, &r.AN20};
  const text::Str<5>* results[] = {&r.SV11, &r.SV12, &r.SV13, &r.SV14, &r.SV15,
                                   &r.SV16, &r.SV17, &r.SV18, &r.SV19, &r.SV20};
  std::vector<std::string> out;
  for (int i = 0; i < 10; ++i) {
    out.push_back(codes[i]->str());
    out.push_back(results[i]->str());
  }
  return out;
}

}  // namespace

std::vector<std::vector<std::string>> readImportRows(bool placeBySted, const std::function<void()>& onOtherJournal) {
  auto& t = labTables();
  std::vector<std::vector<std::string>> rows;
  t.RNXJR.clear();
  if (!t.RNXJR.setStart(LabKey::I_RNXJR).ok()) return rows;
  while (t.RNXJR.next().ok()) {
    const auto journal = t.RNXJR.rec;
    t.RNX20.clear();
    t.RNX20.rec.JRNLNR = journal.JRNLNR;
    if (!t.RNX20.set(LabKey::I_RNX20).ok()) continue;
    while (t.RNX20.next().ok()) {
      const auto& s = sample();
      if (!(s.JRNLNR == journal.JRNLNR)) {
        onOtherJournal();
        break;
      }
      // A journal number is counted per year: a sample of another year belongs to another
      // journal, as the import reads it.
      if (!(s.PAAR == journal.PAAR)) continue;
      t.RNX51.clear();
      t.RNX51.rec.REKV = journal.REKV;
      if (!t.RNX51.get(LabKey::KEY_RNX51).ok()) t.RNX51.clear();
      t.RNX60.clear();
      t.RNX60.rec.REKV = journal.REKV;
      if (placeBySted)
        t.RNX60.rec.STED = s.STED;
      else
        t.RNX60.rec.MATERIALE = s.MATERIALE;
      if (!t.RNX60.get(placeBySted ? LabKey::KEY_RNX60 : LabKey::I_RNX60).ok()) t.RNX60.clear();
      std::vector<std::string> row{s.JRNLNR.str(),
                                   journal.REKV.str(),
                                   t.RNX51.rec.NAVN.str(),
                                   s.MATERIALE.str(),
                                   s.STED.str(),
                                   t.RNX60.rec.TEKST.str(),
                                   text::formatDate(journal.STARTDATO),
                                   text::formatDate(s.TATTDATO)};
      for (auto& cell : pairsOf(s)) row.push_back(std::move(cell));
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

ui::WindowDef importFileViewDef() {
  ui::WindowDef w = ui::defs::childWindow("ImportFileView", "Se på importfile", "DOK.ICO", "Se på importfile");
  // Over the import window that calls it, not beside it where the frame has no room.
  w.x = 4;
  w.y = 4;
  w.width = 500;
  w.height = 220;
  ControlDef list{.kind = ControlKind::List, .equate = "?LIST1"};
  list.vscroll = true;
  list.hscroll = true;
  list.columns = {col(36, "Journalnr.", ui::Align::Left, "", true),
                  col(31, "Lever.", ui::Align::Left, "", true),
                  col(120, "Navn", ui::Align::Left, "", true),
                  col(38, "Materiale"),
                  col(21, "Sted"),
                  col(120, "Navn"),
                  col(33, "Startdato", ui::Align::Right),
                  col(35, "Tattdato", ui::Align::Right)};
  static const char* const kGroups[] = {"Analyse 1", "Analyse 2", "Analyse 3", "Analyse 4", "Analyse 5",
                                        "Analyse 6", "Analyse 7", "Analyse 8", "Analyse 9", "Analyse 10"};
  for (const char* g : kGroups) {
    list.columns.push_back(col(30, "Analyse", ui::Align::Right, g));
    list.columns.push_back(col(30, "Resultat", ui::Align::Right));
  }
  w.controls = {
      list,
      ControlDef{.kind = ControlKind::Text, .equate = "?LOC:MELDING_1", .picture = "@s40"},
      ControlDef{.kind = ControlKind::Button,
                 .equate = "?CANCELBUTTON",
                 .text = "Avbryt",
                 .tip = "Avslutt",
                 .icon = "CROSS.ICO"},
      ControlDef{.kind = ControlKind::Button,
                 .equate = "?HELP",
                 .text = "Hjelp",
                 .tip = "Hjelp for dette vinduet",
                 .icon = "HELP.ICO",
                 .action = ui::StdAction::Help},
  };
  return w;
}

void ImportFileView() {
  data::ThreadState& t = data::thr();
  data::takeThreadRequest();
  const data::UsedFiles files{data::FileId::Lab2Siv, data::FileId::MapLab, data::FileId::MapLever,
                              data::FileId::MapParam, data::FileId::MapSted};

  std::string melding;
  std::vector<std::vector<std::string>> rows;  // this opening's own rows
  ui::Window win(importFileViewDef());
  win.bind("?LOC:MELDING_1", melding);
  ui::RowPager pager(win, "?LIST1", [&rows](std::size_t i) { return ui::ListRow{rows[i], false}; });
  win.open();

  data::lab::LabTablesHolder holder;
  if (data::lab::OpenLabTables(holder, t.MapLab.rec.DATADIRLAB.str(), shell::globals().IMPORTFILE.str()) != 1) {
    ui::message(data::kLabTablesOpenFailed);
  } else {
    melding = "Leser prøver";
    win.display();
    ui::WaitCursor wait;
    rows = readImportRows(t.MapLab.rec.STEDKILDE.str() == "Sted", [&] {
      if (melding.empty()) return;
      melding.clear();
      win.display();
    });
  }
  data::lab::CloseLabTables(holder);
  pager.reset(rows.size());
  win.display();

  const auto show = [&pager] { pager.show(); };
  const ui::RefreshHandlers refreshing{.open = [&win] { win.select("?LIST1"); }, .gainFocus = show, .refresh = show};
  while (auto ev = win.accept()) {
    if (pager.handle(ev) || ui::handleRefresh(ev, refreshing)) continue;
    switch (ev.kind) {
      case K::Accepted:
        if (win.equate(ev.control) == "?CANCELBUTTON") win.post(K::CloseWindow);
        break;
      default: break;
    }
  }
  win.close();
  t.ThreadResponse = data::Response::Cancelled;
}

}  // namespace import
