#include "shell/preview_window.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "data/thread_state.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/window.h"
#include "shell/preview_window_parts.h"

namespace shell {

namespace {

using ui::ControlDef;
using ui::ControlKind;
using ui::EventKind;

enum Mode { NoZoom, PageWidth, Zoom50, Zoom75, Zoom100, Zoom200, Zoom300, kModes };

constexpr std::array<const char*, kModes> kModeItems = {"?ZOOMNOZOOM", "?ZOOMPAGEWIDTH", "?ZOOM50", "?ZOOM75",
                                                        "?ZOOM100",    "?ZOOM200",       "?ZOOM300"};
constexpr std::array<const char*, kModes> kModeStatus = {"No Zoom",     "Zoom (Page Width)", "Zoom (50%)", "Zoom (75%)",
                                                         "Zoom (100%)", "Zoom (200%)",       "Zoom (300%)"};
constexpr int kMaxCells = 10;  // pages across and pages down
constexpr std::array<int, kModes> kModePercent = {0, -1, 50, 75, 100, 200, 300};

struct Cell {
  int frame = 0;
  int image = 0;
  std::string shows;  // the file the image control holds, so paging loads only what changed
};

class Preview {
 public:
  Preview(ui::Window& win, const std::vector<std::string>& pages) : win_(win), pages_(pages) {}

  // Measures the first page; false (after a box) when there is nothing that can be shown.
  bool measure() {
    if (pages_.empty()) {
      ui::message("The report has no pages to show.", "Report Preview", ui::Icon::Exclamation);
      return false;
    }
    const int probe = win_.create(ControlDef{.kind = ControlKind::Image, .equate = "?MEASURE", .hidden = true});
    win_.set(probe, ui::Prop::ImageFile, pages_.front());
    pageWidth_ = static_cast<int>(win_.getNumber(probe, ui::Prop::ImageWidth));
    pageHeight_ = static_cast<int>(win_.getNumber(probe, ui::Prop::ImageHeight));
    win_.destroy(probe);
    if (pageWidth_ <= 0 || pageHeight_ <= 0) {
      ui::message("The first page of the report cannot be read:|" + pages_.front(), "Report Preview",
                  ui::Icon::Exclamation);
      return false;
    }
    shape_ = static_cast<double>(pageHeight_) / pageWidth_;
    return true;
  }

  void start() {
    total_ = static_cast<int>(pages_.size());
    win_.bind("?CURRENTPAGE", current_);
    win_.bind("?PAGESACROSS", across_);
    win_.bind("?PAGESDOWN", down_);
    win_.setAlertKeys(0, {ui::Key::PgUp, ui::Key::PgDn});
    if (total_ == 1) {
      win_.disable("?CURRENTPAGE");
      win_.disable("?PAGESACROSS");
      win_.disable("?PAGESDOWN");
      win_.disable("?VIEWMENU");
    } else {
      const std::string msg = "Enter a page number from 1 to " + std::to_string(total_);
      win_.set("?CURRENTPAGE", ui::Prop::RangeHigh, total_);
      win_.set("?CURRENTPAGE", ui::Prop::Status, msg);
      win_.set("?CURRENTPAGE", ui::Prop::Tip, msg);
    }
    mode_ = NoZoom;
    refresh();
  }

  // Handles one event; false when the window is to close.
  bool handle(const ui::Event& ev) {
    switch (ev.kind) {
      case EventKind::Sized: ui::postToThread(ui::kRefreshEvent); return true;
      case EventKind::Private:
        if (ev.number == ui::kRefreshEvent) refresh();
        return true;
      case EventKind::AlertKey:
        if (ev.key == ui::Key::PgDn)
          next();
        else if (ev.key == ui::Key::PgUp)
          previous();
        else
          return true;
        refresh();
        return true;
      case EventKind::Rejected: spinRejected(ev.control); return true;
      case EventKind::Accepted: return accepted(ev.control);
      case EventKind::NewSelection: return accepted(ev.control);  // a spin stepped by its arrows
      default: return true;
    }
  }

  bool printChosen() const { return print_; }

