#include "shell/about_window.h"

#include <string>

#include "data/file_names.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "lab2siv_version.h"
#include "platform/sys/desktop.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/refresh.h"
#include "platform/ui/api/window.h"
#include "shell/procedures.h"
#include "shell/window_parts.h"

namespace shell {
namespace {

using ui::ControlDef;
using ui::ControlKind;

constexpr int kBlue = 0x0000FF;
constexpr int kMagenta = 0xFF00FF;
constexpr const char* kWebTarget = "https://www.brakel-sivra.example";
constexpr const char* kMailTarget = "mailto:support@brakel-sivra.example";

struct Link {
  const char* line;    // the text control it lies over
  const char* region;  // the region created over it
  const char* target;
  int id = 0;
};

// Asks the postal-address list for a code on this thread; true when one was chosen (it is then
// in the thread's Postadresser buffer). Without a list nothing is chosen.
bool choosePostalCode(data::ThreadState& t) {
  const bool chosen = data::callWithRequest(data::Request::Select, [] {
                        return callProcedure("PostadresserBrowse");
                      }) == data::Response::Completed;
  t.ThreadResponse = data::Response::Cancelled;
  return chosen;
}

// OK: the window's entries go into the file's one record, read afresh, since another About
// window may have added it meanwhile; a record is added only when the file holds none.
// A rewrite that another window's OK overtook between the read and the write is read and
// rewritten once more; it never turns into a second record.
void storeUser(data::Labuser& file, const data::LabuserRecord& mine) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    file.set();
    if (file.next() != 0) {
      file.clear();
      file.rec = mine;
      file.add();
      return;
    }
    file.rec = mine;
    if (file.put() == 0) return;
  }
}

}  // namespace

void OpenLink(std::string_view target) {
  while (!target.empty() && target.back() == ' ') target.remove_suffix(1);
  sys::openDocument(target.substr(0, 255));
}

ui::WindowDef aboutWindowDef() {
  using namespace ui::defs;
  ui::WindowDef d = window("AboutWindow", "Om programmet", "LAB.ICO", "Om programmet", ui::WindowKind::MdiChild);
  const auto user = [](ControlDef c) { return inside(std::move(c), "?GROUP1"); };
  ControlDef ok = button("?OKBUTTON", "OK");
  ok.isDefault = true;
  d.controls = {
      textLine("?STRING1", "Brakel 2000 Provex (RNX)"),
      textLine("?STRING1:2", std::string("Versjon  ") + lab2siv::kVersion + " (" + lab2siv::kVersionDate + ")"),
      textLine("?STRING3:2", "Brakel Sivra AS"),
      textLine("?STRING3", "Postboks 100, 1300 Sandvika"),
      textLine("?STRING3:3", "Telefon 67 00 00 00  Telefax 67 00 00 01"),
      textLine("?WEBLINE", "www.brakel-sivra.example"),
      textLine("?MAILLINE", "support@brakel-sivra.example"),
      group("?GROUP1", "Brukeropplysninger"),
      user(prompt("?L_U:BRUKER:PROMPT", "Bruker:")),
      user(entry("?L_U:BRUKER", "@s100")),
      user(prompt("?L_U:ADRESSE:PROMPT", "Adresse:")),
      user(entry("?L_U:ADRESSE", "@s30")),
      user(prompt("?L_U:POSTNR:PROMPT", "Postnr:")),
      user(entry("?L_U:POSTNR", "@s4")),
      user(lookupButton("?CALLLOOKUP", "Tabell postadresser")),
      user(display("?P_A:POSTSTED", "@s30")),
      user(prompt("?L_U:TELEFON:PROMPT", "Telefon:")),
      user(entry("?L_U:TELEFON", "@s11")),
      user(prompt("?L_U:TELEFAX:PROMPT", "Telefax:")),
      user(entry("?L_U:TELEFAX", "@s11")),
      ok,
      button("?CANCELBUTTON", "Avbryt"),
      helpButton("Hjelp for dette vindu"),
  };
  return d;
}

