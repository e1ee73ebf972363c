// The preview's windows: the preview itself, the jump window and the display window.
#include "shell/preview_window.h"
#include "shell/preview_window_parts.h"

namespace shell {

using ui::ControlDef;
using ui::ControlKind;
using ui::MenuItem;

namespace {

MenuItem item(const char* equate, const char* text, const char* status = "") {
  return MenuItem{.equate = equate, .text = text, .status = status};
}
MenuItem check(const char* equate, const char* text) {
  return MenuItem{.equate = equate, .text = text, .checkable = true};
}
MenuItem separator() { return MenuItem{.separator = true}; }

ControlDef tool(const char* equate, const char* icon, const char* tip) {
  return ControlDef{.kind = ControlKind::Button, .equate = equate, .tip = tip, .icon = icon};
}

}  // namespace

ui::WindowDef previewWindowDef() {
  ui::WindowDef w;
  w.label = "P9$PREVIEW:WINDOW";
  w.title = "Report Preview";
  w.icon = "PRINT.ICO";
  w.resizable = true;
  w.minWidth = 315;
  w.width = 440;
  w.height = 300;
  w.statusZones = {0, 90, 70};
  w.menu = {
      MenuItem{.equate = "?FILEMENU", .text = "&File",
               .items = {item("?PRINT", "&Print", "Print the report"), separator(),
                         item("?EXIT", "E&xit", "Exit without printing the report")}},
      MenuItem{.equate = "?VIEWMENU", .text = "&View",
               .items = {item("?NEXT", "&Next Page(s)", "View the next page or pages of the report"),
                         item("?PREVIOUS", "&Previous Page(s)", "View the previous page or pages of the report"),
                         separator(), item("?JUMP", "&Jump to a page", "Jump to a specific page of the report"),
                         separator(),
                         item("?CHANGEDISPLAY", "&Change Display", "Change the number of pages displayed")}},
      MenuItem{.equate = "?ZOOMMENU", .text = "&Zoom",
               .items = {check("?ZOOMNOZOOM", "No &Zoom"), separator(), check("?ZOOMPAGEWIDTH", "Page &Width"),
                         separator(), check("?ZOOM50", "&50 Percent"), check("?ZOOM75", "&75 Percent"),
                         check("?ZOOM100", "&100 Percent"), check("?ZOOM200", "&200 Percent"),
                         check("?ZOOM300", "&300 Percent")}},
  };
  w.toolbar = {tool("?PRINTBUTTON", "PRINT.ICO", "Print this report"),
               tool("?EXITBUTTON", "EXIT.ICO", "Exit without printing the report"),
               tool("?ZOOMBUTTON", "ZOOM.ICO", "Zoom in on a page of the report")};
  // The spins sit in a row under the pages; the procedure moves the row when the window
  // changes size.
  const int y = w.height - kSpinRow + 2;
  w.controls = {
      ControlDef{.kind = ControlKind::Prompt, .equate = "?CURRENTPAGE:PROMPT", .text = "&Page:", .x = 4, .y = y + 2},
      ControlDef{.kind = ControlKind::Spin, .equate = "?CURRENTPAGE", .tip = "Enter a page number from 1 to 1",
                 .status = "Enter a page number from 1 to 1", .picture = "n4", .rangeLow = 1, .rangeHigh = 1,
                 .x = 32, .y = y, .width = 34, .height = 12},
      ControlDef{.kind = ControlKind::Prompt, .equate = "?PAGESACROSS:PROMPT", .text = "&Across:", .x = 80,
                 .y = y + 2},
      ControlDef{.kind = ControlKind::Spin, .equate = "?PAGESACROSS", .tip = "Select the number of thumbnails in a row",
                 .status = "Select the number of thumbnails in a row", .picture = "N2", .rangeLow = 1,
                 .rangeHigh = 10, .x = 114, .y = y, .width = 28, .height = 12},
      ControlDef{.kind = ControlKind::Prompt, .equate = "?PAGESDOWN:PROMPT", .text = "&Down:", .x = 154, .y = y + 2},
      ControlDef{.kind = ControlKind::Spin, .equate = "?PAGESDOWN",
                 .tip = "Select the number of thumbnails in a column",
                 .status = "Select the number of thumbnails in a column", .picture = "n2", .rangeLow = 1,
                 .rangeHigh = 10, .x = 182, .y = y, .width = 28, .height = 12},
  };
  return w;
}

ui::WindowDef jumpWindowDef(int total) {
  ui::WindowDef w;
  w.label = "P22$JUMPWINDOW";
  w.title = "Jump to a Report Page";
  w.controls = {
      ControlDef{.kind = ControlKind::Prompt, .equate = "?JUMPPAGE:PROMPT", .text = "&Page:"},
      ControlDef{.kind = ControlKind::Spin, .equate = "?JUMPPAGE", .tip = "Select a page of the report",
                 .picture = "n5", .rangeLow = 1, .rangeHigh = static_cast<double>(total)},
      ControlDef{.kind = ControlKind::Button, .equate = "?OKBUTTON", .text = "OK",
                 .tip = "Jump to the selected page", .isDefault = true},
      ControlDef{.kind = ControlKind::Button, .equate = "?CANCELBUTTON", .text = "Cancel",
                 .tip = "Cancel this selection"},
  };
  return w;
}

ui::WindowDef displayWindowDef() {
  ui::WindowDef w;
  w.label = "P23$SELECTWINDOW";
  w.title = "Change the Report Display";
  w.controls = {
      ControlDef{.kind = ControlKind::Group, .equate = "?PAGESDISPLAYED", .text = "Pages Displayed"},
      ControlDef{.kind = ControlKind::Group, .equate = "?ACROSSGROUP", .text = "Across", .parent = "?PAGESDISPLAYED"},
      ControlDef{.kind = ControlKind::Spin, .equate = "?INPUT:PAGESACROSS", .picture = "N2",
                 .parent = "?ACROSSGROUP", .rangeLow = 1, .rangeHigh = 10},
      ControlDef{.kind = ControlKind::Group, .equate = "?DOWNGROUP", .text = "Down", .parent = "?PAGESDISPLAYED"},
      ControlDef{.kind = ControlKind::Spin, .equate = "?INPUT:PAGESDOWN", .picture = "N2", .parent = "?DOWNGROUP",
                 .rangeLow = 1, .rangeHigh = 10},
      ControlDef{.kind = ControlKind::Button, .equate = "?OK", .text = "OK", .isDefault = true},
  };
  return w;
}

}  // namespace shell
