// Printed output: the default printer, or a PDF file the user names.
#include <QtCore/QString>
#include <QtGui/QFont>
#include <QtGui/QFontMetricsF>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <QtGui/QPdfWriter>
#include <QtPrintSupport/QPrinter>
#include <QtPrintSupport/QPrinterInfo>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/report/paint.h"
#include "platform/report/painter_thread.h"
#include "platform/report/report.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/line_printer.h"

namespace report {

namespace {

QPageSize pageSize(const PageSetup& setup) {
  return QPageSize(setup.paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
}

bool endsWithPdf(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
  return tail == ".pdf";
}

// Paints every page on an open painter of a paged device.
template <class Device>
void paintAll(Device& dev, QPainter& p, const std::vector<Page>& pages, const PageSetup& setup, double dpm) {
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) dev.newPage();
    detail::paintPage(p, pages[i], setup, dpm);
  }
}

Result failed(std::string text) { return {false, false, std::move(text)}; }

}  // namespace

std::string defaultPrinter() {
  // Tests and scripted runs may forbid real paper.
  if (const char* none = std::getenv("LAB2SIV_NO_PRINTER"); none && *none) return {};
  std::string name;
  detail::onPainter([&] { name = QPrinterInfo::defaultPrinter().printerName().toStdString(); });
  return name;
}

bool chooseDestination(Destination& out, std::string_view suggestedPdfName) {
  out = {};
  const ui::PrinterChoice chosen = ui::printerChoice();
  out.copies = std::max(1, chosen.copies);
  if (!chosen.outputFile.empty()) {
    out.pdfPath = endsWithPdf(chosen.outputFile) ? chosen.outputFile : chosen.outputFile + ".pdf";
    return true;
  }
  if (canPaint()) {
    const char* none = std::getenv("LAB2SIV_NO_PRINTER");
    const bool paperAllowed = !(none && *none);
    out.printer = paperAllowed && !chosen.printer.empty() ? chosen.printer : defaultPrinter();
  }
  if (!out.printer.empty()) return true;
  std::string path(suggestedPdfName);
  if (!ui::fileDialog("Skriv ut til PDF-fil", path, "PDF-filer (*.pdf)|*.pdf", true)) return false;
  if (!endsWithPdf(path)) path += ".pdf";
  out.pdfPath = path;
  return true;
}

namespace {

// On the painting thread.
Result paintTo(const std::vector<Page>& pages, const PageSetup& setup, const Destination& to) {
  const QPageLayout::Orientation orient = setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
  if (!to.printer.empty()) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString::fromStdString(to.printer));
    printer.setFullPage(true);
    printer.setPageSize(pageSize(setup));
    printer.setPageOrientation(orient);
    printer.setCopyCount(std::max(1, to.copies));
    QPainter p;
    if (!printer.isValid() || !p.begin(&printer)) return failed("Kan ikke skrive ut på " + to.printer);
    paintAll(printer, p, pages, setup, printer.resolution() / 25.4);
    if (!p.end()) return failed("Utskriften på " + to.printer + " mislyktes");
    return {};
  }
  // Written beside the final name and moved into place when whole.
  const std::string part = to.pdfPath + ".part";
  auto discard = [&] {
    std::error_code ec;
    std::filesystem::remove(part, ec);
    return failed("Kan ikke skrive fila " + to.pdfPath);
  };
  {
    QPdfWriter pdf(QString::fromStdString(part));
    pdf.setCreator(QStringLiteral("Lab2Siv"));
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(pageSize(setup), orient, QMarginsF(0, 0, 0, 0)));
    QPainter p;
    if (!p.begin(&pdf)) return discard();
    paintAll(pdf, p, pages, setup, pdf.resolution() / 25.4);
    if (!p.end()) return discard();
  }
  std::error_code ec;
  std::filesystem::rename(part, to.pdfPath, ec);
  if (ec) return discard();
  return {};
}

}  // namespace

Result printPages(const std::vector<Page>& pages, const PageSetup& setup, const Destination& to) {
  if (pages.empty()) return {};
  if (!canPaint()) return failed("Utskrift er ikke tilgjengelig: programmet har ingen tegneflate");
  Result r;
  detail::onPainter([&] { r = paintTo(pages, setup, to); });
  return r;
}

Result printReport(const Report& report, std::string_view suggestedPdfName) {
  if (report.pageCount() == 0) return {};
  Destination to;
  if (!chooseDestination(to, suggestedPdfName)) return {false, true, {}};
  return printPages(report.pages(), report.setup(), to);
}

void installLinePrinter(std::string suggestedPdfName) {
  ui::setLinePrinter(
      [name = std::move(suggestedPdfName)](const std::vector<std::string>& lines, std::string_view, int points) {
        const Result r = printLines(lines, name, points);
        return r.ok || r.cancelled ? std::string() : r.error;
      });
}

Result printLines(const std::vector<std::string>& lines, std::string_view suggestedPdfName, double points) {
  if (lines.empty()) return {};
  if (!canPaint()) return failed("Utskrift er ikke tilgjengelig: programmet har ingen tegneflate");
  // Landscape with narrow margins, so that a log line of 150 characters fits at 9 points; a
  // longer one wraps inside its band.
  const PageSetup setup{Paper::A4, true, 5};
  Item probe{.points = points, .fixedPitch = true};
  double em = 0.6;
  detail::onPainter([&] {
    QFont f(QStringLiteral("Monospace"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPixelSize(1000);  // the advance as a share of the em, independent of any screen
    em = QFontMetricsF(f).horizontalAdvance(QLatin1Char('M')) / 1000.0;
  });
  const double mmPerPoint = 25.4 / 72.0;
  const double charMm = em * points * mmPerPoint;
  const double lineMm = points * 1.25 * mmPerPoint;
  const auto perRow =
      std::max<std::size_t>(1, static_cast<std::size_t>(detail::contentWidth(setup) / std::max(charMm, 0.1)));

  Report r(setup, Target::Print);
  for (const std::string& raw : lines) {
    std::string line = raw;
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
    const QString text = QString::fromUtf8(line);
    Bands b;
    b.detail.height = lineMm;
    if (text.isEmpty()) b.detail.items.push_back(probe);
    for (qsizetype at = 0; at < text.size(); at += static_cast<qsizetype>(perRow)) {
      Item it = probe;
      it.y = b.detail.items.size() * lineMm;
      it.text = text.mid(at, static_cast<qsizetype>(perRow)).toStdString();
      b.detail.items.push_back(std::move(it));
    }
    b.detail.height = lineMm * static_cast<double>(b.detail.items.size());
    r.print(b);
  }
  r.finish();
  Destination to;
  if (!chooseDestination(to, suggestedPdfName)) return {false, true, {}};
  return printPages(r.pages(), setup, to);
}

}  // namespace report
