// An import started from the import window runs within a small factor of the same import
// without a window: times RunImport on its own against "Start import" pressed by the robot in
// the window (headless backend), and prints the ratio. The generated export holds 8,000 sample
// rows with 15 analyses each for 20 suppliers.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "generated_import.h"
#include "import/window/import_window.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/headless/session.h"
#include "shell/global_settings.h"

namespace {

namespace fs = std::filesystem;
using namespace benchimport;
using Clock = std::chrono::steady_clock;

double windowRun(ui::headless::Session& s) {
  shell::editGlobals([](shell::GlobalSettings& g) {
    g.LAB = "BL";
    g.LEVERAND1.clear();
    g.LEVERAND2.clear();
    g.UTSLKTR = g.SLAMKTR = g.OVERSKRIVES = g.LOGSLETT = 1;
  });
  s.start([] { import::ImportWindow(); });
  auto& r = s.robot();
  r.setTimeout(std::chrono::minutes(5));
  if (!r.window("Import")) return -1;
  const auto t0 = Clock::now();
  if (!r.press("?OKBUTTON")) return -1;
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
  r.press("?CANCELBUTTON");
  s.finish();
  return ms;
}

}  // namespace

int main() {
  const fs::path root = fs::temp_directory_path() / ("l2s_window_bench_" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "lab");
  // The settings and user files are opened by bare name: keep them in the scratch folder.
  const fs::path oldCwd = fs::current_path();
  fs::current_path(root);
  generateLab(root / "lab");
  // The run's log and the dataset files live in each run's own data directory.
  prepareDataDir(root / "plain", root / "lab");
  ui::headless::Session session;
  const double plain = plainRun(root / "lab");
  prepareDataDir(root / "window", root / "lab");
  const double window = windowRun(session);
  std::printf("import without a window %.1f ms, from the import window (headless) %.1f ms, ratio %.2f\n", plain, window,
              plain > 0 ? window / plain : 0.0);
  fs::current_path(oldCwd);
  fs::remove_all(root);
  return plain > 0 && window > 0 ? 0 : 1;
}
