#include "platform/ui/qt/qt_driver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>
#include <thread>

#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/gui_call.h"
#include "platform/ui/qt/key_codes.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_text.h"
#include "platform/ui/qt/qt_window.h"

// Qt's own route for a key press as a keyboard gives it: the shortcut override first, so that
// shortcuts and hot keys apply (what its test library does too).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace ui::qt {
namespace {

using ui::headless::HControl;
using ui::headless::HWindow;
using ui::headless::PendingView;

Qt::KeyboardModifiers qtModifiers(int code) {
  Qt::KeyboardModifiers m;
  if (code & Key::Shift) m |= Qt::ShiftModifier;
  if (code & Key::Ctrl) m |= Qt::ControlModifier;
  if (code & Key::Alt) m |= Qt::AltModifier;
  return m;
}

void sendKey(QWidget* w, int qtKey, Qt::KeyboardModifiers mods, const QString& text) {
  QPointer<QWidget> target = w;
  if (!qt_sendShortcutOverrideEvent(w, 0, qtKey, mods, text, false, 1)) {
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(w, &press);
  }
  QWidget* to = target ? target.data() : QApplication::focusWidget();
  if (!to) return;
  QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
  QApplication::sendEvent(to, &release);
}

// One typed character: its key as a keyboard sends it, and its text. A character beyond the
// 16-bit range (an emoji) comes as one key event with both halves of its text, as an input
// method sends it.
void typeChar(QWidget* w, const QString& ch) {
  const QChar first = ch.front();
  if (ch.size() > 1) {
    sendKey(w, Qt::Key_unknown, Qt::NoModifier, ch);
    return;
  }
  const QChar up = first.toUpper();
  const int key = up.unicode() >= 0x20 ? int(up.unicode()) : int(Qt::Key_unknown);
  sendKey(w, key, first.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, ch);
}

// A click of `button` at `at` (the middle when none): the press gives the focus as a real
// click does.
void click(QWidget* w, QPoint at = {-1, -1}, Qt::MouseButton button = Qt::LeftButton, bool twice = false) {
  // A check box or radio takes clicks on its mark and caption only, which sit at its left.
  if (at.x() < 0 && (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w)))
    at = QPoint(std::min(6, w->width() / 2), w->height() / 2);
  if (at.x() < 0) at = w->rect().center();
  QPointer<QWidget> g = w;
  if ((w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus && !w->hasFocus()) w->setFocus(Qt::MouseFocusReason);
  const QPointF local(at);
  const QPointF global = w->mapToGlobal(local);
  auto send = [&](QEvent::Type type, Qt::MouseButtons held) {
    if (!g) return;
    QMouseEvent e(type, local, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(g, &e);
  };
  send(QEvent::MouseButtonPress, button);
  send(QEvent::MouseButtonRelease, Qt::NoButton);
  if (twice) {
    send(QEvent::MouseButtonDblClick, button);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
  }
}

// A control on a sheet's page that is not on show: the user clicks its tab first (outermost
// sheet first), as they must to reach it.
void reveal(QWidget* w) {
  std::vector<std::pair<QTabWidget*, int>> tabs;
  for (QWidget* child = w; child && child->parentWidget(); child = child->parentWidget()) {
    // A page's widget sits in the sheet's stack, whose parent is the sheet.
    QWidget* stack = child->parentWidget();
    if (auto* sheet = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr) {
      const int index = sheet->indexOf(child);
      if (index >= 0 && sheet->currentIndex() != index) tabs.emplace_back(sheet, index);
    }
    if (child->isWindow()) break;
  }
  for (auto it = tabs.rbegin(); it != tabs.rend(); ++it) {
    QTabBar* bar = it->first->tabBar();
    click(bar, bar->tabRect(it->second).center());
  }
}

QtControl* controlOf(QtBackend& b, int window, int control) {
  QtWindow* w = b.window(window);
  return w ? w->find(control) : nullptr;
}

// The equate-numbered control that holds `w` in window `win`, 0 none.
int controlHolding(QtWindow& win, QWidget* w) {
  for (; w; w = w->parentWidget()) {
    const QVariant id = w->property(kIdProp);
    if (id.isValid()) {
      QtControl* c = win.find(id.toInt());
      if (c && !c->menu && (c->widget == w || c->widget->isAncestorOf(w))) return id.toInt();
    }
    if (w == win.shell()) break;
  }
  return 0;
}

HWindow snapshot(QtWindow& win) {
  HWindow h;
  h.id = win.id();
  h.thread = win.thread();
  h.def = win.def();
  h.title = toU8(win.shell()->windowTitle());
  h.order = win.id();
  for (auto& [id, c] : win.controls()) {
    HControl hc;
    hc.def = c.def;
    hc.menu = c.menu;
    hc.text = win.get(id, Prop::Text).text;
    hc.tip = win.get(id, Prop::Tip).text;
    hc.status = win.get(id, Prop::Status).text;
    if (c.menu) {
      hc.enabled = c.action && c.action->isEnabled();
      hc.visible = c.action && c.action->isVisible();
      hc.checkable = c.action && c.action->isCheckable();
      hc.checked = c.action && c.action->isChecked();
    } else if (c.widget) {
      hc.value = win.get(id, Prop::Value).text;
      hc.enabled = !c.widget->testAttribute(Qt::WA_ForceDisabled);
      hc.visible = !c.widget->isHidden();
      // A sheet shows one page at a time: a tab is there when its tab is.
      if (c.def.kind == ControlKind::Tab)
        for (QWidget* p = c.widget->parentWidget(); p; p = p->parentWidget())
          if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
            const int index = tabs->indexOf(c.widget);
            if (index < 0) continue;
            hc.visible = tabs->isTabVisible(index);
            hc.enabled = tabs->isTabEnabled(index);
            break;
          }
      hc.readOnly = win.get(id, Prop::ReadOnly).number != 0;
      hc.isDefault = win.get(id, Prop::Default).number != 0;
      hc.selected = win.get(id, Prop::Selected).number;
      hc.imageFile = win.get(id, Prop::ImageFile).text;
      hc.zoom = win.get(id, Prop::Zoom).number;
      hc.vscroll = win.get(id, Prop::VScroll).number != 0;
      hc.hscroll = win.get(id, Prop::HScroll).number != 0;
      hc.vscrollPos = win.get(id, Prop::VScrollPos).number;
      hc.mouseRow = win.get(id, Prop::MouseRow).number;
      hc.rangeLow = win.get(id, Prop::RangeLow).number;
      hc.rangeHigh = win.get(id, Prop::RangeHigh).number;
      hc.color = win.get(id, Prop::Color).number;
      hc.cursor = win.get(id, Prop::Cursor).text;
      hc.icon = win.get(id, Prop::Icon).text;
      if (c.rowsGiven) {
        hc.rows = c.rows;
      } else {
        for (const std::string& r : c.def.rows) hc.rows.push_back({{r}, false});
      }
    }
    h.controls[id] = std::move(hc);
  }
  h.status = win.statusTexts();
  QWidget* f = win.shell()->focusWidget();
  h.focus = f ? controlHolding(win, f) : 0;
  return h;
}

}  // namespace

