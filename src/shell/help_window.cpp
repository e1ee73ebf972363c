#include "shell/help_window.h"

#include <vector>

#include "platform/ui/api/def_builders.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/window.h"
#include "shell/help_book.h"

namespace shell {
namespace {

using ui::ControlDef;
using ui::ControlKind;

constexpr const char* kTitle = "Hjelp";

}  // namespace

ui::WindowDef helpWindowDef() {
  using namespace ui::defs;
  ui::WindowDef d = window("HelpWindow", kTitle);
  d.resizable = true;
  ControlDef page = control(ControlKind::Text, "?SIDE");
  page.width = 300;
  page.height = 160;
  ControlDef close = button("?LUKK", "&Lukk");
  close.action = ui::StdAction::Close;
  d.controls = {
      prompt("?SOKEORD:PROMPT", "&Søk etter:"),
      entry("?SOKEORD", "@s40"),
      button("?SOK", "&Søk"),
      listBox("?EMNER", 8, 1, {column(40, 0, "Emner", "")}),
      button("?VIS", "&Vis"),
      page,
      button("?INNHOLD", "&Innhold"),
      close,
  };
  return d;
}

void HelpWindow(std::string keyword) {
  const std::string stem = helpFile();
  ui::Window win(helpWindowDef());
  std::string word;
  win.bind("?SOKEORD", word);
  win.open();
  win.setAlertKeys("?EMNER", {ui::Key::MouseLeft2});  // a double click on a topic opens it

  std::vector<std::string> topics;
  const auto listTopics = [&](const std::vector<std::string>& found) {
    topics = found;
    win.setRows("?EMNER", topics);
    if (!topics.empty()) win.setSelected("?EMNER", 1);
  };
  const auto showPage = [&](std::string_view key) {
    const HelpPage* page = findHelpPage(stem, key);
    if (page == nullptr) page = findHelpPage(stem, kHelpContents);
    if (page == nullptr) {
      win.setTitle(kTitle);
      win.setText("?SIDE", "Ingen hjelp finnes for dette emnet.");
      return;
    }
    win.setTitle(std::string(kTitle) + " - " + page->keyword);
    win.setText("?SIDE", page->text);
    // The topic shown is the one highlighted, when the list holds it.
    for (std::size_t i = 0; i < topics.size(); ++i) {
      if (topics[i] == page->keyword) win.setSelected("?EMNER", static_cast<int>(i) + 1);
    }
  };

  listTopics(searchHelp(stem, ""));
  if (keyword == "#search") {
    win.setTitle(std::string(kTitle) + " - Søk");
    win.setText("?SIDE", "Skriv et ord og trykk Søk.");
    win.select("?SOKEORD");
  } else if (keyword == "#contents") {
    showPage(kHelpContents);
  } else if (keyword == "#help") {
    showPage(kHelpOnHelp);
  } else {
    showPage(keyword);
  }

  while (auto ev = win.accept()) {
    const bool doubleClick = ev.kind == ui::EventKind::AlertKey && ev.key == ui::Key::MouseLeft2;
    if (ev.kind != ui::EventKind::Accepted && !doubleClick) continue;
    const std::string eq = win.equate(ev.control);
    if (eq == "?SOK" || eq == "?SOKEORD") {
      listTopics(searchHelp(stem, word));
      if (topics.empty()) win.setText("?SIDE", "Fant ingen sider med \"" + word + "\".");
    } else if (eq == "?VIS" || eq == "?EMNER") {
      const int row = win.selected("?EMNER");
      if (row >= 1 && row <= static_cast<int>(topics.size())) showPage(topics[row - 1]);
    } else if (eq == "?INNHOLD") {
      listTopics(searchHelp(stem, ""));
      showPage(kHelpContents);
    }
  }
  win.close();
}

void showHelp(std::string_view keyword) {
  ui::startProcedure([k = std::string(keyword)] { HelpWindow(k); }, 25000);
}

}  // namespace shell
