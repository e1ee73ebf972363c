// Placing a window's controls: the grid for windows without coordinates (layout_rows.h), the
// definition's dialog units otherwise, regions over what they cover; then the window's size.
#include "platform/ui/qt/qt_placement.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/ui/qt/layout_rows.h"
#include "platform/ui/qt/qt_text.h"
#include "platform/ui/qt/qt_window.h"
#include "platform/ui/qt/window_fit.h"

namespace ui::qt {
namespace {

bool hasCoordinates(const WindowDef& def) {
  return std::any_of(def.controls.begin(), def.controls.end(),
                     [](const ControlDef& c) { return c.x != 0 || c.y != 0; });
}

// Controls that join the row of the prompt before them.
bool joinsPromptRow(ControlKind k) {
  return k == ControlKind::Entry || k == ControlKind::Spin || k == ControlKind::Text || k == ControlKind::Combo ||
         k == ControlKind::DropList || k == ControlKind::Progress || k == ControlKind::Button;
}

bool holdsGrid(ControlKind k) {
  return k == ControlKind::Tab || k == ControlKind::Group || k == ControlKind::Option || k == ControlKind::Panel;
}

}  // namespace

int pictureChars(const std::string& pic) {
  std::size_t i = 0;
  while (i < pic.size() && !std::isdigit(static_cast<unsigned char>(pic[i]))) ++i;
  return i < pic.size() ? std::atoi(pic.c_str() + i) : 0;
}

QPoint offsetIn(const QWidget* w, const QWidget* content) {
  return w->mapToGlobal(QPoint(0, 0)) - content->mapToGlobal(QPoint(0, 0));
}

QRect unitsRect(const QWidget* w, const QWidget* content, const DialogUnits& du) {
  const QPoint at = offsetIn(w, content);
  return {du.toX(at.x()), du.toY(at.y()), du.toX(w->width()), du.toY(w->height())};
}

void QtWindow::buildContent() {
  auto* body = new QWidget;
  auto* v = new QVBoxLayout(body);
  content_ = new QWidget;
  // The controls scroll when the window is smaller than they need; the buttons stay in view.
  v->addWidget(new FitScroll(content_), 1);
  shell_->setCentralWidget(body);
  const bool onGrid = !hasCoordinates(def_);
  if (onGrid) {
    auto* g = new QGridLayout(content_);
    g->setColumnStretch(8, 1);
    grids_[content_].layout = g;
    buttonBar_ = new QWidget;
    auto* h = new QHBoxLayout(buttonBar_);
    h->setContentsMargins(0, 0, 0, 0);
    h->addStretch(1);
    v->addWidget(buttonBar_);
    groupOf_ = implicitGroupMembers(def_);
  }
  for (const ControlDef& d : def_.controls) createControl(d);
  if (onGrid) {
    // Spare height goes below the controls, not between them.
    for (auto& [w, g] : grids_)
      g.layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), g.next, 0);
    if (buttonBar_->layout()->count() == 1) buttonBar_->hide();
  }
}

void QtWindow::sizeWindow() {
  const DialogUnits du(shell_->font());
  if (def_.width > 0 && def_.height > 0) {
    QSize given(du.x(def_.width),
                du.y(def_.height) + (shell_->menuWidget() ? shell_->menuWidget()->sizeHint().height() : 0));
    if (hasCoordinates(def_)) {
      // Controls at coordinates lie in the given size: that is the room they get, with the
      // toolbar, the status bar and the margins around it.
      given += chromeAroundContent();
    } else {
      // Controls on the grid take the style's margins and spacing, so a given height is a floor:
      // a small window (a progress box) shows all its controls instead of scrolling them.
      given.setHeight(std::max(given.height(), shell_->sizeHint().height()));
    }
    shell_->resize(given);
  } else if (def_.kind == WindowKind::MdiFrame) {
    // Room for the largest child (the import window) without scrolling, where the screen allows.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize avail = screen ? screen->availableGeometry().size() : QSize(1280, 900);
    shell_->resize(std::min(avail.width(), 1100), std::min(avail.height(), 860));
  } else {
    // The size the controls ask for; fitting to the screen or area comes when it is shown.
    shell_->resize(shell_->sizeHint());
  }
  if (def_.minWidth > 0 || def_.minHeight > 0) shell_->setMinimumSize(du.x(def_.minWidth), du.y(def_.minHeight));
  // An MDI child's fixed size is its sub-window's, so that fitting it to the area can shrink it.
  if (!def_.resizable && def_.kind != WindowKind::MdiFrame && !parentArea_) shell_->setFixedSize(shell_->size());

  if (parentArea_) {
    sub_ = parentArea_->addSubWindow(shell_);
    sub_->setAttribute(Qt::WA_DeleteOnClose, false);
    sub_->setWindowTitle(toQ(def_.title));
    sub_->setWindowIcon(shell_->windowIcon());
    const QSize wanted = shell_->size();
    sub_->adjustSize();
    // A size the definition gives holds for the child too (a wide list would widen its hint).
    if (def_.width > 0 && def_.height > 0) sub_->resize(wanted + (sub_->size() - shell_->size()));
    if (!def_.resizable) {
      // Tiling must not stretch a window of fixed size around its controls.
      sub_->setWindowFlags(sub_->windowFlags() & ~Qt::WindowMaximizeButtonHint);
      sub_->setFixedSize(sub_->size());
    }
  } else if (def_.modal) {
    shell_->setWindowModality(Qt::ApplicationModal);
  }
  if (def_.x != 0 || def_.y != 0) outer()->move(du.x(def_.x), du.y(def_.y));
}

