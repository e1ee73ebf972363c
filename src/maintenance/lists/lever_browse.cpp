#include "maintenance/lists/lever_browse.h"

#include "data/program_files.h"
#include "data/registry_files.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "maintenance/forms/form_call.h"
#include "maintenance/lists/browse_list.h"
#include "maintenance/lists/browse_window.h"
#include "maintenance/lists/list_window_parts.h"
#include "maintenance/lists/store_browse_source.h"
#include "platform/text/codepage.h"
#include "platform/ui/api/dialogs.h"

namespace maintenance {

namespace {

using ui::ColumnDef;
using ui::ControlDef;
using ui::ControlKind;

// The mappings of THR:LAB only, the laboratory compared without regard to case.
class LeverSource : public StoreBrowseSource<data::MapLeverRecord> {
 public:
  LeverSource(data::MapLever& f, data::Anlegg& anlegg, const text::Str<4>& lab)
      : StoreBrowseSource(f, data::MapLever::MAPLEVERKEY,
                          [&lab](const data::MapLeverRecord& r) {
                            return text::compareBlankPaddedNoCase(r.LAB.raw(), lab.raw()) == 0;
                          }),
        anlegg_(anlegg),
        lab_(lab) {}

  int start() override {
    file_.rec.LAB = lab_;
    return StoreBrowseSource::start();
  }
  std::vector<std::string> makeRow() override {
    anlegg_.rec.ANLEGGSNR.setWhole(file_.rec.ANLEGGSNR);
    if (anlegg_.get(data::Anlegg::ANLEGG_KEY1) != 0) anlegg_.clear();
    return {file_.rec.LEVERAND.str(), anlegg_.rec.ANLEGGSNAVN.str(), file_.rec.LAB.str()};
  }
  void copyBack(const std::vector<std::string>& row) override {
    file_.rec.LEVERAND = row.at(0);
    anlegg_.rec.ANLEGGSNAVN = row.at(1);
    file_.rec.LAB = row.at(2);
  }
  char locatorChar() const override { return file_.rec.LEVERAND[0]; }
  void setLocator(char c) override {
    file_.rec.LEVERAND.clear();
    file_.rec.LEVERAND[0] = c;
  }
  std::string resetValues() const override { return std::string(lab_.raw()); }
  void putResetValues() override { file_.rec.LAB = lab_; }
  void primeInsert(std::string_view savedReset) override { file_.rec.LAB.assignRaw(savedReset); }
  int callForm(int request) override { return maintenance::callForm("LeverForm", request); }
  std::string label() const override { return "MapLever"; }

 private:
  data::Anlegg& anlegg_;
  const text::Str<4>& lab_;
};

ui::ListRow leverRow(const BrowseRow& r) {
  // Only the first six characters of the supplier number are shown.
  std::string lev = text::fromCp1252(text::toCp1252(r.columns.at(0)).substr(0, 6));
  return {{std::move(lev), r.columns.at(1)}, false};
}

}  // namespace

ui::WindowDef leverBrowseWindow() {
  ui::WindowDef w = ui::defs::childWindow("LeverBrowse", "Tabell anlegg/leverandører");
  w.controls = {
      listBox(12, 1, {column(7, 1, "Lev.nr.", "@s6"), column(50, 1, "Anleggsnavn", "@s50")}),
      button("?SELECT", "&Velg", "", ui::Key::Enter),
      button("?INSERT", "&Ny", "", ui::Key::Insert),
      button("?CHANGE", "&Endre", "", ui::Key::CtrlEnter),
      button("?DELETE", "&Slette", "", ui::Key::Delete),
      button("?CLOSE", "Lukk"),
      helpButton(""),
  };
  return w;
}

void LeverBrowse() {
  data::ThreadState& t = data::thr();
  const int request = takeRequest();
  const data::UsedFiles files{data::FileId::Anlegg, data::FileId::MapLever};

  ui::Window win(leverBrowseWindow());
  BrowseWindow host(win, BrowseControls{}, leverRow);
  LeverSource source(t.MapLever, t.Anlegg, t.LAB);
  BrowseList list(source, host, request);
  win.open();
  host.prepare(list);
  host.run(list);

  t.ThreadResponse = list.response();
}

}  // namespace maintenance