std::map<int, HWindow> QtDriver::windows() {
  return guiGet([&] {
    std::map<int, HWindow> out;
    for (QtWindow* w : b_.openWindows()) out[w->id()] = snapshot(*w);
    return out;
  });
}

std::vector<PendingView> QtDriver::pending() {
  return guiGet([&] {
    std::vector<PendingView> out;
    for (const auto& [info, widget] : b_.modalsAsked()) {
      if (info.kind == QtBackend::ModalInfo::Kind::PrinterSetup) continue;  // answered by nothing
      PendingView v;
      v.kind = info.kind == QtBackend::ModalInfo::Kind::Box    ? PendingView::Kind::Box
               : info.kind == QtBackend::ModalInfo::Kind::File ? PendingView::Kind::File
                                                               : PendingView::Kind::Popup;
      v.serial = info.serial;
      v.box = info.box;
      v.file = info.file;
      v.popup = info.popup;
      out.push_back(std::move(v));
    }
    return out;
  });
}

int QtDriver::activeWindow() {
  return guiGet([&] {
    int found = 0;  // a frame's active child counts, not the frame
    for (QtWindow* w : b_.openWindows()) {
      auto* sub = qobject_cast<QMdiSubWindow*>(w->outer());
      const bool on = sub && sub->mdiArea()
                          ? sub->mdiArea()->activeSubWindow() == sub && sub->window()->isActiveWindow()
                          : w->shell()->isActiveWindow();
      if (on) found = w->id();
    }
    return found;
  });
}

