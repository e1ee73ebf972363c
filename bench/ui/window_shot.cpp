// Manual check of the look: opens a frame with an import-like child and a list child, then
// writes a PNG of the frame (argument 1, default window_shot.png). Run under xvfb-run.
#include <QApplication>
#include <QMdiArea>
#include <QPixmap>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <string>

#include "platform/ui/api/procedure.h"
#include "platform/ui/api/window.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"

using namespace ui;

namespace {

ControlDef c(ControlKind k, std::string eq, std::string text = {}, std::string parent = {}, std::string pic = {}) {
  ControlDef d;
  d.kind = k;
  d.equate = std::move(eq);
  d.text = std::move(text);
  d.parent = std::move(parent);
  d.picture = std::move(pic);
  return d;
}

WindowDef importDef() {
  WindowDef d;
  d.title = "Import";
  d.kind = WindowKind::MdiChild;
  d.controls = {
      c(ControlKind::Group, "?GROUP2", "Laboratorium/leverandør"),
      c(ControlKind::Prompt, "?PROMPT1", "Laboratorium:", "?GROUP2"),
      c(ControlKind::Entry, "?THR:LAB", "", "?GROUP2", "@s4"),
      c(ControlKind::Button, "?CALLLOOKUP", "...", "?GROUP2"),
      c(ControlKind::Text, "?MAP:LABNAVN", "", "?GROUP2", "@s30"),
      c(ControlKind::Prompt, "?PROMPT2", "Fra leverandør:", "?GROUP2"),
      c(ControlKind::Entry, "?GLO:LEVERAND1", "", "?GROUP2", "@s6"),
      c(ControlKind::Button, "?CALLLOOKUP:2", "...", "?GROUP2"),
      c(ControlKind::Group, "?GROUP1", "Import av prøvetyper"),
      c(ControlKind::Check, "?GLO:UTSLKTR", "Utslippskontroll", "?GROUP1"),
      c(ControlKind::Check, "?GLO:SLAMKTR", "Slamkontroll", "?GROUP1"),
      c(ControlKind::Sheet, "?SHEET1"),
      c(ControlKind::Tab, "?UTSLIPPSKONTROLL:TAB", "Utslippskontroll", "?SHEET1"),
      c(ControlKind::Prompt, "?PRPROMPT9", "Prøvetakingsmetode:", "?UTSLIPPSKONTROLL:TAB"),
      c(ControlKind::Combo, "?GLO:PR_METODE", "", "?UTSLIPPSKONTROLL:TAB"),
      c(ControlKind::Tab, "?SLAMKONTROLLKONTROLL:TAB", "Slamkontroll", "?SHEET1"),
      c(ControlKind::Panel, "?PANEL1"),
      c(ControlKind::Text, "?LOC:MELDING_1", "", "?PANEL1", "@s80"),
      c(ControlKind::Text, "?LOC:MELDING_2", "", "?PANEL1", "@s80"),
      c(ControlKind::Progress, "?PROGRESS"),
      c(ControlKind::Button, "?OKBUTTON", "Start import"),
      c(ControlKind::Button, "?CANCELBUTTON", "Lukk"),
  };
  d.controls[14].rows = {"Stikkprøve", "Tidsprop.blandprøve", "Mengdeprop.blandprøve"};
  d.controls[20].icon = "TICK.ICO";
  d.controls[21].icon = "CROSS.ICO";
  return d;
}

WindowDef listDef() {
  WindowDef d;
  d.title = "Laboratorier";
  d.kind = WindowKind::MdiChild;
  ControlDef list = c(ControlKind::List, "?BROWSE");
  list.items = 6;
  list.vscroll = true;
  list.columns = {{.width = 6, .heading = "Kode"}, {.width = 30, .heading = "Navn"}};
  d.controls = {list,
                c(ControlKind::Button, "?SELECT", "&Velg"),
                c(ControlKind::Button, "?INSERT", "&Ny"),
                c(ControlKind::Button, "?CHANGE", "&Endre"),
                c(ControlKind::Button, "?DELETE", "&Slette"),
                c(ControlKind::Button, "?CLOSE", "Lukk")};
  return d;
}

WindowDef formDef() {
  WindowDef d;
  d.title = "Skjema laboratorium";
  d.controls = {
      c(ControlKind::Prompt, "?P1", "Lab.kode:"),
      c(ControlKind::Entry, "?MAP:LAB", "", "", "@s4"),
      c(ControlKind::Prompt, "?P2", "Lab.navn:"),
      c(ControlKind::Entry, "?MAP:LABNAVN", "", "", "@s30"),
      c(ControlKind::Option, "?MAP:STEDKILDE", "Sted Kilde"),
      c(ControlKind::Radio, "?R1", "Sted", "?MAP:STEDKILDE"),
      c(ControlKind::Radio, "?R2", "Material", "?MAP:STEDKILDE"),
      c(ControlKind::Option, "?MAP:DATOVALG", "Dato for prøvedato"),
      c(ControlKind::Radio, "?R3", "Tattdato", "?MAP:DATOVALG"),
      c(ControlKind::Radio, "?R4", "Startdato", "?MAP:DATOVALG"),
      c(ControlKind::Prompt, "?P3", "Katalog datafiler Lab:"),
      c(ControlKind::Entry, "?MAP:DATADIRLAB", "", "", "@s40"),
      c(ControlKind::Button, "?LOOKUP", "..."),
      c(ControlKind::Text, "?ACTIONMESSAGE", "", "", "@s39"),
      c(ControlKind::Button, "?OK", "OK"),
      c(ControlKind::Button, "?CANCEL", "Avbryt"),
      c(ControlKind::Button, "?HJELP", "", "", ""),
  };
  d.controls[16].icon = "HELP.ICO";
  return d;
}

void form(std::atomic<int>& ready) {
  Window win(formDef());
  std::string lab = "KV", name = "Kelda Vest", kilde = "Sted", dato = "Tattdato", dir = "/data/kelda",
              msg = "Posten vil bli endret";
  win.bind("?MAP:LAB", lab);
  win.bind("?MAP:LABNAVN", name);
  win.bind("?MAP:STEDKILDE", kilde);
  win.bind("?MAP:DATOVALG", dato);
  win.bind("?MAP:DATADIRLAB", dir);
  win.bind("?ACTIONMESSAGE", msg);
  win.open();
  win.display();
  ++ready;
  while (auto ev = win.accept()) {
  }
}

void child(WindowDef def, std::atomic<int>& ready) {
  Window win(std::move(def));
  std::string lab = "KV", name = "Kelda Vest", line1 = "Leser journal 12 av 40", line2 = "Prøve 2026-117";
  bool utsl = true, slam = false;
  int progress = 30;
  if (win.def().title == "Import") {
    win.bind("?THR:LAB", lab);
    win.bind("?MAP:LABNAVN", name);
    win.bind("?LOC:MELDING_1", line1);
    win.bind("?LOC:MELDING_2", line2);
    win.bind("?GLO:UTSLKTR", utsl);
    win.bind("?GLO:SLAMKTR", slam);
    win.bind("?PROGRESS", progress);
  }
  win.open();
  if (win.def().title == "Laboratorier") {
    win.setRows("?BROWSE", {{{"KV", "Kelda Vest"}}, {{"KØ", "Kelda Øst"}}, {{"NL", "Nordlab"}}});
    win.setSelected("?BROWSE", 2);
  }
  win.display();
  ++ready;
  while (auto ev = win.accept()) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string out = argc > 1 ? argv[1] : "window_shot.png";
  std::atomic<int> ready{0};
  qt::QtRun run;
  run.start([&] {
    WindowDef f;
    f.title = "Brakel-Sivra Provex";
    f.kind = WindowKind::MdiFrame;
    f.statusZones = {0, 80};
    f.menu = {{.text = "&File",
               .items = {{.equate = "?PRINTSETUP", .text = "P&rint Setup...", .status = "Setup Printer"},
                         {.equate = "?EXIT", .text = "E&xit", .action = StdAction::Close}}},
              {.equate = "?IMPORT", .text = "&Import"},
              {.text = "&Window",
               .windowList = true,
               .items = {{.equate = "?TILE", .text = "T&ile", .action = StdAction::Tile},
                         {.equate = "?CASCADE", .text = "&Cascade", .action = StdAction::Cascade}}}};
    f.toolbar = {
        {.kind = ControlKind::Button, .equate = "?BUTTON2", .tip = "Avslutt", .icon = "DOORWAY.ICO"},
        {.kind = ControlKind::Button, .equate = "?BUTTON1", .tip = "Laboratorier m. innstillinger", .icon = "LAB.ICO"},
        {.kind = ControlKind::Button, .equate = "?HELP", .tip = "Hjelp for dette vindu", .icon = "HELP.ICO"}};
    Window frame(f);
    frame.open();
    frame.setStatus(2, "Klar");
    startProcedure([&] { child(importDef(), ready); });
    startProcedure([&] { child(listDef(), ready); });
    startProcedure([&] { form(ready); });
    while (auto ev = frame.accept()) {
    }
  });
  run.pumpUntil([&] { return ready == 3 && run.backend().settled(); });
  run.pumpUntil([] { return false; }, 300);
  qt::QtWindow* frame = run.backend().windowTitled("Brakel-Sivra Provex");
  if (frame) {
    frame->mdiArea()->tileSubWindows();
    run.pumpUntil([] { return false; }, 200);
    frame->shell()->grab().save(QString::fromUtf8(out.c_str()));
    for (const char* t : {"Import", "Laboratorier", "Skjema laboratorium"})
      if (qt::QtWindow* w = run.backend().windowTitled(t))
        w->shell()->grab().save(QString::fromUtf8((out + "." + t + ".png").c_str()));
    frame->shell()->close();
  }
  run.exec();
  std::printf("wrote %s\n", out.c_str());
  return 0;
}
