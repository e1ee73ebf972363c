// A run that redraws after every row: 100,000 updates each followed by display(), once on the
// headless backend and once on the Qt backend. Prints both times and their ratio.
#include <QApplication>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/ui/api/procedure.h"
#include "platform/ui/api/window.h"
#include "platform/ui/headless/session.h"
#include "platform/ui/qt/qt_run.h"

namespace {

constexpr int kUpdates = 100000;

ui::WindowDef progressWindow() {
  ui::WindowDef def;
  def.title = "Import";
  for (int i = 1; i <= 4; ++i)
    def.controls.push_back(
        {.kind = ui::ControlKind::Text, .equate = "?LOC:MELDING_" + std::to_string(i), .picture = "@s80"});
  return def;
}

// The procedure: four progress lines, one of them changed per update; returns its own time.
void updates(std::atomic<double>& seconds, std::atomic<bool>& done) {
  std::string lines[4];
  ui::Window win(progressWindow());
  for (int i = 0; i < 4; ++i) win.bind("?LOC:MELDING_" + std::to_string(i + 1), lines[i]);
  win.open();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kUpdates; ++i) {
    lines[i % 4] = "Prøve " + std::to_string(i) + " av " + std::to_string(kUpdates);
    win.display();
  }
  seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  done = true;
  while (auto ev = win.accept()) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::atomic<double> headless{0}, qt{0};
  {
    std::atomic<bool> done{false};
    ui::headless::Session s;
    s.start([&] { updates(headless, done); });
    while (!done) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    s.finish();
  }
  {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    std::atomic<bool> done{false};
    ui::qt::QtRun run;
    run.start([&] { updates(qt, done); });
    run.pumpUntil([&] { return done.load(); }, 600000);
  }
  std::printf("display() after each of %d updates: headless %.3f s, Qt %.3f s, ratio Qt/headless %.2f\n", kUpdates,
              headless.load(), qt.load(), headless.load() > 0 ? qt.load() / headless.load() : 0.0);
  return 0;
}
