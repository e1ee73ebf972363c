#pragma once
// The report engine: bands laid out into pages of a paper size, each finished page either
// painted into a PNG page image (the page list a preview shows) or kept for the printer.
// Callers speak to it through plain structs; only this folder's sources include Qt.
//
//   report::Report r(setup, report::Target::Preview);
//   for (each record) r.print({.pageHeader = h, .groupHeader = g, .group = type, .detail = d});
//   r.finish();                 // ends the last page
//   PreviewWindow(r.pageFiles()); if (chosen) report::printReport(r, "Mapping");
//
// Painting needs a Qt GUI application in the process (the program makes one, also an
// offscreen one for scripted runs); without it every painting call fails with a text.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace report {

// One thing painted in a band: a text, or a horizontal rule. Positions in millimetres from
// the band's top left corner (inside the page margins).
struct Item {
  double x = 0, y = 0;
  std::string text{};  // UTF-8
  double width = 0;    // text: cut at this width (0: no limit); rule: its length (0: to the margin)
  double points = 10;  // font size
  bool bold = false;
  bool fixedPitch = false;
  bool rule = false;        // a horizontal line at y instead of a text
  bool alignRight = false;  // text: ends at x + width
};

struct Band {
  double height = 0;  // millimetres; 0: the band takes no room and prints nothing
  std::vector<Item> items{};
};

enum class Paper { A4, Letter };

struct PageSetup {
  Paper paper = Paper::A4;
  bool landscape = false;
  double margin = 15;  // millimetres, every side
};

// One detail band with the bands that may have to go before it. The group header prints
// before the detail whenever `group` differs from the previous detail's group (and before
// the first detail); the page header and footer print at every page break.
struct Bands {
  Band pageHeader{};
  Band groupHeader{};
  std::string group{};
  Band detail{};
  Band pageFooter{};
};

// A laid-out page: bands with their top in millimetres from the top margin.
struct PlacedBand {
  double y = 0;
  Band band{};
};
struct Page {
  std::vector<PlacedBand> bands{};
};

enum class Target {
  Preview,  // finished pages go to PNG page images in a temporary folder
  Print,    // finished pages are only kept, for printReport
};

// Result of painting or printing. `cancelled`: the user declined the printer's file dialog.
struct Result {
  bool ok = true;
  bool cancelled = false;
  std::string error{};
};

// True when a Qt GUI application exists to paint with.
bool canPaint();

// Painting for a run without the windowed application's event loop (scripted runs, tests):
// make it on the main thread before any procedure starts. When no Qt application exists it
// makes one on the offscreen platform. When it ends, the engine's painting thread is joined
// before that application goes. (Under the windowed program the painting thread is joined
// as the application's loop quits.)
class Painting {
 public:
  Painting(int& argc, char** argv);
  ~Painting();
  Painting(const Painting&) = delete;
  Painting& operator=(const Painting&) = delete;

 private:
  struct App;
  std::unique_ptr<App> app_;
};

class Report {
 public:
  Report(PageSetup setup, Target target);
  ~Report();  // discards the pages and removes the page images
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;

  // Lays one detail out (with its group header, and the page footer, header and a new page
  // when it does not fit). False when a page image could not be written (see error()).
  bool print(const Bands& bands);
  // Ends the last page. A report that printed nothing has no page.
  bool finish();

  int pageCount() const;
  const std::vector<Page>& pages() const;
  // The page list: one PNG file name per finished page, page 1 first (Target::Preview).
  const std::vector<std::string>& pageFiles() const;
  const std::string& error() const;
  const PageSetup& setup() const;

  // Page image resolution in dots per inch.
  static constexpr int kImageDpi = 96;

 private:
  struct State;
  std::unique_ptr<State> s_;
};

// Where printed pages go: the named printer, or else a PDF file.
struct Destination {
  std::string printer{};
  std::string pdfPath{};
  int copies = 1;  // on a printer
};

// The system's default printer; empty when none is set up.
std::string defaultPrinter();
// What the printer setup chose (ui::printerChoice): its file, or its printer; else the default
// printer when there is one; otherwise the user names a PDF file in a file dialog (the
// suggestion is offered first). False when the user cancels the dialog.
bool chooseDestination(Destination& out, std::string_view suggestedPdfName);

// Paints the pages onto the destination. A PDF is written beside its final name and moved
// into place only when complete, so a failed print never leaves half a file.
Result printPages(const std::vector<Page>& pages, const PageSetup& setup, const Destination& to);
// The report's pages to the default printer, or to a PDF file the user names.
Result printReport(const Report& report, std::string_view suggestedPdfName);

// Text lines, one band per line in a fixed-pitch font of `points`, straight to the printer
// (or a PDF file the user names), with no preview. An empty list prints nothing and is ok.
Result printLines(const std::vector<std::string>& lines, std::string_view suggestedPdfName, double points = 9);

// Makes printLines the window layer's line printer (ui::printLines, the log viewer's Print):
// any fixed-pitch font name prints in the engine's fixed-pitch font, the PDF is suggested as
// `suggestedPdfName`, and a cancelled file dialog is no error.
void installLinePrinter(std::string suggestedPdfName);

}  // namespace report
