// The window's menu bar, toolbar and standard actions (Tile, Cascade, the help entries, ...).
#include "platform/ui/qt/qt_menus.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>

#include "platform/ui/api/backend.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/qt/icons.h"
#include "platform/ui/qt/key_codes.h"
#include "platform/ui/qt/qt_text.h"
#include "platform/ui/qt/qt_window.h"

namespace ui::qt {

void applyToAction(QAction* a, const PropChange& ch) {
  switch (ch.prop) {
    case Prop::Enabled: a->setEnabled(ch.number != 0); break;
    case Prop::Visible: a->setVisible(ch.number != 0); break;
    case Prop::Checked: a->setChecked(ch.number != 0); break;
    case Prop::Text: a->setText(toQ(ch.text)); break;
    case Prop::Tip: a->setToolTip(toQ(ch.text)); break;
    case Prop::Status: a->setStatusTip(toQ(ch.text)); break;
    case Prop::Icon: a->setIcon(iconFor(ch.text)); break;
    default: break;
  }
}

PropValue readAction(const QAction* a, Prop prop) {
  auto flag = [](bool b) { return PropValue{{}, b ? 1 : 0}; };
  switch (prop) {
    case Prop::Enabled: return flag(a->isEnabled());
    case Prop::Visible: return flag(a->isVisible());
    case Prop::Checked: return flag(a->isChecked());
    case Prop::Text: return {toU8(a->text()), 0};
    case Prop::Tip: return {toU8(a->toolTip()), 0};
    case Prop::Status: return {toU8(a->statusTip()), 0};
    default: return {};
  }
}

void QtWindow::trigger(int control, StdAction a) {
  if (a != StdAction::None)
    runStdAction(a);
  else
    sendControl(control, EventKind::Accepted, Key::MouseLeft);
}

void QtWindow::buildMenuBar() {
  for (const MenuItem& m : def_.menu) {
    if (m.items.empty()) {
      addMenuItem(nullptr, m);
      continue;
    }
    QMenu* menu = shell_->menuBar()->addMenu(toQ(m.text));
    addMenuControl(menu, m);
    buildMenu(menu, m.items);
    if (m.windowList) QObject::connect(menu, &QMenu::aboutToShow, shell_, [this, menu] { fillWindowList(menu); });
    if (!m.status.empty()) menu->menuAction()->setStatusTip(toQ(m.status));
  }
}

void QtWindow::buildToolbar() {
  if (def_.toolbar.empty()) return;
  QToolBar* bar = shell_->addToolBar(QStringLiteral("toolbar"));
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  for (const ControlDef& d : def_.toolbar) {
    QtControl c;
    c.def = d;
    c.menu = true;
    c.action = bar->addAction(iconFor(d.icon), d.icon.empty() ? toQ(d.text) : QString());
    c.action->setToolTip(toQ(d.tip.empty() ? d.text : d.tip));
    c.action->setStatusTip(toQ(d.status.empty() ? (d.tip.empty() ? d.text : d.tip) : d.status));
    c.action->setEnabled(!d.disabled);
    c.action->setVisible(!d.hidden);
    QObject::connect(c.action, &QAction::triggered, shell_, [this, cid = d.id, act = d.action] { trigger(cid, act); });
    controls_[d.id] = std::move(c);
  }
}

void QtWindow::buildMenu(QMenu* menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& m : items) {
    if (m.separator) {
      menu->addSeparator();
    } else if (!m.items.empty()) {
      QMenu* subMenu = menu->addMenu(toQ(m.text));
      addMenuControl(subMenu, m);
      buildMenu(subMenu, m.items);
      if (m.windowList)
        QObject::connect(subMenu, &QMenu::aboutToShow, shell_, [this, subMenu] { fillWindowList(subMenu); });
    } else {
      addMenuItem(menu, m);
    }
  }
}

// A menu that holds items is a control too: the procedure disables or hides it as a whole.
void QtWindow::addMenuControl(QMenu* menu, const MenuItem& m) {
  if (m.id == 0) return;
  QtControl c;
  c.def = menuItemControl(m);
  c.menu = true;
  c.action = menu->menuAction();
  c.action->setEnabled(!m.disabled);
  controls_[m.id] = std::move(c);
}

void QtWindow::addMenuItem(QMenu* menu, const MenuItem& m) {
  QtControl c;
  c.def = menuItemControl(m);
  c.menu = true;
  c.action = menu ? menu->addAction(toQ(m.text)) : shell_->menuBar()->addAction(toQ(m.text));
  c.action->setStatusTip(toQ(m.status));
  c.action->setCheckable(m.checkable);
  c.action->setChecked(m.checked);
  c.action->setEnabled(!m.disabled);
  if (m.key) c.action->setShortcut(keySequence(m.key));
  QObject::connect(c.action, &QAction::triggered, shell_, [this, cid = m.id, act = m.action] { trigger(cid, act); });
  controls_[m.id] = std::move(c);
}

void QtWindow::fillWindowList(QMenu* menu) {
  for (QAction* a : menu->actions())
    if (a->property("l2sWindowList").toBool()) {
      menu->removeAction(a);
      a->deleteLater();
    }
  QMdiArea* area = area_ ? area_ : parentArea_.data();
  if (!area) return;
  const auto subs = area->subWindowList();
  if (subs.isEmpty()) return;
  QAction* sep = menu->addSeparator();
  sep->setProperty("l2sWindowList", true);
  int n = 0;
  for (QMdiSubWindow* w : subs) {
    QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(w->windowTitle()));
    a->setProperty("l2sWindowList", true);
    a->setCheckable(true);
    a->setChecked(w == area->activeSubWindow());
    QPointer<QMdiSubWindow> target(w);
    QObject::connect(a, &QAction::triggered, area, [area, target] {
      if (target) area->setActiveSubWindow(target);
    });
  }
}

void QtWindow::runStdAction(StdAction a) {
  QMdiArea* area = area_ ? area_ : parentArea_.data();
  switch (a) {
    case StdAction::None: return;
    case StdAction::Close: sendControl(0, EventKind::CloseWindow); return;
    case StdAction::Help: ui::help(def_.help); return;
    case StdAction::HelpIndex: ui::help("#contents"); return;
    case StdAction::HelpSearch: ui::help("#search"); return;
    case StdAction::HelpOnHelp: ui::help("#help"); return;
    case StdAction::Cut: clipboard(ClipboardOp::Cut); return;
    case StdAction::Copy: clipboard(ClipboardOp::Copy); return;
    case StdAction::Paste: clipboard(ClipboardOp::Paste); return;
    case StdAction::PrintSetup:
      if (Backend* b = backend()) b->printerSetup(thread_);
      return;
    case StdAction::Tile:
      if (area) area->tileSubWindows();
      return;
    case StdAction::Cascade:
      if (area) area->cascadeSubWindows();
      return;
    case StdAction::ArrangeIcons:
      if (area) {
        // Minimised children in a row along the bottom of the area.
        int x = 0;
        for (QMdiSubWindow* w : area->subWindowList()) {
          if (!w->isMinimized()) continue;
          w->move(x, area->viewport()->height() - w->height());
          x += w->width();
        }
      }
      return;
  }
}

}  // namespace ui::qt