 private:
  bool accepted(int id) {
    const std::string eq = win_.equate(id);
    if (eq == "?PRINT" || eq == "?PRINTBUTTON") {
      print_ = true;
      return false;
    }
    if (eq == "?EXIT" || eq == "?EXITBUTTON") return false;
    if (eq == "?NEXT") {
      next();
    } else if (eq == "?PREVIOUS") {
      previous();
    } else if (eq == "?JUMP") {
      current_ = jump();
    } else if (eq == "?CHANGEDISPLAY") {
      changeDisplay();
    } else if (eq == "?ZOOMBUTTON") {
      static constexpr std::array<const char*, kModes> items = {"No Zoom", "Page Width", "50%", "75%",
                                                                "100%",    "200%",       "300%"};
      std::string menu;
      for (int m = 0; m < kModes; ++m)
        menu += std::string(m == 0   ? ""
                            : m == 1 ? "|-|"
                                     : "|") +
                (m == mode_ ? "+" : "") + items[static_cast<std::size_t>(m)];
      const int chosen = ui::popup(menu);
      if (chosen == 0) return true;
      mode_ = static_cast<Mode>(chosen - 1);
    } else if (eq == "?CURRENTPAGE") {
      current_ = std::clamp(current_, 1, total_);
    } else if (eq == "?PAGESACROSS" || eq == "?PAGESDOWN") {
      mode_ = NoZoom;
    } else if (id == magnified_) {
      mode_ = NoZoom;
    } else if (const int k = cellOf(id); k > 0) {
      current_ = current_ + k - 1;
      mode_ = PageWidth;
    } else if (const int m = modeOf(eq); m >= 0) {
      mode_ = static_cast<Mode>(m);
    } else {
      return true;
    }
    refresh();
    return true;
  }

  // A typed value outside a spin's range: the spin takes the limit and acts on it.
  void spinRejected(int id) {
    const std::string eq = win_.equate(id);
    int* var = eq == "?CURRENTPAGE"   ? &current_
               : eq == "?PAGESACROSS" ? &across_
               : eq == "?PAGESDOWN"   ? &down_
                                      : nullptr;
    if (!var || !clampSpin(win_, id, *var)) return;
    if (var != &current_) mode_ = NoZoom;
    refresh();
  }

  void next() {
    if (mode_ == NoZoom) {
      if (current_ + shown() <= total_) current_ += shown();
    } else if (current_ < total_) {
      ++current_;
    }
  }
  void previous() {
    if (mode_ == NoZoom)
      current_ = std::max(1, current_ - shown());
    else if (current_ > 1)
      --current_;
  }

  int jump() {
    int page = current_;
    ui::Window jw(jumpWindowDef(total_));
    jw.bind("?JUMPPAGE", page);
    jw.open();
    int answer = current_;
    while (auto ev = jw.accept()) {
      if (ev.kind == EventKind::Rejected) clampSpin(jw, ev.control, page);
      if (ev.kind != EventKind::Accepted) continue;
      const std::string eq = jw.equate(ev.control);
      if (eq == "?OKBUTTON") {
        answer = std::clamp(page, 1, total_);
        break;
      }
      if (eq == "?CANCELBUTTON") break;
    }
    jw.close();
    return answer;
  }

  // The numbers the user sets are kept however the window is left: it has no Cancel.
  void changeDisplay() {
    ui::Window dw(displayWindowDef());
    dw.bind("?INPUT:PAGESACROSS", across_);
    dw.bind("?INPUT:PAGESDOWN", down_);
    dw.open();
    while (auto ev = dw.accept()) {
      if (ev.kind == EventKind::Rejected) {
        const std::string eq = dw.equate(ev.control);
        clampSpin(dw, ev.control, eq == "?INPUT:PAGESACROSS" ? across_ : down_);
      }
      if (ev.kind == EventKind::Accepted && dw.equate(ev.control) == "?OK") break;
    }
    dw.close();
  }

  // Pages the set view shows at once (0 while a page is magnified).
  int shown() const { return static_cast<int>(cells_.size()); }

  int cellOf(int id) const {
    for (std::size_t k = 0; k < cells_.size(); ++k)
      if (cells_[k].image == id) return static_cast<int>(k) + 1;
    return 0;
  }
  static int modeOf(const std::string& eq) {
    for (int m = 0; m < kModes; ++m)
      if (eq == kModeItems[static_cast<std::size_t>(m)]) return m;
    return -1;
  }

