#pragma once
// A report of n pages for preview tests: each page says its number in large type.
#include <memory>
#include <string>

#include "platform/report/report.h"

namespace l2stest {

inline std::unique_ptr<report::Report> samplePages(int n) {
  auto r = std::make_unique<report::Report>(report::PageSetup{}, report::Target::Preview);
  report::Bands b;
  b.pageFooter.height = 10;
  b.detail.height = 250;  // one detail fills a page
  for (int i = 1; i <= n; ++i) {
    b.detail.items = {report::Item{.x = 20, .y = 100, .text = "Side " + std::to_string(i), .points = 48}};
    r->print(b);
  }
  r->finish();
  return r;
}

}  // namespace l2stest
