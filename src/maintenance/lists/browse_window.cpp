#include "maintenance/lists/browse_window.h"

#include "data/warnings.h"
#include "platform/text/codepage.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/refresh.h"

namespace maintenance {

BrowseWindow::BrowseWindow(ui::Window& win, BrowseControls controls, RowFormat format)
    : win_(win), c_(std::move(controls)), format_(std::move(format)) {}

void BrowseWindow::prepare(const BrowseList& list, bool selectIsDefault) {
  if (c_.select.empty()) {
    // A window without a select button.
  } else if (!list.selectMode()) {
    win_.hide(c_.select);
    win_.disable(c_.select);
  } else {
    win_.unhide(c_.select);
    win_.enable(c_.select);
    if (selectIsDefault) win_.setDefault(c_.select);
  }
  win_.setAlertKeys(c_.list, {ui::Key::MouseLeft2, ui::Key::Apps, ui::Key::MouseRight, ui::Key::Insert, ui::Key::Delete,
                              ui::Key::CtrlEnter});
}

void BrowseWindow::run(BrowseList& list, const Before& before, const After& after) {
  run(win_, {Pane{this, &list}}, before, after);
}

void BrowseWindow::run(ui::Window& win, const std::vector<Pane>& panes, const Before& before, const After& after) {
  BrowseList& first = *panes.front().list;
  const ui::RefreshHandlers refreshing{.open = [&first] { first.onOpen(); },
                                       .gainFocus = [&first] { first.onGainFocus(); },
                                       .refresh = [&first] { first.onPrivateRefresh(); }};
  while (auto ev = win.accept()) {
    if (before && before(ev)) continue;
    if (ev.control == 0) {
      ui::handleRefresh(ev, refreshing);
    } else if (ev.kind == ui::EventKind::Rejected) {
      win.refuse(ev.control);
    } else {
      for (const Pane& p : panes) {
        ListButton b;
        if (ev.control == win.id(p.host->c_.list)) {
          p.host->listEvent(*p.list, ev);
          break;
        }
        if (ev.kind == ui::EventKind::Accepted && p.host->buttonOf(ev.control, b)) {
          p.list->onButton(b);
          break;
        }
      }
    }
    if (after) after(ev);
  }
}

void BrowseWindow::listEvent(BrowseList& list, const ui::Event& ev) {
  switch (ev.kind) {
    case ui::EventKind::NewSelection: list.onNewSelection(); break;
    case ui::EventKind::ScrollUp: list.onScroll(Scroll::Up); break;
    case ui::EventKind::ScrollDown: list.onScroll(Scroll::Down); break;
    case ui::EventKind::PageUp: list.onScroll(Scroll::PageUp); break;
    case ui::EventKind::PageDown: list.onScroll(Scroll::PageDown); break;
    case ui::EventKind::ScrollTop: list.onScroll(Scroll::Top); break;
    case ui::EventKind::ScrollBottom: list.onScroll(Scroll::Bottom); break;
    case ui::EventKind::ScrollDrag: list.onDrag(ev.number); break;
    case ui::EventKind::AlertKey: {
      const std::string cp = text::toCp1252(ev.character);
      list.onAlertKey(ev.key, cp.empty() ? '\0' : cp[0]);
      break;
    }
    default: break;
  }
}

bool BrowseWindow::buttonOf(int control, ListButton& out) const {
  for (ListButton b :
       {ListButton::Select, ListButton::Insert, ListButton::Change, ListButton::Delete, ListButton::Close}) {
    const std::string& name = buttonName(b);
    if (!name.empty() && win_.id(name) == control) {
      out = b;
      return true;
    }
  }
  return false;
}

const std::string& BrowseWindow::buttonName(ListButton b) const {
  switch (b) {
    case ListButton::Select: return c_.select;
    case ListButton::Insert: return c_.insert;
    case ListButton::Change: return c_.change;
    case ListButton::Delete: return c_.del;
    case ListButton::Close: break;
  }
  return c_.close;
}

int BrowseWindow::items() const {
  const int n = win_.items(c_.list);
  return n > 0 ? n : 1;
}
int BrowseWindow::selected() const { return win_.selected(c_.list); }

void BrowseWindow::showPage(const std::deque<BrowseRow>& rows, int current) {
  std::vector<ui::ListRow> out;
  out.reserve(rows.size());
  for (const auto& r : rows) out.push_back(format_ ? format_(r) : ui::ListRow{r.columns, false});
  win_.setRows(c_.list, std::move(out));
  win_.setSelected(c_.list, current);
}

void BrowseWindow::setVScroll(bool on) { win_.set(c_.list, ui::Prop::VScroll, on ? 1LL : 0LL); }
bool BrowseWindow::vscroll() const { return win_.getNumber(c_.list, ui::Prop::VScroll) != 0; }
void BrowseWindow::setThumb(int pos) { win_.set(c_.list, ui::Prop::VScrollPos, static_cast<long long>(pos)); }
int BrowseWindow::mouseRow() const { return static_cast<int>(win_.getNumber(c_.list, ui::Prop::MouseRow)); }

void BrowseWindow::setRecordButtons(bool enabled) {
  std::vector<std::string> names{c_.change, c_.del};
  names.insert(names.end(), c_.recordButtons.begin(), c_.recordButtons.end());
  for (const auto& n : names) {
    if (enabled)
      win_.enable(n);
    else
      win_.disable(n);
  }
}

void BrowseWindow::postAccepted(ListButton b) {
  const std::string& name = buttonName(b);
  if (!name.empty()) win_.post(ui::EventKind::Accepted, name);
}
void BrowseWindow::postNewSelection() { win_.post(ui::EventKind::NewSelection, c_.list); }
void BrowseWindow::postScrollTop() { win_.post(ui::EventKind::ScrollTop, c_.list); }
void BrowseWindow::postScrollBottom() { win_.post(ui::EventKind::ScrollBottom, c_.list); }
void BrowseWindow::postClose() { win_.post(ui::EventKind::CloseWindow); }
void BrowseWindow::focusList() { win_.select(c_.list); }
void BrowseWindow::redisplay() { win_.display(); }
bool BrowseWindow::inAcceptAll() const { return win_.inAcceptAll(); }
int BrowseWindow::popup(std::string_view items) { return ui::popup(items); }
void BrowseWindow::waitCursor(bool on) { ui::setWaitCursor(on); }
int BrowseWindow::lastKey() const { return ui::lastKey(); }
void BrowseWindow::clearLastKey() { ui::clearLastKey(); }
void BrowseWindow::warn(int kind, std::string_view text) { data::ShowWarningText(kind, text); }

}  // namespace maintenance
