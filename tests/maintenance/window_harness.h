#pragma once
// A data directory of its own and the headless window layer with its robot, for driving the
// list and import windows as a user would. Files are created fresh under a temp directory,
// which is also the current directory (the settings file is opened by bare name).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/registry_files.h"
#include "data/thread_state.h"
#include "platform/ui/api/backend.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/headless/headless_backend.h"
#include "platform/ui/headless/headless_driver.h"
#include "platform/ui/headless/robot.h"
#ifdef LAB2SIV_TEST_QT_WINDOWS
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_driver.h"
#include "platform/ui/qt/qt_run.h"
#endif
#include "../platform/ui/headless/newest_window.h"
#include "forward_driver.h"
#include "script_backend.h"
#include "shell/global_settings.h"
#include "shell/procedures.h"
#include "wait_limit.h"

namespace l2stest {

namespace fs = std::filesystem;

// A fixture's tests run headless; as TEST_P with windowBackends() they run on the Qt windows too
// (the test's thread is then the GUI thread).
class WindowHarness : public ::testing::TestWithParam<ScriptBackend> {
 protected:
  bool onQt() const {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info && info->value_param() && GetParam() == ScriptBackend::Qt;
  }
  void SetUp() override {
    oldCwd_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("l2s-lists-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    ui::resetProcedures();
    driver.to(&headlessDriver);
#ifdef LAB2SIV_TEST_QT_WINDOWS
    if (onQt()) {
      qtRun_ = std::make_unique<ui::qt::QtRun>();
      qtRun_->backend().setRecorder([this](std::string line) { transcript.add(std::move(line)); });
      qtDriver_ = std::make_unique<ui::qt::QtDriver>(qtRun_->backend(), transcript);
      driver.to(qtDriver_.get());
    }
#endif
    if (!onQt()) ui::setBackend(&backend);
    data::resetFileNames();
    data::setDataDirectory(dir_.string());
    data::SetFileNames();
    shell::setGlobals(shell::GlobalSettings{});
    robot.setTimeout(kWaitLimit);
  }
  void TearDown() override {
#ifdef LAB2SIV_TEST_QT_WINDOWS
    if (qtRun_) {
      // The run halts what is left; its boxes are cancelled with it.
      if (ui::runningProcedures() > 0) {
        ui::requestShutdown();
        robot.waitEndedQuietly();
      }
      driver.to(&headlessDriver);
      qtDriver_.reset();
      qtRun_->backend().setRecorder(nullptr);
      qtRun_.reset();
    }
#endif
    if (ui::runningProcedures() > 0) {
      ui::requestShutdown();
      // A failed test can leave a box unanswered: its thread would never end, and the backend
      // would be destroyed under it (a hang instead of a failure).
      if (!ui::waitProceduresEnded(kWaitLimit)) {
        backend.cancelAll();
        ui::waitProceduresEnded(kWaitLimit);
      }
    }
    for (const char* p : registered_) shell::setProcedure(p, {});
    if (!onQt()) ui::setBackend(nullptr);
    ui::resetProcedures();
    fs::current_path(oldCwd_);
    fs::remove_all(dir_);
    if (robot.failed()) ADD_FAILURE() << robot.error() << "\n" << transcript.text();
  }

  // A stand-in for a procedure another area provides (a form, the settings window).
  void registerProcedure(const char* name, std::function<void()> fn) {
    shell::setProcedure(name, std::move(fn));
    registered_.push_back(name);
  }

  template <class F>
  static void fill(F& file, const std::function<void()>& rows) {
    ASSERT_EQ(file.create(), 0);
    ASSERT_EQ(file.open(), 0);
    rows();
    file.close();
  }
  // (code[, name, data directory, import file, place source])
  void addLabs(const std::vector<std::vector<std::string>>& labs) {
    data::MapLab f;
    f.setName(data::fileName(data::FileId::MapLab));
    fill(f, [&] {
      for (const auto& l : labs) {
        f.clear();
        f.rec.LAB = l.at(0);
        f.rec.LABNAVN = l.size() > 1 ? l[1] : "Lab " + l[0];
        f.rec.DATADIRLAB = l.size() > 2 ? l[2] : "";
        f.rec.IMPORTFILE = l.size() > 3 ? l[3] : "";
        if (l.size() > 4) f.rec.STEDKILDE = l[4];
        ASSERT_EQ(f.add(), 0);
      }
    });
  }
  // (laboratory, supplier, plant number)
  void addSuppliers(const std::vector<std::vector<std::string>>& rows) {
    data::MapLever f;
    f.setName(data::fileName(data::FileId::MapLever));
    fill(f, [&] {
      for (const auto& r : rows) {
        f.clear();
        f.rec.LAB = r.at(0);
        f.rec.LEVERAND = r.at(1);
        f.rec.ANLEGGSNR = r.at(2);
        ASSERT_EQ(f.add(), 0);
      }
    });
  }
  // (plant number, name)
  void addPlants(const std::vector<std::vector<std::string>>& rows) {
    data::Anlegg f;
    f.setName(data::fileName(data::FileId::Anlegg));
    fill(f, [&] {
      for (const auto& r : rows) {
        f.clear();
        f.rec.ANLEGGSNR.setWhole(text::Str<6>(r.at(0)));
        f.rec.ANLEGGSNAVN = r.at(1);
        ASSERT_EQ(f.add(), 0);
      }
    });
  }

  // (code, type, description)
  void addParameters(const std::vector<std::vector<std::string>>& rows) {
    data::Parameter f;
    f.setName(data::fileName(data::FileId::Parameter));
    fill(f, [&] {
      for (const auto& r : rows) {
        f.clear();
        f.rec.PARAMETER = r.at(0);
        f.rec.TYPE = r.at(1);
        f.rec.BETEGNELSE = r.at(2);
        ASSERT_EQ(f.add(), 0);
      }
    });
  }

  // A copy of a control of the newest window with this title.
  ui::headless::HControl control(const std::string& title, const std::string& equate) {
    const auto windows = driver.windows();
    const ui::headless::HWindow* newest = newestWindow(windows, title);
    if (!newest) {
      ADD_FAILURE() << "no window " << title;
      return {};
    }
    for (auto& [id, c] : newest->controls)
      if (c.def.equate == equate) return c;
    ADD_FAILURE() << "no control " << equate;
    return {};
  }
  // The first cell (first line) of each row of a list box.
  std::vector<std::string> rows(const std::string& title, const std::string& equate = "?LIST") {
    std::vector<std::string> out;
    for (const auto& r : control(title, equate).rows) {
      const std::string& cell = r.cells.empty() ? std::string() : r.cells[0];
      out.push_back(cell.substr(0, cell.find('\n')));
    }
    return out;
  }
  std::string highlighted(const std::string& title) {
    const auto c = control(title, "?LIST");
    return c.selected >= 1 && c.selected <= static_cast<long long>(c.rows.size())
               ? c.rows[static_cast<std::size_t>(c.selected - 1)].cells.at(0)
               : std::string();
  }
  // The equate of the control with the focus in the newest window with this title.
  std::string focus(const std::string& title) {
    const auto windows = driver.windows();
    const ui::headless::HWindow* newest = newestWindow(windows, title);
    if (!newest || !newest->controls.count(newest->focus)) return {};
    return newest->controls.at(newest->focus).def.equate;
  }
  bool windowOpen(const std::string& title) { return newestWindow(driver.windows(), title) != nullptr; }
  static const ui::headless::HWindow* newestWindow(const std::map<int, ui::headless::HWindow>& windows,
                                                   const std::string& title) {
    const ui::headless::HWindow* newest = nullptr;
    for (auto& [id, w] : windows)
      if (w.title == title && (!newest || w.order > newest->order)) newest = &w;
    return newest;
  }
  bool transcriptHas(const std::string& piece) const { return transcript.text().find(piece) != std::string::npos; }

  ui::headless::Transcript transcript;
  ui::headless::HeadlessBackend backend{transcript};
  ui::headless::HeadlessDriver headlessDriver{backend};
  ForwardDriver driver;
  ui::headless::Robot robot{driver};

 private:
#ifdef LAB2SIV_TEST_QT_WINDOWS
  std::unique_ptr<ui::qt::QtRun> qtRun_;
  std::unique_ptr<ui::qt::QtDriver> qtDriver_;
#endif
  fs::path dir_, oldCwd_;
  std::vector<const char*> registered_;
};

}  // namespace l2stest
