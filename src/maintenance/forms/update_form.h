#pragma once
// The update form every mapping file is edited in (LabForm, LeverForm, ParamForm, StedForm):
// one record of the thread's buffer, added, rewritten through the cascading update or deleted
// through the cascading delete, by the request the caller set. A form derives from
// UpdateForm<Rec>, gives its window and hooks in a FormSpec, and calls run(). See docs/forms.md.
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "data/file_id.h"
#include "data/thread_state.h"
#include "platform/store/file.h"
#include "platform/ui/api/window.h"

namespace maintenance {

namespace Request = data::Request;

// The message line of a request ("Ny post vil bli lagret", ...); empty for any other.
std::string requestMessage(int request, const std::string& deleteText);

// The record as the user last confirmed a form of one kind, for the whole process: every
// thread's form of that kind reads and writes it under its lock. Ctrl+' copies one field back.
template <class Rec>
class DittoRecord {
 public:
  void keep(const Rec& r) {
    std::lock_guard lock(m_);
    rec_ = r;
  }
  Rec copy() const {
    std::lock_guard lock(m_);
    return rec_;
  }

 private:
  mutable std::mutex m_;
  Rec rec_{};  // cleared at the first entry into the form kind (a function-local static)
};

// Where the first opening of a form kind in the process put its window; later openings go
// there. Moves by the user are not recorded.
class RememberedPosition {
 public:
  void applyOrRecord(ui::Window& win);

 private:
  std::mutex m_;
  bool known_ = false;
  int x_ = 0, y_ = 0;
};

// An input control of the form and the field of the record it edits (for the ditto key).
template <class Rec>
struct FormField {
  std::string equate;
  std::function<void(Rec& to, const Rec& from)> copy;
};
template <class Rec, class T>
FormField<Rec> field(std::string equate, T Rec::*member) {
  return {std::move(equate), [member](Rec& to, const Rec& from) { to.*member = from.*member; }};
}

// What one form kind brings to the pattern.
template <class Rec>
struct FormSpec {
  ui::WindowDef window;
  store::File<Rec>* file = nullptr;         // the thread's instance of the form's file
  std::vector<data::FileId> files;          // opened through the use counters, in order
  std::function<void()> saveLinks;          // SaveMap*Links
  std::function<int()> update;              // UpdateMap*: 0, 1, 2
  std::function<int()> remove;              // DeleteMap*: 0, 1
  std::string keyDescription;               // text of kind 24
  std::string firstField;                   // equate of the first input field
  std::vector<FormField<Rec>> dittoFields;  // the controls that take the ditto key
  DittoRecord<Rec>* ditto = nullptr;
  RememberedPosition* position = nullptr;  // forms that remember where they opened
  std::string deleteMessage = "Tast Ok for å slette";
};

// The pattern's steps and event loop; a form overrides the hooks it needs.
class UpdateFormBase {
 public:
  virtual ~UpdateFormBase() = default;

 protected:
  // Insert only: fields primed before the saved copy is taken again.
  virtual void prime() {}
  // Insert only: set after the saved copy, so they count as a change (LabForm's place source).
  virtual void primeAfterCopy() {}
  // Binds the controls to the record buffer and the form's own variables.
  virtual void bind(ui::Window&) {}
  // After the window opened, before the message line: look-up lists.
  virtual void fillLookups(ui::Window&) {}
  // Re-reads what the form shows beside its record (names of the codes); then all is redisplayed.
  virtual void refreshLookups() {}
  // An event of the form's own controls (look-up buttons, drop lists), or a rejected input
  // the form explains before refusing it. True when handled.
  virtual bool onEvent(ui::Window&, const ui::Event&) { return false; }
  // Every OK, whatever the request (LabForm's GLO:IMPORTFILE).
  virtual void onOk() {}
  // Insert and change, before the record is stored: false refuses the record (the form has
  // told the user and put the focus back).
  virtual bool valid(ui::Window&) { return true; }

  // The window, while it is open (for hooks).
  ui::Window* window() { return win_; }
  int request() const { return request_; }
  void refresh();
  // For onEvent: one of the look-up combos accepted or given a new selection refreshes, so the
  // names beside it follow. True when the event was one of those.
  bool refreshOnLookup(ui::Window& win, const ui::Event& ev, std::initializer_list<const char*> combos);

  // What the shared loop needs, the record type erased (UpdateForm<Rec> fills it in).
  struct Setup {
    const ui::WindowDef* window = nullptr;
    std::vector<data::FileId> files;
    std::function<void()> prepare;           // save-links, the saved copy, priming
    std::function<bool()> changed;           // the buffer differs from the saved copy
    std::function<void()> keepDitto;         // ditto := buffer
    std::function<bool(int control)> ditto;  // copies the control's field from the ditto record
    std::vector<std::string> dittoControls;
    std::function<int()> add, update, remove;
    RememberedPosition* position = nullptr;
    std::string keyDescription, firstField, deleteMessage;
  };
  void runForm(Setup setup);

 private:
  void initialise();
  void ok();
  void completed();
  bool closing();
  void focusFirst();

  ui::Window* win_ = nullptr;
  int request_ = 0;
  int firstRequest_ = 0;
  int response_ = 2;
  bool initialised_ = false;
  bool givenUp_ = false;  // No to "try again?": the window closes without asking to save
  Setup s_;
};

template <class Rec>
class UpdateForm : public UpdateFormBase {
 public:
  explicit UpdateForm(FormSpec<Rec> spec) : spec_(std::move(spec)) {}

  // The whole call: request taken, files opened, links saved, saved copy (primed for insert),
  // window and loop, closing steps; ThreadResponse set on return.
  void run() {
    store::File<Rec>& f = *spec_.file;
    Setup s;
    s.window = &spec_.window;
    s.files = spec_.files;
    s.prepare = [&] {
      spec_.saveLinks();
      saved_ = f.rec;
      if (request() == Request::Insert) {
        prime();
        saved_ = f.rec;
        primeAfterCopy();
      }
    };
    s.changed = [&] { return f.compare(&saved_) != 0; };
    s.keepDitto = [&] { spec_.ditto->keep(f.rec); };
    s.ditto = [&](int control) {
      for (const auto& d : spec_.dittoFields)
        if (window()->id(d.equate) == control) {
          d.copy(f.rec, spec_.ditto->copy());
          return true;
        }
      return false;
    };
    for (const auto& d : spec_.dittoFields) s.dittoControls.push_back(d.equate);
    s.add = [&] { return f.add(); };
    s.update = spec_.update;
    s.remove = spec_.remove;
    s.position = spec_.position;
    s.keyDescription = spec_.keyDescription;
    s.firstField = spec_.firstField;
    s.deleteMessage = spec_.deleteMessage;
    runForm(std::move(s));
  }

 protected:
  store::File<Rec>& file() { return *spec_.file; }

 private:
  FormSpec<Rec> spec_;
  Rec saved_{};
};

}  // namespace maintenance