  void refresh() {
    keepInRange();
    const int cw = static_cast<int>(win_.getNumber(0, ui::Prop::ClientWidth));
    const int ch = static_cast<int>(win_.getNumber(0, ui::Prop::ClientHeight));
    placeSpinRow(ch);
    if (mode_ == NoZoom) {
      if (magnified_) {
        win_.destroy(magnified_);
        magnified_ = 0;
      }
      if (across_ != builtAcross_ || down_ != builtDown_) buildCells();
      layoutCells(cw, ch);
      fillCells();
      win_.setStatus(3, kModeStatus[NoZoom]);
    } else {
      removeCells();
      if (!magnified_) {
        magnified_ = win_.create(
            ControlDef{.kind = ControlKind::Image, .equate = "?MAGNIFIED", .hscroll = true, .vscroll = true});
        win_.set(magnified_, ui::Prop::Cursor, "zoom");
        magnifiedShows_.clear();
      }
      showMagnified(cw, ch);
    }
    for (int m = 0; m < kModes; ++m)
      win_.set(kModeItems[static_cast<std::size_t>(m)], ui::Prop::Checked, m == mode_ ? 1 : 0);
    win_.display();
  }

  // Whatever the spins handed over (a backend may report other limits than it was given),
  // the view shows pages of the list and builds 1 to 10 cells each way.
  void keepInRange() {
    current_ = std::clamp(current_, 1, std::max(1, total_));
    across_ = std::clamp(across_, 1, kMaxCells);
    down_ = std::clamp(down_, 1, kMaxCells);
  }

  void placeSpinRow(int clientHeight) {
    const int y = std::max(0, clientHeight - kSpinRow + 2);
    for (const char* eq : {"?CURRENTPAGE", "?PAGESACROSS", "?PAGESDOWN"}) win_.set(eq, ui::Prop::Y, y);
    for (const char* eq : {"?CURRENTPAGE:PROMPT", "?PAGESACROSS:PROMPT", "?PAGESDOWN:PROMPT"})
      win_.set(eq, ui::Prop::Y, y + 2);
  }

  void removeCells() {
    for (const Cell& c : cells_) {
      win_.destroy(c.image);
      win_.destroy(c.frame);
    }
    cells_.clear();
    builtAcross_ = builtDown_ = 0;
  }

  void buildCells() {
    removeCells();
    for (int k = 0; k < across_ * down_; ++k) {
      Cell c;
      c.frame = win_.create(ControlDef{.kind = ControlKind::Box, .equate = "?FRAME" + std::to_string(k + 1)});
      c.image = win_.create(ControlDef{.kind = ControlKind::Image, .equate = "?PAGE" + std::to_string(k + 1)});
      win_.set(c.image, ui::Prop::Cursor, "zoom");
      cells_.push_back(c);
    }
    builtAcross_ = across_;
    builtDown_ = down_;
  }

  void layoutCells(int cw, int ch) {
    const std::vector<PreviewCell> r = previewCells(cw, ch, builtAcross_, builtDown_, shape_);
    for (std::size_t k = 0; k < cells_.size() && k < r.size(); ++k)
      for (int id : {cells_[k].frame, cells_[k].image}) {
        win_.set(id, ui::Prop::X, r[k].x);
        win_.set(id, ui::Prop::Y, r[k].y);
        win_.set(id, ui::Prop::Width, r[k].width);
        win_.set(id, ui::Prop::Height, r[k].height);
      }
  }

  void fillCells() {
    for (std::size_t k = 0; k < cells_.size(); ++k) {
      Cell& c = cells_[k];
      const int page = current_ + static_cast<int>(k);
      if (page <= total_) {
        const std::string& file = pages_[static_cast<std::size_t>(page - 1)];
        if (c.shows != file) {
          win_.set(c.image, ui::Prop::ImageFile, file);
          c.shows = file;
        }
        win_.unhide(c.frame);
        win_.unhide(c.image);
      } else {
        win_.hide(c.frame);
        win_.hide(c.image);
      }
    }
    if (total_ > 1) {
      if (current_ == 1)
        win_.disable("?PREVIOUS");
      else
        win_.enable("?PREVIOUS");
      if (current_ + shown() > total_)
        win_.disable("?NEXT");
      else
        win_.enable("?NEXT");
    }
    const int last = std::min(current_ + shown() - 1, total_);
    if (shown() == 1 || current_ == total_)
      win_.setStatus(2, "Page " + std::to_string(current_) + " of " + std::to_string(total_));
    else
      win_.setStatus(
          2, "Pages " + std::to_string(current_) + "-" + std::to_string(last) + " of " + std::to_string(total_));
  }

