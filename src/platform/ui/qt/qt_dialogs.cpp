// Boxes, file dialogs, pop-up menus and the printer setup of the Qt backend. Each is shown
// non-modally; the asking thread waits on a promise while its own windows are disabled, so
// the other procedures and the GUI go on.
#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>
#include <algorithm>
#include <future>
#include <memory>
#include <utility>

#include "platform/ui/api/dialogs.h"
#include "platform/ui/qt/gui_call.h"
#include "platform/ui/qt/popup_place.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_window.h"

namespace ui::qt {
namespace {

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

struct ButtonPair {
  int ours;
  QMessageBox::StandardButton qt;
};

constexpr ButtonPair kButtons[] = {
    {Button::Ok, QMessageBox::Ok},         {Button::Yes, QMessageBox::Yes},     {Button::No, QMessageBox::No},
    {Button::Abort, QMessageBox::Abort},   {Button::Retry, QMessageBox::Retry}, {Button::Ignore, QMessageBox::Ignore},
    {Button::Cancel, QMessageBox::Cancel}, {Button::Help, QMessageBox::Help},
};

QMessageBox::Icon boxIcon(Icon i) {
  switch (i) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Stop: return QMessageBox::Critical;
    case Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

// A box without a caption shows none: the window systems put the program's name on a window
// whose title is empty, so it gets a blank.
QString boxCaption(const std::string& caption) { return caption.empty() ? QStringLiteral(" ") : q(caption); }

// The printer setup's answer: a file to print into, or a printer.
PrinterChoice choiceOf(const QPrinter& p) {
  PrinterChoice c;
  if (p.outputFormat() == QPrinter::PdfFormat || !p.outputFileName().isEmpty())
    c.outputFile = p.outputFileName().toStdString();
  else
    c.printer = p.printerName().toStdString();
  c.copies = std::max(1, p.copyCount());
  return c;
}

// "Desc|*.dbf|All|*.*" to Qt's "Desc (*.dbf);;All (*.*)".
QString nameFilters(const std::string& filter) {
  const QStringList parts = q(filter).split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = parts[i + 1];
    pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    // "*.*" means every file; here it would miss the names without a dot.
    if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
    out << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
  }
  return out.join(QStringLiteral(";;"));
}

}  // namespace

template <class T>
T QtBackend::runModal(int thread, int window, std::function<QWidget*(std::function<void(T)> done)> make, T cancelled,
                      ModalInfo info) {
  auto promise = std::make_shared<std::promise<T>>();
  std::future<T> answer = promise->get_future();
  auto show = [&, promise] {
    if (halted_) {
      promise->set_value(cancelled);
      return;
    }
    auto modal = std::make_shared<Modal>();
    modal->thread = thread;
    modal->info = info;
    modal->info.serial = ++modalSerial_;
    auto fired = std::make_shared<bool>(false);
    // Runs once, on the GUI thread: hands the answer over and gives the thread its windows back.
    std::weak_ptr<Modal> weak = modal;
    std::function<void(T)> done = [this, promise, weak, fired, thread](T value) {
      if (*fired) return;
      *fired = true;
      std::shared_ptr<Modal> self = weak.lock();
      if (self) std::erase(modals_, self);
      if (--threadModals_[thread] <= 0) threadModals_.erase(thread);
      updateUsable(thread);
      if (self && self->widget) self->widget->deleteLater();
      promise->set_value(std::move(value));
    };
    modal->cancel = [done, cancelled] { done(cancelled); };
    QWidget* w = make(done);
    modal->widget = w;
    modals_.push_back(modal);
    ++threadModals_[thread];
    updateUsable(thread);
    // A widget that placed and showed itself (a pop-up menu) stays where it is.
    if (w && w->isWindow() && !w->isVisible()) {
      QtWindow* owner = this->window(window);
      w->adjustSize();
      if (owner) {
        const QRect r = owner->outer()->frameGeometry();
        const QPoint at =
            owner->outer()->isWindow() ? r.center() : owner->outer()->mapToGlobal(owner->outer()->rect().center());
        w->move(at - QPoint(w->width() / 2, w->height() / 2));
      }
      w->show();
      w->raise();
      w->activateWindow();
    }
  };
  if (onGuiThread()) {
    // Not the way procedures ask, but it must not deadlock: wait in a local loop.
    show();
    QEventLoop loop;
    while (answer.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
      loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    return answer.get();
  }
  guiCall(show);
  return answer.get();
}

int QtBackend::messageBox(const BoxRequest& box) {
  return runModal<int>(
      box.thread, box.window,
      [&box](std::function<void(int)> done) -> QWidget* {
        QString text = q(box.text);
        text.replace(QLatin1Char('|'), QLatin1Char('\n'));
        auto* mb = new QMessageBox(boxIcon(box.icon), boxCaption(box.caption), text, QMessageBox::NoButton);
        mb->setWindowModality(Qt::NonModal);
        mb->setObjectName(QStringLiteral("l2sMessageBox"));
        int first = 0;
        for (const ButtonPair& p : kButtons) {
          if (!(box.buttons & p.ours)) continue;
          QPushButton* b = mb->addButton(p.qt);
          b->setProperty("l2sButton", p.ours);
          if (!first) first = p.ours;
          if (p.ours == Button::Cancel || (p.ours == Button::No && !(box.buttons & Button::Cancel)))
            mb->setEscapeButton(b);
        }
        const int def = box.defaultButton && (box.buttons & box.defaultButton) ? box.defaultButton : first;
        for (const ButtonPair& p : kButtons)
          if (p.ours == def) mb->setDefaultButton(qobject_cast<QPushButton*>(mb->button(p.qt)));
        QObject::connect(mb, &QMessageBox::buttonClicked, mb,
                         [done](QAbstractButton* b) { done(b->property("l2sButton").toInt()); });
        QObject::connect(mb, &QDialog::finished, mb, [done] { done(0); });
        return mb;
      },
      0, ModalInfo{.kind = ModalInfo::Kind::Box, .box = box});
}

bool QtBackend::fileDialog(const FileRequest& request, std::string& chosen) {
  using Answer = std::pair<bool, std::string>;
  const Answer a = runModal<Answer>(
      request.thread, request.window,
      [&request](std::function<void(Answer)> done) -> QWidget* {
        auto* d = new QFileDialog(nullptr, q(request.title));
        // No DontUseNativeDialog: the desktop's own dialog where the platform offers one.
        d->setWindowModality(Qt::NonModal);
        if (request.directory) {
          d->setFileMode(QFileDialog::Directory);
          d->setOption(QFileDialog::ShowDirsOnly);
        } else {
          d->setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
          d->setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
          if (!request.filter.empty()) d->setNameFilter(nameFilters(request.filter));
        }
        if (!request.initial.empty()) {
          const QFileInfo fi(q(request.initial));
          if (fi.isDir()) {
            d->setDirectory(fi.absoluteFilePath());
          } else {
            d->setDirectory(fi.absolutePath());
            d->selectFile(fi.fileName());
          }
        }
        QObject::connect(d, &QFileDialog::fileSelected, d, [done](const QString& path) {
          done({true, path.toStdString()});
        });
        QObject::connect(d, &QDialog::rejected, d, [done] { done({false, {}}); });
        return d;
      },
      Answer{false, {}}, ModalInfo{.kind = ModalInfo::Kind::File, .file = request});
  if (a.first) chosen = a.second;
  return a.first;
}

int QtBackend::popupMenu(const PopupRequest& request) {
  return runModal<int>(
      request.thread, request.window,
      [this, &request](std::function<void(int)> done) -> QWidget* {
        auto* menu = new QMenu;
        int n = 0;
        for (QString item : q(request.text).split(QLatin1Char('|'))) {
          if (item == QStringLiteral("-")) {
            menu->addSeparator();
            continue;
          }
          const bool grey = item.startsWith(QLatin1Char('~'));
          if (grey) item.remove(0, 1);
          const bool checked = item.startsWith(QLatin1Char('+'));
          if (checked) item.remove(0, 1);
          QAction* a = menu->addAction(item);
          a->setEnabled(!grey);
          a->setCheckable(checked);
          a->setChecked(checked);
          a->setData(++n);
        }
        QObject::connect(menu, &QMenu::triggered, menu, [done](QAction* a) { done(a->data().toInt()); });
        // A click outside closes the menu first; the choice, if any, arrives just after.
        QObject::connect(menu, &QMenu::aboutToHide, menu, [menu, done] {
          QMetaObject::invokeMethod(
              menu, [done] { done(0); }, Qt::QueuedConnection);
        });
        QtWindow* owner = window(request.window);
        menu->popup(popupPosition(owner ? owner->shell() : nullptr));
        return menu;
      },
      0, ModalInfo{.kind = ModalInfo::Kind::Popup, .popup = request});
}

bool QtBackend::printerSetup(int thread) {
  // The dialog keeps its own printer, so it opens again as the user left it; what the user
  // accepts is handed to the printing that follows.
  auto dialog = [this] {
    if (!printer_) printer_ = std::make_unique<QPrinter>();
    auto* d = new QPrintDialog(printer_.get());
    d->setObjectName(QStringLiteral("l2sPrinterSetup"));
    QObject::connect(d, &QDialog::accepted, d, [p = printer_.get()] { setPrinterChoice(choiceOf(*p)); });
    return d;
  };
  auto make = [dialog](std::function<void(bool)> done) -> QWidget* {
    QPrintDialog* d = dialog();
    d->setWindowModality(Qt::NonModal);
    QObject::connect(d, &QDialog::accepted, d, [done] { done(true); });
    QObject::connect(d, &QDialog::rejected, d, [done] { done(false); });
    return d;
  };
  if (onGuiThread()) {
    // Chosen from a menu on the GUI thread itself: nobody waits for the answer.
    record("printer-setup thread " + std::to_string(thread));
    QPrintDialog* d = dialog();
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->show();
    return true;
  }
  record("printer-setup thread " + std::to_string(thread));
  return runModal<bool>(thread, 0, make, false, ModalInfo{.kind = ModalInfo::Kind::PrinterSetup});
}

}  // namespace ui::qt
