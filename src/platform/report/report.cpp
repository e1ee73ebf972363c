#include "platform/report/report.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>

#include "platform/report/paint.h"

namespace report {

struct Report::State {
  PageSetup setup;
  Target target;
  std::vector<Page> pages;
  std::vector<std::string> files;
  std::string dir;  // the page images' temporary folder (Preview)
  std::string error;
  Page current;
  bool pageOpen = false;
  bool pageHasDetail = false;
  bool anyDetail = false;
  std::string lastGroup;
  double y = 0;
  Band footer;

  void place(const Band& b) {
    if (b.height <= 0) return;
    current.bands.push_back({y, b});
    y += b.height;
  }
  void startPage(const Bands& b) {
    current = {};
    y = 0;
    footer = b.pageFooter;
    pageOpen = true;
    pageHasDetail = false;
    place(b.pageHeader);
  }
  bool endPage() {
    if (footer.height > 0) current.bands.push_back({detail::contentHeight(setup) - footer.height, footer});
    pages.push_back(std::move(current));
    current = {};
    pageOpen = false;
    if (target != Target::Preview) return true;
    if (!canPaint()) {
      error = "Utskrift er ikke tilgjengelig: programmet har ingen tegneflate";
      return false;
    }
    if (dir.empty()) {
      std::string pattern = (std::filesystem::temp_directory_path() / "l2s-report-XXXXXX").string();
      if (!::mkdtemp(pattern.data())) {
        error = "Kan ikke lage en midlertidig mappe for sidebildene";
        return false;
      }
      dir = pattern;
    }
    char name[32];
    std::snprintf(name, sizeof name, "/page%05zu.png", pages.size());
    const std::string path = dir + name;
    if (!detail::writePageImage(pages.back(), setup, path, error)) return false;
    files.push_back(path);
    return true;
  }
};

Report::Report(PageSetup setup, Target target) : s_(std::make_unique<State>()) {
  s_->setup = setup;
  s_->target = target;
}

Report::~Report() {
  if (!s_->dir.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(s_->dir, ec);
  }
}

bool Report::print(const Bands& b) {
  State& s = *s_;
  if (!s.error.empty()) return false;
  if (!s.pageOpen) s.startPage(b);
  const bool newGroup = !s.anyDetail || b.group != s.lastGroup;
  const double need = (newGroup ? b.groupHeader.height : 0) + b.detail.height;
  // A group header moves to the next page together with its first detail.
  if (s.pageHasDetail && s.y + need > detail::contentHeight(s.setup) - s.footer.height) {
    if (!s.endPage()) return false;
    s.startPage(b);
  }
  if (newGroup) s.place(b.groupHeader);
  s.place(b.detail);
  s.lastGroup = b.group;
  s.anyDetail = true;
  s.pageHasDetail = true;
  return true;
}

bool Report::finish() {
  if (!s_->error.empty()) return false;
  return !s_->pageOpen || s_->endPage();
}

int Report::pageCount() const { return static_cast<int>(s_->pages.size()); }
const std::vector<Page>& Report::pages() const { return s_->pages; }
const std::vector<std::string>& Report::pageFiles() const { return s_->files; }
const std::string& Report::error() const { return s_->error; }
const PageSetup& Report::setup() const { return s_->setup; }

}  // namespace report
