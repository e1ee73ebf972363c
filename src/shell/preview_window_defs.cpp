// The preview's windows: the preview itself, the jump window and the display window.
#include "platform/ui/api/def_builders.h"
#include "shell/preview_window.h"
#include "shell/preview_window_parts.h"

namespace shell {

using ui::ControlDef;

ui::WindowDef previewWindowDef() {
  using namespace ui::defs;
  ui::WindowDef w = window("P9$PREVIEW:WINDOW", "Report Preview", "PRINT.ICO");
  w.resizable = true;
  w.minWidth = 315;
  w.width = 440;
  w.height = 300;
  w.statusZones = {0, 90, 70};
  w.menu = {
      menu("?FILEMENU", "&File",
           {menuItem("?PRINT", "&Print", "Print the report"), separator(),
            menuItem("?EXIT", "E&xit", "Exit without printing the report")}),
      menu("?VIEWMENU", "&View",
           {menuItem("?NEXT", "&Next Page(s)", "View the next page or pages of the report"),
            menuItem("?PREVIOUS", "&Previous Page(s)", "View the previous page or pages of the report"), separator(),
            menuItem("?JUMP", "&Jump to a page", "Jump to a specific page of the report"), separator(),
            menuItem("?CHANGEDISPLAY", "&Change Display", "Change the number of pages displayed")}),
      menu("?ZOOMMENU", "&Zoom",
           {checkItem("?ZOOMNOZOOM", "No &Zoom"), separator(), checkItem("?ZOOMPAGEWIDTH", "Page &Width"), separator(),
            checkItem("?ZOOM50", "&50 Percent"), checkItem("?ZOOM75", "&75 Percent"),
            checkItem("?ZOOM100", "&100 Percent"), checkItem("?ZOOM200", "&200 Percent"),
            checkItem("?ZOOM300", "&300 Percent")}),
  };
  w.toolbar = {iconButton("?PRINTBUTTON", "", "Print this report", "PRINT.ICO"),
               iconButton("?EXITBUTTON", "", "Exit without printing the report", "EXIT.ICO"),
               iconButton("?ZOOMBUTTON", "", "Zoom in on a page of the report", "ZOOM.ICO")};
  // The spins sit in a row under the pages; the procedure moves the row when the window
  // changes size.
  const int y = w.height - kSpinRow + 2;
  const auto rowSpin = [y](const char* equate, const char* picture, double high, const char* tip, int x, int width) {
    ControlDef c = at(spin(equate, picture, 1, high, tip), x, y, width, 12);
    c.status = tip;
    return c;
  };
  w.controls = {
      at(prompt("?CURRENTPAGE:PROMPT", "&Page:"), 4, y + 2),
      rowSpin("?CURRENTPAGE", "n4", 1, "Enter a page number from 1 to 1", 32, 34),
      at(prompt("?PAGESACROSS:PROMPT", "&Across:"), 80, y + 2),
      rowSpin("?PAGESACROSS", "N2", 10, "Select the number of thumbnails in a row", 114, 28),
      at(prompt("?PAGESDOWN:PROMPT", "&Down:"), 154, y + 2),
      rowSpin("?PAGESDOWN", "n2", 10, "Select the number of thumbnails in a column", 182, 28),
  };
  return w;
}

ui::WindowDef jumpWindowDef(int total) {
  using namespace ui::defs;
  ui::WindowDef w = window("P22$JUMPWINDOW", "Jump to a Report Page");
  ControlDef ok = button("?OKBUTTON", "OK", "Jump to the selected page");
  ok.isDefault = true;
  w.controls = {
      prompt("?JUMPPAGE:PROMPT", "&Page:"),
      spin("?JUMPPAGE", "n5", 1, static_cast<double>(total), "Select a page of the report"),
      ok,
      button("?CANCELBUTTON", "Cancel", "Cancel this selection"),
  };
  return w;
}

ui::WindowDef displayWindowDef() {
  using namespace ui::defs;
  ui::WindowDef w = window("P23$SELECTWINDOW", "Change the Report Display");
  ControlDef ok = button("?OK", "OK");
  ok.isDefault = true;
  w.controls = {
      group("?PAGESDISPLAYED", "Pages Displayed"),
      inside(group("?ACROSSGROUP", "Across"), "?PAGESDISPLAYED"),
      inside(spin("?INPUT:PAGESACROSS", "N2", 1, 10), "?ACROSSGROUP"),
      inside(group("?DOWNGROUP", "Down"), "?PAGESDISPLAYED"),
      inside(spin("?INPUT:PAGESDOWN", "N2", 1, 10), "?DOWNGROUP"),
      ok,
  };
  return w;
}

}  // namespace shell
