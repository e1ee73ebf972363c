// A list reads one page, not the file: opens the laboratories' list window itself (headless
// window layer, played by the robot) in select mode at a code in the middle of a large and of a
// small MapLab, scrolls a page down and back and closes it, and prints the ratio of the two
// times. Before every round the file's pages are dropped from the page cache, so each opening
// reads the file from disk as the first one of a day would.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/thread_state.h"
#include "maintenance/lists/lab_browse.h"
#include "platform/store/paths.h"
#include "platform/store/transaction.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/headless/session.h"

namespace {

namespace fs = std::filesystem;

// Four-character codes in base 36, so 200,000 records fit the key.
std::string code(int n) {
  const char* digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string s(4, '0');
  for (int i = 3; i >= 0; --i, n /= 36) s[std::size_t(i)] = digits[n % 36];
  return s;
}

std::string mapLabPath() { return store::resolvePath(data::fileName(data::FileId::MapLab)); }

bool makeFile(int records) {
  data::MapLab f;
  f.setName(mapLabPath());
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

// Asks the kernel to forget the file's cached pages (they are clean after the commit).
void dropFromCache(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  ::fdatasync(fd);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
}

// Milliseconds per round: the list opened at the middle code, a page down, a page up, closed.
double openAndScroll(ui::headless::Session& s, int records, int rounds) {
  auto& robot = s.robot();
  const std::string middle = code(records / 2);
  double total = 0;
  // Round 0 warms up the process (thread, window layer), not the file; it is not counted.
  for (int r = 0; r <= rounds; ++r) {
    dropFromCache(mapLabPath());
    const auto t0 = std::chrono::steady_clock::now();
    ui::startProcedure([middle] {
      auto& t = data::thr();
      t.MapLab.rec.LAB = middle;
      t.ThreadRequest = 4;
      maintenance::LabBrowse();
    });
    if (!robot.window("Tabell laboratorier") || !robot.key("?LIST", "PgDn") || !robot.key("?LIST", "PgUp") ||
        !robot.press("?CLOSE") || !robot.waitEnd()) {
      std::fprintf(stderr, "robot: %s\n", robot.error().c_str());
      return -1;
    }
    if (r > 0) total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  }
  return total / rounds;
}

}  // namespace

int main() {
  const fs::path root = fs::temp_directory_path() / ("l2s-list-bench-" + std::to_string(::getpid()));
  fs::remove_all(root);
  const fs::path oldCwd = fs::current_path();
  const int small = 2000, large = 200000, rounds = 20;
  double ms[2] = {0, 0};
  {
    ui::headless::Session session;
    int i = 0;
    for (int records : {small, large}) {
      const fs::path dir = root / std::to_string(records);
      fs::create_directories(dir);
      // The settings file is opened by bare name: keep it in the scratch folder.
      fs::current_path(dir);
      data::setDataDirectory(dir.string());
      data::SetFileNames();
      if (!makeFile(records)) {
        std::fprintf(stderr, "could not build the file\n");
        return 1;
      }
      ms[i++] = openAndScroll(session, records, rounds);
    }
    session.finish();
  }
  fs::current_path(oldCwd);
  std::printf(
      "list window open + page down/up + close, from disk: %d records %.2f ms, %d records %.2f ms, ratio %.2f\n", small,
      ms[0], large, ms[1], ms[0] > 0 ? ms[1] / ms[0] : 0.0);
  fs::remove_all(root);
  return ms[0] > 0 && ms[1] > 0 ? 0 : 1;
}
