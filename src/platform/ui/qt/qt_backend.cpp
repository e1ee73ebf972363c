#include "platform/ui/qt/qt_backend.h"

#include <QApplication>
#include <QCursor>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QtPrintSupport/QPrinter>
#include <algorithm>

#include "platform/ui/api/procedure.h"
#include "platform/ui/headless/transcript.h"
#include "platform/ui/qt/gui_call.h"
#include "platform/ui/qt/qt_window.h"

namespace ui::qt {
namespace {

// Properties where only the last value queued matters.
bool coalesces(Prop p) {
  switch (p) {
    case Prop::Value:
    case Prop::Text:
    case Prop::Enabled:
    case Prop::Visible:
    case Prop::Selected:
    case Prop::VScrollPos:
    case Prop::StatusText:
    case Prop::Tip:
    case Prop::Status:
    case Prop::Color: return true;
    default: return false;
  }
}

std::string headlessQuote(const std::string& s) { return ui::headless::quote(s); }

constexpr int kFlushMs = 16;  // at most one redraw of queued changes per frame of the screen

}  // namespace

QtBackend::QtBackend() {
  context_ = new QObject;
  QApplication::setQuitOnLastWindowClosed(false);
  flushTimer_ = new QTimer(context_);
  flushTimer_->setSingleShot(true);
  flushTimer_->setInterval(kFlushMs);
  QObject::connect(flushTimer_, &QTimer::timeout, context_, [this] {
    bool more = false;
    {
      std::lock_guard lock(m_);
      more = !queued_.empty();
      if (!more) flushPosted_ = false;
    }
    if (more) {
      flush();
      flushTimer_->start();
    }
  });
}

QtBackend::~QtBackend() {
  for (auto& m : modals_)
    if (m->cancel) m->cancel();
  modals_.clear();
  // No more signals into this object; children go before the frame whose area holds them.
  delete context_;
  context_ = nullptr;
  for (auto& [id, w] : windows_)
    if (w->def().kind == WindowKind::MdiChild) w.reset();
  windows_.clear();
  retiredFrame_.reset();
}

QtWindow* QtBackend::window(int id) const {
  auto it = windows_.find(id);
  return it == windows_.end() ? nullptr : it->second.get();
}

QtWindow* QtBackend::windowTitled(const std::string& title) const {
  QtWindow* found = nullptr;
  for (const auto& [id, w] : windows_)
    if (w->shell()->windowTitle() == QString::fromUtf8(title.c_str())) found = w.get();
  return found;
}

void QtBackend::flush() {
  std::vector<std::pair<int, std::vector<PropChange>>> work;
  {
    std::lock_guard lock(m_);
    work.swap(queued_);
  }
  for (auto& [id, changes] : work) {
    QtWindow* w = window(id);
    if (!w) continue;
    for (const PropChange& ch : changes) w->apply(ch);
  }
}

void QtBackend::openWindow(int id, const WindowDef& def, int thread) {
  guiCall([&] {
    flush();
    QtWindow* frame = window(frame_);
    auto w = std::make_unique<QtWindow>(id, thread, def, frame ? frame->mdiArea() : nullptr);
    QtWindow* raw = w.get();
    windows_[id] = std::move(w);
    if (def.kind == WindowKind::MdiFrame && !frame) {
      frame_ = id;
      QObject::connect(raw->mdiArea(), &QMdiArea::subWindowActivated, context_, [this](QMdiSubWindow* sub) {
        for (auto& [wid, other] : windows_)
          if (other->def().kind == WindowKind::MdiChild && other->outer() != sub) other->activated(false);
        for (auto& [wid, other] : windows_)
          if (sub && other->outer() == sub) other->activated(true);
      });
    }
    std::vector<int>& own = threadWindows_[thread];
    QtWindow* owner = own.empty() ? frame : window(own.back());
    if (owner && owner != raw) raw->placeOver(*owner);
    own.push_back(id);
    updateUsable(thread);
    record("open " + headlessQuote(def.title) + " thread " + std::to_string(thread));
    raw->show();
  });
}

void QtBackend::closeWindow(int id) {
  bool wasFrame = false;
  guiCall([&] {
    flush();
    auto it = windows_.find(id);
    if (it == windows_.end()) return;
    std::unique_ptr<QtWindow> w = std::move(it->second);
    windows_.erase(it);
    const int thread = w->thread();
    record("close " + headlessQuote(w->shell()->windowTitle().toStdString()) + " thread " + std::to_string(thread));
    std::erase(threadWindows_[thread], id);
    if (threadWindows_[thread].empty()) threadWindows_.erase(thread);
    if (id == frame_) {
      wasFrame = true;
      frame_ = 0;
      const bool children = std::any_of(windows_.begin(), windows_.end(), [](const auto& p) {
        return p.second->def().kind == WindowKind::MdiChild && p.second->outer() != p.second->shell();
      });
      // The children live inside the frame's area: it goes when the last of them has closed.
      if (children) {
        w->setUsable(false);
        retiredFrame_ = std::move(w);
      }
    } else if (retiredFrame_) {
      const bool children = std::any_of(windows_.begin(), windows_.end(), [](const auto& p) {
        return p.second->def().kind == WindowKind::MdiChild && p.second->outer() != p.second->shell();
      });
      if (!children) {
        w.reset();
        retiredFrame_.reset();
      }
    }
    w.reset();
    updateUsable(thread);
  });
  // Closing the frame ends the program: every procedure runs its closing steps.
  if (wasFrame) ui::requestShutdown();
}

void QtBackend::updateUsable(int thread) {
  auto it = threadWindows_.find(thread);
  if (it == threadWindows_.end()) return;
  const bool boxOpen = threadModals_[thread] > 0;
  for (int id : it->second)
    if (QtWindow* w = window(id)) w->setUsable(!boxOpen && id == it->second.back());
}

void QtBackend::apply(int id, const std::vector<PropChange>& changes) {
  if (onGuiThread()) {
    flush();
    if (QtWindow* w = window(id))
      for (const PropChange& ch : changes) w->apply(ch);
    return;
  }
  bool post = false;
  {
    std::lock_guard lock(m_);
    auto entry = std::find_if(queued_.begin(), queued_.end(), [id](const auto& p) { return p.first == id; });
    if (entry == queued_.end()) {
      queued_.emplace_back(id, std::vector<PropChange>{});
      entry = std::prev(queued_.end());
    }
    std::vector<PropChange>& q = entry->second;
    for (const PropChange& ch : changes) {
      if (coalesces(ch.prop)) {
        auto same = std::find_if(q.begin(), q.end(), [&](const PropChange& o) {
          return o.control == ch.control && o.prop == ch.prop && o.index == ch.index;
        });
        if (same != q.end()) {
          same->text = ch.text;
          same->number = ch.number;
          continue;
        }
      }
      q.push_back(ch);
    }
    if (!flushPosted_) {
      flushPosted_ = true;
      post = true;
    }
  }
  if (post) {
    guiPost(context_, [this] {
      flush();
      flushTimer_->start();
    });
  }
}

PropValue QtBackend::get(int id, int control, Prop prop) {
  return guiGet([&] {
    flush();
    QtWindow* w = window(id);
    return w ? w->get(control, prop) : PropValue{};
  });
}

void QtBackend::setRows(int id, int control, const std::vector<ListRow>& rows) {
  guiCall([&] {
    flush();
    if (QtWindow* w = window(id)) w->setRows(control, rows);
  });
}

void QtBackend::createControl(int id, const ControlDef& def) {
  guiCall([&] {
    flush();
    if (QtWindow* w = window(id)) w->createControl(def);
  });
}

void QtBackend::destroyControl(int id, int control) {
  guiCall([&] {
    flush();
    if (QtWindow* w = window(id)) w->destroyControl(control);
  });
}

void QtBackend::clipboard(int id, ClipboardOp op) {
  guiCall([&] {
    flush();
    if (QtWindow* w = window(id)) w->clipboard(op);
  });
}

void QtBackend::setWaitCursor(bool on) {
  guiCall([on] {
    if (on)
      QApplication::setOverrideCursor(Qt::WaitCursor);
    else
      QApplication::restoreOverrideCursor();
  });
}

void QtBackend::beep() {
  record("beep");
  guiPost(context_, [] { QApplication::beep(); });
}

void QtBackend::halted(int code) {
  record("halt " + std::to_string(code));
  guiCall([this] {
    halted_ = true;
    // Every waiting box returns, so its thread can unwind.
    auto open = modals_;
    for (auto& m : open)
      if (m->cancel) m->cancel();
  });
}

bool QtBackend::settled() {
  std::lock_guard lock(m_);
  return queued_.empty() && !flushPosted_;
}

std::vector<QtWindow*> QtBackend::openWindows() const {
  std::vector<QtWindow*> out;
  for (const auto& [id, w] : windows_) out.push_back(w.get());
  return out;
}

std::vector<std::pair<QtBackend::ModalInfo, QWidget*>> QtBackend::modalsAsked() const {
  std::vector<std::pair<ModalInfo, QWidget*>> out;
  for (const auto& m : modals_)
    if (m->widget) out.emplace_back(m->info, m->widget.data());
  return out;
}

std::vector<QWidget*> QtBackend::modalWidgets() const {
  std::vector<QWidget*> out;
  for (const auto& m : modals_)
    if (m->widget) out.push_back(m->widget);
  return out;
}

}  // namespace ui::qt
