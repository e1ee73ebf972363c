#include "import/window/import_window.h"

namespace import {

namespace {
using ui::ColumnDef;
using ui::ControlDef;
using ui::ControlKind;

ControlDef control(ControlKind kind, const char* equate, const char* text = "", const char* tip = "") {
  ControlDef c;
  c.kind = kind;
  c.equate = equate;
  c.text = text;
  c.tip = tip;
  return c;
}
ControlDef prompt(const char* equate, const char* text) { return control(ControlKind::Prompt, equate, text); }
ControlDef display(const char* equate, int width) {
  ControlDef c = control(ControlKind::Text, equate);
  c.picture = "@s" + std::to_string(width);
  return c;
}
ControlDef entry(const char* equate, const char* picture, const char* tip = "") {
  ControlDef c = control(ControlKind::Entry, equate, "", tip);
  c.picture = picture;
  return c;
}
ControlDef lookupButton(const char* equate, const char* tip) {
  return control(ControlKind::Button, equate, "...", tip);
}
ControlDef button(const char* equate, const char* text, const char* tip, const char* icon) {
  ControlDef c = control(ControlKind::Button, equate, text, tip);
  c.icon = icon;
  return c;
}
ControlDef check(const char* equate, const char* text) {
  ControlDef c = control(ControlKind::Check, equate, text);
  c.parent = "?GROUP1";
  return c;
}
ControlDef tab(const char* equate, const char* text) {
  ControlDef c = control(ControlKind::Tab, equate, text);
  c.parent = "?SHEET1";
  return c;
}
ControlDef combo(const char* equate, const char* parent, int items, int width,
                 std::vector<std::string> rows = {}, const char* heading = "") {
  ControlDef c = control(ControlKind::Combo, equate);
  c.parent = parent;
  c.items = items;
  ColumnDef col;
  col.width = width;
  col.heading = heading;
  c.columns = {col};
  c.rows = std::move(rows);
  return c;
}
// The switches stand beside the laboratory and supplier fields: the window, progress lines
// and all, fits a 1024x768 screen.
ControlDef beside(ControlDef c, const char* left) {
  c.beside = left;
  return c;
}
ControlDef inTab(ControlDef c, const char* tab) {
  c.parent = tab;
  return c;
}
}  // namespace

ui::WindowDef importWindowDef() {
  ui::WindowDef w;
  w.label = "ImportWindow";
  w.title = "Import";
  w.icon = "LABX.ICO";
  w.help = "Import";
  w.kind = ui::WindowKind::MdiChild;
  w.resizable = true;
  const std::vector<std::string> methods{"Stikkprøve", "Tidsprop.blandprøve", "Mengdeprop.blandprøve"};
  const std::vector<std::string> sludgeTypes{"Stikkprøve", "Blandprøve"};
  w.controls = {
      control(ControlKind::Group, "?GROUP2", "Laboratorium/leverandør"),
      prompt("?PROMPT1", "Laboratorium:"),
      entry("?THR:LAB", "@s4", "Laboratorium"),
      lookupButton("?CALLLOOKUP", "Tabell over registrerte laboratorier"),
      display("?MAP:LABNAVN", 30),
      prompt("?IMPORTFILE:PROMPT", "Aktiv importfile:"),
      entry("?GLO:IMPORTFILE", "@s200"),
      lookupButton("?IMPORTFILEBUTTON", "Velg importfile for dette laboratorium.\nValgt file blir lagret."),
      prompt("?PROMPT2", "Fra leverandør:"),
      entry("?GLO:LEVERAND1", "@s6", "1. leverandør i valg"),
      lookupButton("?CALLLOOKUP:2", "Tabell over leverandører"),
      display("?LOC:LEVERAND1", 30),
      prompt("?PROMPT2:2", "Til leverandør:"),
      entry("?GLO:LEVERAND2", "@s6", "2. leverandør i valg"),
      lookupButton("?CALLLOOKUP:3", "Tabell over leverandører"),
      display("?LOC:LEVERAND2", 30),
      prompt("?PROMPT2:3", "Fra dato:"),
      entry("?GLO:DATO1", "@d6b", "1. dato i valg"),
      prompt("?PROMPT2:4", "Til dato:"),
      entry("?GLO:DATO2", "@d6b", "2. datoi valg"),
      beside(control(ControlKind::Group, "?GROUP1", "Import av prøvetyper"), "?GROUP2"),
      check("?GLO:UTSLKTR", "Utslippskontroll"),
      check("?GLO:TUNGMETIUTSL", "Tungmetaller i utslippsvann"),
      check("?GLO:SLAMKTR", "Slamkontroll"),
      check("?GLO:OVERSKRIVES", "Overskriv eksisterende data"),
      check("?GLO:LOGSLETT", "Slett eksisterende logg-file"),
      prompt("?DATOTYPE:PROMPT", "Datotype:"),
      display("?MAP:DATOVALG", 20),
      control(ControlKind::Sheet, "?SHEET1"),
      tab("?UTSLIPPSKONTROLL:TAB", "Utslippskontroll"),
      inTab(prompt("?PRPROMPT9", "Prøvetakingsmetode:"), "?UTSLIPPSKONTROLL:TAB"),
      combo("?GLO:PR_METODE", "?UTSLIPPSKONTROLL:TAB", 10, 25, methods),
      inTab(prompt("?PROMPT8", "Prøvetype (fra Sivra 2000):"), "?UTSLIPPSKONTROLL:TAB"),
      combo("?GLO:PRTYPE", "?UTSLIPPSKONTROLL:TAB", 5, 25),
      tab("?SLAMKONTROLLKONTROLL:TAB", "Slamkontroll"),
      inTab(prompt("?PRTYPE_TUNGMETALL:PROMPT", "Prøvetype tungmetall:"), "?SLAMKONTROLLKONTROLL:TAB"),
      combo("?GLO:PR_TYPE_TUNGMETALL", "?SLAMKONTROLLKONTROLL:TAB", 10, 20, sludgeTypes, "Prøvetype"),
      inTab(prompt("?PR_TYPE_NAERINGSSTOFF:PROMPT", "Prøvetype næringsstoff:"), "?SLAMKONTROLLKONTROLL:TAB"),
      combo("?GLO:PR_TYPE_NAERINGSSTOFF", "?SLAMKONTROLLKONTROLL:TAB", 10, 20, sludgeTypes, "Prøvetype"),
      inTab(prompt("?PR_TAKINGSTED:PROMPT", "Prøvetakingssted (fra Sivra 2000):"), "?SLAMKONTROLLKONTROLL:TAB"),
      combo("?GLO:PR_TAKINGSTED", "?SLAMKONTROLLKONTROLL:TAB", 5, 20),
      control(ControlKind::Panel, "?PANEL1"),
      display("?LOC:MELDING_1", 80),
      display("?LOC:MELDING_2", 80),
      display("?LOC:MELDING_3", 80),
      display("?LOC:MELDING_4", 80),
      button("?OKBUTTON", "Start import", "", "TICK.ICO"),
      button("?CANCELBUTTON", "Lukk", "", "CROSS.ICO"),
      button("?LOGFILEBUTTON", "Se på logg-file", "Les Log-file", "DOK.ICO"),
      button("?IMPFILEBUTTON", "Se på import-file", "Se på importfile (rådata)", "DOK.ICO"),
  };
  for (const char* m : {"?LOC:MELDING_1", "?LOC:MELDING_2", "?LOC:MELDING_3", "?LOC:MELDING_4"})
    for (auto& c : w.controls)
      if (c.equate == m) c.parent = "?PANEL1";
  return w;
}

}  // namespace import
