#include "maintenance/forms/lever_form.h"

#include <map>
#include <string>
#include <vector>

#include "data/cascade.h"
#include "data/lab/lab_tables.h"
#include "data/program_files.h"
#include "data/registry_files.h"
#include "data/thread_state.h"
#include "maintenance/forms/update_form.h"
#include "maintenance/forms/update_form_parts.h"
#include "platform/text/codepage.h"
#include "platform/text/str.h"
#include "platform/ui/api/message.h"

namespace maintenance {

namespace {

using Rec = data::MapLeverRecord;
using data::lab::HeldLabTables;
using data::lab::LabKey;
using namespace form;

class LeverFormImpl : public UpdateForm<Rec> {
 public:
  using UpdateForm::UpdateForm;

 protected:
  void bind(ui::Window& win) override {
    data::ThreadState& t = data::thr();
    win.bind("?M_L:LAB", file().rec.LAB);
    win.bind("?MAP:LABNAVN", t.MapLab.rec.LABNAVN);
    win.bind("?M_L:LEVERAND", file().rec.LEVERAND);
    win.bind("?LOC:L_NAVN", supplierName_);
    win.bind("?M_L:ANLEGGSNR", file().rec.ANLEGGSNR);
    win.bind("?ANL:ANLEGGSNAVN", t.Anlegg.rec.ANLEGGSNAVN);
  }

  // The requisitioners, one entry per number (the first row read names it), and the plants.
  void fillLookups(ui::Window& win) override {
    suppliers_.clear();
    // Tables not held on this thread (no settings window holds them): the list stays empty.
    if (HeldLabTables tables; tables) {
      auto& r51 = tables->RNX51;
      if (r51.setStart(LabKey::KEY_RNX51).ok())
        while (r51.next().ok()) suppliers_.emplace(std::string(r51.rec.REKV.raw()), r51.rec.NAVN);
    }
    std::vector<ui::ListRow> rows;
    for (const auto& [number, name] : suppliers_)
      rows.push_back({{text::fromCp1252(text::trimRight(number)), name.str()}});
    win.setRows("?M_L:LEVERAND", std::move(rows));

    rows.clear();
    auto& anlegg = data::thr().Anlegg;
    if (anlegg.set(data::Anlegg::ANLEGG_KEY1) == 0) {
      while (anlegg.next() == 0) rows.push_back({{anlegg.rec.ANLEGGSNR.whole().str(), anlegg.rec.ANLEGGSNAVN.str()}});
    }
    win.setRows("?M_L:ANLEGGSNR", std::move(rows));
  }

  // The names of the laboratory, the requisitioner and the plant the record names.
  void refreshLookups() override {
    data::ThreadState& t = data::thr();
    const Rec& r = file().rec;
    t.MapLab.rec.LAB = r.LAB;
    if (t.MapLab.get(data::MapLab::MAPLABKEY) != 0) t.MapLab.clear();

    // The name read with the list when the form opened, as a read by the number's first six
    // characters would give it: the table's shared buffer is left to the thread that holds it.
    text::Str<6> number;
    number.assignRaw(r.LEVERAND.raw().substr(0, 6));
    const auto found = suppliers_.find(std::string(number.raw()));
    supplierName_ = found != suppliers_.end() ? found->second : text::Str<30>();

    t.Anlegg.rec.ANLEGGSNR.setWhole(r.ANLEGGSNR);
    if (t.Anlegg.get(data::Anlegg::ANLEGG_KEY1) != 0) t.Anlegg.clear();
  }

  bool onEvent(ui::Window& win, const ui::Event& ev) override {
    return refreshOnLookup(win, ev, {"?M_L:LEVERAND", "?M_L:ANLEGGSNR"});
  }

  // The place mappings and the laboratory's own tables hold six characters of a supplier number.
  bool valid(ui::Window& win) override {
    if (file().rec.LEVERAND.trimmedRaw().size() <= 6) return true;
    ui::message("Leverandørnummeret kan ha høyst 6 tegn!", "Advarsel", ui::Icon::Information);
    win.select("?M_L:LEVERAND");
    return false;
  }

 private:
  text::Str<30> supplierName_;                      // LOC:L_NAVN
  std::map<std::string, text::Str<30>> suppliers_;  // LVQ: Windows-1252 number -> name, ascending
};

}  // namespace

ui::WindowDef leverFormWindow() {
  ui::WindowDef w;
  w.label = "LeverForm";
  w.title = "Mapping leverandørnummer/anleggsnummer";
  // The supplier field takes ten characters, so that a longer number is refused, not cut.
  w.controls = {
      prompt("?M_L:LAB:PROMPT", "Laboratorium:"),
      display("?M_L:LAB", "@s4"),
      display("?MAP:LABNAVN", "@s30"),
      prompt("?M_L:LEVERAND:PROMPT", "Leverandørnummer i Kelda:"),
      combo("?M_L:LEVERAND", "@s10", 10, {dropColumn(7, "@s6"), dropColumn(30, "@s30")},
            "Velg leverandørnummer i Kelda"),
      display("?LOC:L_NAVN", "@s30"),
      prompt("?M_L:ANLEGGSNR:PROMPT", "Anleggsnummer i SIVRA:"),
      combo("?M_L:ANLEGGSNR", "@s6", 10, {dropColumn(7, "@s6"), dropColumn(50, "@s50")}),
      display("?ANL:ANLEGGSNAVN", "@s50"),
  };
  finishForm(w, "@s40", "Lagre/slett");
  return w;
}

void LeverForm() {
  static DittoRecord<Rec> ditto;
  data::ThreadState& t = data::thr();
  FormSpec<Rec> spec;
  spec.window = leverFormWindow();
  spec.file = &t.MapLever;
  spec.files = {data::FileId::Anlegg, data::FileId::MapLab, data::FileId::MapLever};
  spec.saveLinks = data::SaveMapLeverLinks;
  spec.update = data::UpdateMapLever;
  spec.remove = data::DeleteMapLever;
  spec.keyDescription = "Nøkkel på Kelda-sted";
  spec.firstField = "?M_L:LEVERAND";
  // ?M_L:LAB takes no focus, so the ditto key copies the supplier and the plant only.
  spec.dittoFields = {field("?M_L:LEVERAND", &Rec::LEVERAND), field("?M_L:ANLEGGSNR", &Rec::ANLEGGSNR)};
  spec.ditto = &ditto;
  LeverFormImpl form(std::move(spec));
  form.run();
}

}  // namespace maintenance