void AboutWindow() {
  data::ThreadState& t = data::thr();
  data::takeThreadRequest();
  data::SetFileNames();
  const data::UsedFiles files{data::FileId::Labuser, data::FileId::Postadresser};

  auto& user = t.Labuser.rec;
  auto& post = t.Postadresser;
  ui::Window win(aboutWindowDef());
  win.bind("?L_U:BRUKER", user.BRUKER);
  win.bind("?L_U:ADRESSE", user.ADRESSE);
  win.bind("?L_U:POSTNR", user.POSTNR);
  win.bind("?P_A:POSTSTED", post.rec.POSTSTED);
  win.bind("?L_U:TELEFON", user.TELEFON);
  win.bind("?L_U:TELEFAX", user.TELEFAX);
  win.open();
  t.Labuser.set();
  if (t.Labuser.next() != 0) t.Labuser.clear();

  Link links[] = {{"?WEBLINE", "?WEBLINK", kWebTarget}, {"?MAILLINE", "?MAILLINK", kMailTarget}};
  for (Link& l : links) {
    const auto pos = [&](ui::Prop p) { return static_cast<int>(win.getNumber(l.line, p)); };
    l.id = win.create(ControlDef{.kind = ControlKind::Region,
                                 .equate = l.region,
                                 .x = pos(ui::Prop::X),
                                 .y = pos(ui::Prop::Y),
                                 .width = pos(ui::Prop::Width),
                                 .height = pos(ui::Prop::Height)});
    win.set(l.id, ui::Prop::Cursor, "hand");
    win.set(l.line, ui::Prop::Color, kBlue);
  }

  const auto showPlace = [&] {
    post.rec.POSTNUMMER = user.POSTNR;
    if (post.get(data::Postadresser::POSTADRESSE_KEY1) != 0) post.clear();
    win.display();
  };
  bool activated = false;  // opening is the first activation unless the focus came first
  const auto activate = [&] {
    activated = true;
    showPlace();
  };
  const ui::RefreshHandlers refreshing{.open =
                                           [&] {
                                             if (!activated) activate();
                                           },
                                       .gainFocus = activate,
                                       .refresh = showPlace};
  bool store = false;
  while (auto ev = win.accept()) {
    for (const Link& l : links) {
      if (ev.control != l.id) continue;
      if (ev.kind == ui::EventKind::MouseIn) win.set(l.line, ui::Prop::Color, kMagenta);
      if (ev.kind == ui::EventKind::MouseOut) win.set(l.line, ui::Prop::Color, kBlue);
      if (ev.kind == ui::EventKind::MouseUp) OpenLink(l.target);
    }
    const std::string eq = win.equate(ev.control);
    if (ui::handleRefresh(ev, refreshing)) continue;
    switch (ev.kind) {
      case ui::EventKind::Rejected: win.refuse(ev.control); break;
      case ui::EventKind::Accepted:
        if (eq == "?L_U:POSTNR") {
          if (user.POSTNR.blank()) {
            showPlace();
            break;
          }
          post.rec.POSTNUMMER = user.POSTNR;
          if (post.get(data::Postadresser::POSTADRESSE_KEY1) == 0) {
            showPlace();
          } else if (choosePostalCode(t)) {
            user.POSTNR = post.rec.POSTNUMMER;
            showPlace();
          } else {
            win.select("?L_U:POSTNR");
          }
        } else if (eq == "?CALLLOOKUP") {
          post.rec.POSTNUMMER = user.POSTNR;
          if (choosePostalCode(t)) user.POSTNR = post.rec.POSTNUMMER;
          showPlace();
        } else if (eq == "?OKBUTTON") {
          if (ui::refuseNotCp1252(win)) break;
          store = true;
          win.post(ui::EventKind::CloseWindow);
        } else if (eq == "?CANCELBUTTON") {
          win.post(ui::EventKind::CloseWindow);
        }
        break;
      default: break;
    }
  }
  if (store) storeUser(t.Labuser, data::LabuserRecord(user));

  win.close();
}

}  // namespace shell
