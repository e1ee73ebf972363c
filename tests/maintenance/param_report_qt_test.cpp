// The mapping report under the Qt backend (offscreen): the progress window while it reads, and
// Cancel there, which shows and prints nothing. Set L2S_PREVIEW_SHOT=DIR for a screenshot.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QMainWindow>
#include <QPushButton>
#include <atomic>
#include <filesystem>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/thread_state.h"
#include "maintenance/report/param_report.h"
#include "platform/store/transaction.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "qt_wait.h"

namespace fs = std::filesystem;

namespace {

class ParamReportQtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("l2s-report-qt-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    data::resetFileNames();
    data::setDataDirectory(dir_.string());
    data::SetFileNames();
    data::MapLab labs;
    labs.setName(data::fileName(data::FileId::MapLab));
    ASSERT_EQ(labs.create(), 0);
    ASSERT_EQ(labs.open(), 0);
    labs.rec.LAB = "KL01";
    labs.rec.LABNAVN = "Kjemisk lab";
    ASSERT_EQ(labs.add(), 0);
    labs.close();
    // Enough mappings that reading takes many timer ticks.
    data::MapParam f;
    f.setName(data::fileName(data::FileId::MapParam));
    ASSERT_EQ(f.create(), 0);
    ASSERT_EQ(f.open(), 0);
    store::Transaction tx;
    ASSERT_EQ(tx.begin({&f}, 2), 0);
    for (int i = 0; i < 5000; ++i) {
      f.clear();
      f.rec.LAB = "KL01";
      f.rec.PRTYPE = "U";
      f.rec.PARAMLAB = "P" + std::to_string(i);
      f.rec.PARAMSIV = "Parameter " + std::to_string(i);
      f.rec.FAKTOR = 1;
      ASSERT_EQ(f.add(), 0);
    }
    ASSERT_EQ(tx.commit(), 0);
    f.close();
    run_ = std::make_unique<ui::qt::QtRun>();
  }
  void TearDown() override {
    run_.reset();
    data::resetFileNames();
    fs::remove_all(dir_);
  }

  fs::path dir_;
  std::unique_ptr<ui::qt::QtRun> run_;
};

TEST_F(ParamReportQtTest, CancelWhileReadingShowsNothingAndAnswersTwo) {
  std::atomic<int> response{-1};
  ASSERT_TRUE(run_->start([&] {
    data::thr().MapLab.rec.LAB = "KL01";
    maintenance::ParamReport();
    response = data::thr().ThreadResponse;
  }));
  ui::qt::QtWindow* progress = nullptr;
  ASSERT_TRUE(
      l2stest::pumpUntil(*run_, [&] { return (progress = run_->backend().windowTitled("Generating Report")); }));
  auto* cancel = qobject_cast<QPushButton*>(progress->widget("?PROGRESS:CANCEL"));
  ASSERT_NE(cancel, nullptr);
  if (const char* shots = std::getenv("L2S_PREVIEW_SHOT")) {
    l2stest::pumpUntil(
        *run_, [] { return false; }, 300);
    progress->shell()->grab().save(QString::fromUtf8(shots) + QStringLiteral("/progress.png"));
  }
  cancel->click();
  bool previewSeen = false;
  ASSERT_TRUE(l2stest::pumpUntil(*run_, [&] {
    previewSeen = previewSeen || run_->backend().windowTitled("Report Preview");
    return response != -1;
  }));
  EXPECT_EQ(response, 2);
  EXPECT_FALSE(previewSeen);
}

}  // namespace