namespace {

// A short pause: on the GUI thread its events go on meanwhile.
void pause(std::chrono::milliseconds most) {
  if (onGuiThread())
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents,
                                    static_cast<int>(most.count()));
  else
    std::this_thread::sleep_for(most);
}

template <class Done>
bool pumpUntil(std::chrono::milliseconds timeout, Done done) {
  const auto until = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= until) return false;
    pause(std::chrono::milliseconds(5));
  }
}

}  // namespace

void QtDriver::waitChange(std::chrono::milliseconds most) {
  // The GUI tells nobody of its changes: look again soon.
  pause(std::min(most, std::chrono::milliseconds(5)));
}

bool QtDriver::waitUntilIdle(std::chrono::milliseconds timeout, int* modalThreads) {
  if (!onGuiThread()) return ui::waitUntilIdle(timeout, modalThreads);
  return pumpUntil(timeout, [&] { return ui::waitUntilIdle(std::chrono::milliseconds(0), modalThreads); });
}

bool QtDriver::waitEnded(std::chrono::milliseconds timeout) {
  if (!onGuiThread()) return ui::waitProceduresEnded(timeout);
  return pumpUntil(timeout, [] { return ui::runningProcedures() == 0; });
}

bool QtDriver::shown() {
  // A round trip through the GUI thread handles what was posted to it before; a resize is
  // shown once its Sized event has gone to the procedure.
  const auto resizing = [&] {
    for (QtWindow* w : b_.openWindows())
      if (w->resizing()) return true;
    return false;
  };
  bool busy = false;
  if (onGuiThread()) {
    QCoreApplication::processEvents();
    busy = resizing();
  } else {
    busy = guiGet(resizing);
  }
  return !busy && b_.settled();
}

std::string QtDriver::focusWindow(int window) {
  const bool done = guiGet([&] {
    QtWindow* w = b_.window(window);
    if (!w) return false;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->outer()); sub && sub->mdiArea()) {
      sub->mdiArea()->setActiveSubWindow(sub);
      sub->window()->activateWindow();
    } else {
      w->shell()->raise();
      w->shell()->activateWindow();
    }
    return true;
  });
  if (!done) return "has closed";
  // Long enough for a loaded machine; it returns as soon as the window is active.
  const bool active = pumpUntil(std::chrono::seconds(30), [&] {
    return guiGet([&] {
      QtWindow* w = b_.window(window);
      return w && w->outer()->window()->isActiveWindow();
    });
  });
  return active ? std::string() : "did not become the active window";
}

std::string QtDriver::activate(int window) { return focusWindow(window); }