QSize QtWindow::chromeAroundContent() const {
  QSize extra;
  for (const QToolBar* t : shell_->findChildren<QToolBar*>()) {
    const Qt::ToolBarArea at = shell_->toolBarArea(t);
    if (at == Qt::TopToolBarArea || at == Qt::BottomToolBarArea) extra.rheight() += t->sizeHint().height();
  }
  if (!zones_.empty()) extra.rheight() += shell_->statusBar()->sizeHint().height();
  if (const QWidget* body = shell_->centralWidget(); body && body->layout()) {
    const QMargins m = body->layout()->contentsMargins();
    extra += QSize(m.left() + m.right(), m.top() + m.bottom());
  }
  return extra;
}

void QtWindow::growToContent() {
  if (!content_ || def_.width <= 0 || def_.height <= 0 || !hasCoordinates(def_)) return;
  auto* scroll =
      content_->parentWidget() ? qobject_cast<QScrollArea*>(content_->parentWidget()->parentWidget()) : nullptr;
  if (!scroll) return;
  // The bars may take a pixel or two more than their size hints said: the controls' room is
  // what the definition gave, so the window grows by what is missing.
  const QSize lack = (content_->minimumSize() - scroll->viewport()->size()).expandedTo(QSize(0, 0));
  if (lack.width() > 0 || lack.height() > 0) outer()->resize(outer()->size() + lack);
}

void QtWindow::placeOver(const QtWindow& owner) {
  if (sub_ || def_.kind == WindowKind::MdiFrame || def_.x != 0 || def_.y != 0) return;
  const QWidget* o = owner.outer();
  if (!o || !o->isVisible()) return;
  const QPoint centre = o->mapToGlobal(o->rect().center());
  // Fitting to the screen when shown keeps it inside.
  shell_->move(centre - QPoint(shell_->width() / 2, shell_->height() / 2));
}

void QtWindow::fitToRoom() {
  if (sub_) {
    fitToArea(sub_);
    return;
  }
  fitToScreen(shell_);
  // A window manager tells the size of its window frame only after the window is shown.
  QTimer::singleShot(200, shell_, [this] { fitToScreen(shell_); });
}

QWidget* QtWindow::containerFor(const ControlDef& d) {
  if (!d.parent.empty()) {
    for (auto& [id, other] : controls_) {
      if (other.menu || !other.widget || other.def.equate.empty()) continue;
      if (QString::compare(toQ(other.def.equate), toQ(d.parent), Qt::CaseInsensitive) != 0) continue;
      if (other.def.kind == ControlKind::Group || other.def.kind == ControlKind::Option ||
          other.def.kind == ControlKind::Panel || other.def.kind == ControlKind::Tab)
        return other.widget;
    }
  }
  return content_;
}

void QtWindow::place(QtControl& c) {
  QWidget* cont = containerFor(c.def);
  if (c.def.kind == ControlKind::Region)
    placeRegion(c, cont);
  else if (!grids_.count(content_))
    placeAt(c, cont);
  else
    placeOnGrid(c, cont);
}

void QtWindow::placeRegion(QtControl& c, QWidget* cont) {
  // Never laid out: it lies where its procedure puts it, in window units. Given the rectangle
  // another control reported, it lies exactly over that control (units are coarser than pixels).
  const ControlDef& d = c.def;
  const DialogUnits du(shell_->font());
  if (QLayout* l = content_->layout()) l->activate();
  const QRect want(d.x, d.y, d.width, d.height);
  QRect px = du.rect(d.x, d.y, d.width, d.height);
  for (auto& [id, other] : controls_)
    if (&other != &c && other.widget && !other.menu && other.def.kind != ControlKind::Region &&
        unitsRect(other.widget, content_, du) == want)
      px = QRect(offsetIn(other.widget, content_), other.widget->size());
  c.widget->setGeometry(QRect(px.topLeft() - offsetIn(cont, content_), px.size()));
  c.widget->raise();
}

