#include "maintenance/forms/param_form.h"

#include <string>

#include "data/cascade.h"
#include "data/lab/lab_tables.h"
#include "data/program_files.h"
#include "data/thread_state.h"
#include "maintenance/forms/lab_names.h"
#include "maintenance/forms/param_form_lists.h"
#include "maintenance/forms/update_form.h"
#include "maintenance/forms/update_form_parts.h"
#include "maintenance/lists/param_siv_list.h"
#include "platform/text/number.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/picture.h"

namespace maintenance {

namespace {

using Rec = data::MapParamRecord;
using data::lab::HeldLabTables;
using data::lab::LabKey;
using namespace form;

constexpr const char* kFactorPicture = "@n7,3b";

// The factor is shown, and printed, through its picture: one it cannot show would be stored
// unseen, and an infinite one turns every imported result into infinity.
void sayFactorRefused(const std::string& factor) {
  ui::message("Faktoren kan ikke lagres: " + factor + "|Faktoren må ligge mellom -99,999 og 999,999.", "Advarsel",
              ui::Icon::Information);
}

class ParamFormImpl : public UpdateForm<Rec> {
 public:
  using UpdateForm::UpdateForm;

 protected:
  // Inside the saved copy: an untouched new mapping does not count as changed.
  void prime() override {
    const data::ThreadState& t = data::thr();
    Rec& r = file().rec;
    r.FAKTOR = 1.0;
    r.LAB = t.LAB;
    r.PRTYPE = t.PR_TYPE;  // its first character
  }
  void bind(ui::Window& win) override {
    Rec& r = file().rec;
    data::ThreadState& t = data::thr();
    win.bind("?M_P:LAB", r.LAB);
    win.bind("?MAP:LABNAVN", t.MapLab.rec.LABNAVN);
    win.bind("?LOC:PR_TYPE", prTypeWord_);
    win.bind("?M_P:PARAMLAB", r.PARAMLAB);
    win.bind("?R50:TEKST", codeText_);
    win.bind("?M_P:PARAMSIV", r.PARAMSIV);
    win.bind("?LOC:BETEGNELSE", betegnelse_);
    win.bind("?M_P:FAKTOR", r.FAKTOR);
  }
  void fillLookups(ui::Window& win) override {
    data::ThreadState& t = data::thr();
    AnalysisCodeList codes;
    if (HeldLabTables tables; tables) {
      auto& rnx50 = tables->RNX50;
      if (rnx50.setStart(LabKey::I_RNX50).ok())
        while (rnx50.next().ok()) addAnalysisCode(codes, rnx50.rec.KODE, rnx50.rec.TEKST);
    }
    std::vector<ui::ListRow> rows;
    for (const auto& c : codes) rows.push_back({{c.KODE.str(), c.TEKST.str()}});
    win.setRows("?M_P:PARAMLAB", std::move(rows));

    targets_ = BuildParamSivList(t.PR_TYPE.str(), t.Parameter, ParamSivOrder::ByTypeThenCode);
    rows.clear();
    for (const auto& p : targets_) rows.push_back({{p.PARAMETER.str(), p.TYPE.str(), p.BETEGNELSE.str()}});
    win.setRows("?M_P:PARAMSIV", std::move(rows));
  }
  void refreshLookups() override {
    data::ThreadState& t = data::thr();
    const Rec& r = file().rec;
    t.MapLab.rec.LAB = r.LAB;
    if (t.MapLab.get(data::MapLab::MAPLABKEY) != 0) t.MapLab.clear();
    betegnelse_ = ParamSivDescription(targets_, r.PARAMSIV);
    codeText_ = AnalysisCodeText(r.PARAMLAB);
    prTypeWord_ = sampleTypeWord(t.PR_TYPE.str());
  }
  bool onEvent(ui::Window& win, const ui::Event& ev) override {
    // The factor shows through its picture once accepted ("2.5" becomes "2,500", 0 blank).
    if (ev.kind == ui::EventKind::Accepted && ev.control == win.id("?M_P:FAKTOR")) {
      win.display("?M_P:FAKTOR");
      return true;
    }
    if (ev.kind == ui::EventKind::Rejected && ev.control == win.id("?M_P:FAKTOR")) {
      sayFactorRefused(win.value(ev.control));
      win.refuse(ev.control);
      return true;
    }
    return refreshOnLookup(win, ev, {"?M_P:PARAMLAB", "?M_P:PARAMSIV"});
  }
  // A factor read from the file or recalled by the ditto key has not been through the entry.
  bool valid(ui::Window& win) override {
    const double f = file().rec.FAKTOR;
    if (ui::fitsPicture(kFactorPicture, f)) return true;
    sayFactorRefused(text::numberToText(f));
    win.select("?M_P:FAKTOR");
    return false;
  }

 private:
  ParamSivList targets_;
  text::Str<20> prTypeWord_;
  text::Str<30> codeText_;
  text::Str<40> betegnelse_;
};

}  // namespace

ui::WindowDef paramFormWindow() {
  ui::WindowDef w;
  w.label = "ParamForm";
  w.title = "Mapping parametre Lab/Sivra";
  w.controls = {
      prompt("?M_P:LAB:PROMPT", "Laoratorium.:"),
      display("?M_P:LAB", "@s4"),
      display("?MAP:LABNAVN", "@s30"),
      prompt("?LOC:PR_TYPE:PROMPT", "Prøvetype:"),
      display("?LOC:PR_TYPE", "@s20"),
      prompt("?M_P:PARAMLAB:PROMPT", "Analyse lab.:"),
      combo("?M_P:PARAMLAB", "@s6", 10, {dropColumn(6, "@s4"), dropColumn(30, "@s30")}, "Velg parameter Kelda"),
      display("?R50:TEKST", "@s30"),
      prompt("?M_P:PARAMSIV:PROMPT", "Parameter i SIVRA:"),
      combo("?M_P:PARAMSIV", "@s20", 10, {dropColumn(21, "@s20"), dropColumn(3, "@s1"), dropColumn(30, "@s30")},
            "Velg parameter Brakel Sivra"),
      display("?LOC:BETEGNELSE", "@s40"),
      prompt("?M_P:FAKTOR:PROMPT", "Faktor:"),
      entry("?M_P:FAKTOR", kFactorPicture, "Faktor for omregning til korrekt enhet i Sivra"),
  };
  finishForm(w, "@s39", "Bekreft lagre/slett");
  return w;
}

void ParamForm() {
  static DittoRecord<Rec> ditto;
  data::ThreadState& t = data::thr();
  FormSpec<Rec> spec;
  spec.window = paramFormWindow();
  spec.file = &t.MapParam;
  // Slamkontroll is opened (created when missing) and released, never read.
  spec.files = {data::FileId::MapLab, data::FileId::MapParam, data::FileId::Parameter, data::FileId::Slamkontroll};
  spec.saveLinks = data::SaveMapParamLinks;
  spec.update = data::UpdateMapParam;
  spec.remove = data::DeleteMapParam;
  spec.keyDescription = "Nøkkel på laboratorium og kode i SIVRA";
  spec.firstField = "?M_P:PARAMLAB";
  spec.dittoFields = {field("?M_P:PARAMLAB", &Rec::PARAMLAB), field("?M_P:PARAMSIV", &Rec::PARAMSIV),
                      field("?M_P:FAKTOR", &Rec::FAKTOR)};
  spec.ditto = &ditto;
  ParamFormImpl form(std::move(spec));
  form.run();
}

}  // namespace maintenance
