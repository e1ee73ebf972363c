#pragma once
// The report preview: the pages of a printed report on screen, paged, several at once or one
// magnified, before the user prints them or leaves. It runs on the caller's thread.
#include <string>
#include <vector>

#include "platform/ui/api/window_def.h"

namespace shell {

// Shows the page list (one PNG file name per page, page 1 first). On return the thread's
// response is 1 when the user chose Print and 2 when the user left any other way, also when
// there is no page or the first page cannot be read (a box says so).
void PreviewWindow(const std::vector<std::string>& pages);

// One cell of the set view, in dialog units of the window's client area.
struct PreviewCell {
  int x = 0, y = 0, width = 0, height = 0;
};
// The cells of a set view of `across` x `down` pages in a client area of the given size,
// each keeping the page shape (height / width of the first page), rows from the top left.
std::vector<PreviewCell> previewCells(int clientWidth, int clientHeight, int across, int down, double shape);

ui::WindowDef previewWindowDef();

}  // namespace shell
