#include "platform/report/paint.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QString>
#include <QtGui/QFont>
#include <QtGui/QFontDatabase>
#include <QtGui/QFontMetricsF>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPageSize>
#include <QtGui/QPen>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/report/painter_thread.h"

namespace report {

bool canPaint() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

namespace {

// Without a session (cron, ssh, CI) Qt falls back to /tmp/runtime-<user> and says so on stderr,
// which a scripted run reports as a failure: take the same folder quietly.
void ensureRuntimeDir() {
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  if (dir && *dir) return;
  const std::string fallback = "/tmp/runtime-" + std::to_string(::getuid());
  ::mkdir(fallback.c_str(), 0700);
  struct stat st {};
  if (::stat(fallback.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 0077) == 0)
    ::setenv("XDG_RUNTIME_DIR", fallback.c_str(), 1);
}

}  // namespace

struct Painting::App {
  // Qt keeps the arguments for the application's life.
  std::string program, option = "-platform", platform = "offscreen";
  std::vector<char*> argv;
  int argc = 3;
  std::unique_ptr<QGuiApplication> app;
};

Painting::Painting(int& argc, char** argv) : app_(std::make_unique<App>()) {
  if (QCoreApplication::instance()) return;  // the program's own application paints
  App& a = *app_;
  a.program = argc > 0 && argv && argv[0] ? argv[0] : "lab2siv";
  a.argv = {a.program.data(), a.option.data(), a.platform.data(), nullptr};
  ensureRuntimeDir();
  a.app = std::make_unique<QGuiApplication>(a.argc, a.argv.data());
  // Fonts are found once here, on the main thread, before the painting thread paints.
  (void)QFontDatabase::families();
}

Painting::~Painting() { detail::stopPainter(); }

namespace detail {

namespace {

QFont fontFor(const Item& it, double dpm) {
  QFont f;
  if (it.fixedPitch) {
    f.setFamily(QStringLiteral("Monospace"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
  } else {
    f.setFamily(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
  }
  // Sizes in device pixels: the same page paints alike on a 96-dpi image and a 600-dpi PDF.
  f.setPixelSize(std::max(1, static_cast<int>(it.points * 25.4 / 72.0 * dpm + 0.5)));
  f.setBold(it.bold);
  // No ligatures: a printed "ff" stays two letters for anyone who searches or copies the PDF.
  f.setStyleStrategy(QFont::PreferNoShaping);
  return f;
}

// The longest start of the text that fits the width, whole characters only: clipping would
// still leave the rest in a PDF's text, over whatever stands to the right.
QString cutToWidth(const QFontMetricsF& fm, QString text, double width) {
  while (!text.isEmpty() && fm.horizontalAdvance(text) > width) {
    text.chop(1);
    if (!text.isEmpty() && text.back().isHighSurrogate()) text.chop(1);
  }
  return text;
}

}  // namespace

QSizeF paperMm(const PageSetup& setup) {
  const QSizeF s =
      QPageSize(setup.paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4).size(QPageSize::Millimeter);
  return setup.landscape ? s.transposed() : s;
}

double contentWidth(const PageSetup& setup) { return paperMm(setup).width() - 2 * setup.margin; }
double contentHeight(const PageSetup& setup) { return paperMm(setup).height() - 2 * setup.margin; }

void paintPage(QPainter& p, const Page& page, const PageSetup& setup, double dpm) {
  const double m = setup.margin;
  const double width = contentWidth(setup);
  for (const PlacedBand& pb : page.bands) {
    const double top = m + pb.y;
    for (const Item& it : pb.band.items) {
      if (it.rule) {
        const double len = it.width > 0 ? it.width : width - it.x;
        p.setPen(QPen(Qt::black, 0.3 * dpm));
        p.drawLine(QPointF((m + it.x) * dpm, (top + it.y) * dpm), QPointF((m + it.x + len) * dpm, (top + it.y) * dpm));
        continue;
      }
      const QFont f = fontFor(it, dpm);
      p.setFont(f);
      p.setPen(Qt::black);
      const QFontMetricsF fm(f, p.device());
      const double w = (it.width > 0 ? it.width : width - it.x) * dpm;
      const QString text = QString::fromUtf8(it.text);
      p.drawText(QRectF((m + it.x) * dpm, (top + it.y) * dpm, w, fm.height()),
                 (it.alignRight && it.width > 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextSingleLine |
                     (it.width > 0 ? 0 : Qt::TextDontClip),
                 it.width > 0 ? cutToWidth(fm, text, w) : text);
    }
  }
}

bool writePageImage(const Page& page, const PageSetup& setup, const std::string& path, std::string& error) {
  bool saved = false;
  onPainter([&] {
    const double dpm = Report::kImageDpi / 25.4;
    const QSizeF mm = paperMm(setup);
    // Grey levels are all a printed page holds; one byte a pixel keeps the files quick to write.
    QImage img(static_cast<int>(mm.width() * dpm + 0.5), static_cast<int>(mm.height() * dpm + 0.5),
               QImage::Format_Grayscale8);
    img.setDotsPerMeterX(static_cast<int>(dpm * 1000 + 0.5));
    img.setDotsPerMeterY(static_cast<int>(dpm * 1000 + 0.5));
    img.fill(Qt::white);
    {
      QPainter p(&img);
      p.setRenderHint(QPainter::Antialiasing);
      p.setRenderHint(QPainter::TextAntialiasing);
      paintPage(p, page, setup, dpm);
    }
    // Light compression: page images are written once and read back at once.
    saved = img.save(QString::fromStdString(path), "PNG", 80);
  });
  if (!saved) error = "Kan ikke skrive sidebildet " + path;
  return saved;
}

}  // namespace detail
}  // namespace report
