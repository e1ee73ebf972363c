// A list reads one page, not the file: opens the laboratories' list machinery over a large and
// a small MapLab and scrolls a page, and prints the ratio of the two times.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "data/program_files.h"
#include "maintenance/browse_list.h"
#include "maintenance/store_browse_source.h"
#include "platform/store/transaction.h"

namespace {

using maintenance::BrowseRow;

class PageHost : public maintenance::BrowseHost {
 public:
  int items() const override { return 20; }
  int selected() const override { return sel_; }
  void showPage(const std::deque<BrowseRow>&, int current) override { sel_ = current; }
  void setVScroll(bool on) override { vs_ = on; }
  bool vscroll() const override { return vs_; }
  void setThumb(int) override {}
  int mouseRow() const override { return 0; }
  void setRecordButtons(bool) override {}
  void postAccepted(maintenance::ListButton) override {}
  void postNewSelection() override {}
  void postScrollTop() override {}
  void postScrollBottom() override {}
  void postClose() override {}
  void focusList() override {}
  void redisplay() override {}
  bool inAcceptAll() const override { return false; }
  int popup(std::string_view) override { return 0; }
  void waitCursor(bool) override {}
  int lastKey() const override { return 0; }
  void clearLastKey() override {}
  void warn(int kind, std::string_view) override { std::fprintf(stderr, "warning %d\n", kind); }

 private:
  int sel_ = 0;
  bool vs_ = false;
};

class LabSource : public maintenance::StoreBrowseSource<data::MapLabRecord> {
 public:
  explicit LabSource(data::MapLab& f) : StoreBrowseSource(f, data::MapLab::MAPLABKEY) {}
  std::vector<std::string> makeRow() override { return {file_.rec.LAB.str(), file_.rec.LABNAVN.str()}; }
  void copyBack(const std::vector<std::string>& row) override { file_.rec.LAB = row.at(0); }
  char locatorChar() const override { return file_.rec.LAB[0]; }
  void setLocator(char c) override {
    file_.rec.LAB.clear();
    file_.rec.LAB[0] = c;
  }
  int callForm(int) override { return 2; }
};

// Four-character codes in base 36, so 200,000 records fit the key.
std::string code(int n) {
  const char* digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string s(4, '0');
  for (int i = 3; i >= 0; --i, n /= 36) s[i] = digits[n % 36];
  return s;
}

bool makeFile(const std::filesystem::path& path, int records) {
  data::MapLab f;
  f.setName(path.string());
  if (f.create() != 0 || f.open() != 0) return false;
  store::Transaction tx;
  if (tx.begin({&f}, 2) != 0) return false;
  for (int i = 0; i < records; ++i) {
    f.clear();
    f.rec.LAB = code(i);
    f.rec.LABNAVN = "Laboratorium " + std::to_string(i);
    if (f.add() != 0) return false;
  }
  return tx.commit() == 0;
}

// Opens the list in select mode in the middle of the file and scrolls a page down and back.
double openAndScroll(const std::filesystem::path& path, int records, int rounds) {
  data::MapLab f;
  f.setName(path.string());
  if (f.open() != 0) return -1;
  const auto t0 = std::chrono::steady_clock::now();
  for (int r = 0; r < rounds; ++r) {
    PageHost host;
    LabSource src(f);
    f.rec.LAB = code(records / 2);
    maintenance::BrowseList list(src, host, 4);
    list.onOpen();
    list.onScroll(maintenance::Scroll::PageDown);
    list.onScroll(maintenance::Scroll::PageUp);
    list.onScroll(maintenance::Scroll::Down);
  }
  const auto t1 = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(t1 - t0).count() / rounds;
}

}  // namespace

int main() {
  const auto dir = std::filesystem::temp_directory_path() / ("l2s-list-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const int small = 2000, large = 200000, rounds = 50;
  const auto smallPath = dir / "small.tps", largePath = dir / "large.tps";
  if (!makeFile(smallPath, small) || !makeFile(largePath, large)) {
    std::fprintf(stderr, "could not build the files\n");
    return 1;
  }
  const double s = openAndScroll(smallPath, small, rounds);
  const double l = openAndScroll(largePath, large, rounds);
  std::printf("list open + page scroll: %d records %.3f ms, %d records %.3f ms, ratio %.2f\n", small, s, large,
              l, s > 0 ? l / s : 0.0);
  std::filesystem::remove_all(dir);
  return 0;
}
