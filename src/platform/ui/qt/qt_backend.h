#pragma once
// The window backend on Qt 6 Widgets. Procedures call it on their own threads; every widget
// operation runs on the GUI thread (gui_call.h), which runs only the Qt event loop. Property
// changes are queued and coalesced, so display() after every row of a long run costs little.
// A box or dialog is shown non-modally and blocks only the thread that asked.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ui/api/backend.h"

class QAction;
class QObject;
class QPrinter;
class QTimer;

namespace ui::qt {

class QtWindow;

class QtBackend : public Backend {
 public:
  QtBackend();  // on the GUI thread, after attachGuiThread()
  ~QtBackend() override;
  QtBackend(const QtBackend&) = delete;
  QtBackend& operator=(const QtBackend&) = delete;

  void openWindow(int window, const WindowDef& def, int thread) override;
  void closeWindow(int window) override;
  void apply(int window, const std::vector<PropChange>& changes) override;
  PropValue get(int window, int control, Prop prop) override;
  void setRows(int window, int control, const std::vector<ListRow>& rows) override;
  void createControl(int window, const ControlDef& def) override;
  void destroyControl(int window, int control) override;
  void clipboard(int window, ClipboardOp op) override;
  int messageBox(const BoxRequest& box) override;
  bool fileDialog(const FileRequest& request, std::string& chosen) override;
  int popupMenu(const PopupRequest& request) override;
  bool printerSetup(int thread) override;
  void setWaitCursor(bool on) override;
  void beep() override;
  void halted(int code) override;

  // GUI thread only (tests, screenshots): the widgets of an open window.
  QtWindow* window(int id) const;
  QtWindow* windowTitled(const std::string& title) const;
  // No property change is waiting for the GUI (any thread).
  bool settled();
  // Open boxes and dialogs, oldest first.
  std::vector<QWidget*> modalWidgets() const;
  std::vector<QtWindow*> openWindows() const;

  // What a box or dialog on screen was asked for, for the scripted user (qt_driver.h).
  struct ModalInfo {
    enum class Kind { Box, File, Popup, PrinterSetup } kind = Kind::Box;
    long long serial = 0;
    BoxRequest box{};
    FileRequest file{};
    PopupRequest popup{};
  };
  // GUI thread: the boxes and dialogs waiting for an answer, oldest first, with their widgets.
  std::vector<std::pair<ModalInfo, QWidget*>> modalsAsked() const;
  // Lines for a scripted run's transcript (windows opened and closed, beeps, the halt);
  // any thread. Set before the first procedure starts.
  void setRecorder(std::function<void(std::string)> record) { record_ = std::move(record); }

 private:
  // A box or dialog on screen whose thread waits for it.
  struct Modal {
    QPointer<QWidget> widget;
    int thread = 0;
    std::function<void()> cancel;  // answers it as cancelled and removes it
    ModalInfo info;
  };
  void record(std::string line) {
    if (record_) record_(std::move(line));
  }
  void flush();  // GUI thread: applies the queued property changes
  void flushSoon();
  void updateUsable(int thread);
  void frameGone();
  template <class T>
  T runModal(int thread, int window, std::function<QWidget*(std::function<void(T)> done)> make, T cancelled,
             ModalInfo info);

  QObject* context_ = nullptr;  // GUI thread: target of queued calls, gone with the backend
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QtWindow> retiredFrame_;            // a closed frame kept until its children close
  std::map<int, std::unique_ptr<QtWindow>> windows_;  // GUI thread
  std::map<int, std::vector<int>> threadWindows_;     // GUI thread: innermost last
  std::map<int, int> threadModals_;                   // GUI thread: open boxes per thread
  std::vector<std::shared_ptr<Modal>> modals_;        // GUI thread
  int frame_ = 0;
  bool frameClosing_ = false;

  std::mutex m_;  // guards the queue of changes
  std::vector<std::pair<int, std::vector<PropChange>>> queued_;
  bool flushPosted_ = false;
  QTimer* flushTimer_ = nullptr;
  bool halted_ = false;
  long long modalSerial_ = 0;  // GUI thread
  std::function<void(std::string)> record_;
};

}  // namespace ui::qt
