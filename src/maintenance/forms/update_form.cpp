#include "maintenance/forms/update_form.h"

#include "data/thread_state.h"
#include "data/use_counters.h"
#include "data/warnings.h"
#include "maintenance/forms/form_call.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/refresh.h"

namespace maintenance {

std::string requestMessage(int request, const std::string& deleteText) {
  switch (request) {
    case Request::View: return "View Record";
    case Request::Insert: return "Ny post vil bli lagret";
    case Request::Change: return "Posten vil bli endret";
    case Request::Delete: return deleteText;
    default: return {};
  }
}

void RememberedPosition::applyOrRecord(ui::Window& win) {
  std::lock_guard lock(m_);
  if (known_) {
    win.setPosition(x_, y_);
    return;
  }
  const ui::Position p = win.position();
  x_ = p.x;
  y_ = p.y;
  known_ = true;
}

void UpdateFormBase::refresh() {
  if (!win_ || win_->inAcceptAll()) return;
  refreshLookups();
  win_->display();
}

bool UpdateFormBase::refreshOnLookup(ui::Window& win, const ui::Event& ev, std::initializer_list<const char*> combos) {
  if (ev.kind != ui::EventKind::Accepted && ev.kind != ui::EventKind::NewSelection) return false;
  for (const char* c : combos)
    if (ev.control == win.id(c)) {
      refresh();
      return true;
    }
  return false;
}

void UpdateFormBase::initialise() {
  initialised_ = true;
  refresh();
}

void UpdateFormBase::focusFirst() {
  if (!s_.firstField.empty()) win_->select(s_.firstField);
}

void UpdateFormBase::runForm(Setup setup) {
  s_ = std::move(setup);
  data::ThreadState& t = data::thr();
  request_ = firstRequest_ = takeRequest();
  response_ = 2;
  const data::UsedFiles files(s_.files);
  s_.prepare();

  ui::Window win(*s_.window);
  win_ = &win;
  std::string message;
  win.bind("?ACTIONMESSAGE", message);
  bind(win);
  win.open();
  if (s_.position) s_.position->applyOrRecord(win);
  for (const std::string& c : s_.dittoControls) win.setAlertKeys(c, {ui::Key::CtrlQuote});
  fillLookups(win);
  message = requestMessage(request_, s_.deleteMessage);

  const int okId = win.id("?OK");
  const int cancelId = win.id("?CANCEL");
  const ui::RefreshHandlers refreshing{.open =
                                           [this] {
                                             if (!initialised_) initialise();
                                             focusFirst();
                                           },
                                       .gainFocus =
                                           [this] {
                                             if (!initialised_)
                                               initialise();
                                             else
                                               refresh();
                                           },
                                       .refresh = [this] { refresh(); }};
  while (ui::Event ev = win.accept()) {
    if (ui::handleRefresh(ev, refreshing)) continue;
    switch (ev.kind) {
      case ui::EventKind::Rejected:
        if (!onEvent(win, ev)) win.refuse(ev.control);  // a form may say why first
        break;
      case ui::EventKind::AlertKey:
        if (ev.key == ui::Key::CtrlQuote && request_ != Request::View) {
          if (s_.ditto(ev.control != 0 ? ev.control : win.focus())) win.display();
        } else {
          onEvent(win, ev);
        }
        break;
      case ui::EventKind::Completed: completed(); break;
      case ui::EventKind::CloseWindow:
        if (!closing()) win.vetoClose();
        break;
      case ui::EventKind::Accepted:
        if (ev.control == okId) {
          ok();
        } else if (ev.control == cancelId) {
          response_ = 2;
          win.post(ui::EventKind::CloseWindow);
        } else {
          onEvent(win, ev);
        }
        break;
      default: onEvent(win, ev); break;
    }
  }
  win_ = nullptr;
  t.ThreadResponse = response_ == 0 ? 2 : response_;
}

void UpdateFormBase::ok() {
  onOk();
  switch (firstRequest_) {
    case Request::Insert:
    case Request::Change: win_->acceptAll(); break;
    case Request::Delete: completed(); break;
    default: break;  // view: nothing is saved, the window stays
  }
}

void UpdateFormBase::completed() {
  if ((request_ == Request::Insert || request_ == Request::Change) && (ui::refuseNotCp1252(*win_) || !valid(*win_)))
    return;
  s_.keepDitto();
  if (request_ == Request::Insert) {
    const int err = s_.add();
    if (err == 0) {
      response_ = 1;
      win_->post(ui::EventKind::CloseWindow);
      return;
    }
    // The mapping files have one key each, so a duplicate on add is a duplicate of it.
    if (err == store::Err::DuplicateKey)
      data::ShowWarningText(data::kDuplicateKey, s_.keyDescription);
    else
      data::ShowWarningKind(data::kRecordInsertError);
    focusFirst();
    return;
  }
  const bool change = request_ == Request::Change;
  if (!change && request_ != Request::Delete) return;
  for (;;) {
    response_ = 2;
    int result = 0;
    {
      ui::WaitCursor wait;
      if (change)
        result = s_.changed() ? s_.update() : 0;
      else
        result = s_.remove();
    }
    if (result == 0) {
      response_ = 1;
      win_->post(ui::EventKind::CloseWindow);
      return;
    }
    if (result == 2) break;  // the other station's version is shown; the user goes on
    const int answer = data::ShowWarningKind(change ? 16 : 18);
    if (answer == ui::Button::Yes) continue;
    if (answer == ui::Button::No) {
      givenUp_ = true;
      win_->post(ui::EventKind::CloseWindow);
      return;
    }
    break;
  }
  win_->display();
  focusFirst();
}

bool UpdateFormBase::closing() {
  if (givenUp_ || response_ == 1) return true;
  // Text the record cannot hold is not in it, yet it is a change the user made.
  if ((request_ != Request::Insert && request_ != Request::Change) || (!s_.changed() && !win_->firstNotCp1252()))
    return true;
  switch (data::ShowWarningKind(data::kSaveChanges)) {
    case ui::Button::Yes:
      // Saved as if OK had been pressed; the window closes after a successful save.
      win_->post(ui::EventKind::Accepted, "?OK");
      return false;
    case ui::Button::Cancel: focusFirst(); return false;
    default: return true;
  }
}

}  // namespace maintenance
