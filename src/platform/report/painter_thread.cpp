#include "platform/report/painter_thread.h"

#include <QtCore/QCoreApplication>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace report::detail {

namespace {

struct Job {
  const std::function<void()>* fn = nullptr;
  bool done = false;
};

struct Painter {
  std::mutex m;
  std::condition_variable cv;
  std::deque<Job*> jobs;
  std::thread thread;
  std::thread::id id;
  bool stop = false;
  QCoreApplication* watched = nullptr;  // the application whose quit ends the thread
};

// Never destroyed: a painting thread nobody stopped simply ends with the process.
Painter& painter() {
  static Painter* p = new Painter;
  return *p;
}

void run() {
  Painter& p = painter();
  std::unique_lock lock(p.m);
  for (;;) {
    p.cv.wait(lock, [&] { return p.stop || !p.jobs.empty(); });
    if (p.jobs.empty()) return;  // stopping, with nothing left to paint
    Job* job = p.jobs.front();
    p.jobs.pop_front();
    lock.unlock();
    (*job->fn)();
    lock.lock();
    job->done = true;
    p.cv.notify_all();
  }
}

}  // namespace

void onPainter(const std::function<void()>& fn) {
  Painter& p = painter();
  std::unique_lock lock(p.m);
  if (std::this_thread::get_id() == p.id) {
    lock.unlock();
    fn();
    return;
  }
  if (!p.thread.joinable()) {
    p.stop = false;
    p.thread = std::thread(run);
    p.id = p.thread.get_id();
  }
  QCoreApplication* app = QCoreApplication::instance();
  if (app && app != p.watched) {
    // Direct: it runs on the application's thread as its loop quits.
    QObject::connect(app, &QCoreApplication::aboutToQuit, &stopPainter);
    p.watched = app;
  }
  Job job{&fn};
  p.jobs.push_back(&job);
  p.cv.notify_all();
  p.cv.wait(lock, [&] { return job.done; });
}

void stopPainter() {
  Painter& p = painter();
  std::thread t;
  {
    std::lock_guard lock(p.m);
    if (!p.thread.joinable() || std::this_thread::get_id() == p.id) return;
    p.stop = true;
    p.cv.notify_all();
    t = std::move(p.thread);
  }
  t.join();
  std::lock_guard lock(p.m);
  p.id = {};
  p.stop = false;
}

}  // namespace report::detail
