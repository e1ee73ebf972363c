#pragma once
// A scratch working directory for one test: current directory, system settings directory,
// drive root and data directory under a fresh temp folder, and the process-wide state of the
// program put back to its start. Procedures run in a session played by its robot: headless, or
// on the Qt windows too where a fixture's tests are TEST_P over windowBackends().
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "../platform/ui/headless/newest_window.h"
#include "backend_session.h"
#include "data/file_names.h"
#include "data/program_files.h"
#include "data/use_counters.h"
#include "platform/store/paths.h"
#include "platform/sys/desktop.h"
#include "platform/ui/headless/session.h"
#include "shell/global_settings.h"
#include "shell/procedures.h"
#include "test_session.h"

namespace shelltest {

namespace fs = std::filesystem;

class ShellTest : public ::testing::TestWithParam<l2stest::ScriptBackend> {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / ("l2s-shell-" + std::to_string(::getpid()) + "-" + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "work");
    fs::create_directories(root_ / "system");
    fs::create_directories(root_ / "drive");
    fs::create_directories(root_ / "data");
    oldCwd_ = fs::current_path();
    fs::current_path(root_ / "work");
    ::setenv("LAB2SIV_SYSTEM_DIR", (root_ / "system").c_str(), 1);
    store::setDriveRoot((root_ / "drive").string());
    resetProgram();
    newSession();
  }
  // A fresh session on the test's backend (the one before it has ended).
  void newSession() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const bool qt = info->value_param() && GetParam() == l2stest::ScriptBackend::Qt;
    session_.reset();
    session_ =
        std::make_unique<l2stest::BackendSession>(qt ? l2stest::ScriptBackend::Qt : l2stest::ScriptBackend::Headless);
  }

  void TearDown() override {
    if (session_) session_->finish();
    session_.reset();
    resetProgram();
    fs::current_path(oldCwd_);
    ::unsetenv("LAB2SIV_SYSTEM_DIR");
    store::setDriveRoot("/");
    fs::remove_all(root_);
  }

  static void resetProgram() {
    data::resetFileNames();
    shell::setGlobals(shell::GlobalSettings{});
    auto& ds = data::datasett();
    std::lock_guard lock(ds.lock);
    ds.file.close();
    ds.file.clear();
    ds.useCount = 0;
    for (const char* p : {"LabBrowse", "ImportWindow", "AboutWindow", "PostadresserBrowse"}) {
      shell::setProcedure(p, {});
    }
    sys::setDesktop(nullptr);
  }

  // An empty working directory again (the current directory follows it).
  void freshWorkDirectory() {
    fs::current_path(root_);
    fs::remove_all(work());
    fs::create_directories(work());
    fs::current_path(work());
  }

  fs::path work() const { return root_ / "work"; }
  fs::path dataDir() const { return root_ / "data"; }
  fs::path drive() const { return root_ / "drive"; }
  fs::path iniPath() const { return root_ / "system" / "Siv2000.ini"; }

  void writeIni(const std::string& body) { std::ofstream(iniPath()) << body; }
  std::string iniText() const {
    std::ifstream in(iniPath());
    return {std::istreambuf_iterator<char>(in), {}};
  }

  // Datasett.tps in the working directory with the given (name, directory) records.
  void makeDatasetList(const std::vector<std::pair<std::string, std::string>>& sets) {
    data::Datasett f;
    f.setName((work() / "Datasett.tps").string());
    ASSERT_EQ(f.create(), 0) << f.errorText();
    ASSERT_EQ(f.open(), 0) << f.errorText();
    for (const auto& [name, dir] : sets) {
      f.clear();
      f.rec.DATASETT_NAVN = name;
      f.rec.DATAKATALOG = dir;
      ASSERT_EQ(f.add(), 0) << f.errorText();
    }
    f.close();
  }

  // A working directory that has run before: dataset "Demo" chosen, a settings record stored.
  void makeKnownInstallation() {
    makeDatasetList({{"Demo", dataDir().string()}, {"Demo2", (root_ / "data2").string()}});
    fs::create_directories(root_ / "data2");
    writeIni("[Datasett]\nDatasett_navn=Demo\n[PROVEX]\nLeverand1=100\nLeverand2=200\n");
    data::Lab2Siv s;
    s.setName((work() / "Lab2Siv.Tps").string());
    ASSERT_EQ(s.create(), 0);
    ASSERT_EQ(s.open(), 0);
    s.clear();
    s.rec.PREIMPRUNSTATUS = 1;
    ASSERT_EQ(s.add(), 0);
    s.close();
  }

  l2stest::BackendSession& session() { return *session_; }
  ui::headless::Robot& robot() { return session_->robot(); }
  // Answers the box with `caption` once it is shown. The robot's idle wait can look just after
  // one box was answered, before its thread is on to the next one; so wait for the box itself.
  bool answer(const std::string& caption, const std::string& button) {
    waitForBox(caption);
    return robot().answer(caption, button);
  }
  // True once a box with `caption` waits for its answer (false after the robot's timeout).
  bool waitForBox(const std::string& caption) {
    const auto shown = [&] {
      for (const auto& p : session_->driver().pending())
        if (p.kind == ui::headless::PendingView::Kind::Box && p.box.caption == caption) return true;
      return false;
    };
    const auto until = std::chrono::steady_clock::now() + robot().timeout();
    while (!shown()) {
      if (std::chrono::steady_clock::now() >= until) return false;
      session_->driver().waitChange(std::chrono::milliseconds(5));
    }
    return true;
  }

  std::vector<std::string> lines() const { return session_->transcript().lines(); }
  // The equate of the focused control of the newest window with this title.
  std::string focus(const std::string& title) {
    const ui::headless::HWindow* newest = nullptr;
    const auto windows = session_->windows();
    for (auto& [id, w] : windows)
      if (w.title == title && (!newest || w.order > newest->order)) newest = &w;
    if (!newest || !newest->controls.count(newest->focus)) return {};
    return newest->controls.at(newest->focus).def.equate;
  }
  // The transcript lines that start with `prefix`, in order.
  std::vector<std::string> linesStarting(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& l : lines()) {
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    }
    return out;
  }
  std::string failure() const { return robot().failed() ? robot().error() : std::string(); }
  const ui::headless::Robot& robot() const { return session_->robot(); }

  fs::path root_;
  fs::path oldCwd_;
  std::unique_ptr<l2stest::BackendSession> session_;
};

}  // namespace shelltest
