#pragma once
// A data directory of its own with the thread's registry and mapping files open, a fixed
// clock, helpers to add mappings and plants, and a dump of stored control records.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "data/thread_state.h"
#include "fake_lab.h"
#include "import/import_choices.h"
#include "import/import_progress.h"
#include "import/import_run_state.h"
#include "import/lab_source.h"

namespace testing_import {

// Records every progress line and redraw; `screens` holds the four lines at each redraw.
class RecordingProgress : public import::ImportProgress {
 public:
  std::string lines[5];
  std::vector<std::string> shown;  // "n:text" in call order
  int redraws = 0;
  int beeps = 0;
  int logViews = 0;
  void showLine(int n, std::string_view t) override {
    lines[n] = std::string(t);
    shown.push_back(std::to_string(n) + ":" + std::string(t));
  }
  void redraw() override { ++redraws; }
  void beep() override { ++beeps; }
  void viewLog() override { ++logViews; }
};

class FixedClock : public text::Clock {
 public:
  std::chrono::system_clock::time_point at;
  std::chrono::system_clock::time_point now() const override { return at; }
};

struct Plant {
  std::string nr;
  std::string name;
  std::vector<std::string> parameters;
  std::vector<std::string> metals;
  std::vector<std::string> places;
};

class ImportFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void addLab(const std::string& lab, const std::string& stedkilde = "Sted", const std::string& datovalg = "Tattdato");
  void addLever(const std::string& lab, const std::string& leverand, const std::string& anleggsnr);
  void addParam(const std::string& prtype, const std::string& code, const std::string& target, double factor);
  void addSted(const std::string& leverand, const std::string& stedlab, const std::string& stedsiv);
  void addPlant(const Plant& p);

  // Runs an import of laboratory "KL" with `choices` over `lab`.
  void run(const import::ImportChoices& choices, import::LabSource& lab);
  void run(const import::ImportChoices& choices) { run(choices, fake); }

  std::string logText() const;
  std::string logPath() const;
  // Every stored record of the file, one line each: "FIELD=value" for every non-empty column.
  std::vector<std::string> dumpUtslippskontroll();
  std::vector<std::string> dumpSlamkontroll();

  static import::ImportChoices allOn();

  std::filesystem::path dir;
  FixedClock clock;
  testing_lab::FakeLab fake;
  import::ImportRunState state;
  RecordingProgress progress;
};

// A stored record whose fields are read back as text.
std::string dumpRecord(const store::FileDef& def, const void* buffer);

}  // namespace testing_import
