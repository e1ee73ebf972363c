#include "maintenance/report/param_report.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "data/thread_state.h"
#include "data/use_counters.h"
#include "data/warnings.h"
#include "maintenance/forms/form_call.h"
#include "platform/store/view.h"
#include "platform/ui/api/def_builders.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/window.h"
#include "shell/preview_window.h"

namespace maintenance {

namespace {

using ui::EventKind;

constexpr int kToProcess = 500;  // an estimate for the bar, not a count of the file
constexpr int kBatch = 25;

ui::WindowDef progressWindowDef() {
  using namespace ui::defs;
  ui::WindowDef w = window("ProgressWindow", "Progress...");
  w.timer = 1;
  w.controls = {
      progress("?PROGRESS:THERMOMETER", 0, 100),
      textLine("?PROGRESS:USERSTRING", ""),
      textLine("?PROGRESS:PCTTEXT", "0% Completed"),
      button("?PROGRESS:CANCEL", "Cancel"),
  };
  return w;
}

class Run {
 public:
  explicit Run(data::ThreadState& t)
      : t_(t), lab_(t.MapLab.rec.LAB), view_(t.MapParam, data::MapParam::MAPPARAMKEY, [this](const auto& r) {
          return text::compareBlankPaddedNoCase(r.LAB.raw(), lab_.raw()) == 0;
        }) {}

  // The view in key order from the laboratory on (its key ignores letter case) and the first
  // record; false when there is none.
  bool open() {
    t_.MapParam.rec = {};
    t_.MapParam.rec.LAB = lab_;
    const int rc = view_.startAt();
    if (rc != 0 && rc != 33) {
      data::ShowWarningText(data::kViewOpenError, "MapParam");
      return false;
    }
    return readNext();
  }

  // Prints up to one batch; false when the records have ended.
  bool batch(report::Report& rep) {
    for (int i = 0; i < kBatch; ++i) {
      auto& lab = t_.MapLab;
      lab.rec.LAB = t_.MapParam.rec.LAB;
      if (lab.get(data::MapLab::MAPLABKEY) != 0) lab.clear();
      if (!rep.print(paramReportBands(t_.MapParam.rec, lab.rec))) {
        failed_ = true;
        ui::message("Rapporten kunne ikke lages:|" + rep.error(), "Advarsel", ui::Icon::Information);
        return false;
      }
      if (!readNext()) return false;
    }
    return true;
  }

  bool failed() const { return failed_; }
  int percent() const { return percent_; }
  bool percentChanged() {
    const bool c = percent_ != shown_;
    shown_ = percent_;
    return c;
  }

 private:
  bool readNext() {
    const int rc = view_.next();
    if (rc == 33) return false;
    if (rc != 0) {
      // The file read is MapParam; a report cut short is not a finished report.
      data::ShowWarningText(data::kRecordRetrievalError, "MapParam");
      failed_ = true;
      return false;
    }
    ++processed_;
    if (percent_ < 100) percent_ = std::min(100, processed_ * 100 / kToProcess);
    return true;
  }

  data::ThreadState& t_;
  text::Str<4> lab_;
  store::View<data::MapParamRecord> view_;
  int processed_ = 0;
  int percent_ = 0;
  int shown_ = 0;
  bool failed_ = false;
};

std::string percentText(int percent) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%3d%% Completed", percent);
  return buf;
}

}  // namespace

void ParamReport() {
  data::ThreadState& t = data::thr();
  takeRequest();  // no request: the report always runs the same way
  const data::UsedFiles files{data::FileId::MapLab, data::FileId::MapParam};

  bool complete = false;
  std::unique_ptr<report::Report> rep;
  {
    Run run(t);
    ui::Window win(progressWindowDef());
    win.open();
    win.setTitle("Generating Report");
    win.setValue("?PROGRESS:USERSTRING", "");
    win.setValue("?PROGRESS:PCTTEXT", "0% Completed");
    t.MapParam.sendOption("QUICKSCAN=on");
    t.MapLab.sendOption("QUICKSCAN=on");
    while (auto ev = win.accept()) {
      if (ev.kind == EventKind::OpenWindow) {
        if (!run.open()) {
          win.setTimer(0);
          win.post(EventKind::CloseWindow);
          continue;
        }
        // The pages go to page images for the preview, not to the printer.
        rep = std::make_unique<report::Report>(report::PageSetup{}, report::Target::Preview);
      } else if (ev.kind == EventKind::Timer && rep && !complete && !run.failed()) {
        if (!run.batch(*rep)) {
          complete = !run.failed();
          win.setTimer(0);
          win.post(EventKind::CloseWindow);
        }
        if (run.percentChanged()) {
          win.setValue("?PROGRESS:THERMOMETER", std::to_string(run.percent()));
          win.setValue("?PROGRESS:PCTTEXT", percentText(run.percent()));
        }
      } else if (ev.kind == EventKind::Accepted && ev.control == win.id("?PROGRESS:CANCEL")) {
        win.setTimer(0);
        win.post(EventKind::CloseWindow);
      }
    }
    t.MapParam.sendOption("QUICKSCAN=off");
    t.MapLab.sendOption("QUICKSCAN=off");
    win.close();
  }
  if (complete && rep && !rep->finish()) {
    ui::message("Rapporten kunne ikke lages:|" + rep->error(), "Advarsel", ui::Icon::Information);
    complete = false;
  }
  if (complete) {
    shell::PreviewWindow(rep->pageFiles());
    if (t.ThreadResponse == data::Response::Completed) {
      const report::Result r = report::printReport(*rep, "Mapping " + t.MapLab.rec.LAB.str() + ".pdf");
      if (!r.ok && !r.cancelled) ui::message("Utskriften mislyktes:|" + r.error, "Advarsel", ui::Icon::Information);
    }
  }
  rep.reset();  // pages not printed are discarded
  t.ThreadResponse = complete ? 1 : 2;
}

}  // namespace maintenance
