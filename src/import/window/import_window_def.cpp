#include "import/window/import_window.h"
#include "platform/ui/api/def_builders.h"

namespace import {

ui::WindowDef importWindowDef() {
  using namespace ui::defs;
  using ui::ControlKind;
  ui::WindowDef w = childWindow("ImportWindow", "Import", "LABX.ICO", "Import");
  const std::vector<std::string> methods{"Stikkprøve", "Tidsprop.blandprøve", "Mengdeprop.blandprøve"};
  const std::vector<std::string> sludgeTypes{"Stikkprøve", "Blandprøve"};
  const auto sample = [](ui::ControlDef c) { return inside(std::move(c), "?GROUP1"); };
  const auto discharge = [](ui::ControlDef c) { return inside(std::move(c), "?UTSLIPPSKONTROLL:TAB"); };
  const auto sludge = [](ui::ControlDef c) { return inside(std::move(c), "?SLAMKONTROLLKONTROLL:TAB"); };
  const auto message = [](const char* equate) { return inside(display(equate, "@s80"), "?PANEL1"); };
  w.controls = {
      group("?GROUP2", "Laboratorium/leverandør"),
      prompt("?PROMPT1", "Laboratorium:"),
      entry("?THR:LAB", "@s4", "Laboratorium"),
      lookupButton("?CALLLOOKUP", "Tabell over registrerte laboratorier"),
      display("?MAP:LABNAVN", "@s30"),
      prompt("?IMPORTFILE:PROMPT", "Aktiv importfile:"),
      entry("?GLO:IMPORTFILE", "@s200"),
      lookupButton("?IMPORTFILEBUTTON", "Velg importfile for dette laboratorium.\nValgt file blir lagret."),
      prompt("?PROMPT2", "Fra leverandør:"),
      entry("?GLO:LEVERAND1", "@s6", "1. leverandør i valg"),
      lookupButton("?CALLLOOKUP:2", "Tabell over leverandører"),
      display("?LOC:LEVERAND1", "@s30"),
      prompt("?PROMPT2:2", "Til leverandør:"),
      entry("?GLO:LEVERAND2", "@s6", "2. leverandør i valg"),
      lookupButton("?CALLLOOKUP:3", "Tabell over leverandører"),
      display("?LOC:LEVERAND2", "@s30"),
      prompt("?PROMPT2:3", "Fra dato:"),
      entry("?GLO:DATO1", "@d6b", "1. dato i valg"),
      prompt("?PROMPT2:4", "Til dato:"),
      entry("?GLO:DATO2", "@d6b", "2. datoi valg"),
      // The switches stand beside the laboratory and supplier fields: the window, progress
      // lines and all, fits a 1024x768 screen.
      beside(group("?GROUP1", "Import av prøvetyper"), "?GROUP2"),
      sample(check("?GLO:UTSLKTR", "Utslippskontroll")),
      sample(check("?GLO:TUNGMETIUTSL", "Tungmetaller i utslippsvann")),
      sample(check("?GLO:SLAMKTR", "Slamkontroll")),
      sample(check("?GLO:OVERSKRIVES", "Overskriv eksisterende data")),
      sample(check("?GLO:LOGSLETT", "Slett eksisterende logg-file")),
      prompt("?DATOTYPE:PROMPT", "Datotype:"),
      display("?MAP:DATOVALG", "@s20"),
      control(ControlKind::Sheet, "?SHEET1"),
      tab("?UTSLIPPSKONTROLL:TAB", "Utslippskontroll", "?SHEET1"),
      discharge(prompt("?PRPROMPT9", "Prøvetakingsmetode:")),
      discharge(withRows(combo("?GLO:PR_METODE", "", 10, {dropColumn(25, "")}), methods)),
      discharge(prompt("?PROMPT8", "Prøvetype (fra Sivra 2000):")),
      discharge(combo("?GLO:PRTYPE", "", 5, {dropColumn(25, "")})),
      tab("?SLAMKONTROLLKONTROLL:TAB", "Slamkontroll", "?SHEET1"),
      sludge(prompt("?PRTYPE_TUNGMETALL:PROMPT", "Prøvetype tungmetall:")),
      sludge(withRows(combo("?GLO:PR_TYPE_TUNGMETALL", "", 10, {column(20, 0, "Prøvetype", "")}), sludgeTypes)),
      sludge(prompt("?PR_TYPE_NAERINGSSTOFF:PROMPT", "Prøvetype næringsstoff:")),
      sludge(withRows(combo("?GLO:PR_TYPE_NAERINGSSTOFF", "", 10, {column(20, 0, "Prøvetype", "")}), sludgeTypes)),
      sludge(prompt("?PR_TAKINGSTED:PROMPT", "Prøvetakingssted (fra Sivra 2000):")),
      sludge(combo("?GLO:PR_TAKINGSTED", "", 5, {dropColumn(20, "")})),
      control(ControlKind::Panel, "?PANEL1"),
      message("?LOC:MELDING_1"),
      message("?LOC:MELDING_2"),
      message("?LOC:MELDING_3"),
      message("?LOC:MELDING_4"),
      iconButton("?OKBUTTON", "Start import", "", "TICK.ICO"),
      iconButton("?CANCELBUTTON", "Lukk", "", "CROSS.ICO"),
      iconButton("?LOGFILEBUTTON", "Se på logg-file", "Les Log-file", "DOK.ICO"),
      iconButton("?IMPFILEBUTTON", "Se på import-file", "Se på importfile (rådata)", "DOK.ICO"),
  };
  return w;
}

}  // namespace import