void QtWindow::placeAt(QtControl& c, QWidget* cont) {
  // Coordinates given: dialog units relative to the container's own origin.
  const ControlDef& d = c.def;
  QWidget* w = c.widget;
  const DialogUnits du(w->font());
  int ox = 0, oy = 0;
  for (auto& [id, other] : controls_) {
    if (other.widget != cont || cont == content_) continue;
    ox = other.def.x;
    oy = other.def.y;
    if (other.def.kind != ControlKind::Tab) continue;
    // Pages sit below the tab bar of their sheet.
    for (auto& [sid, sheet] : controls_)
      if (sheet.def.kind == ControlKind::Sheet &&
          QString::compare(toQ(sheet.def.equate), toQ(other.def.parent), Qt::CaseInsensitive) == 0) {
        ox = sheet.def.x + 2;
        oy = sheet.def.y + 14;
      }
  }
  if (d.kind != ControlKind::Tab) {
    const QSize hint = w->sizeHint();
    const int width = d.width > 0 ? du.x(d.width) : hint.width();
    const int height = d.height > 0 ? du.y(d.height) : hint.height();
    w->setGeometry(du.x(std::max(0, d.x - ox)), du.y(std::max(0, d.y - oy)), width, height);
  }
  // A prompt just before its field names it, so its "&" letter reaches the field.
  if (auto prev = controls_.find(d.id - 1);
      prev != controls_.end() && prev->second.def.kind == ControlKind::Prompt && d.kind != ControlKind::Prompt)
    if (auto* label = qobject_cast<QLabel*>(prev->second.widget)) label->setBuddy(w);
  if (cont == content_) {
    // A little room beyond the lowest and rightmost control, within the size the window gives.
    const QRect r = w->geometry();
    QSize room(r.right() + 8, r.bottom() + 8);
    if (def_.width > 0 && def_.height > 0) {
      const DialogUnits window(shell_->font());
      room = room.boundedTo(QSize(window.x(def_.width), window.y(def_.height)));
    }
    content_->setMinimumSize(content_->minimumSize().expandedTo(room));
  }
}

bool QtWindow::placeBeside(QtControl& c, QGridLayout& g) {
  QWidget* left = nullptr;
  for (auto& [id, other] : controls_)
    if (&other != &c && !other.menu && other.widget &&
        QString::compare(toQ(other.def.equate), toQ(c.def.beside), Qt::CaseInsensitive) == 0)
      left = other.widget;
  const int at = left ? g.indexOf(left) : -1;
  if (at < 0) return false;
  int row = 0, col = 0, rows = 0, cols = 0;
  g.getItemPosition(at, &row, &col, &rows, &cols);
  delete g.takeAt(at);
  // Both in one cell of the grid, side by side, each as high as the taller; the first takes
  // the spare width (its fields may grow with the window).
  auto* pair = new QWidget;
  auto* h = new QHBoxLayout(pair);
  h->setContentsMargins(0, 0, 0, 0);
  h->addWidget(left, 1);
  h->addWidget(c.widget, 0);
  g.addWidget(pair, row, col, rows, cols);
  return true;
}

void QtWindow::placeOnGrid(QtControl& c, QWidget* cont) {
  const ControlDef& d = c.def;
  QWidget* w = c.widget;
  if (holdsGrid(d.kind)) {
    auto* own = new QGridLayout(w);
    own->setColumnStretch(8, 1);
    grids_[w].layout = own;
    if (d.kind == ControlKind::Tab) return;  // on its sheet already
  }
  auto it = grids_.find(cont);
  if (it == grids_.end()) return;
  Grid& grid = it->second;
  QGridLayout* g = grid.layout;
  if (!d.beside.empty() && placeBeside(c, *g)) {
    grid.openRow = -1;
    return;
  }
  if (d.kind == ControlKind::Button && cont == content_ && !isFieldButton(d)) {
    w->setParent(buttonBar_);
    static_cast<QHBoxLayout*>(buttonBar_->layout())->addWidget(w);
    return;
  }
  if (d.kind == ControlKind::Radio) {
    g->addWidget(w, grid.next++, 0, 1, -1);
    return;
  }
  if (d.kind == ControlKind::Prompt) {
    grid.openRow = grid.next++;
    grid.openCol = 1;
    g->addWidget(w, grid.openRow, 0);
    grid.fields = startFieldRow(g, grid.openRow);
    return;
  }
  if (joinsPromptRow(d.kind) && grid.openRow >= 0) {
    if (grid.openCol == 1) {
      QLayoutItem* prompt = g->itemAtPosition(grid.openRow, 0);
      if (auto* label = qobject_cast<QLabel*>(prompt ? prompt->widget() : nullptr)) label->setBuddy(w);
    }
    // A long text (a path) grows with the window.
    const bool wide =
        (d.kind == ControlKind::Entry || (d.kind == ControlKind::Combo && d.typed)) && pictureChars(d.picture) > 40;
    addToFieldRow(grid.fields, w, wide);
    ++grid.openCol;
    return;
  }
  grid.openRow = -1;
  if (joinsPromptRow(d.kind) && d.kind != ControlKind::Text && d.kind != ControlKind::Progress) {
    g->addWidget(w, grid.next++, 1, Qt::AlignLeft);
    return;
  }
  // A list box without a fixed row count takes the window's spare height; a text line is as
  // wide as its text, so what lies over it (a link's region) covers the text only.
  if (d.kind == ControlKind::List && d.items <= 0) g->setRowStretch(grid.next, 1);
  if (d.kind == ControlKind::Text)
    g->addWidget(w, grid.next++, 0, 1, -1, Qt::AlignLeft | Qt::AlignVCenter);
  else
    g->addWidget(w, grid.next++, 0, 1, -1);
}

}  // namespace ui::qt
