// One open window of the Qt backend: the shell, its events and keys, and the properties every
// control shares; each kind's own part is its adapter (qt_control.h), menus and toolbar are in
// qt_menus.cpp, placement and size in qt_placement.cpp.
#include "platform/ui/qt/qt_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>
#include <algorithm>

#include "platform/ui/api/alert_keys.h"
#include "platform/ui/api/backend.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/qt/dialog_units.h"
#include "platform/ui/qt/icons.h"
#include "platform/ui/qt/key_codes.h"
#include "platform/ui/qt/page_list.h"
#include "platform/ui/qt/qt_menus.h"
#include "platform/ui/qt/qt_placement.h"
#include "platform/ui/qt/qt_text.h"
#include "platform/ui/qt/status_zone.h"
#include "platform/ui/qt/window_fit.h"

namespace ui::qt {
namespace {

void setColor(QWidget* w, long long rgb) {
  QPalette p = w->palette();
  const QColor c = rgb < 0 ? QApplication::palette().color(QPalette::WindowText)
                           : QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                                    static_cast<int>(rgb & 0xFF));
  p.setColor(QPalette::WindowText, c);
  p.setColor(QPalette::Text, c);
  p.setColor(QPalette::ButtonText, c);
  w->setPalette(p);
}

Qt::CursorShape cursorShape(const std::string& name) {
  return name == "hand"    ? Qt::PointingHandCursor
         : name == "wait"  ? Qt::WaitCursor
         : name == "zoom"  ? Qt::CrossCursor
         : name == "ibeam" ? Qt::IBeamCursor
                           : Qt::ArrowCursor;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
Shell::Shell(QtWindow& owner) : owner_(owner) {}

void Shell::closeEvent(QCloseEvent* e) {
  if (allowClose) {
    e->accept();
    return;
  }
  // The procedure decides: the close box only asks.
  e->ignore();
  owner_.closeRequested();
}

void Shell::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  owner_.resized();
}

bool Shell::event(QEvent* e) {
  if (e->type() == QEvent::StatusTip && owner_.statusTip(static_cast<QStatusTipEvent*>(e)->tip())) return true;
  return QMainWindow::event(e);
}

void Shell::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() == QEvent::ActivationChange && isWindow()) owner_.activated(isActiveWindow());
}

