#include "maintenance/forms/lab_form.h"

#include <string>

#include "data/cascade.h"
#include "data/program_files.h"
#include "data/thread_state.h"
#include "maintenance/forms/update_form.h"
#include "maintenance/forms/update_form_parts.h"
#include "platform/text/codepage.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/message.h"
#include "shell/global_settings.h"

namespace maintenance {

namespace {

using Rec = data::MapLabRecord;
using namespace form;

// A chosen path goes into a 200-character field whole, or not at all.
bool fitsPathField(const std::string& path) {
  if (text::toCp1252(path).size() <= 200) return true;
  ui::message("Stien er lengre enn 200 tegn og kan ikke lagres:|" + path, "Advarsel", ui::Icon::Information);
  return false;
}

class LabFormImpl : public UpdateForm<Rec> {
 public:
  using UpdateForm::UpdateForm;

 protected:
  void prime() override { file().rec.DATOVALG = "Tattdato"; }
  // After the saved copy: a new laboratory counts as changed from the start.
  void primeAfterCopy() override { file().rec.STEDKILDE = "Sted"; }
  void bind(ui::Window& win) override {
    Rec& r = file().rec;
    win.bind("?MAP:LAB", r.LAB);
    win.bind("?MAP:LABNAVN", r.LABNAVN);
    win.bind("?MAP:STEDKILDE", r.STEDKILDE);
    win.bind("?MAP:DATOVALG", r.DATOVALG);
    win.bind("?MAP:DATADIRLAB", r.DATADIRLAB);
    win.bind("?MAP:IMPORTFILE", r.IMPORTFILE);
  }
  void onOk() override {
    const auto file = this->file().rec.IMPORTFILE;
    shell::editGlobals([&](shell::GlobalSettings& g) { g.IMPORTFILE = file; });
  }
  // The key leaves blank codes out: such a laboratory would be stored and never listed.
  bool valid(ui::Window& win) override {
    if (!file().rec.LAB.blank()) return true;
    ui::message("Laboratoriet må ha en kode!", "Advarsel", ui::Icon::Information);
    win.select("?MAP:LAB");
    return false;
  }
  bool onEvent(ui::Window& win, const ui::Event& ev) override {
    if (ev.kind != ui::EventKind::Accepted) return false;
    Rec& r = file().rec;
    if (ev.control == win.id("?LOOKUP")) {
      std::string path = r.DATADIRLAB.str();
      if (ui::directoryDialog("Velg katalog", path) && !ui::refuseNotCp1252(win, "?MAP:DATADIRLAB", path) &&
          fitsPathField(path)) {
        r.DATADIRLAB = path;
        refresh();
      }
      return true;
    }
    if (ev.control == win.id("?LOOKUP:2")) {
      // Opens in the laboratory's data directory, not at the current sample table.
      std::string path = r.DATADIRLAB.str();
      if (ui::fileDialog("Velg importfile", path, "Rnx20 Files|RNX20*.DBF|All Files|*.*") &&
          !ui::refuseNotCp1252(win, "?MAP:IMPORTFILE", path) && fitsPathField(path)) {
        r.IMPORTFILE = path;
        refresh();
      }
      return true;
    }
    return false;
  }
};

}  // namespace

ui::WindowDef labFormWindow() {
  ui::WindowDef w;
  w.label = "LabForm";
  w.title = "Skjema laboratorium";
  ui::ControlDef dir =
      entry("?MAP:DATADIRLAB", "@s200", "Angi plassering og navn på katalog for datafiler fra laboratoriet");
  dir.width = 160;  // shows about 40 characters and scrolls over the rest
  ui::ControlDef file = entry("?MAP:IMPORTFILE", "@s200", "Importfile");
  file.width = 160;
  w.controls = {
      prompt("?MAP:LAB:PROMPT", "Lab.kode:"),
      entry("?MAP:LAB", "@s4", "Oppgi en kode for laboratorium"),
      prompt("?MAP:LABNAVN:PROMPT", "Lab.navn:"),
      entry("?MAP:LABNAVN", "@s30", "Navn på laboratoriet"),
      option("?MAP:STEDKILDE", "Sted Kilde", "Type kilde for sted Sted/Material"),
      radio("?MAP:STEDKILDE", "Sted"),
      radio("?MAP:STEDKILDE", "Material"),
      option("?MAP:DATOVALG", "Dato for prøvedato"),
      radio("?MAP:DATOVALG", "Tattdato"),
      radio("?MAP:DATOVALG", "Startdato"),
      prompt("?MAP:DATADIRLAB:PROMPT", "Katalog datafiler Lab:"),
      dir,
      lookupButton("?LOOKUP", "Velg katalog for datafiler Laboratorium"),
      prompt("?MAP:IMPORTFILE:PROMPT", "Importfile.:"),
      file,
      lookupButton("?LOOKUP:2"),
  };
  finishForm(w, "@s39", "Bekreft lagre/slett");
  return w;
}

void LabForm() {
  static DittoRecord<Rec> ditto;
  static RememberedPosition position;
  data::ThreadState& t = data::thr();
  FormSpec<Rec> spec;
  spec.window = labFormWindow();
  spec.file = &t.MapLab;
  spec.files = {data::FileId::MapLab};
  spec.saveLinks = data::SaveMapLabLinks;
  spec.update = data::UpdateMapLab;
  spec.remove = data::DeleteMapLab;
  spec.keyDescription = "Nøkkel på laboratorium";
  spec.firstField = "?MAP:LAB";
  spec.dittoFields = {field("?MAP:LAB", &Rec::LAB),
                      field("?MAP:LABNAVN", &Rec::LABNAVN),
                      field("?MAP:STEDKILDE", &Rec::STEDKILDE),
                      field("?MAP:DATOVALG", &Rec::DATOVALG),
                      field("?MAP:DATADIRLAB", &Rec::DATADIRLAB),
                      field("?MAP:IMPORTFILE", &Rec::IMPORTFILE)};
  spec.ditto = &ditto;
  spec.position = &position;
  LabFormImpl form(std::move(spec));
  form.run();
}

}  // namespace maintenance
