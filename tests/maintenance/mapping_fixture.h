#pragma once
// The four mapping files filled with a small tree (a laboratory with suppliers, place mappings
// with and without a supplier mapping, parameters, and neighbours sorting before and after it),
// read back with SQLite directly, and operations run on a procedure thread of the robot's.
#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/thread_state.h"
#include "platform/store/paths.h"
#include "platform/text/number.h"
#include "platform/ui/api/procedure.h"
#include "sqlite_peek.h"
#include "window_harness.h"

namespace l2stest {

class MappingHarness : public WindowHarness {
 protected:
  // (laboratory, type, code, target[, factor])
  void addParams(const std::vector<std::vector<std::string>>& rows) {
    data::MapParam f;
    f.setName(data::fileName(data::FileId::MapParam));
    fill(f, [&] {
      for (const auto& r : rows) {
        f.clear();
        f.rec.LAB = r.at(0);
        f.rec.PRTYPE = r.at(1);
        f.rec.PARAMLAB = r.at(2);
        f.rec.PARAMSIV = r.at(3);
        f.rec.FAKTOR = r.size() > 4 ? text::toNumber(r[4]) : 0.0;
        ASSERT_EQ(f.add(), 0);
      }
    });
  }
  // (laboratory, supplier, place, target)
  void addPlaces(const std::vector<std::vector<std::string>>& rows) {
    data::MapSted f;
    f.setName(data::fileName(data::FileId::MapSted));
    fill(f, [&] {
      for (const auto& r : rows) {
        f.clear();
        f.rec.LAB = r.at(0);
        f.rec.LEVERAND = r.at(1);
        f.rec.STEDLAB = r.at(2);
        f.rec.STEDSIV = r.at(3);
        ASSERT_EQ(f.add(), 0);
      }
    });
  }

  // "FJL" holds suppliers in both letter cases, a place mapping whose supplier has no supplier
  // mapping (999), and parameters; "A" and "ZZ" sort before and after it and must stay.
  void addTree() {
    addLabs({{"A", "Før"}, {"FJL", "Fjell lab"}, {"ZZ", "Etter"}});
    addSuppliers({{"A", "100", "000001"},
                  {"FJL", "100", "000002"},
                  {"fjl", "150", "000003"},
                  {"FJL", "200", "000004"},
                  {"ZZ", "100", "000005"}});
    addParams({{"A", "U", "P1", "Fosfor"},
               {"FJL", "U", "P1", "Fosfor"},
               {"fjl", "S", "P2", "Bly"},
               {"ZZ", "U", "P1", "Fosfor"}});
    addPlaces({{"A", "100", "S1", "Inn"},
               {"FJL", "100", "S1", "Inn"},
               {"FJL", "100", "S2", "Ut"},
               {"fjl", "150", "S1", "Inn"},
               {"FJL", "200", "S1", "Inn"},
               {"FJL", "999", "S1", "Inn"},
               {"ZZ", "100", "S1", "Inn"}});
  }

  // The four files made afresh with the tree.
  void resetTree() {
    for (data::FileId id :
         {data::FileId::MapLab, data::FileId::MapLever, data::FileId::MapParam, data::FileId::MapSted})
      fs::remove(path(id));
    addTree();
  }

  std::string path(data::FileId id) { return store::resolvePath(data::fileName(id)); }

  // Every record of the four files, "file: field/field/...", sorted.
  std::vector<std::string> snapshot() {
    std::vector<std::string> out;
    auto read = [&](data::FileId id, const std::string& label, const std::string& cols) {
      for (const auto& r : testing_util::peek(path(id), "SELECT " + cols + " FROM " + label)) {
        std::string line = label + ":";
        for (const auto& v : r) line += " " + v;
        out.push_back(line);
      }
    };
    read(data::FileId::MapLab, "MapLab", "LAB, LABNAVN");
    read(data::FileId::MapLever, "MapLever", "LAB, LEVERAND, ANLEGGSNR");
    read(data::FileId::MapParam, "MapParam", "LAB, PRTYPE, PARAMLAB");
    read(data::FileId::MapSted, "MapSted", "LAB, LEVERAND, STEDLAB");
    std::sort(out.begin(), out.end());
    return out;
  }
  // The records of `snap` whose text holds none of `pieces`.
  static std::vector<std::string> without(std::vector<std::string> snap, const std::vector<std::string>& pieces) {
    std::erase_if(snap, [&](const std::string& l) {
      return std::any_of(pieces.begin(), pieces.end(),
                         [&](const std::string& p) { return l.find(p) != std::string::npos; });
    });
    return snap;
  }

  // Runs `op` on a procedure thread; finish() waits for it (answer its boxes in between).
  void start(std::function<int()> op) {
    result = -1;
    ASSERT_TRUE(ui::startProcedure([this, op] { result = op(); }));
  }
  int finish() {
    EXPECT_TRUE(robot.waitEnd()) << robot.error();
    return result;
  }

  std::atomic<int> result{-1};
};

// A list window with its update form: the form opened by a list button on a chosen row, the
// list closed after the test unless a form is still open.
class FormHarness : public MappingHarness {
 protected:
  FormHarness(const char* list, const char* form) : list_(list), form_(form) {}
  void TearDown() override {
    if (!robot.failed() && windowOpen(list_) && !windowOpen(form_)) {
      robot.window(list_);
      robot.press("?CLOSE");
      robot.waitEnd();
    }
    MappingHarness::TearDown();
  }
  void open(const std::string& button, const std::string& row = "") {
    if (!row.empty()) {
      ASSERT_TRUE(robot.choose("?LIST", row));
    }
    ASSERT_TRUE(robot.press(button));
    ASSERT_TRUE(robot.window(form_));
  }
  std::string value(const std::string& equate) { return control(form_, equate).value; }

 private:
  const char* list_;
  const char* form_;
};

}  // namespace l2stest
