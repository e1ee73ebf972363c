#include "import/window/import_window.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "data/file_names.h"
#include "data/program_files.h"
#include "data/registry_files.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "data/warnings.h"
#include "import/dbase_lab_source.h"
#include "import/import_choices.h"
#include "import/import_progress.h"
#include "import/import_run_state.h"
#include "import/run_import.h"
#include "import/window/import_runner.h"
#include "import/window/sample_dates.h"
#include "maintenance/lists/lab_browse.h"
#include "maintenance/lists/lever_browse.h"
#include "platform/store/view.h"
#include "platform/text/picture.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/refresh.h"
#include "platform/ui/api/window.h"
#include "shell/global_settings.h"
#include "shell/pre_import_command.h"
#include "shell/procedures.h"

namespace import {

namespace {

// The window's copy of the settings it shows. Only values this window changed go back to the
// shared settings, so a value another window wrote meanwhile is not overwritten with a stale one.
class SettingsCopy {
 public:
  shell::GlobalSettings g = shell::globals();

  void push() {
    const shell::GlobalSettings mine = g;
    const shell::GlobalSettings before = shown_;
    shell::editGlobals([&](shell::GlobalSettings& s) { shell::copyChangedSettings(mine, before, s); });
    shown_ = g;
    setSampleDates(dates);
  }
  void pull() {
    g = shell::globals();
    shown_ = g;
    dates = sampleDates();
  }

  SampleDates dates = sampleDates();

 private:
  shell::GlobalSettings shown_ = g;
};

class ImportWindowProc : public ImportProgress {
 public:
  ImportWindowProc() : t_(data::thr()), win_(importWindowDef()) {}

  void run();

  // ImportProgress
  // A line is only kept here; it is cut and compared when it goes to the window.
  void showLine(int line, std::string_view text) override {
    if (line < 1 || line > 4) return;
    pending_[line - 1].assign(text);
    dirty_[line - 1] = true;
  }
  // During a run only the progress lines change, and the run redraws after every row: the
  // changed lines go to the window at most every 20 ms (and at the end of the run, flush()),
  // so the window does not slow the run down. The clock is read every 64th call only.
  void redraw() override {
    if (due_) {
      due_ = false;
      flush();
      return;
    }
    if (++calls_ < 64) return;
    calls_ = 0;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastRedraw_ < std::chrono::milliseconds(20)) return;
    lastRedraw_ = now;
    due_ = true;
  }
  bool redrawDue() const override { return due_; }
  void flush() {
    for (int i = 0; i < 4; ++i) {
      if (!dirty_[i]) continue;
      dirty_[i] = false;
      const text::Str<80> cut(text::formatPictureS(pending_[i], 80));
      if (cut == melding_[i]) continue;
      melding_[i] = cut;
      win_.display(kMelding[i]);
    }
  }
  void beep() override { ui::beep(); }
  // The window took no input during the run: what was clicked meanwhile is dropped (a second
  // click on "Start import" must not run it again). Dropped before the run's last lines can
  // show, so a click on what the user sees after the run is kept.
  void runEnded() override { win_.dropQueuedInput(); }
  void viewLog() override {
    flush();
    shell::callProcedure("LogFileView");
  }

 private:
  void bindControls();
  void lookups();
  // Reads the laboratory THR:LAB names; false (buffer cleared) when it is not in the file.
  bool findLab();
  // findLab(), and when the chosen laboratory is gone a box naming it, ending in `notDone`.
  bool labStillThere(const char* notDone);
  void refresh();
  void loadTypes();
  void loadPlaces();
  bool selectLab();
  bool selectSupplier(text::Str<6>& field);
  void plantName(const text::Str<6>& supplier, text::Str<30>& name);
  void chooseImportFile();
  void startImport();
  bool inList(const std::vector<std::string>& rows, const std::string& value) const;

