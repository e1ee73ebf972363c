#include "maintenance/forms/sted_form.h"

#include <string>

#include "data/cascade.h"
#include "data/lab/lab_tables.h"
#include "data/program_files.h"
#include "data/registry_files.h"
#include "data/thread_state.h"
#include "maintenance/forms/lab_names.h"
#include "maintenance/forms/sted_form_lists.h"
#include "maintenance/forms/update_form.h"
#include "maintenance/forms/update_form_parts.h"

namespace maintenance {

namespace {

using Rec = data::MapStedRecord;
using data::lab::HeldLabTables;
using data::lab::LabKey;
using namespace form;

class StedFormImpl : public UpdateForm<Rec> {
 public:
  using UpdateForm::UpdateForm;

 protected:
  void bind(ui::Window& win) override {
    Rec& r = file().rec;
    data::ThreadState& t = data::thr();
    win.bind("?M_S:LAB", r.LAB);
    win.bind("?MAP:LABNAVN", t.MapLab.rec.LABNAVN);
    win.bind("?M_S:LEVERAND", r.LEVERAND);
    win.bind("?M_L:ANLEGGSNR", t.MapLever.rec.ANLEGGSNR);
    win.bind("?ANL:ANLEGGSNAVN", t.Anlegg.rec.ANLEGGSNAVN);
    win.bind("?MAP:STEDKILDE", t.MapLab.rec.STEDKILDE);
    win.bind("?M_S:STEDLAB", r.STEDLAB);
    win.bind("?LOC:STEDNAVN", placeName_);
    win.bind("?M_S:STEDSIV", r.STEDSIV);  // a longer text typed is cut to the field's 15
  }
  // The plant and both lists are read once per opening.
  void fillLookups(ui::Window& win) override {
    data::ThreadState& t = data::thr();
    t.Anlegg.rec.ANLEGGSNR.setWhole(t.MapLever.rec.ANLEGGSNR);
    if (t.Anlegg.get(data::Anlegg::ANLEGG_KEY1) != 0) t.Anlegg.clear();
    lookUpPlaceName();

    LabPlaceList places;
    if (HeldLabTables tables; tables) {
      auto& rnx60 = tables->RNX60;
      const bool sted = placeSourceIsSted(t.MapLab.rec.STEDKILDE);
      rnx60.clear();
      rnx60.rec.REKV = t.MapLever.rec.LEVERAND;  // its first six characters
      const text::Str<6> rekv = rnx60.rec.REKV;
      if (rnx60.set(LabKey::KEY_RNX60).ok())
        while (rnx60.next().ok() && rnx60.rec.REKV == rekv) {
          text::Str<6> code;
          if (sted)
            code = rnx60.rec.STED;
          else
            code = rnx60.rec.MATERIALE;
          addLabPlace(places, code, rnx60.rec.TEKST);
        }
    }
    std::vector<ui::ListRow> rows;
    for (const auto& p : places) rows.push_back({{p.STEDLAB.str(), p.S_NAVN.str()}});
    win.setRows("?M_S:STEDLAB", std::move(rows));

    std::vector<std::string> siv;
    for (const auto& p : registryPlaces(t.Anlegg.rec)) siv.push_back(p.str());
    win.setRows("?M_S:STEDSIV", siv);
  }
  void refreshLookups() override {
    data::ThreadState& t = data::thr();
    t.MapLab.rec.LAB = file().rec.LAB;
    if (t.MapLab.get(data::MapLab::MAPLABKEY) != 0) t.MapLab.clear();
    lookUpPlaceName();
  }
  bool onEvent(ui::Window& win, const ui::Event& ev) override {
    return refreshOnLookup(win, ev, {"?M_S:STEDLAB", "?M_S:STEDSIV"});
  }

 private:
  // The laboratory's name of the place in M_S:STEDLAB, by the laboratory's place source.
  void lookUpPlaceName() {
    const Rec& r = file().rec;
    placeName_ = LabPlaceName(r.LEVERAND, r.STEDLAB, data::thr().MapLab.rec.STEDKILDE);
  }

  text::Str<30> placeName_;
};

}  // namespace

ui::WindowDef stedFormWindow() {
  ui::WindowDef w;
  w.label = "StedForm";
  w.title = "Mapping av steder i Kelda/Sivra";
  w.controls = {
      prompt("?M_S:LAB:PROMPT", "Laboratorium:"),
      display("?M_S:LAB", "@s4"),
      display("?MAP:LABNAVN", "@s30"),
      prompt("?M_S:LEVERAND:PROMPT", "Leverandør:"),
      display("?M_S:LEVERAND", "@s6"),
      prompt("?M_L:ANLEGGSNR:PROMPT", "Anlegg:"),
      display("?M_L:ANLEGGSNR", "@s6"),
      display("?ANL:ANLEGGSNAVN", "@s50"),
      prompt("?MAP:STEDKILDE:PROMPT", "Sted kilde:"),
      display("?MAP:STEDKILDE", "@s10"),
      prompt("?M_S:STEDLAB:PROMPT", "Prøvested Kelda:"),
      combo("?M_S:STEDLAB", "@s6", 10, {dropColumn(6, "@s4"), dropColumn(30, "@s30")}, "Velg prøvested i Kelda"),
      display("?LOC:STEDNAVN", "@s30"),
      prompt("?M_S:STEDSIV:PROMPT", "Prøvested Sivra:"),
      combo("?M_S:STEDSIV", "@s20", 10, {dropColumn(20, "@s20")}, "Velg prøvested i Brakel Sivra"),
  };
  finishForm(w, "@s40", "Bekreft lagre/slett");
  return w;
}

void StedForm() {
  static DittoRecord<Rec> ditto;
  static RememberedPosition position;
  data::ThreadState& t = data::thr();
  FormSpec<Rec> spec;
  spec.window = stedFormWindow();
  spec.file = &t.MapSted;
  // Parameter is opened (created when missing) and released, never read.
  spec.files = {data::FileId::Anlegg, data::FileId::MapLab, data::FileId::MapLever, data::FileId::MapSted,
                data::FileId::Parameter};
  spec.saveLinks = data::SaveMapStedLinks;
  spec.update = data::UpdateMapSted;
  spec.remove = data::DeleteMapSted;
  spec.keyDescription = "Nøkkel på laboratorium og sted i SIVRA";
  spec.firstField = "?M_S:STEDLAB";
  spec.dittoFields = {field("?M_S:STEDLAB", &Rec::STEDLAB), field("?M_S:STEDSIV", &Rec::STEDSIV)};
  spec.ditto = &ditto;
  spec.position = &position;
  spec.deleteMessage = "Tast Ok for å slette!";
  StedFormImpl form(std::move(spec));
  form.run();
}

}  // namespace maintenance
