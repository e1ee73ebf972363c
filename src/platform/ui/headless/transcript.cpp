#include "platform/ui/headless/transcript.h"

namespace ui::headless {

bool Transcript::openFile(const std::string& path) {
  std::lock_guard lock(m_);
  file_.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
  return static_cast<bool>(file_);
}

void Transcript::mirrorTo(std::ostream& out) {
  std::lock_guard lock(m_);
  mirror_ = &out;
}

void Transcript::add(std::string line) {
  std::lock_guard lock(m_);
  if (file_.is_open()) {
    file_ << line << '\n';
    file_.flush();
  } else if (mirror_) {
    *mirror_ << line << '\n';
    mirror_->flush();
  }
  lines_.push_back(std::move(line));
}

std::vector<std::string> Transcript::lines() const {
  std::lock_guard lock(m_);
  return lines_;
}

std::string Transcript::text() const {
  std::lock_guard lock(m_);
  std::string out;
  for (const std::string& l : lines_) {
    out += l;
    out += '\n';
  }
  return out;
}

std::string quote(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

}  // namespace ui::headless
