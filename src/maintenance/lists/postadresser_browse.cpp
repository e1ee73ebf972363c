#include "maintenance/lists/postadresser_browse.h"

#include "data/registry_files.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "maintenance/forms/form_call.h"
#include "maintenance/lists/browse_list.h"
#include "maintenance/lists/browse_window.h"
#include "maintenance/lists/list_window_parts.h"
#include "maintenance/lists/store_browse_source.h"
#include "platform/ui/api/dialogs.h"

namespace maintenance {

namespace {

class PostSource : public StoreBrowseSource<data::PostadresserRecord> {
 public:
  explicit PostSource(data::Postadresser& f) : StoreBrowseSource(f, data::Postadresser::POSTADRESSE_KEY1) {}

  std::vector<std::string> makeRow() override { return {file_.rec.POSTNUMMER.str(), file_.rec.POSTSTED.str()}; }
  void copyBack(const std::vector<std::string>& row) override {
    file_.rec.POSTNUMMER = row.at(0);
    file_.rec.POSTSTED = row.at(1);
  }
  char locatorChar() const override { return file_.rec.POSTNUMMER[0]; }
  void setLocator(char c) override {
    file_.rec.POSTNUMMER.clear();
    file_.rec.POSTNUMMER[0] = c;
  }
  // No form maintains postal addresses: the request is left as a caller would leave it and
  // the response the list cleared on opening says "cancelled".
  int callForm(int request) override {
    return data::callWithRequest(request, [] { return true; });
  }
  std::string label() const override { return "Postadresser"; }
};

}  // namespace

ui::WindowDef postadresserBrowseWindow() {
  ui::WindowDef w = ui::defs::childWindow("PostadresserBrowse", "Tabell postadresser");
  ui::ControlDef list = listBox(10, 1, {column(7, 1, "Postnr", "@s4"), column(30, 1, "Poststed", "@s30")});
  w.controls = {
      list,
      button("?SELECT", "&Velg", "", ui::Key::Enter),
      button("?INSERT", "&Ny", "", ui::Key::Insert),
      button("?CHANGE", "&Endre", "", ui::Key::CtrlEnter),
      button("?DELETE", "&Slett", "", ui::Key::Delete),
      button("?CLOSE", "Lukk"),
  };
  return w;
}

void PostadresserBrowse() {
  data::ThreadState& t = data::thr();
  const int request = takeRequest();
  const data::UsedFiles files{data::FileId::Postadresser};

  ui::Window win(postadresserBrowseWindow());
  BrowseWindow host(win, BrowseControls{});
  PostSource source(t.Postadresser);
  BrowseList list(source, host, request);
  list.setDeleteText("&Slett");
  win.open();
  // Enter chooses through the button's key; the button is not the default one.
  host.prepare(list, false);
  host.run(list);

  t.ThreadResponse = list.response();
}

}  // namespace maintenance