  void showMagnified(int cw, int ch) {
    const int percent = kModePercent[static_cast<std::size_t>(mode_)];
    win_.set(magnified_, ui::Prop::X, 0);
    win_.set(magnified_, ui::Prop::Y, 0);
    win_.set(magnified_, ui::Prop::Width, cw);
    win_.set(magnified_, ui::Prop::Height, std::max(1, ch - kSpinRow));
    win_.set(magnified_, ui::Prop::HScroll, mode_ == PageWidth ? 0 : 1);
    win_.set(magnified_, ui::Prop::Zoom, percent);
    win_.setStatus(3, kModeStatus[static_cast<std::size_t>(mode_)]);
    const std::string& file = pages_[static_cast<std::size_t>(current_ - 1)];
    if (magnifiedShows_ != file) {
      win_.set(magnified_, ui::Prop::ImageFile, file);
      magnifiedShows_ = file;
    }
    win_.setStatus(2, "Page " + std::to_string(current_) + " of " + std::to_string(total_));
  }

  ui::Window& win_;
  const std::vector<std::string>& pages_;
  int pageWidth_ = 0, pageHeight_ = 0;
  double shape_ = 1;
  int total_ = 0;
  int current_ = 1, across_ = 1, down_ = 1;
  Mode mode_ = NoZoom;
  std::vector<Cell> cells_;
  int builtAcross_ = 0, builtDown_ = 0;
  int magnified_ = 0;
  std::string magnifiedShows_;
  bool print_ = false;
};

}  // namespace

bool clampSpin(ui::Window& win, const ui::Ctl& spin, int& var) {
  const std::string typed = win.value(spin);
  char* end = nullptr;
  const long v = std::strtol(typed.c_str(), &end, 10);
  if (end == typed.c_str()) {
    win.refuse(spin);
    return false;
  }
  const long low = static_cast<long>(win.getNumber(spin, ui::Prop::RangeLow));
  const long high = static_cast<long>(win.getNumber(spin, ui::Prop::RangeHigh));
  var = static_cast<int>(std::clamp(v, low, std::max(low, high)));
  win.display(spin);
  return true;
}

std::vector<PreviewCell> previewCells(int clientWidth, int clientHeight, int across, int down, double shape) {
  across = std::max(1, across);
  down = std::max(1, down);
  const int hgaps = (across - 1) * 3 + 2;
  const int vgaps = (down - 1) * 3 + 2;
  int w = std::max(1, (clientWidth - hgaps) / across);
  int h = std::max(1, (clientHeight - kSpinRow - vgaps) / down);
  if (shape <= static_cast<double>(h) / w)
    h = std::max(1, static_cast<int>(w * shape));
  else
    w = std::max(1, static_cast<int>(h / shape));
  std::vector<PreviewCell> cells;
  for (int r = 0; r < down; ++r)
    for (int c = 0; c < across; ++c) cells.push_back({1 + c * (w + 3), 1 + r * (h + 3), w, h});
  return cells;
}

void PreviewWindow(const std::vector<std::string>& pages) {
  data::ThreadState& t = data::thr();
  data::takeThreadRequest();
  ui::Window win(previewWindowDef());
  Preview preview(win, pages);
  win.open();
  bool ok = preview.measure();
  if (ok) preview.start();
  while (ok) {
    const ui::Event ev = win.accept();
    if (!ev) break;
    if (ev.kind == EventKind::CloseWindow) continue;  // the next accept() closes the window
    if (!preview.handle(ev)) break;
  }
  win.close();
  t.ThreadResponse = preview.printChosen() ? data::Response::Completed : data::Response::Cancelled;
}

}  // namespace shell
