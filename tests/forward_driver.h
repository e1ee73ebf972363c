#pragma once
// A driver that passes every call on to the one a test chose in its SetUp (headless or Qt), so
// a fixture can keep one robot member for both backends.
#include "platform/ui/headless/driver.h"

namespace l2stest {

class ForwardDriver : public ui::headless::Driver {
 public:
  void to(ui::headless::Driver* d) { d_ = d; }
  ui::headless::Driver& target() { return *d_; }

  ui::headless::Transcript& transcript() override { return d_->transcript(); }
  std::map<int, ui::headless::HWindow> windows() override { return d_->windows(); }
  std::vector<ui::headless::PendingView> pending() override { return d_->pending(); }
  int activeWindow() override { return d_->activeWindow(); }
  void waitChange(std::chrono::milliseconds most) override { d_->waitChange(most); }
  bool waitUntilIdle(std::chrono::milliseconds t, int* modal) override { return d_->waitUntilIdle(t, modal); }
  bool waitEnded(std::chrono::milliseconds t) override { return d_->waitEnded(t); }
  bool shown() override { return d_->shown(); }
  std::string activate(int w) override { return d_->activate(w); }
  std::string type(int w, int c, const std::string& t) override { return d_->type(w, c, t); }
  std::string check(int w, int c, bool on) override { return d_->check(w, c, on); }
  std::string chooseChild(int w, int g, int c, int n) override { return d_->chooseChild(w, g, c, n); }
  std::string chooseRow(int w, int c, int r) override { return d_->chooseRow(w, c, r); }
  std::string press(int w, int c) override { return d_->press(w, c); }
  std::string key(int w, int c, int code, const std::string& ch) override { return d_->key(w, c, code, ch); }
  std::string wheel(int w, int c, int n) override { return d_->wheel(w, c, n); }
  std::string close(int w) override { return d_->close(w); }
  std::string resize(int w, int width, int height) override { return d_->resize(w, width, height); }
  std::string mouse(int w, int c, ui::EventKind k) override { return d_->mouse(w, c, k); }
  std::string drag(int w, int c, int p) override { return d_->drag(w, c, p); }
  std::string answerBox(long long s, int b) override { return d_->answerBox(s, b); }
  std::string answerFile(long long s, bool a, const std::string& p) override { return d_->answerFile(s, a, p); }
  std::string answerPopup(long long s, int i) override { return d_->answerPopup(s, i); }

 private:
  ui::headless::Driver* d_ = nullptr;
};

}  // namespace l2stest
