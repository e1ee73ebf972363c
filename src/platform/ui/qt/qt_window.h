#pragma once
// One open window of the Qt backend: its widgets built from the definition, property changes,
// and the user's actions turned into events. Lives on the GUI thread only.
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/api/event.h"
#include "platform/ui/api/prop.h"
#include "platform/ui/api/window_def.h"
#include "platform/ui/qt/qt_control.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QGridLayout;
class QHBoxLayout;
class QTimer;
class QWheelEvent;

namespace ui::qt {

class QtWindow;
class StatusZone;

// The top-level or MDI-child shell: a close box becomes a close request, a completed resize
// a Sized event.
class Shell : public QMainWindow {
 public:
  explicit Shell(QtWindow& owner);
  bool allowClose = false;

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QtWindow& owner_;
};

class QtWindow : public ControlHost {
 public:
  // `mdiArea` is the frame's area for an MDI child (nullptr: a window of its own).
  QtWindow(int id, int thread, const WindowDef& def, QMdiArea* mdiArea);
  ~QtWindow() override;
  QtWindow(const QtWindow&) = delete;
  QtWindow& operator=(const QtWindow&) = delete;

  void show();
  // Before show(): a window of its own without a given position opens centred over `owner`
  // (the window of its thread it was opened from, or the frame).
  void placeOver(const QtWindow& owner);
  void apply(const PropChange& ch);
  PropValue get(int control, Prop prop);
  void setRows(int control, const std::vector<ListRow>& rows);
  void createControl(const ControlDef& def);
  void destroyControl(int control);
  void clipboard(ClipboardOp op);
  // Whether the user may work in the window (a nested window or a box of its thread).
  void setUsable(bool on);

  int id() const { return id_; }
  int thread() const { return thread_; }
  const WindowDef& def() const { return def_; }
  Shell* shell() const { return shell_; }
  // The widget that is the window on screen: the MDI sub-window or the shell.
  QWidget* outer() const;
  QMdiArea* mdiArea() const { return area_; }  // the frame's own area
  QWidget* widget(int control) const;
  QAction* action(int control) const;
  QWidget* widget(const std::string& equate) const;
  QAction* action(const std::string& equate) const;  // menu item or toolbar button
  bool opened() const { return opened_; }
  // A resize whose Sized event is still to come (the user may still be dragging).
  bool resizing() const;
  // What the procedure put into each status zone (1..), for the scripted user.
  std::map<int, std::string> statusTexts() const;

  // ControlHost
  void send(Event ev) override;
  void sendControl(int control, EventKind kind, int key = 0) override;
  QtControl* find(int control) override;
  // Whether `code` in `control` (0: the window) is an alert key: the procedure gets it instead of
  // the layer's own action (F1: help).
  bool isAlertKey(int control, int code);
  std::map<int, QtControl>& controls() override { return controls_; }
  void trigger(int control, StdAction a) override;
  bool usable() const override { return usable_; }

  void closeRequested();
  // A status tip reached the window; false when it has nowhere to show it (status_zone.h).
  bool statusTip(const QString& tip);
  void resized();
  void activated(bool on);
  bool keyFilter(QObject* watched, QKeyEvent* e, int control);
  // A wheel turn over an unfocused spin or drop list scrolls the window; true when taken.
  bool wheelOutside(QWidget* w, QWheelEvent* e);

 private:
  void build();
  // The focus on the first shown control that takes it.
  void focusFirstControl();
  void applyToWindow(const PropChange& ch);
  PropValue readWindow(Prop prop);
  // Menu bar, toolbar and standard actions (qt_menus.cpp).
  void buildMenuBar();
  void buildToolbar();
  void buildMenu(QMenu* menu, const std::vector<MenuItem>& items);
  void addMenuItem(QMenu* menu, const MenuItem& m);
  void addMenuControl(QMenu* menu, const MenuItem& m);
  void fillWindowList(QMenu* menu);
  void runStdAction(StdAction a);
  // Placement and size (qt_placement.cpp; fitting: window_fit.h).
  void buildContent();
  void sizeWindow();
  void fitToRoom();
  // What the shell holds around the controls' area: toolbars, status bar, margins.
  QSize chromeAroundContent() const;
  void growToContent();
  QWidget* containerFor(const ControlDef& d);
  void place(QtControl& c);
  void placeRegion(QtControl& c, QWidget* container);
  void placeAt(QtControl& c, QWidget* container);
  void placeOnGrid(QtControl& c, QWidget* container);
  bool placeBeside(QtControl& c, QGridLayout& grid);

  int id_;
  int thread_;
  WindowDef def_;
  QPointer<QMdiArea> parentArea_;
  QPointer<QMdiSubWindow> sub_;
  Shell* shell_ = nullptr;  // owned by sub_ or top-level
  QWidget* content_ = nullptr;
  QMdiArea* area_ = nullptr;
  std::vector<StatusZone*> zones_;
  std::map<int, QtControl> controls_;
  // The grid of a container laid out without coordinates, and how far it is filled.
  struct Grid {
    QGridLayout* layout = nullptr;
    int next = 0;      // the next free row
    int openRow = -1;  // a prompt row still taking controls, -1 none
    int openCol = 0;
    QHBoxLayout* fields = nullptr;  // the open prompt row's fields
  };
  std::map<QWidget*, Grid> grids_;
  std::map<std::string, std::string> groupOf_;  // controls a group frames by window order
  QWidget* buttonBar_ = nullptr;
  QPointer<QWidget> focusBefore_;  // the focused control while the window is not usable
  std::set<int> windowAlertKeys_;
  QTimer* sizeTimer_ = nullptr;
  bool opened_ = false;
  bool active_ = false;
  bool usable_ = true;
};

}  // namespace ui::qt
