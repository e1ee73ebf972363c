#include "platform/ui/qt/qt_control.h"

#include <QLineEdit>
#include <cstdlib>

namespace ui::qt {

bool ControlAdapter::apply(const PropChange& ch) {
  if (ch.prop != Prop::Text) return false;
  held_ = ch.text;
  return true;
}

std::optional<PropValue> ControlAdapter::read(Prop p) const {
  if (p == Prop::Text) return PropValue{held_, 0};
  return std::nullopt;
}

void ControlAdapter::watchTyping(QLineEdit* edit) {
  QObject::connect(edit, &QLineEdit::textEdited, this, [this] { typed_ = true; });
}

void ControlAdapter::left() {
  if (!typed_) return;
  typed_ = false;
  send(EventKind::Accepted, Key::Tab);
}

long long numberOf(const std::string& text, long long number) {
  return text.empty() ? number : std::atoll(text.c_str());
}

std::unique_ptr<ControlAdapter> adapterFor(ControlKind kind, ControlHost& host, int id) {
  switch (kind) {
    case ControlKind::Prompt: return labelAdapter(host, id, true);
    case ControlKind::Text: return labelAdapter(host, id, false);
    case ControlKind::Entry: return entryAdapter(host, id);
    case ControlKind::Spin: return spinAdapter(host, id);
    case ControlKind::Progress: return progressAdapter(host, id);
    case ControlKind::Button: return buttonAdapter(host, id);
    case ControlKind::Check: return checkAdapter(host, id);
    case ControlKind::Option: return optionAdapter(host, id);
    case ControlKind::Radio: return radioAdapter(host, id);
    case ControlKind::Combo:
    case ControlKind::DropList: return comboAdapter(host, id);
    case ControlKind::List: return listAdapter(host, id);
    case ControlKind::Sheet: return sheetAdapter(host, id);
    case ControlKind::Tab: return tabAdapter(host, id);
    case ControlKind::Group:
    case ControlKind::Panel:
    case ControlKind::Box: return frameAdapter(host, id, kind);
    case ControlKind::Image: return imageAdapter(host, id);
    case ControlKind::Region: return regionAdapter(host, id);
  }
  return frameAdapter(host, id, ControlKind::Panel);
}

}  // namespace ui::qt