  // The event loop's handlers: one per control the user can accept.
  bool is(int control, const char* equate) const;
  bool isDate(int control) const;
  text::Str<6>& supplierField(int control);
  void onControlEvent(const ui::Event& ev);
  void onAccepted(int control);
  void onLab(int control);
  void onLabLookup(int control);
  void onImportFileButton(int control);
  void onSupplier(int control);
  void onSupplierLookup(int control);
  void onSwitch(int control);
  void onSampleType(int control);
  void onSamplingPlace(int control);
  void onStart(int control);
  void onLogFileButton(int control);
  void onImportFileViewButton(int control);
  void onCancel(int control);
  void callViewer(const char* name);

  data::ThreadState& t_;
  ui::Window win_;
  SettingsCopy s_;
  static constexpr const char* kMelding[4] = {"?LOC:MELDING_1", "?LOC:MELDING_2", "?LOC:MELDING_3", "?LOC:MELDING_4"};
  text::Str<80> melding_[4];
  std::string pending_[4];
  bool dirty_[4] = {false, false, false, false};
  bool due_ = false;
  int calls_ = 0;
  std::chrono::steady_clock::time_point lastRedraw_{};
  text::Str<30> lev1_, lev2_;
  ImportRunState state_{};
  std::vector<std::string> types_, places_;
  bool badDate_ = false;  // the last text typed into a date entry was not a date
};

void ImportWindowProc::bindControls() {
  auto& g = s_.g;
  win_.bind("?THR:LAB", t_.LAB);
  win_.bind("?MAP:LABNAVN", t_.MapLab.rec.LABNAVN);
  win_.bind("?GLO:IMPORTFILE", g.IMPORTFILE);
  win_.bind("?GLO:LEVERAND1", g.LEVERAND1);
  win_.bind("?LOC:LEVERAND1", lev1_);
  win_.bind("?GLO:LEVERAND2", g.LEVERAND2);
  win_.bind("?LOC:LEVERAND2", lev2_);
  // Text that is not a date keeps the date it had: read as 0 it would open the range silently.
  const auto date = [this](const char* equate, std::int32_t& v) {
    win_.bindText(
        equate, [&v] { return text::formatDate(v); },
        [this, &v](const std::string& typed) {
          const auto d = text::parseDateStrict(typed);
          if (d) v = *d;
          badDate_ = !d;
        });
  };
  date("?GLO:DATO1", s_.dates.DATO1);
  date("?GLO:DATO2", s_.dates.DATO2);
  const auto check = [this](const char* equate, std::uint8_t& v) {
    win_.bindText(
        equate, [&v] { return std::string(v ? "1" : "0"); }, [&v](const std::string& s) { v = s == "1" ? 1 : 0; });
  };
  check("?GLO:UTSLKTR", g.UTSLKTR);
  check("?GLO:TUNGMETIUTSL", g.TUNGMETIUTSL);
  check("?GLO:SLAMKTR", g.SLAMKTR);
  check("?GLO:OVERSKRIVES", g.OVERSKRIVES);
  check("?GLO:LOGSLETT", g.LOGSLETT);
  win_.bind("?MAP:DATOVALG", t_.MapLab.rec.DATOVALG);
  win_.bind("?GLO:PR_METODE", g.PR_METODE);
  win_.bind("?GLO:PRTYPE", g.PRTYPE);
  win_.bind("?GLO:PR_TYPE_TUNGMETALL", g.PR_TYPE_TUNGMETALL);
  win_.bind("?GLO:PR_TYPE_NAERINGSSTOFF", g.PR_TYPE_NAERINGSSTOFF);
  win_.bind("?GLO:PR_TAKINGSTED", g.PR_TAKINGSTED);
  win_.bind("?LOC:MELDING_1", melding_[0]);
  win_.bind("?LOC:MELDING_2", melding_[1]);
  win_.bind("?LOC:MELDING_3", melding_[2]);
  win_.bind("?LOC:MELDING_4", melding_[3]);
}

void ImportWindowProc::plantName(const text::Str<6>& supplier, text::Str<30>& name) {
  t_.MapLever.rec.LAB = t_.LAB;
  t_.MapLever.rec.LEVERAND = supplier;
  if (t_.MapLever.get(data::MapLever::MAPLEVERKEY) != 0) t_.MapLever.clear();
  t_.Anlegg.rec.ANLEGGSNR.setWhole(t_.MapLever.rec.ANLEGGSNR);
  if (t_.Anlegg.get(data::Anlegg::ANLEGG_KEY1) != 0) t_.Anlegg.clear();
  name = t_.Anlegg.rec.ANLEGGSNAVN;  // cut to 30
  win_.display();
}

void ImportWindowProc::lookups() {
  findLab();
  if (t_.LAB.blank()) {
    win_.disable("?MAP:LABNAVN", win_.last());
    win_.enable("?CANCELBUTTON");
    win_.select("?THR:LAB");
  } else {
    win_.enable(1, win_.last());
  }
  s_.g.IMPORTFILE = t_.MapLab.rec.IMPORTFILE;
  plantName(s_.g.LEVERAND1, lev1_);
  plantName(s_.g.LEVERAND2, lev2_);
}

bool ImportWindowProc::findLab() {
  t_.MapLab.rec.LAB = t_.LAB;
  if (t_.MapLab.get(data::MapLab::MAPLABKEY) != 0) {
    t_.MapLab.clear();
    return false;
  }
  // The key ignores letter case but the mappings are found by the stored code: "fjl" typed
  // would find the laboratory and then import nothing.
  t_.LAB = t_.MapLab.rec.LAB;
  return true;
}

void ImportWindowProc::refresh() {
  lookups();
  // After the look-ups, so a tab follows its switch even while no laboratory is chosen; the
  // sheet comes with an enabled tab, or the tab could not be reached.
  if (s_.g.UTSLKTR == 1)
    win_.enable("?UTSLIPPSKONTROLL:TAB");
  else
    win_.disable("?UTSLIPPSKONTROLL:TAB");
  if (s_.g.SLAMKTR == 1)
    win_.enable("?SLAMKONTROLLKONTROLL:TAB");
  else
    win_.disable("?SLAMKONTROLLKONTROLL:TAB");
  if (s_.g.UTSLKTR == 1 || s_.g.SLAMKTR == 1) win_.enable("?SHEET1");
  win_.display();
}

// Fills a drop list from a file's view; false when a read error closed the window.
template <class File, class Value>
bool loadDropList(ui::Window& win, const char* equate, File& file, store::KeyId key, Value value,
                  std::vector<std::string>& rows, auto& global) {
  rows.clear();
  store::View<typename std::remove_reference_t<decltype(file.rec)>> view(file, key);
  const int started = view.start();
  if (started != 0 && started != store::Err::NoRecord) data::ShowWarningKind(data::kViewOpenError);
  bool ok = true;
  for (;;) {
    const int err = view.next();
    if (err == store::Err::NoRecord) break;
    if (err != 0) {
      data::ShowWarningText(data::kRecordRetrievalError, file.label());
      win.post(ui::EventKind::CloseWindow);
      ok = false;
      break;
    }
    rows.push_back(value(file.rec));
  }
  if (!rows.empty()) {
    std::sort(rows.begin(), rows.end(), [](const std::string& a, const std::string& b) {
      return text::compareBlankPadded(text::toCp1252(a), text::toCp1252(b)) < 0;
    });
    win.setRows(equate, rows);
    int at = 0;
    if (!global.blank()) {
      const auto it = std::find(rows.begin(), rows.end(), global.str());
      if (it != rows.end()) at = static_cast<int>(it - rows.begin()) + 1;
    }
    win.setSelected(equate, at);
  } else {
    win.setRows(equate, rows);
    global.clear();
  }
  return ok;
}

void ImportWindowProc::loadTypes() {
  loadDropList(
      win_, "?GLO:PRTYPE", t_.PrType, data::PrType::PRTYPEKEY,
      [](const data::PrTypeRecord& r) { return r.PRTYPE.str(); }, types_, s_.g.PRTYPE);
}

void ImportWindowProc::loadPlaces() {
  loadDropList(
      win_, "?GLO:PR_TAKINGSTED", t_.PrTakingsSted, store::Physical,
      [](const data::PrTakingsStedRecord& r) { return r.PR_TAKINGSTED.str(); }, places_, s_.g.PR_TAKINGSTED);
}

bool ImportWindowProc::inList(const std::vector<std::string>& rows, const std::string& value) const {
  const std::string v = text::toCp1252(value);
  return std::any_of(rows.begin(), rows.end(),
                     [&](const std::string& r) { return text::compareBlankPadded(text::toCp1252(r), v) == 0; });
}

bool ImportWindowProc::selectLab() {
  s_.push();
  const bool chosen = data::callWithRequest(data::Request::Select, [] {
                        maintenance::LabBrowse();
                        return true;
                      }) == data::Response::Completed;
  t_.ThreadResponse = data::Response::Cancelled;
  s_.pull();
  if (chosen) t_.LAB = t_.MapLab.rec.LAB;
  return chosen;
}

bool ImportWindowProc::selectSupplier(text::Str<6>& field) {
  s_.push();
  const bool chosen = data::callWithRequest(data::Request::Select, [] {
                        maintenance::LeverBrowse();
                        return true;
                      }) == data::Response::Completed;
  t_.ThreadResponse = data::Response::Cancelled;
  s_.pull();
  if (chosen) field = t_.MapLever.rec.LEVERAND;  // its first six characters
  return chosen;
}

void ImportWindowProc::chooseImportFile() {
  if (!labStillThere("Importfila er ikke valgt!")) return;
  lookups();  // reads the laboratory's record afresh
  std::string path = t_.MapLab.rec.DATADIRLAB.str();
  if (!ui::fileDialog("Velg en importfile", path, "RNX-file|RNX20*.dbf|Alle filer|*.*")) return;
  // A path cut or with "?" in it would be reported as saved and fail at the next import.
  if (ui::refuseNotCp1252(win_, "?GLO:IMPORTFILE", path)) return;
  if (!text::fitsStr(path, t_.MapLab.rec.IMPORTFILE.size())) {
    ui::message("Kan ikke lagre importfila som standardfile:|" + path + "|Navnet er lengre enn " +
                std::to_string(t_.MapLab.rec.IMPORTFILE.size()) + " tegn eller har tegn som ikke kan lagres.");
    return;
  }
  s_.g.IMPORTFILE = path;
  win_.display();
  t_.MapLab.rec.IMPORTFILE = s_.g.IMPORTFILE;
  // A laboratory that is not in the file has no record to rewrite: that is a failed save.
  const bool stored = !t_.MapLab.rec.LAB.blank() && t_.MapLab.put() == 0;
  ui::message(stored ? "Ny standardfile er lagret!" : "Feil ved lagring av standardfile!");
}

bool ImportWindowProc::labStillThere(const char* notDone) {
  if (findLab() || t_.LAB.blank()) return true;
  // Renamed or deleted by another station since it was chosen: without its record the window
  // would work in no directory at all.
  ui::message("Laboratoriet " + t_.LAB.str() +
                  " finnes ikke lenger. Det kan være endret eller slettet av en annen stasjon.|"
                  "Velg laboratoriet på nytt. " +
                  notDone,
              "Advarsel", ui::Icon::Information);
  refresh();
  win_.select("?THR:LAB");
  return false;
}

void ImportWindowProc::startImport() {
  // Typed text the settings cannot hold would be run as something else ("?" for each letter).
  if (ui::refuseNotCp1252(win_)) return;
  if (!labStillThere("Importen er ikke startet!")) return;
  s_.push();
  ImportChoices c;
  const auto& g = s_.g;
  c.IMPORTFILE = g.IMPORTFILE.str();
  c.LEVERAND1 = g.LEVERAND1;
  c.LEVERAND2 = g.LEVERAND2;
  c.DATO1 = s_.dates.DATO1;
  c.DATO2 = s_.dates.DATO2;
  c.UTSLKTR = g.UTSLKTR == 1;
  c.SLAMKTR = g.SLAMKTR == 1;
  c.OVERSKRIVES = g.OVERSKRIVES == 1;
  c.LOGSLETT = g.LOGSLETT == 1;
  c.PR_METODE = g.PR_METODE;
  c.PRTYPE = g.PRTYPE;
  c.PR_TYPE_TUNGMETALL = g.PR_TYPE_TUNGMETALL;
  c.PR_TYPE_NAERINGSSTOFF = g.PR_TYPE_NAERINGSSTOFF;
  c.PR_TAKINGSTED = g.PR_TAKINGSTED;
  if (const ImportRunner run = importRunner()) {
    run(c, state_, *this);
  } else {
    DbaseLabSource lab(c.IMPORTFILE);
    RunImport(c, state_, *this, lab);
  }
  flush();
  s_.pull();
  lookups();
}

bool ImportWindowProc::is(int control, const char* equate) const { return control == win_.id(equate); }

bool ImportWindowProc::isDate(int control) const { return is(control, "?GLO:DATO1") || is(control, "?GLO:DATO2"); }

void ImportWindowProc::onControlEvent(const ui::Event& ev) {
  using K = ui::EventKind;
  if (ev.kind == K::Rejected || (ev.kind == K::Accepted && isDate(ev.control) && badDate_)) {
    badDate_ = false;
    win_.refuse(ev.control);
  } else if (ev.kind == K::TabChanging || (ev.kind == K::NewSelection && is(ev.control, "?SHEET1"))) {
    refresh();
  } else if (ev.kind == K::Accepted) {
    onAccepted(ev.control);
  }
}

void ImportWindowProc::onAccepted(int control) {
  using Handler = void (ImportWindowProc::*)(int control);
  static constexpr std::pair<const char*, Handler> kHandlers[] = {
      {"?THR:LAB", &ImportWindowProc::onLab},
      {"?CALLLOOKUP", &ImportWindowProc::onLabLookup},
      {"?IMPORTFILEBUTTON", &ImportWindowProc::onImportFileButton},
      {"?GLO:LEVERAND1", &ImportWindowProc::onSupplier},
      {"?GLO:LEVERAND2", &ImportWindowProc::onSupplier},
      {"?CALLLOOKUP:2", &ImportWindowProc::onSupplierLookup},
      {"?CALLLOOKUP:3", &ImportWindowProc::onSupplierLookup},
      {"?GLO:UTSLKTR", &ImportWindowProc::onSwitch},
      {"?GLO:SLAMKTR", &ImportWindowProc::onSwitch},
      {"?SHEET1", &ImportWindowProc::onSwitch},
      {"?GLO:PRTYPE", &ImportWindowProc::onSampleType},
      {"?GLO:PR_TAKINGSTED", &ImportWindowProc::onSamplingPlace},
      {"?OKBUTTON", &ImportWindowProc::onStart},
      {"?LOGFILEBUTTON", &ImportWindowProc::onLogFileButton},
      {"?IMPFILEBUTTON", &ImportWindowProc::onImportFileViewButton},
      {"?CANCELBUTTON", &ImportWindowProc::onCancel},
  };
  for (const auto& [equate, handler] : kHandlers) {
    if (!is(control, equate)) continue;
    (this->*handler)(control);
    return;
  }
}

void ImportWindowProc::onLab(int) {
  if (!t_.LAB.blank()) {
    t_.MapLab.rec.LAB = t_.LAB;
    if (t_.MapLab.get(data::MapLab::MAPLABKEY) != 0 && !selectLab()) {
      win_.select("?THR:LAB");
      return;
    }
  }
  refresh();
  s_.g.IMPORTFILE = t_.MapLab.rec.IMPORTFILE;
}

void ImportWindowProc::onLabLookup(int) {
  lookups();
  t_.MapLab.rec.LAB = t_.LAB;
  selectLab();
  refresh();
  s_.g.IMPORTFILE = t_.MapLab.rec.IMPORTFILE;
  refresh();
}

void ImportWindowProc::onImportFileButton(int) { chooseImportFile(); }

text::Str<6>& ImportWindowProc::supplierField(int control) {
  return is(control, "?GLO:LEVERAND1") || is(control, "?CALLLOOKUP:2") ? s_.g.LEVERAND1 : s_.g.LEVERAND2;
}

void ImportWindowProc::onSupplier(int control) {
  text::Str<6>& field = supplierField(control);
  if (!field.blank()) {
    t_.MapLever.rec.LAB = t_.LAB;
    t_.MapLever.rec.LEVERAND = field;
    if (t_.MapLever.get(data::MapLever::MAPLEVERKEY) != 0 && !selectSupplier(field)) {
      win_.select(control);
      return;
    }
  }
  refresh();
}

void ImportWindowProc::onSupplierLookup(int control) {
  text::Str<6>& field = supplierField(control);
  lookups();
  t_.MapLever.rec.LAB = t_.LAB;
  t_.MapLever.rec.LEVERAND = field;
  selectSupplier(field);
  // Twice, as the window always has: refresh() only reads and shows, so the second pass finds
  // the same and changes nothing the user can see.
  refresh();
  refresh();
}

void ImportWindowProc::onSwitch(int) { refresh(); }

void ImportWindowProc::onSampleType(int control) {
  if (!inList(types_, s_.g.PRTYPE.str())) win_.select(control);
}

void ImportWindowProc::onSamplingPlace(int control) {
  if (!inList(places_, s_.g.PR_TAKINGSTED.str())) win_.select(control);
}

void ImportWindowProc::onStart(int) { startImport(); }

void ImportWindowProc::onLogFileButton(int) { callViewer("LogFileView"); }

void ImportWindowProc::onImportFileViewButton(int) { callViewer("ImportFileView"); }

void ImportWindowProc::callViewer(const char* name) {
  lookups();
  s_.push();
  shell::callProcedure(name);
  s_.pull();
  refresh();
}

void ImportWindowProc::onCancel(int) { win_.post(ui::EventKind::CloseWindow); }

void ImportWindowProc::run() {
  // Opening, in this order.
  data::takeThreadRequest();  // the window has one use only
  data::SetFileNames();
  s_.pull();
  t_.LAB = s_.g.LAB;  // its first four characters
  // The pre-import command runs before any file is opened and before the window shows.
  shell::RunPreImportCommand();
  using data::FileId;
  const data::UsedFiles files{FileId::Anlegg,       FileId::Labuser,         FileId::MapLab,        FileId::MapLever,
                              FileId::MapParam,     FileId::MapSted,         FileId::PrTakingsSted, FileId::PrType,
                              FileId::Slamkontroll, FileId::Utslippskontroll};

  bindControls();
  win_.open();
  const ui::RefreshHandlers refreshing{.open =
                                           [this] {
                                             loadTypes();
                                             loadPlaces();
                                             refresh();
                                             win_.select("?THR:LAB");
                                           },
                                       .gainFocus = [this] { refresh(); },
                                       .refresh = [this] { refresh(); }};
  while (auto ev = win_.accept()) {
    if (!ui::handleRefresh(ev, refreshing) && ev.control != 0) onControlEvent(ev);
    // Every change goes back to the shared settings at once, so other windows see it.
    s_.push();
  }

  // Closing.
  s_.g.LAB = t_.LAB;
  s_.push();
  t_.ThreadResponse = data::Response::Completed;
}

}  // namespace

void ImportWindow() {
  ImportWindowProc proc;
  proc.run();
}

}  // namespace import
