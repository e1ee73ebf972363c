#include "platform/ui/qt/qt_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <functional>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "platform/ui/api/backend.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/qt/column_combo.h"
#include "platform/ui/qt/dialog_units.h"
#include "platform/ui/qt/icons.h"
#include "platform/ui/qt/key_codes.h"
#include "platform/ui/qt/layout_rows.h"
#include "platform/ui/qt/page_list.h"
#include "platform/ui/qt/qt_menus.h"
#include "platform/ui/qt/qt_placement.h"
#include "platform/ui/qt/region.h"
#include "platform/ui/qt/status_zone.h"
#include "platform/ui/qt/window_fit.h"

namespace ui::qt {
namespace {

const char* const kIdProp = "l2sControl";

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string s(const QString& t) { return t.toStdString(); }

// A spin box that tells when the user steps it (arrows, wheel, arrow and page keys), and that
// takes a typed number outside its limits as that limit instead of refusing the keystroke.
class StepSpin : public QSpinBox {
 public:
  explicit StepSpin(QWidget* parent) : QSpinBox(parent) {
    setLocale(QLocale::c());  // digits and sign never follow the process locale
    setFocusPolicy(Qt::StrongFocus);  // the wheel does not take the focus (wheelOutside)
  }
  QLineEdit* editor() const { return lineEdit(); }
  std::function<void()> stepped;
  void stepBy(int steps) override {
    QSpinBox::stepBy(steps);
    if (stepped) stepped();
  }
  QValidator::State validate(QString& text, int& pos) const override {
    const QValidator::State st = QSpinBox::validate(text, pos);
    if (st != QValidator::Invalid) return st;
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok);
    return ok && (v >= 0 || minimum() < 0) ? QValidator::Intermediate : QValidator::Invalid;
  }
  // Leaving the spin (or Enter) interprets the text: out of range it becomes the nearer limit.
  void fixup(QString& text) const override {
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok);
    if (ok) text = QString::number(std::clamp<long long>(v, minimum(), maximum()));
  }
};

// Limits that stand for "no range" (0 and 0) in Qt's terms; a high below low has no upper limit.
constexpr int kUnbounded = 999999999;
void setSpinRange(QSpinBox* sp, long long low, long long high) {
  const QSignalBlocker block(sp);  // a value moved inside the new range is no user's change
  if (low == 0 && high == 0)
    sp->setRange(-kUnbounded, kUnbounded);
  else
    sp->setRange(static_cast<int>(low), high >= low ? static_cast<int>(high) : kUnbounded);
}

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
  if (event->type() == QEvent::MouseButtonRelease && watched->property("l2sImage").isValid())
    owner_.imageClicked(watched->property("l2sImage").toInt());
  if (event->type() == QEvent::Resize && watched->property("l2sImageArea").isValid())
    owner_.imageResized(watched->property("l2sImageArea").toInt());
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
  shell_->setWindowTitle(q(def_.title));
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

