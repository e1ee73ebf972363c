#pragma once
// One control of a Qt window, and the adapter of its kind: how its widget is made, how its
// value is shown and read back, and the properties that mean something particular for it. The
// window handles what every widget shares (enabled, visible, tips, colour, cursor, position).
#include <QObject>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/api/event.h"
#include "platform/ui/api/prop.h"
#include "platform/ui/api/window_def.h"

class QAction;
class QLineEdit;
class QWidget;

namespace ui::qt {

// The widget property that holds a control's number.
inline constexpr const char* kIdProp = "l2sControl";

class ControlAdapter;

struct QtControl {
  ControlDef def;
  QWidget* widget = nullptr;                // nullptr for menu items and toolbar buttons
  QAction* action = nullptr;                // menu items and toolbar buttons
  std::unique_ptr<ControlAdapter> adapter;  // widgets only
  std::set<int> alertKeys;
  std::string cursor;
  long long color = -1;
  bool menu = false;
  std::vector<ListRow> rows;  // as last given, for the scripted user to read
  bool rowsGiven = false;
};

// What an adapter may ask of the window that holds its control.
class ControlHost {
 public:
  virtual void send(Event ev) = 0;
  virtual void sendControl(int control, EventKind kind, int key) = 0;
  virtual QtControl* find(int control) = 0;
  virtual std::map<int, QtControl>& controls() = 0;
  virtual void trigger(int control, StdAction a) = 0;  // a button: its action or Accepted
  virtual bool usable() const = 0;                     // no box or nested window of its thread is open
  virtual ~ControlHost() = default;
};

// The adapter is the context of its widget's connections, so none outlives it.
class ControlAdapter : public QObject {
 public:
  ControlAdapter(ControlHost& host, int id) : host_(host), id_(id) {}
  virtual QWidget* make(const ControlDef& d, QWidget* parent) = 0;
  // Prop::Value: what the procedure shows, and what the user made of it. A kind without a
  // value of its own on screen keeps the text it was given.
  virtual void set(const std::string& text, long long number) {
    (void)number;
    held_ = text;
  }
  virtual std::string get() const { return held_; }
  // A property this kind handles itself: true when done (else the window's common handling).
  virtual bool apply(const PropChange& ch);
  virtual std::optional<PropValue> read(Prop p) const;
  virtual void setRows(const std::vector<ListRow>& rows) { (void)rows; }
  // Enter while it has the focus takes what was typed: true when it did (an Accepted follows).
  virtual bool enter() { return false; }

 protected:
  void send(EventKind kind, int key) { host_.sendControl(id_, kind, key); }
  // Typing into `edit` marks the control; leaving it after typing is Accepted (left()).
  void watchTyping(QLineEdit* edit);
  void left();
  ControlHost& host_;
  const int id_;
  std::string held_;
  bool typed_ = false;  // typed into since the last Accepted
};

// A number given as text or as a number.
long long numberOf(const std::string& text, long long number);

// The adapters, one family per file (qt_control_*.cpp); adapterFor picks by kind.
std::unique_ptr<ControlAdapter> adapterFor(ControlKind kind, ControlHost& host, int id);
std::unique_ptr<ControlAdapter> labelAdapter(ControlHost& host, int id, bool prompt);
std::unique_ptr<ControlAdapter> entryAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> spinAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> progressAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> buttonAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> checkAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> optionAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> radioAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> comboAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> listAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> sheetAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> tabAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> frameAdapter(ControlHost& host, int id, ControlKind kind);  // group, panel, box
std::unique_ptr<ControlAdapter> imageAdapter(ControlHost& host, int id);
std::unique_ptr<ControlAdapter> regionAdapter(ControlHost& host, int id);

}  // namespace ui::qt
