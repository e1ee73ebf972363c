// A 200-page mapping report: painting its pages to page images against painting the same
// bands to one PDF (time per page and ratio), and paging through it in the preview, where
// only the images of the existing cells are reloaded. Prints ratios measured in one run.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "data/thread_state.h"
#include "maintenance/report/param_report.h"
#include "platform/report/report.h"
#include "platform/ui/headless/session.h"
#include "shell/preview_window.h"

namespace {

using Clock = std::chrono::steady_clock;
double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

constexpr int kPages = 200;

// Mappings enough for kPages pages, in two sample types.
void printMappings(report::Report& r) {
  data::MapLabRecord lab{};
  lab.LAB = "KL01";
  lab.LABNAVN = "Kjemisk laboratorium";
  for (int i = 0; r.pageCount() < kPages - 1; ++i) {  // finish() ends the last page
    data::MapParamRecord m{};
    m.LAB = "KL01";
    m.PRTYPE = i < 4000 ? "S" : "U";
    m.PARAMLAB = "P" + std::to_string(i);
    m.PARAMSIV = "Parameter " + std::to_string(i);
    m.FAKTOR = i % 7 == 0 ? 0 : 1.0 + i % 13 / 8.0;
    r.print(maintenance::paramReportBands(m, lab));
  }
  r.finish();
}

// The controls of the preview window now (cells are controls: their number shows rebuilding).
std::size_t previewControls(ui::headless::Session& s) {
  std::lock_guard lock(s.backend().mutex());
  for (auto& [id, w] : s.backend().windows())
    if (w.title == "Report Preview") return w.controls.size();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  report::Painting painting(argc, argv);

  auto t0 = Clock::now();
  report::Report images({}, report::Target::Preview);
  printMappings(images);
  const double imageMs = ms(Clock::now() - t0);

  report::Report kept({}, report::Target::Print);
  printMappings(kept);
  const std::string pdf =
      (std::filesystem::temp_directory_path() / ("l2s-bench-" + std::to_string(::getpid()) + ".pdf")).string();
  t0 = Clock::now();
  const report::Result res = report::printPages(kept.pages(), kept.setup(), {.pdfPath = pdf});
  const double pdfMs = ms(Clock::now() - t0);
  std::filesystem::remove(pdf);
  if (!res.ok) {
    std::fprintf(stderr, "PDF failed: %s\n", res.error.c_str());
    return 1;
  }
  std::printf("%d pages: page images %.2f ms/page, one PDF %.2f ms/page, ratio images/PDF %.2f\n", images.pageCount(),
              imageMs / images.pageCount(), pdfMs / kept.pageCount(), imageMs / pdfMs);

  // The preview, 2 x 2, paged from the first page to the last.
  ui::headless::Session s;
  s.start([&] { shell::PreviewWindow(images.pageFiles()); });
  auto& robot = s.robot();
  if (!robot.window("Report Preview") || !robot.type("?PAGESACROSS", "2") || !robot.type("?PAGESDOWN", "2")) {
    std::fprintf(stderr, "%s\n", robot.error().c_str());
    return 1;
  }
  const std::size_t before = previewControls(s);
  t0 = Clock::now();
  int steps = 0;
  for (; steps < kPages / 4 - 1; ++steps) robot.key("", "PgDn");
  const double pagingMs = ms(Clock::now() - t0);
  const std::size_t after = previewControls(s);
  robot.press("?EXITBUTTON");
  s.finish();
  std::printf("preview 2x2: %d steps, %.2f ms/step, controls before %zu after %zu (%s)\n", steps, pagingMs / steps,
              before, after, before == after ? "cells kept" : "cells rebuilt");
  return 0;
}