QWidget* QtWindow::makeControl(QtControl& c, QWidget* parent) {
  const ControlDef& d = c.def;
  const int cid = d.id;
  const DialogUnits du(parent->font());
  const int picChars = pictureChars(d.picture);
  switch (d.kind) {
    case ControlKind::Prompt: {
      auto* l = new QLabel(q(d.text), parent);
      return l;
    }
    case ControlKind::Text: {
      auto* l = new QLabel(parent);
      l->setTextFormat(Qt::PlainText);
      if (picChars > 0) l->setMinimumWidth(du.chars(std::min(picChars, 60)));
      if (d.width > 0 && d.height > 0) {
        // A text block of a given size (a page of help): its lines wrap inside it.
        l->setMinimumSize(du.x(d.width), du.y(d.height));
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      }
      if (!d.text.empty()) l->setText(q(d.text));
      if (d.fixedFont) l->setFont(QFont(QStringLiteral("Monospace")));
      return l;
    }
    case ControlKind::Entry: {
      auto* e = new QLineEdit(parent);
      if (picChars > 0 && (d.picture[0] == '@') && (d.picture.size() > 1) &&
          (d.picture[1] == 's' || d.picture[1] == 'S'))
        e->setMaxLength(picChars);
      e->setMinimumWidth(du.chars(std::clamp(picChars > 0 ? picChars : 10, 4, 40)) + 12);
      e->setReadOnly(d.readOnly);
      QObject::connect(e, &QLineEdit::textEdited, e, [this, cid] {
        if (QtControl* x = find(cid)) x->dirty = true;
      });
      QObject::connect(e, &QLineEdit::editingFinished, e, [this, cid] {
        QtControl* x = find(cid);
        if (!x || !x->dirty) return;
        x->dirty = false;
        sendControl(cid, EventKind::Accepted, Key::Tab);
      });
      return e;
    }
    case ControlKind::Spin: {
      auto* sp = new StepSpin(parent);
      // A step is a new selection at once; typed digits are accepted on leaving.
      sp->stepped = [this, cid] {
        if (QtControl* x = find(cid)) x->dirty = false;
        sendControl(cid, EventKind::NewSelection, Key::MouseLeft);
      };
      c.rangeLow = static_cast<long long>(d.rangeLow);
      c.rangeHigh = static_cast<long long>(d.rangeHigh);
      setSpinRange(sp, c.rangeLow, c.rangeHigh);
      sp->setSingleStep(std::max(1, static_cast<int>(d.step)));
      QObject::connect(sp, &QSpinBox::valueChanged, sp, [this, cid] {
        if (QtControl* x = find(cid)) x->dirty = true;
      });
      // Typed digits count also when they leave the value as it was (the limit it already had).
      QObject::connect(sp->editor(), &QLineEdit::textEdited, sp, [this, cid] {
        if (QtControl* x = find(cid)) x->dirty = true;
      });
      QObject::connect(sp, &QSpinBox::editingFinished, sp, [this, cid] {
        QtControl* x = find(cid);
        if (!x || !x->dirty) return;
        x->dirty = false;
        sendControl(cid, EventKind::Accepted, Key::Tab);
      });
      return sp;
    }
    case ControlKind::Button: {
      auto* b = new QPushButton(q(d.text), parent);
      if (!d.icon.empty()) b->setIcon(iconFor(d.icon));
      b->setAutoDefault(false);
      b->setDefault(d.isDefault);
      if (d.text == "...") b->setFixedWidth(du.chars(3) + 16);
      QObject::connect(b, &QPushButton::clicked, b, [this, cid, act = d.action] { trigger(cid, act); });
      return b;
    }
    case ControlKind::Check: {
      auto* cb = new QCheckBox(q(d.text), parent);
      QObject::connect(cb, &QCheckBox::clicked, cb,
                       [this, cid] { sendControl(cid, EventKind::Accepted, Key::MouseLeft); });
      return cb;
    }
    case ControlKind::Option: {
      auto* g = new QGroupBox(q(d.text), parent);
      if (d.text.empty()) g->setFlat(true);
      c.radios = new QButtonGroup(g);
      c.radios->setExclusive(true);
      return g;
    }
    case ControlKind::Radio: {
      auto* r = new QRadioButton(q(d.text), parent);
      QObject::connect(r, &QRadioButton::clicked, r, [this, cid, r] {
        QtControl* me = find(cid);
        if (!me) return;
        for (auto& [gid, g] : controls_) {
          if (g.def.kind != ControlKind::Option || !g.radios || g.widget != r->parentWidget()) continue;
          g.value = me->def.value.empty() ? s(r->text().remove(QLatin1Char('&'))) : me->def.value;
          sendControl(gid, EventKind::Accepted, Key::MouseLeft);
          return;
        }
      });
      return r;
    }
    case ControlKind::Combo:
    case ControlKind::DropList: {
      auto* cb = new QComboBox(parent);
      const bool typed = d.kind == ControlKind::Combo && d.typed;
      cb->setEditable(typed);
      cb->setInsertPolicy(QComboBox::NoInsert);
      cb->setFocusPolicy(Qt::StrongFocus);  // the wheel does not take the focus (wheelOutside)
      if (d.items > 0) cb->setMaxVisibleItems(d.items);
      int chars = picChars;
      for (const ColumnDef& col : d.columns) chars = std::max(chars, col.width);
      // Room for its characters and for the rows the definition gives, whose words may be wider
      // than average characters; the style adds its frame and arrow.
      const QFontMetrics fm(cb->font());
      int text = du.chars(std::clamp(chars > 0 ? chars : 12, 6, 40));
      for (const std::string& r : d.rows) text = std::max(text, fm.horizontalAdvance(q(r)));
      QStyleOptionComboBox opt;
      opt.initFrom(cb);
      opt.editable = typed;
      cb->setMinimumWidth(
          cb->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, QSize(text, fm.height()), cb).width());
      makeColumnCombo(cb, d);
      cb->setCurrentIndex(-1);
      QObject::connect(cb, &QComboBox::activated, cb, [this, cid] {
        if (QtControl* x = find(cid)) x->dirty = false;
        sendControl(cid, EventKind::NewSelection, Key::MouseLeft);
        sendControl(cid, EventKind::Accepted, Key::MouseLeft);
      });
      if (typed) {
        QLineEdit* le = cb->lineEdit();
        le->setProperty(kIdProp, cid);
        QObject::connect(le, &QLineEdit::textEdited, cb, [this, cid] {
          if (QtControl* x = find(cid)) x->dirty = true;
        });
        QObject::connect(le, &QLineEdit::editingFinished, cb, [this, cid] {
          QtControl* x = find(cid);
          if (!x || !x->dirty) return;
          x->dirty = false;
          sendControl(cid, EventKind::Accepted, Key::Tab);
        });
      }
      return cb;
    }
    case ControlKind::List: {
      auto* l = new PageList(
          d,
          [this, cid](Event ev) {
            ev.control = cid;
            send(std::move(ev));
          },
          parent);
      c.list = l;
      // Wide enough for its columns; one that scrolls sideways only for those that stay put.
      int width = 0;
      for (const ColumnDef& col : d.columns)
        if (!d.hscroll || col.fixed) width += du.chars(col.width) + 8;
      l->setMinimumWidth(std::max(width + 24, 200));
      return l;
    }
    case ControlKind::Sheet: {
      auto* t = new QTabWidget(parent);
      QObject::connect(t, &QTabWidget::currentChanged, t, [this, cid](int index) {
        const int before = currentTab_;
        currentTab_ = index + 1;
        if (tabGuard_ || index < 0) return;
        Event changing;
        changing.kind = EventKind::TabChanging;
        changing.control = cid;
        changing.key = Key::MouseLeft;
        changing.number = before;
        send(changing);
        sendControl(cid, EventKind::NewSelection, Key::MouseLeft);
      });
      return t;
    }
    case ControlKind::Tab: {
      auto* page = new QWidget;
      for (auto& [sid, sheet] : controls_) {
        if (sheet.def.kind != ControlKind::Sheet || !sheet.widget ||
            QString::compare(q(sheet.def.equate), q(d.parent), Qt::CaseInsensitive) != 0)
          continue;
        auto* tw = static_cast<QTabWidget*>(sheet.widget);
        tabGuard_ = true;
        tw->addTab(page, q(d.text));
        tabGuard_ = false;
        return page;
      }
      page->setParent(parent);  // a tab outside any sheet: shown as a plain area
      return page;
    }
    case ControlKind::Group: {
      return new QGroupBox(q(d.text), parent);
    }
    case ControlKind::Panel: {
      auto* f = new QFrame(parent);
      f->setFrameShape(QFrame::StyledPanel);
      f->setFrameShadow(QFrame::Sunken);
      return f;
    }
    case ControlKind::Box: {
      auto* f = new QFrame(parent);
      f->setFrameShape(QFrame::Box);
      f->setAutoFillBackground(true);
      f->setMinimumHeight(8);
      return f;
    }
    case ControlKind::Progress: {
      auto* p = new QProgressBar(parent);
      p->setRange(static_cast<int>(d.rangeLow),
                  d.rangeHigh > d.rangeLow ? static_cast<int>(d.rangeHigh) : 100);
      p->setValue(p->minimum());
      return p;
    }
    case ControlKind::Image: {
      auto* area = new QScrollArea(parent);
      auto* l = new QLabel;
      l->setAlignment(Qt::AlignCenter);
      l->setProperty("l2sImage", cid);
      l->installEventFilter(shell_);
      area->setWidget(l);
      area->setWidgetResizable(true);
      area->setBackgroundRole(QPalette::Base);
      // An image fitted to its area is fitted again when the area changes size.
      area->viewport()->setProperty("l2sImageArea", cid);
      area->viewport()->installEventFilter(shell_);
      if (d.width == 0 && d.height == 0) area->setMinimumSize(160, 120);
      area->setHorizontalScrollBarPolicy(d.hscroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
      area->setVerticalScrollBarPolicy(d.vscroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
      return area;
    }
    case ControlKind::Region: {
      return new Region(parent, [this, cid](EventKind k) {
        sendControl(cid, k, k == EventKind::MouseDown || k == EventKind::MouseUp ? Key::MouseLeft : 0);
      });
    }
  }
  return new QWidget(parent);
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
  QWidget* parent = containerFor(d);
  c.widget = makeControl(c, parent);
  c.widget->setProperty(kIdProp, d.id);
  c.widget->setObjectName(q(d.equate));
  if (!d.tip.empty()) c.widget->setToolTip(q(d.tip));
  if (!d.status.empty()) c.widget->setStatusTip(q(d.status));
  c.widget->installEventFilter(shell_);
  if (c.list) {
    c.list->tree()->setProperty(kIdProp, d.id);
    c.list->setAlertKeys(&controls_[d.id].alertKeys);
  }
  if (d.color >= 0) setColor(c.widget, d.color);
  c.color = d.color;
  if (d.kind == ControlKind::Radio) {
    for (auto& [gid, g] : controls_)
      if (g.radios && g.widget == parent) g.radios->addButton(static_cast<QRadioButton*>(c.widget));
  }
  if (d.kind == ControlKind::Sheet) currentTab_ = 1;
  QtControl& stored = controls_[d.id];
  std::set<int> keys = std::move(stored.alertKeys);
  stored = std::move(c);
  stored.alertKeys = std::move(keys);
  if (stored.list) stored.list->setAlertKeys(&stored.alertKeys);
  place(stored);
  if (d.disabled) stored.widget->setEnabled(false);
  if (d.hidden) stored.widget->setVisible(false);
  if (opened_ && !d.hidden) stored.widget->show();
}

void QtWindow::destroyControl(int control) {
  auto it = controls_.find(control);
  if (it == controls_.end() || it->second.menu) return;
  QWidget* w = it->second.widget;
  controls_.erase(it);
  if (w) {
    grids_.erase(w);
    w->hide();
    w->deleteLater();
  }
}

void QtWindow::show() {
  outer()->show();
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
    if (c.list && c.def.items <= 0) {
      resized();
      break;
    }
  // Focus on the first control that takes it.
  for (auto& [cid, c] : controls_) {
    if (c.menu || !c.widget || !c.widget->isEnabled() || c.widget->focusPolicy() == Qt::NoFocus) continue;
    if (c.def.kind == ControlKind::Prompt || c.def.kind == ControlKind::Text) continue;
    c.widget->setFocus(Qt::OtherFocusReason);
    break;
  }
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
    if (!c.menu && QString::compare(q(c.def.equate), q(equate), Qt::CaseInsensitive) == 0) return c.widget;
  return nullptr;
}

QAction* QtWindow::action(const std::string& equate) const {
  for (const auto& [id, c] : controls_)
    if (c.menu && QString::compare(q(c.def.equate), q(equate), Qt::CaseInsensitive) == 0) return c.action;
  return nullptr;
}

void QtWindow::setValue(QtControl& c, const std::string& text, long long number) {
  QWidget* w = c.widget;
  switch (c.def.kind) {
    case ControlKind::Entry: {
      auto* e = static_cast<QLineEdit*>(w);
      const QString t = q(text);
      if (e->text() != t) e->setText(t);
      c.dirty = false;
      break;
    }
    case ControlKind::Spin: {
      auto* sp = static_cast<QSpinBox*>(w);
      const QSignalBlocker block(sp);
      sp->setValue(static_cast<int>(text.empty() ? number : std::atoll(text.c_str())));
      c.dirty = false;
      break;
    }
    case ControlKind::Text:
    case ControlKind::Prompt: {
      auto* l = static_cast<QLabel*>(w);
      const QString t = q(text);
      if (l->text() != t) l->setText(t);
      break;
    }
    case ControlKind::Check: static_cast<QCheckBox*>(w)->setChecked(!text.empty() && text != "0"); break;
    case ControlKind::Option: {
      c.value = text;
      c.radios->setExclusive(false);
      for (QAbstractButton* b : c.radios->buttons()) {
        const QVariant id = b->property(kIdProp);
        const QtControl* r = id.isValid() ? find(id.toInt()) : nullptr;
        const std::string v =
            r && !r->def.value.empty() ? r->def.value : s(b->text().remove(QLatin1Char('&')));
        b->setChecked(v == text);
      }
      c.radios->setExclusive(true);
      break;
    }
    case ControlKind::Combo:
    case ControlKind::DropList: {
      auto* cb = static_cast<QComboBox*>(w);
      const QSignalBlocker block(cb);
      const QString t = q(text);
      if (cb->isEditable()) {
        if (cb->currentText() != t) cb->setEditText(t);
      } else {
        const int byValue = cb->findData(t);
        cb->setCurrentIndex(byValue >= 0 ? byValue : cb->findText(t));
      }
      c.dirty = false;
      break;
    }
    case ControlKind::Sheet: {
      auto* tw = static_cast<QTabWidget*>(w);
      const int n = static_cast<int>(text.empty() ? number : std::atoll(text.c_str()));
      tabGuard_ = true;
      if (n >= 1 && n <= tw->count()) tw->setCurrentIndex(n - 1);
      tabGuard_ = false;
      break;
    }
    case ControlKind::Progress:
      static_cast<QProgressBar*>(w)->setValue(
          static_cast<int>(text.empty() ? number : std::atoll(text.c_str())));
      break;
    case ControlKind::List: break;
    default: c.value = text; break;
  }
}

std::string QtWindow::value(const QtControl& c) const {
  QWidget* w = c.widget;
  switch (c.def.kind) {
    case ControlKind::Entry: return s(static_cast<QLineEdit*>(w)->text());
    case ControlKind::Spin: return std::to_string(static_cast<QSpinBox*>(w)->value());
    case ControlKind::Text:
    case ControlKind::Prompt: return s(static_cast<QLabel*>(w)->text());
    case ControlKind::Check: return static_cast<QCheckBox*>(w)->isChecked() ? "1" : "0";
    case ControlKind::Combo:
    case ControlKind::DropList: {
      auto* cb = static_cast<QComboBox*>(w);
      if (!cb->isEditable() && cb->currentData().isValid()) return s(cb->currentData().toString());
      return s(cb->currentText());
    }
    case ControlKind::Sheet: return std::to_string(static_cast<QTabWidget*>(w)->currentIndex() + 1);
    case ControlKind::Progress: return std::to_string(static_cast<QProgressBar*>(w)->value());
    case ControlKind::List: {
      const QTreeWidgetItem* it = c.list->tree()->currentItem();
      return it ? s(it->text(0)) : std::string();
    }
    default: return c.value;
  }
}

void QtWindow::apply(const PropChange& ch) {
  if (ch.control == 0) {
    switch (ch.prop) {
      case Prop::Text:
        shell_->setWindowTitle(q(ch.text));
        if (sub_) sub_->setWindowTitle(q(ch.text));
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
          zones_[static_cast<std::size_t>(zone - 1)]->setOwnText(q(ch.text));
        else
          shell_->statusBar()->showMessage(q(ch.text));
        break;
      }
      case Prop::AlertKey: windowAlertKeys_.insert(static_cast<int>(ch.number)); break;
      case Prop::NoAlertKey:
        if (ch.number == 0)
          windowAlertKeys_.clear();
        else
          windowAlertKeys_.erase(static_cast<int>(ch.number));
        break;
      default: break;
    }
    return;
  }
  QtControl* c = find(ch.control);
  if (!c) return;
  if (c->menu) {
    applyToAction(c->action, ch);
    return;
  }
  QWidget* w = c->widget;
  switch (ch.prop) {
    case Prop::Value:
      setValue(*c, ch.text.empty() && ch.number != 0 ? std::to_string(ch.number) : ch.text, ch.number);
      break;
    case Prop::Text:
      switch (c->def.kind) {
        case ControlKind::Prompt:
        case ControlKind::Text: static_cast<QLabel*>(w)->setText(q(ch.text)); break;
        case ControlKind::Button:
        case ControlKind::Check:
        case ControlKind::Radio: static_cast<QAbstractButton*>(w)->setText(q(ch.text)); break;
        case ControlKind::Group:
        case ControlKind::Option: static_cast<QGroupBox*>(w)->setTitle(q(ch.text)); break;
        case ControlKind::Tab:
          for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            if (auto* tw = qobject_cast<QTabWidget*>(p)) {
              tw->setTabText(tw->indexOf(w), q(ch.text));
              break;
            }
          break;
        default: c->value = ch.text; break;
      }
      break;
    case Prop::Enabled:
    case Prop::Visible: {
      const bool on = ch.number != 0;
      if (c->def.kind == ControlKind::Tab) {
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
          if (auto* tw = qobject_cast<QTabWidget*>(p)) {
            if (ch.prop == Prop::Enabled)
              tw->setTabEnabled(tw->indexOf(w), on);
            else
              tw->setTabVisible(tw->indexOf(w), on);
            break;
          }
        if (ch.prop == Prop::Enabled) w->setEnabled(on);
      } else if (ch.prop == Prop::Enabled) {
        w->setEnabled(on);
      } else {
        w->setVisible(on);
      }
      break;
    }
    case Prop::Tip: w->setToolTip(q(ch.text)); break;
    case Prop::Status:
      w->setStatusTip(q(ch.text));
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
    case Prop::Default:
      if (auto* b = qobject_cast<QPushButton*>(w)) {
        if (ch.number != 0)
          for (auto& [id, other] : controls_)
            if (auto* ob = qobject_cast<QPushButton*>(other.widget)) ob->setDefault(false);
        b->setDefault(ch.number != 0);
      }
      break;
    case Prop::ReadOnly:
      if (auto* e = qobject_cast<QLineEdit*>(w)) e->setReadOnly(ch.number != 0);
      break;
    case Prop::Selected:
      if (c->list) {
        c->list->setSelected(static_cast<int>(ch.number));
      } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker block(cb);
        cb->setCurrentIndex(static_cast<int>(ch.number) - 1);
      }
      break;
    case Prop::VScroll:
      if (c->list) c->list->setScrollBar(ch.number != 0);
      if (auto* area = c->def.kind == ControlKind::Image ? qobject_cast<QScrollArea*>(w) : nullptr)
        area->setVerticalScrollBarPolicy(ch.number ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
      break;
    case Prop::VScrollPos:
      if (c->list) c->list->setThumb(static_cast<int>(ch.number));
      break;
    case Prop::HScroll:
      if (c->list)
        c->list->tree()->setHorizontalScrollBarPolicy(ch.number ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
      if (auto* area = c->def.kind == ControlKind::Image ? qobject_cast<QScrollArea*>(w) : nullptr)
        area->setHorizontalScrollBarPolicy(ch.number ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
      break;
    case Prop::RangeLow:
    case Prop::RangeHigh: {
      const int v = static_cast<int>(ch.number);
      if (auto* p = qobject_cast<QProgressBar*>(w)) {
        if (ch.prop == Prop::RangeLow)
          p->setMinimum(v);
        else
          p->setMaximum(v);
      } else if (auto* sp = qobject_cast<QSpinBox*>(w)) {
        (ch.prop == Prop::RangeLow ? c->rangeLow : c->rangeHigh) = ch.number;
        setSpinRange(sp, c->rangeLow, c->rangeHigh);
      }
      break;
    }
    case Prop::Cursor: {
      c->cursor = ch.text;
      const Qt::CursorShape shape = ch.text == "hand"    ? Qt::PointingHandCursor
                                    : ch.text == "wait"  ? Qt::WaitCursor
                                    : ch.text == "zoom"  ? Qt::CrossCursor
                                    : ch.text == "ibeam" ? Qt::IBeamCursor
                                                         : Qt::ArrowCursor;
      w->setCursor(shape);
      break;
    }
    case Prop::ImageFile:
    case Prop::Zoom: {
      if (ch.prop == Prop::ImageFile) {
        c->imageFile = ch.text;
        c->image = QPixmap(q(c->imageFile));
        c->imageWidth = c->image.width();
        c->imageHeight = c->image.height();
      } else {
        c->zoom = ch.number;
      }
      showImage(*c);
      // A new page or magnification starts at the page's top left corner.
      if (auto* area = qobject_cast<QScrollArea*>(w)) {
        area->horizontalScrollBar()->setValue(0);
        area->verticalScrollBar()->setValue(0);
      }
      break;
    }
    case Prop::AlertKey: c->alertKeys.insert(static_cast<int>(ch.number)); break;
    case Prop::NoAlertKey:
      if (ch.number == 0)
        c->alertKeys.clear();
      else
        c->alertKeys.erase(static_cast<int>(ch.number));
      break;
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
  if (control == 0) {
    const DialogUnits du(shell_->font());
    switch (prop) {
      case Prop::Text: return {s(shell_->windowTitle()), 0};
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
      case Prop::StatusText:
        return zones_.empty() ? PropValue{} : PropValue{s(zones_.front()->ownText()), 0};
      default: return {};
    }
  }
  QtControl* c = find(control);
  if (!c) return {};
  auto flag = [](bool b) { return PropValue{{}, b ? 1 : 0}; };
  if (c->menu) return readAction(c->action, prop);
  QWidget* w = c->widget;
  switch (prop) {
    case Prop::Value: {
      const std::string v = value(*c);
      return {v, std::atoll(v.c_str())};
    }
    case Prop::Text:
      if (auto* b = qobject_cast<QAbstractButton*>(w)) return {s(b->text()), 0};
      if (auto* g = qobject_cast<QGroupBox*>(w)) return {s(g->title()), 0};
      if (auto* l = qobject_cast<QLabel*>(w)) return {s(l->text()), 0};
      if (c->def.kind == ControlKind::Tab)
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
          if (auto* tw = qobject_cast<QTabWidget*>(p)) return {s(tw->tabText(tw->indexOf(w))), 0};
      return {c->value, 0};
    case Prop::Enabled: return flag(w->isEnabled());
    case Prop::Visible: return flag(!w->isHidden());
    case Prop::Tip: return {s(w->toolTip()), 0};
    case Prop::Status: return {s(w->statusTip()), 0};
    case Prop::Icon: return {c->def.icon, 0};
    case Prop::Color: return {{}, c->color};
    case Prop::Default:
      if (auto* b = qobject_cast<QPushButton*>(w)) return flag(b->isDefault());
      return flag(false);
    case Prop::ReadOnly:
      if (auto* e = qobject_cast<QLineEdit*>(w)) return flag(e->isReadOnly());
      return flag(false);
    case Prop::Selected:
      if (c->list) return {{}, c->list->selected()};
      if (auto* cb = qobject_cast<QComboBox*>(w)) return {{}, cb->currentIndex() + 1};
      return {};
    case Prop::Items:
      if (c->list) return {{}, c->list->items()};
      if (auto* cb = qobject_cast<QComboBox*>(w)) return {{}, c->def.items > 0 ? c->def.items : cb->count()};
      return {};
    case Prop::VScroll:
      if (c->list) return flag(c->list->scrollBar());
      return flag(false);
    case Prop::VScrollPos:
      if (c->list) return {{}, c->list->thumb()};
      return {};
    case Prop::HScroll:
      if (c->list) return flag(c->list->tree()->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff);
      return flag(false);
    case Prop::MouseRow:
      if (c->list) return {{}, c->list->mouseRow()};
      return {};
    // A spin's limits as given, never Qt's stand-in for "no limit".
    case Prop::RangeLow:
      if (auto* p = qobject_cast<QProgressBar*>(w)) return {{}, p->minimum()};
      if (c->def.kind == ControlKind::Spin) return {{}, c->rangeLow};
      return {};
    case Prop::RangeHigh:
      if (auto* p = qobject_cast<QProgressBar*>(w)) return {{}, p->maximum()};
      if (c->def.kind == ControlKind::Spin) return {{}, c->rangeHigh};
      return {};
    case Prop::X:
    case Prop::Y:
    case Prop::Width:
    case Prop::Height: {
      // Where the layout put it, in window units.
      if (QLayout* l = content_ ? content_->layout() : nullptr) l->activate();
      if (!content_) return {};
      const QRect r = unitsRect(w, content_, DialogUnits(shell_->font()));
      return {{}, prop == Prop::X ? r.x() : prop == Prop::Y ? r.y() : prop == Prop::Width ? r.width() : r.height()};
    }
    case Prop::Cursor: return {c->cursor, 0};
    case Prop::ImageFile: return {c->imageFile, 0};
    case Prop::Zoom: return {{}, c->zoom};
    case Prop::ImageWidth: return {{}, c->imageWidth};
    case Prop::ImageHeight: return {{}, c->imageHeight};
    default: return {};
  }
}

void QtWindow::setRows(int control, const std::vector<ListRow>& rows) {
  QtControl* c = find(control);
  if (!c) return;
  if (c->list) {
    c->list->setRows(rows);
  } else if (auto* cb = qobject_cast<QComboBox*>(c->widget)) {
    const QSignalBlocker block(cb);
    const QString text = cb->currentText();
    setComboRows(cb, rows);
    if (cb->isEditable()) {
      cb->setEditText(text);
    } else {
      const int byValue = cb->findData(text);
      cb->setCurrentIndex(byValue >= 0 ? byValue : cb->findText(text));
    }
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

void QtWindow::showImage(QtControl& c) {
  auto* area = qobject_cast<QScrollArea*>(c.widget);
  auto* l = area ? qobject_cast<QLabel*>(area->widget()) : nullptr;
  if (!l) return;
  QPixmap pm = c.image;
  if (!pm.isNull() && c.zoom > 0) {
    pm = pm.scaled(pm.size() * (static_cast<double>(c.zoom) / 100.0), Qt::KeepAspectRatio,
                   Qt::SmoothTransformation);
    area->setWidgetResizable(false);
    l->resize(pm.size());
  } else if (!pm.isNull() && c.zoom < 0) {
    // The area's width, less a vertical scroll bar; the user scrolls down the page.
    const int sb = area->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                       ? 0
                       : area->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    pm = pm.scaledToWidth(std::max(1, area->width() - 2 * area->frameWidth() - sb), Qt::SmoothTransformation);
    area->setWidgetResizable(false);
    l->resize(pm.size());
  } else if (!pm.isNull()) {
    pm = pm.scaled(area->viewport()->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    area->setWidgetResizable(true);
  }
  l->setPixmap(pm);
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

void QtWindow::imageResized(int control) {
  QtControl* c = find(control);
  if (c && c->zoom <= 0 && !c->image.isNull()) showImage(*c);
}

void QtWindow::imageClicked(int control) {
  if (usable_ && find(control)) sendControl(control, EventKind::Accepted, Key::MouseLeft);
}

bool QtWindow::keyFilter(QObject* watched, QKeyEvent* e, int control) {
  if (!usable_) return false;
  std::string ch;
  const int code = keyCode(*e, &ch);
  if (code == 0) return false;
  QtControl* c = control ? find(control) : nullptr;
  if (c && c->list && watched == c->list->tree()) return false;  // the list box handles its own keys
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
    if (c && (c->def.kind == ControlKind::Entry || c->def.kind == ControlKind::Spin ||
              c->def.kind == ControlKind::Combo)) {
      // Enter takes the typed number as leaving does, out-of-range digits as the limit.
      if (auto* sp = qobject_cast<QSpinBox*>(c->widget)) sp->interpretText();
      c->dirty = false;
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
