// The log viewer over a 50 MB log of 500,000 lines: the load's time against a plain sequential
// read of the same file (ratio), the load's floor set by its pacing (20,000 bytes per tick of
// 10 ms, so that Cancel stays responsive), how long Cancel takes to be answered mid-load, and
// paging at the end of the big log against a log of 50 lines.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "data/file_names.h"
#include "import/viewers/log_file_view.h"
#include "platform/ui/api/backend.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/headless/session.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr const char* kTitle = "Se på Logg-file";

double msSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

void writeLog(const fs::path& path, int lines) {
  std::ofstream out(path, std::ios::binary);
  std::string line;
  for (int i = 1; i <= lines; ++i) {
    line = "Lagret Utslippskontroll - Anlegg: 010101 Periode:  1.01.08 -  8.01.08 Journal: 08/" +
           std::to_string(i % 10000) + " Status: Ny  rad " + std::to_string(i);
    line.resize(99, ' ');
    out << line << '\n';
  }
}

double plainRead(const fs::path& path, long long& lines) {
  const auto t0 = Clock::now();
  std::ifstream in(path, std::ios::binary);
  std::string line;
  lines = 0;
  while (std::getline(in, line)) ++lines;
  return msSince(t0);
}

// The viewer opened on the log until it is idle with the lines shown; -1 when it failed.
double load(ui::headless::Session& s) {
  const auto t0 = Clock::now();
  s.start([] { import::LogFileView(); });
  s.robot().setTimeout(std::chrono::minutes(5));
  if (!s.robot().window(kTitle)) return -1;
  return msSince(t0);
}

// Ten page-downs and End, then Home: the time of the list's paging.
double paging(ui::headless::Robot& r) {
  const auto t0 = Clock::now();
  for (int i = 0; i < 10; ++i) r.key("?ASCIIBOX", "PgDn");
  r.key("?ASCIIBOX", "End");
  r.key("?ASCIIBOX", "Home");
  return msSince(t0);
}

// Cancel pressed mid-load: milliseconds until its question is on screen.
double cancelLatency(ui::headless::Session& s) {
  s.start([] { import::LogFileView(); });
  int window = 0, control = 0;
  for (int i = 0; i < 5000 && window == 0; ++i) {
    {
      std::lock_guard lock(s.backend().mutex());
      for (auto& [id, w] : s.backend().windows())
        if (w.title == "Reading File")
          for (auto& [cid, c] : w.controls)
            if (c.def.equate == "?PROGRESS:CANCEL" && c.value.empty()) {
              window = id;
              control = cid;
            }
    }
    if (window == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (window == 0) return -1;
  std::this_thread::sleep_for(std::chrono::milliseconds(500));  // well into the load
  ui::Event ev;
  ev.kind = ui::EventKind::Accepted;
  ev.control = control;
  ev.key = ui::Key::MouseLeft;
  const auto t0 = Clock::now();
  ui::deliver(window, ev);
  for (;;) {
    {
      std::lock_guard lock(s.backend().mutex());
      if (!s.backend().pending().empty()) break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  const double ms = msSince(t0);
  s.robot().answer("Cancel Request", "Ok");
  return ms;
}

}  // namespace

int main() {
  const fs::path dir = fs::temp_directory_path() / ("l2s-log-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  data::setDataDirectory(dir.string());
  data::SetFileNames();
  const fs::path log = dir / "Import.Txt";

  writeLog(log, 500000);
  long long lines = 0;
  const double plain = plainRead(log, lines);
  const long long bytes = static_cast<long long>(fs::file_size(log));
  const double floorMs = static_cast<double>((bytes + import::kLogBytesPerTick - 1) / import::kLogBytesPerTick) * 10.0;

  double big = -1, bigPaging = -1, cancel = -1;
  {
    ui::headless::Session s;
    big = load(s);
    if (big >= 0) bigPaging = paging(s.robot());
    s.finish();
  }
  {
    ui::headless::Session s;
    cancel = cancelLatency(s);
    s.finish();
  }
  writeLog(log, 50);
  double smallPaging = -1;
  {
    ui::headless::Session s;
    if (load(s) >= 0) smallPaging = paging(s.robot());
    s.finish();
  }
  fs::remove_all(dir);

  std::printf("log: %lld lines, %.1f MB\n", lines, static_cast<double>(bytes) / 1e6);
  std::printf("plain sequential read:     %9.1f ms\n", plain);
  std::printf("viewer load (headless):    %9.1f ms   ratio %.1f\n", big, big / plain);
  std::printf("pacing floor (10 ms/tick): %9.1f ms   load / floor %.2f\n", floorMs, big / floorMs);
  std::printf("Cancel answered after:     %9.2f ms\n", cancel);
  std::printf("paging 500,000 lines:      %9.2f ms\n", bigPaging);
  std::printf("paging 50 lines:           %9.2f ms   ratio %.2f\n", smallPaging, bigPaging / smallPaging);
  return big < 0 || cancel < 0 ? 1 : 0;
}
