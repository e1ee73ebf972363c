#pragma once
// Painting of laid-out pages with Qt (internal to the report engine).
#include <QtCore/QSizeF>
#include <QtGui/QPainter>
#include <string>

#include "platform/report/report.h"

namespace report::detail {

// The paper's size in millimetres, turned for landscape.
QSizeF paperMm(const PageSetup& setup);
// The width and height inside the margins, in millimetres.
double contentWidth(const PageSetup& setup);
double contentHeight(const PageSetup& setup);

// Paints one page; the painter's origin is the paper's top left corner, `dpm` its dots per mm.
void paintPage(QPainter& p, const Page& page, const PageSetup& setup, double dpm);
// One page as a PNG file at Report::kImageDpi.
bool writePageImage(const Page& page, const PageSetup& setup, const std::string& path, std::string& error);

}  // namespace report::detail