bool Shell::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const QVariant id = watched->property(kIdProp);
    if (owner_.keyFilter(watched, static_cast<QKeyEvent*>(event), id.isValid() ? id.toInt() : 0)) return true;
  }
  if (event->type() == QEvent::Wheel && watched->isWidgetType() && watched->property(kIdProp).isValid() &&
      owner_.wheelOutside(static_cast<QWidget*>(watched), static_cast<QWheelEvent*>(event)))
    return true;
  if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && watched->isWidgetType()) {
    // A control's status text shows while it has the focus, not only under the mouse.
    auto* w = static_cast<QWidget*>(watched);
    if (!w->statusTip().isEmpty()) {
      QStatusTipEvent tip(event->type() == QEvent::FocusIn ? w->statusTip() : QString());
      QApplication::sendEvent(w, &tip);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
QtWindow::QtWindow(int id, int thread, const WindowDef& def, QMdiArea* mdiArea)
    : id_(id), thread_(thread), def_(def), parentArea_(def.kind == WindowKind::MdiChild ? mdiArea : nullptr) {
  build();
}

QtWindow::~QtWindow() {
  if (shell_) shell_->allowClose = true;
  if (sub_) {
    if (parentArea_) parentArea_->removeSubWindow(sub_);
    delete sub_.data();
  } else {
    delete shell_;
  }
}

QWidget* QtWindow::outer() const { return sub_ ? static_cast<QWidget*>(sub_.data()) : shell_; }

void QtWindow::send(Event ev) { deliver(id_, std::move(ev)); }

void QtWindow::sendControl(int control, EventKind kind, int key) {
  Event ev;
  ev.kind = kind;
  ev.control = control;
  ev.key = key;
  send(std::move(ev));
}

bool QtWindow::statusTip(const QString& tip) {
  if (!zones_.empty()) {
    zones_.front()->showTip(tip);
    return true;
  }
  // A window without a status bar of its own: its texts show in the frame's.
  QWidget* frame = statusFrame();
  if (!shell_->isWindow() || !frame || frame == shell_) return false;
  QStatusTipEvent copy(tip);
  QApplication::sendEvent(frame, &copy);
  return true;
}

void QtWindow::closeRequested() {
  if (!usable_) return;  // a box or nested window of this thread is answering first
  sendControl(0, EventKind::CloseWindow);
}

void QtWindow::resized() {
  if (opened_ && sizeTimer_) sizeTimer_->start();
}

void QtWindow::activated(bool on) {
  if (on == active_ || !opened_) return;
  active_ = on;
  sendControl(0, on ? EventKind::GainFocus : EventKind::LoseFocus);
}

void QtWindow::build() {
  shell_ = new Shell(*this);
  shell_->setAttribute(Qt::WA_DeleteOnClose, false);
  shell_->setWindowTitle(toQ(def_.title));
  if (!def_.icon.empty()) shell_->setWindowIcon(iconFor(def_.icon));
  sizeTimer_ = new QTimer(shell_);
  sizeTimer_->setSingleShot(true);
  sizeTimer_->setInterval(150);
  QObject::connect(sizeTimer_, &QTimer::timeout, shell_, [this] { sendControl(0, EventKind::Sized); });

  buildMenuBar();
  buildToolbar();
  if (!def_.statusZones.empty()) {
    const DialogUnits du(shell_->font());
    for (std::size_t i = 0; i < def_.statusZones.size(); ++i) {
      auto* l = new StatusZone;
      const int w = def_.statusZones[i];
      if (w > 0) l->setMinimumWidth(du.x(w));
      shell_->statusBar()->addPermanentWidget(l, w <= 0 ? 1 : 0);
      zones_.push_back(l);
    }
  }

  if (def_.kind == WindowKind::MdiFrame) {
    area_ = new QMdiArea;
    setStatusFrame(shell_);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    shell_->setCentralWidget(area_);
  } else {
    buildContent();
  }
  // Keys of the window itself (alert keys on control 0, F1) while no control has the focus.
  shell_->installEventFilter(shell_);

  sizeWindow();
}

void QtWindow::createControl(const ControlDef& given) {
  if (!content_) return;
  ControlDef d = given;
  if (d.parent.empty()) {
    const auto member = groupOf_.find(d.equate);
    if (member != groupOf_.end()) d.parent = member->second;
  }
  QtControl c;
  c.def = d;
  c.adapter = adapterFor(d.kind, *this, d.id);
  c.widget = c.adapter->make(d, containerFor(d));
  c.widget->setProperty(kIdProp, d.id);
  c.widget->setObjectName(toQ(d.equate));
  if (!d.tip.empty()) c.widget->setToolTip(toQ(d.tip));
  if (!d.status.empty()) c.widget->setStatusTip(toQ(d.status));
  c.widget->installEventFilter(shell_);
  if (d.color >= 0) setColor(c.widget, d.color);
  c.color = d.color;
  // Alert keys set before the control was made stay.
  QtControl& stored = controls_[d.id];
  std::set<int> keys = std::move(stored.alertKeys);
  stored = std::move(c);
  stored.alertKeys = std::move(keys);
  if (auto* list = dynamic_cast<PageList*>(stored.widget)) list->setAlertKeys(&stored.alertKeys);
  place(stored);
  if (d.disabled) stored.widget->setEnabled(false);
  if (d.hidden) stored.widget->setVisible(false);
  if (opened_ && !d.hidden) stored.widget->show();
}

void QtWindow::destroyControl(int control) {
  auto it = controls_.find(control);
  if (it == controls_.end() || it->second.menu) return;
  QWidget* w = it->second.widget;
  const bool hadFocus = w && (w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()));
  // Gone first, adapter and all: hiding the widget moves the focus, and its leaving is no event.
  controls_.erase(it);
  if (w) {
    grids_.erase(w);
    // Left to Qt the focus goes to the next widget in the chain, one the procedure may be about
    // to destroy too, or a scroll area that eats the keys: it goes to a control that stays.
    if (hadFocus) focusFirstControl();
    w->hide();
    w->deleteLater();
  }
}

void QtWindow::focusFirstControl() {
  for (auto& [cid, c] : controls_) {
    if (c.menu || !c.widget || !c.widget->isEnabled() || c.widget->isHidden() || c.widget->focusPolicy() == Qt::NoFocus)
      continue;
    if (c.def.kind == ControlKind::Prompt || c.def.kind == ControlKind::Text) continue;
    c.widget->setFocus(Qt::OtherFocusReason);
    return;
  }
}

void QtWindow::show() {
  outer()->show();
  growToContent();
  fitToRoom();
  if (sub_) {
    parentArea_->setActiveSubWindow(sub_);
  } else {
    shell_->raise();
    shell_->activateWindow();
  }
  opened_ = true;
  sendControl(0, EventKind::OpenWindow);
  // A list box whose height the layout decides holds the rows of the shown window: its
  // procedure hears of the size once the window has its own.
  for (auto& [cid, c] : controls_)
    if (c.def.kind == ControlKind::List && c.def.items <= 0) {
      resized();
      break;
    }
  focusFirstControl();
  if (sub_ || shell_->isActiveWindow()) activated(true);
}

void QtWindow::setUsable(bool on) {
  usable_ = on;
  if (def_.kind == WindowKind::MdiFrame) {
    // The frame's children belong to other threads: only the frame's own menu and tools wait.
    if (shell_->menuWidget()) shell_->menuWidget()->setEnabled(on);
    for (QToolBar* t : shell_->findChildren<QToolBar*>()) t->setEnabled(on);
  } else {
    // Disabling takes the focus from the control that had it; it gets it back afterwards, so
    // keys reach it again after a box or pop-up menu.
    if (!on && shell_->focusWidget()) focusBefore_ = shell_->focusWidget();
    shell_->centralWidget()->setEnabled(on);
    if (shell_->menuWidget()) shell_->menuWidget()->setEnabled(on);
    for (QToolBar* t : shell_->findChildren<QToolBar*>()) t->setEnabled(on);
    if (on && focusBefore_) {
      if (focusBefore_->isEnabled() && focusBefore_->isVisible()) focusBefore_->setFocus(Qt::OtherFocusReason);
      focusBefore_.clear();
    }
  }
}

QtControl* QtWindow::find(int control) {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : &it->second;
}

QWidget* QtWindow::widget(int control) const {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : it->second.widget;
}

QAction* QtWindow::action(int control) const {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : it->second.action;
}

QWidget* QtWindow::widget(const std::string& equate) const {
  for (const auto& [id, c] : controls_)
    if (!c.menu && QString::compare(toQ(c.def.equate), toQ(equate), Qt::CaseInsensitive) == 0) return c.widget;
  return nullptr;
}

QAction* QtWindow::action(const std::string& equate) const {
  for (const auto& [id, c] : controls_)
    if (c.menu && QString::compare(toQ(c.def.equate), toQ(equate), Qt::CaseInsensitive) == 0) return c.action;
  return nullptr;
}

void QtWindow::applyToWindow(const PropChange& ch) {
  switch (ch.prop) {
    case Prop::Text:
      shell_->setWindowTitle(toQ(ch.text));
      if (sub_) sub_->setWindowTitle(toQ(ch.text));
      break;
    case Prop::X:
    case Prop::Y: {
      const DialogUnits du(shell_->font());
      QPoint p = outer()->pos();
      if (ch.prop == Prop::X)
        p.setX(du.x(static_cast<int>(ch.number)));
      else
        p.setY(du.y(static_cast<int>(ch.number)));
      outer()->move(p);
      break;
    }
    case Prop::Width:
    case Prop::Height: {
      const DialogUnits du(shell_->font());
      QSize sz = outer()->size();
      if (ch.prop == Prop::Width)
        sz.setWidth(du.x(static_cast<int>(ch.number)));
      else
        sz.setHeight(du.y(static_cast<int>(ch.number)));
      outer()->resize(sz);
      break;
    }
    case Prop::Focus:
      if (QWidget* w = widget(static_cast<int>(ch.number))) w->setFocus(Qt::OtherFocusReason);
      break;
    case Prop::StatusText: {
      const int zone = std::max(1, ch.index);
      if (zone <= static_cast<int>(zones_.size()))
        zones_[static_cast<std::size_t>(zone - 1)]->setOwnText(toQ(ch.text));
      else
        shell_->statusBar()->showMessage(toQ(ch.text));
      break;
    }
    case Prop::AlertKey:
    case Prop::NoAlertKey: editAlertKeys(windowAlertKeys_, ch); break;
    default: break;
  }
}

bool QtWindow::resizing() const { return sizeTimer_ && sizeTimer_->isActive(); }

std::map<int, std::string> QtWindow::statusTexts() const {
  std::map<int, std::string> out;
  for (std::size_t i = 0; i < zones_.size(); ++i) {
    const std::string t = toU8(i == 0 ? zones_[i]->ownText() : zones_[i]->text());
    if (!t.empty()) out[static_cast<int>(i) + 1] = t;
  }
  return out;
}

PropValue QtWindow::readWindow(Prop prop) {
  const DialogUnits du(shell_->font());
  switch (prop) {
    case Prop::Text: return {toU8(shell_->windowTitle()), 0};
    case Prop::X: return {{}, outer()->x() * 4 / std::max(1, du.x(4))};
    case Prop::Y: return {{}, outer()->y() * 8 / std::max(1, du.y(8))};
    case Prop::Width: return {{}, outer()->width() * 4 / std::max(1, du.x(4))};
    case Prop::Height: return {{}, outer()->height() * 8 / std::max(1, du.y(8))};
    case Prop::ClientWidth: return {{}, (content_ ? content_ : outer())->width() * 4 / std::max(1, du.x(4))};
    case Prop::ClientHeight: return {{}, (content_ ? content_ : outer())->height() * 8 / std::max(1, du.y(8))};
    case Prop::Focus: {
      for (QWidget* f = QApplication::focusWidget(); f; f = f->parentWidget()) {
        const QVariant id = f->property(kIdProp);
        if (id.isValid() && find(id.toInt())) return {{}, id.toInt()};
        if (f == shell_) break;
      }
      return {{}, 0};
    }
    case Prop::StatusText: return zones_.empty() ? PropValue{} : PropValue{toU8(zones_.front()->ownText()), 0};
    default: return {};
  }
}

void QtWindow::apply(const PropChange& ch) {
  if (ch.control == 0) {
    applyToWindow(ch);
    return;
  }
  QtControl* c = find(ch.control);
  if (!c) return;
  if (c->menu) {
    applyToAction(c->action, ch);
    return;
  }
  if (ch.prop == Prop::Value) {
    c->adapter->set(ch.text.empty() && ch.number != 0 ? std::to_string(ch.number) : ch.text, ch.number);
    return;
  }
  if (c->adapter->apply(ch)) return;
  // What every widget shares.
  QWidget* w = c->widget;
  switch (ch.prop) {
    case Prop::Enabled: w->setEnabled(ch.number != 0); break;
    case Prop::Visible: w->setVisible(ch.number != 0); break;
    case Prop::Tip: w->setToolTip(toQ(ch.text)); break;
    case Prop::Status:
      w->setStatusTip(toQ(ch.text));
      // The focused control's new text shows at once, not only when the focus comes back.
      if (w->hasFocus() || w->isAncestorOf(QApplication::focusWidget())) {
        QStatusTipEvent tip(w->statusTip());
        QApplication::sendEvent(w, &tip);
      }
      break;
    case Prop::Icon:
      c->def.icon = ch.text;
      if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setIcon(iconFor(ch.text));
      break;
    case Prop::Color:
      c->color = ch.number;
      setColor(w, ch.number);
      break;
    case Prop::Cursor:
      c->cursor = ch.text;
      w->setCursor(cursorShape(ch.text));
      break;
    case Prop::AlertKey:
    case Prop::NoAlertKey: editAlertKeys(c->alertKeys, ch); break;
    case Prop::X:
    case Prop::Y:
    case Prop::Width:
    case Prop::Height: {
      const DialogUnits du(w->font());
      QRect r = w->geometry();
      const int v = static_cast<int>(ch.number);
      if (ch.prop == Prop::X) r.moveLeft(du.x(v));
      if (ch.prop == Prop::Y) r.moveTop(du.y(v));
      if (ch.prop == Prop::Width) r.setWidth(du.x(v));
      if (ch.prop == Prop::Height) r.setHeight(du.y(v));
      w->setGeometry(r);
      break;
    }
    default: break;
  }
}

PropValue QtWindow::get(int control, Prop prop) {
  if (control == 0) return readWindow(prop);
  QtControl* c = find(control);
  if (!c) return {};
  if (c->menu) return readAction(c->action, prop);
  if (prop == Prop::Value) {
    const std::string v = c->adapter->get();
    return {v, std::atoll(v.c_str())};
  }
  if (std::optional<PropValue> own = c->adapter->read(prop)) return *own;
  // What every widget shares.
  QWidget* w = c->widget;
  auto flag = [](bool b) { return PropValue{{}, b ? 1 : 0}; };
  switch (prop) {
    case Prop::Enabled: return flag(w->isEnabled());
    case Prop::Visible: return flag(!w->isHidden());
    case Prop::Tip: return {toU8(w->toolTip()), 0};
    case Prop::Status: return {toU8(w->statusTip()), 0};
    case Prop::Icon: return {c->def.icon, 0};
    case Prop::Color: return {{}, c->color};
    case Prop::Cursor: return {c->cursor, 0};
    case Prop::Default:
    case Prop::ReadOnly:
    case Prop::VScroll:
    case Prop::HScroll: return flag(false);
    case Prop::X:
    case Prop::Y:
    case Prop::Width:
    case Prop::Height: {
      // Where the layout put it, in window units.
      if (!content_) return {};
      if (QLayout* l = content_->layout()) l->activate();
      const QRect r = unitsRect(w, content_, DialogUnits(shell_->font()));
      return {{}, prop == Prop::X ? r.x() : prop == Prop::Y ? r.y() : prop == Prop::Width ? r.width() : r.height()};
    }
    default: return {};
  }
}

void QtWindow::setRows(int control, const std::vector<ListRow>& rows) {
  if (QtControl* c = find(control); c && c->adapter) {
    c->adapter->setRows(rows);
    c->rows = rows;
    c->rowsGiven = true;
  }
}

void QtWindow::clipboard(ClipboardOp op) {
  QWidget* f = QApplication::focusWidget();
  auto* e = qobject_cast<QLineEdit*>(f);
  if (!e || !shell_->isAncestorOf(e)) return;
  switch (op) {
    case ClipboardOp::Cut: e->cut(); break;
    case ClipboardOp::Copy: e->copy(); break;
    case ClipboardOp::Paste: e->paste(); break;
  }
}

bool QtWindow::wheelOutside(QWidget* w, QWheelEvent* e) {
  QtControl* c = find(w->property(kIdProp).toInt());
  if (!c || c->widget != w) return false;
  const ControlKind k = c->def.kind;
  if (k != ControlKind::Spin && k != ControlKind::Combo && k != ControlKind::DropList) return false;
  if (w->hasFocus() || w->isAncestorOf(QApplication::focusWidget())) return false;
  // Scrolling past a field never changes it: the turn scrolls the window's controls instead.
  for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
    if (auto* area = dynamic_cast<FitScroll*>(p)) {
      QWidget* view = area->viewport();
      const QPointF at = view->mapFromGlobal(e->globalPosition());
      QWheelEvent copy(at, e->globalPosition(), e->pixelDelta(), e->angleDelta(), e->buttons(), e->modifiers(),
                       e->phase(), e->inverted(), e->source());
      QApplication::sendEvent(view, &copy);
      break;
    }
  return true;
}

bool QtWindow::isAlertKey(int control, int code) {
  QtControl* c = control ? find(control) : nullptr;
  return (c && c->alertKeys.count(code)) || windowAlertKeys_.count(code);
}

bool QtWindow::keyFilter(QObject* watched, QKeyEvent* e, int control) {
  if (!usable_) return false;
  std::string ch;
  const int code = keyCode(*e, &ch);
  if (code == 0) return false;
  QtControl* c = control ? find(control) : nullptr;
  // The list box handles the keys that reach its rows.
  if (c && !c->menu && c->def.kind == ControlKind::List && watched != c->widget) return false;
  auto alert = [&](int target) {
    Event ev;
    ev.kind = EventKind::AlertKey;
    ev.control = target;
    ev.key = code;
    ev.character = ch;
    send(std::move(ev));
    return true;
  };
  if (c && c->alertKeys.count(code)) return alert(control);
  if (windowAlertKeys_.count(code)) return alert(0);
  if (code == Key::F1) {
    ui::help(def_.help);
    return true;
  }
  for (auto& [bid, b] : controls_) {
    if (b.menu || b.def.kind != ControlKind::Button || b.def.key != code) continue;
    auto* pb = qobject_cast<QPushButton*>(b.widget);
    if (pb && pb->isEnabled() && pb->isVisible()) {
      pb->click();
      return true;
    }
  }
  if (code == Key::Enter) {
    if (c && c->adapter && c->adapter->enter()) {
      sendControl(control, EventKind::Accepted, Key::Enter);
      return true;
    }
    if (c && c->def.kind == ControlKind::Button) return false;
    for (auto& [bid, b] : controls_) {
      auto* pb = qobject_cast<QPushButton*>(b.widget);
      if (pb && pb->isDefault() && pb->isEnabled() && pb->isVisible()) {
        pb->click();
        return true;
      }
    }
  }
  return false;
}

}  // namespace ui::qt
