#pragma once
// The desktop's services: default handlers for documents and links, the text editor, and the
// full-window-drag setting.
#include <string_view>

namespace sys {

// Opens a file or URL with the desktop's default handler (xdg-open, not waited for).
bool openDocument(std::string_view pathOrUrl);
// Opens a file in $VISUAL, else $EDITOR, else the default handler; the file name is one argument.
bool openInTextEditor(std::string_view file);

// The full-window-drag setting. Linux has no such setting: the default reports off and
// ignores sets. Tests install a double.
class Desktop {
 public:
  virtual ~Desktop();
  virtual bool fullWindowDrag() const;
  virtual void setFullWindowDrag(bool on);
};

Desktop& desktop();
// Installs a desktop (not owned); nullptr restores the default.
void setDesktop(Desktop* d);

}  // namespace sys
