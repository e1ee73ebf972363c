#include "platform/ui/qt/key_codes.h"

#include <QKeyEvent>

#include "platform/ui/api/event.h"

namespace ui::qt {
namespace {

struct KeyPair {
  int qt;
  int code;
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_Return, Key::Enter},  {Qt::Key_Enter, Key::Enter},         {Qt::Key_Escape, Key::Esc},
    {Qt::Key_Tab, Key::Tab},       {Qt::Key_Backspace, Key::Backspace}, {Qt::Key_Space, Key::Space},
    {Qt::Key_PageUp, Key::PgUp},   {Qt::Key_PageDown, Key::PgDn},       {Qt::Key_End, Key::End},
    {Qt::Key_Home, Key::Home},     {Qt::Key_Left, Key::Left},           {Qt::Key_Up, Key::Up},
    {Qt::Key_Right, Key::Right},   {Qt::Key_Down, Key::Down},           {Qt::Key_Insert, Key::Insert},
    {Qt::Key_Delete, Key::Delete}, {Qt::Key_Menu, Key::Apps},           {Qt::Key_Apostrophe, Key::Quote},
};

int modifiers(Qt::KeyboardModifiers m) {
  int out = 0;
  if (m & Qt::ShiftModifier) out |= Key::Shift;
  if (m & Qt::ControlModifier) out |= Key::Ctrl;
  if (m & Qt::AltModifier) out |= Key::Alt;
  return out;
}

}  // namespace

int keyCode(const QKeyEvent& e, std::string* character) {
  if (character) character->clear();
  const int k = e.key();
  int code = 0;
  for (const KeyPair& p : kKeys)
    if (p.qt == k) code = p.code;
  if (!code && k >= Qt::Key_F1 && k <= Qt::Key_F12) code = Key::F1 + (k - Qt::Key_F1);
  if (!code && ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))) code = k;
  const QString typed = e.text();
  const bool printable = !typed.isEmpty() && typed.at(0).isPrint() && typed != QStringLiteral(" ");
  if (!code && printable) code = typed.at(0).unicode() < 0x80 ? typed.at(0).toUpper().unicode() : 0xFF;
  if (!code) return 0;
  const int mods = modifiers(e.modifiers() & ~Qt::KeypadModifier);
  // Shift is part of a typed character, not a modifier the program tests.
  const bool ctrlOrAlt = (mods & (Key::Ctrl | Key::Alt)) != 0;
  if (character && printable && !ctrlOrAlt) *character = typed.toStdString();
  return printable && !ctrlOrAlt ? code : (code | mods);
}

QKeySequence keySequence(int code) {
  if (code <= 0) return {};
  const int base = code & 0xFF;
  int qt = 0;
  for (const KeyPair& p : kKeys)
    if (p.code == base && p.qt != Qt::Key_Enter) qt = p.qt;
  if (!qt && base >= Key::F1 && base < Key::F1 + 12) qt = Qt::Key_F1 + (base - Key::F1);
  if (!qt && ((base >= 'A' && base <= 'Z') || (base >= '0' && base <= '9'))) qt = base;
  if (!qt) return {};
  int mods = 0;
  if (code & Key::Shift) mods |= Qt::SHIFT;
  if (code & Key::Ctrl) mods |= Qt::CTRL;
  if (code & Key::Alt) mods |= Qt::ALT;
  return QKeySequence(qt | mods);
}

}  // namespace ui::qt