std::string QtDriver::type(int window, int control, const std::string& text) {
  if (std::string why = focusWindow(window); !why.empty()) return why;
  return guiGet([&]() -> std::string {
    QtControl* c = controlOf(b_, window, control);
    if (!c || !c->widget) return "has gone";
    QWidget* w = c->widget;
    reveal(w);
    w->setFocus(Qt::TabFocusReason);
    QWidget* f = QApplication::focusWidget();
    if (!f || (f != w && !w->isAncestorOf(f) && f->focusProxy() != w)) f = w;
    // What was there is replaced, as after a select-all.
    QLineEdit* le = qobject_cast<QLineEdit*>(f);
    if (!le) le = w->findChild<QLineEdit*>();
    if (le) le->selectAll();
    QPointer<QWidget> g = f;
    // Nothing to type: the selected text is deleted.
    if (text.empty() && le && !le->text().isEmpty()) sendKey(g, Qt::Key_Backspace, Qt::NoModifier, {});
    const QString typed = toQ(text);
    for (qsizetype i = 0; i < typed.size(); ++i) {
      if (!g) return "has gone";
      const qsizetype n = typed.at(i).isHighSurrogate() && i + 1 < typed.size() ? 2 : 1;
      typeChar(g, typed.mid(i, n));
      i += n - 1;
    }
    // Leaving it takes what was typed.
    if (g) sendKey(g, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    return {};
  });
}

std::string QtDriver::check(int window, int control, bool on) {
  if (std::string why = focusWindow(window); !why.empty()) return why;
  return guiGet([&]() -> std::string {
    QtControl* c = controlOf(b_, window, control);
    auto* box = c ? qobject_cast<QAbstractButton*>(c->widget) : nullptr;
    if (!box) return "is not a check box on screen";
    reveal(box);
    if (box->isChecked() != on) {
      click(box);
    } else {
      box->setFocus(Qt::MouseFocusReason);
      // Checked as it was: the user clicks it off and on again.
      click(box);
      click(box);
    }
    return {};
  });
}

std::string QtDriver::chooseChild(int window, int group, int child, int) {
  if (std::string why = focusWindow(window); !why.empty()) return why;
  return guiGet([&]() -> std::string {
    QtControl* g = controlOf(b_, window, group);
    QtControl* c = controlOf(b_, window, child);
    if (!g || !c || !c->widget) return "has gone";
    if (auto* tabs = qobject_cast<QTabWidget*>(g->widget)) {
      const int index = tabs->indexOf(c->widget);
      if (index < 0) return "has no such tab on screen";
      reveal(tabs);
      click(tabs->tabBar(), tabs->tabBar()->tabRect(index).center());
      return {};
    }
    reveal(c->widget);
    click(c->widget);
    return {};
  });
}

std::string QtDriver::chooseRow(int window, int control, int row) {
  if (std::string why = focusWindow(window); !why.empty()) return why;
  return guiGet([&]() -> std::string {
    QtControl* c = controlOf(b_, window, control);
    if (!c || !c->widget) return "has gone";
    reveal(c->widget);
    if (auto* combo = qobject_cast<QComboBox*>(c->widget)) {
      if (row > combo->count()) return "has no row #" + std::to_string(row);
      // Dropped down (F4), the row highlighted in the drop-down and taken with Enter.
      combo->setFocus(Qt::MouseFocusReason);
      sendKey(combo, Qt::Key_F4, Qt::NoModifier, {});
      QAbstractItemView* view = combo->view();
      if (!view->isVisible()) return "did not drop down";
      view->setCurrentIndex(combo->model()->index(row - 1, combo->modelColumn()));
      sendKey(view, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
      if (view->isVisible()) return "kept its drop-down open";
      return {};
    }
    auto* tree = c->widget->findChild<QTreeWidget*>();
    if (!tree) tree = qobject_cast<QTreeWidget*>(c->widget);
    if (!tree || row > tree->topLevelItemCount()) return "has no row #" + std::to_string(row) + " on screen";
    QTreeWidgetItem* it = tree->topLevelItem(row - 1);
    tree->scrollToItem(it);
    tree->setFocus(Qt::MouseFocusReason);
    click(tree->viewport(), tree->visualItemRect(it).center());
    return {};
  });
}

// The transcript lines of the standard actions the headless driver writes, so that both
// transcripts say the same (the Qt backend does the actions themselves).
void QtDriver::recordStdAction(StdAction action, std::string keyword) {
  switch (action) {
    case StdAction::HelpIndex: keyword = "#contents"; break;
    case StdAction::HelpSearch: keyword = "#search"; break;
    case StdAction::HelpOnHelp: keyword = "#help"; break;
    case StdAction::Help: break;
    case StdAction::Tile: t_.add("arrange tile"); return;
    case StdAction::Cascade: t_.add("arrange cascade"); return;
    case StdAction::ArrangeIcons: t_.add("arrange icons"); return;
    default: return;
  }
  t_.add("help " + ui::headless::quote(keyword));
}

std::string QtDriver::press(int window, int control) {
  if (std::string why = focusWindow(window); !why.empty()) return why;
  return guiGet([&]() -> std::string {
    QtWindow* win = b_.window(window);
    QtControl* c = controlOf(b_, window, control);
    if (!win || !c) return "has gone";
    recordStdAction(c->def.action, win->def().help);
    if (c->menu) {
      // A toolbar button is clicked; a menu item is chosen from its menu.
      for (QToolBar* bar : win->shell()->findChildren<QToolBar*>())
        if (auto* tb = qobject_cast<QToolButton*>(bar->widgetForAction(c->action))) {
          click(tb);
          return {};
        }
      c->action->trigger();
      return {};
    }
    if (!c->widget) return "is not on screen";
    reveal(c->widget);
    if (c->def.kind == ControlKind::Radio || c->def.kind == ControlKind::Check || c->def.kind == ControlKind::Button) {
      click(c->widget);
      return {};
    }
    if (c->def.kind == ControlKind::Image || c->def.kind == ControlKind::Region) {
      // On the picture itself, where it has one.
      QWidget* target = c->widget;
      if (auto* area = qobject_cast<QScrollArea*>(target); area && area->widget())
        target = area->widget();
      else if (auto* plain = qobject_cast<QAbstractScrollArea*>(target))
        target = plain->viewport();
      click(target);
      return {};
    }
    return "cannot be pressed";
  });
}

std::string QtDriver::key(int window, int control, int code, const std::string& character) {
  if (std::string why = focusWindow(window); !why.empty()) return why;
  return guiGet([&]() -> std::string {
    QtWindow* win = b_.window(window);
    if (!win) return "has gone";
    QWidget* target = nullptr;
    if (control) {
      QtControl* c = win->find(control);
      if (!c) return "has gone";
      if (c->menu) {
        target = win->shell();
      } else {
        reveal(c->widget);
        c->widget->setFocus(Qt::OtherFocusReason);
        target = QApplication::focusWidget();
        if (!target || !win->shell()->isAncestorOf(target)) target = c->widget;
        QWidget* viewport = target;
        if (auto* view = qobject_cast<QAbstractItemView*>(target)) viewport = view->viewport();
        if (code == Key::MouseLeft || code == Key::MouseRight || code == Key::MouseLeft2) {
          click(viewport, {-1, -1}, code == Key::MouseRight ? Qt::RightButton : Qt::LeftButton,
                code == Key::MouseLeft2);
          return {};
        }
      }
    } else {
      target = win->shell()->focusWidget();
      if (!target) target = win->shell();
    }
    if (!character.empty()) {
      const QString text = toQ(character);
      const QChar up = text.at(0).toUpper();
      sendKey(target, up.unicode(), qtModifiers(code), text);
      return {};
    }
    // F1 that no alert key takes asks for the window's help, as the headless transcript says.
    if (code == Key::F1 && !win->isAlertKey(control, code)) recordStdAction(StdAction::Help, win->def().help);
    const QKeySequence seq = keySequence(code);
    if (seq.isEmpty()) return "has no key on a keyboard";
    const QKeyCombination k = seq[0];
    QString text;
    if (k.key() == Qt::Key_Return) text = QStringLiteral("\r");
    if (k.key() == Qt::Key_Tab) text = QStringLiteral("\t");
    if (k.key() == Qt::Key_Escape) text = QString(QChar(0x1b));
    if (k.key() == Qt::Key_Space) text = QStringLiteral(" ");
    sendKey(target, k.key(), k.keyboardModifiers(), text);
    return {};
  });
}

std::string QtDriver::wheel(int window, int control, int notches) {
  return guiGet([&]() -> std::string {
    QtControl* c = controlOf(b_, window, control);
    if (!c || !c->widget) return "is not on screen";
    QWidget* target = c->widget;
    if (auto* tree = target->findChild<QTreeWidget*>())
      target = tree->viewport();
    else if (auto* area = qobject_cast<QAbstractScrollArea*>(target))
      target = area->viewport();
    // The pointer is over it, the focus elsewhere.
    if (QWidget* f = QApplication::focusWidget(); f && (f == c->widget || c->widget->isAncestorOf(f))) f->clearFocus();
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent e(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
    return {};
  });
}

std::string QtDriver::close(int window) {
  return guiGet([&]() -> std::string {
    QtWindow* w = b_.window(window);
    if (!w) return "has gone";
    w->outer()->close();  // the close box
    return {};
  });
}

std::string QtDriver::resize(int window, int width, int height) {
  return guiGet([&]() -> std::string {
    QtWindow* w = b_.window(window);
    if (!w) return "has gone";
    w->outer()->resize(width, height);
    return {};
  });
}

std::string QtDriver::mouse(int window, int control, EventKind kind) {
  return guiGet([&]() -> std::string {
    QtControl* c = controlOf(b_, window, control);
    if (!c || !c->widget) return "is not on screen";
    QWidget* w = c->widget;
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    switch (kind) {
      case EventKind::MouseIn: {
        QEnterEvent e(at, at, global);
        QApplication::sendEvent(w, &e);
        break;
      }
      case EventKind::MouseOut: {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(w, &e);
        break;
      }
      default: {
        const bool down = kind == EventKind::MouseDown;
        QMouseEvent e(down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                      down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
      }
    }
    return {};
  });
}

std::string QtDriver::drag(int window, int control, int position) {
  return guiGet([&]() -> std::string {
    QtControl* c = controlOf(b_, window, control);
    QScrollBar* bar = nullptr;
    if (c && c->widget)
      for (QScrollBar* s : c->widget->findChildren<QScrollBar*>())
        if (s->orientation() == Qt::Vertical && s->parentWidget() == c->widget) bar = s;
    if (!bar) return "has no scroll bar on screen";
    // The thumb taken, moved and let go.
    bar->setSliderDown(true);
    bar->setSliderPosition(bar->minimum() + (bar->maximum() - bar->minimum()) * position / 100);
    bar->setSliderDown(false);
    return {};
  });
}

namespace {

QWidget* modalWidget(QtBackend& b, long long serial) {
  for (const auto& [info, w] : b.modalsAsked())
    if (info.serial == serial) return w;
  return nullptr;
}

}  // namespace

std::string QtDriver::answerBox(long long serial, int button) {
  return guiGet([&]() -> std::string {
    auto* box = qobject_cast<QMessageBox*>(modalWidget(b_, serial));
    if (!box) return "has gone";
    for (QAbstractButton* btn : box->buttons())
      if (btn->property("l2sButton").toInt() == button) {
        click(btn);
        return {};
      }
    return "has no such button on screen";
  });
}

std::string QtDriver::answerFile(long long serial, bool accepted, const std::string& path) {
  return guiGet([&]() -> std::string {
    auto* d = qobject_cast<QFileDialog*>(modalWidget(b_, serial));
    if (!d) return "has gone";
    if (!accepted) {
      d->reject();
      return {};
    }
    // The name written into the dialog's name field and taken as it is, as the headless dialog
    // takes it: scripts name files that need not exist (the dialog's own Open would refuse
    // those with a box of its own). selectFile would lose to the initial name the dialog puts
    // back once its folder has loaded.
    if (auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(toQ(path));
    emit d->fileSelected(toQ(path));
    static_cast<QDialog*>(d)->done(QDialog::Accepted);
    return {};
  });
}

std::string QtDriver::answerPopup(long long serial, int item) {
  return guiGet([&]() -> std::string {
    auto* menu = qobject_cast<QMenu*>(modalWidget(b_, serial));
    if (!menu) return "has gone";
    if (item == 0) {
      sendKey(menu, Qt::Key_Escape, Qt::NoModifier, QString(QChar(0x1b)));
      return {};
    }
    for (QAction* a : menu->actions())
      if (a->data().toInt() == item) {
        click(menu, menu->actionGeometry(a).center());
        return {};
      }
    return "has no such item on screen";
  });
}

}  // namespace ui::qt
