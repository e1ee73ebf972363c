#include "platform/ini/ini_text.h"

#include <vector>

#include "platform/text/codepage.h"

namespace ini {
namespace {

enum class Kind { Blank, Comment, Section, Key, Malformed };

struct Line {
  Kind kind = Kind::Malformed;
  std::string_view name;       // section or key
  std::string_view value;      // key lines
  std::size_t valueStart = 0;  // offset of the value in the line (after blanks following '=')
};

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

Line classify(std::string_view raw) {
  Line l;
  const std::string_view t = trim(raw);
  if (t.empty()) {
    l.kind = Kind::Blank;
  } else if (t.front() == ';' || t.front() == '#') {
    l.kind = Kind::Comment;
  } else if (t.front() == '[') {
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos) return l;
    l.kind = Kind::Section;
    l.name = trim(t.substr(1, close - 1));
  } else if (const std::size_t eq = raw.find('='); eq != std::string_view::npos) {
    l.name = trim(raw.substr(0, eq));
    if (l.name.empty()) return l;
    l.kind = Kind::Key;
    std::size_t v = eq + 1;
    while (v < raw.size() && (raw[v] == ' ' || raw[v] == '\t')) ++v;
    l.valueStart = v;
    l.value = trim(raw.substr(v));
  }
  return l;
}

bool sameName(std::string_view a, std::string_view b) {
  return text::upper1252(text::toCp1252(a)) == text::upper1252(text::toCp1252(b));
}

std::vector<std::string_view> splitLines(std::string_view content) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start <= content.size()) {
    const std::size_t nl = content.find('\n', start);
    if (nl == std::string_view::npos) {
      lines.push_back(content.substr(start));
      break;
    }
    lines.push_back(content.substr(start, nl - start));
    start = nl + 1;
  }
  return lines;  // content ending in '\n' gives a last empty element
}

std::string oneLine(std::string_view value) {
  std::string v(value);
  for (char& c : v)
    if (c == '\n' || c == '\r') c = ' ';
  return std::string(trim(v));
}

}  // namespace

std::optional<std::string> findValue(std::string_view content, std::string_view section, std::string_view key) {
  bool inSection = false;
  for (std::string_view raw : splitLines(content)) {
    const Line l = classify(raw);
    if (l.kind == Kind::Section) {
      inSection = sameName(l.name, section);
    } else if (inSection && l.kind == Kind::Key && sameName(l.name, key)) {
      return std::string(l.value);
    }
  }
  return std::nullopt;
}

std::string withValue(std::string_view content, std::string_view section, std::string_view key,
                      std::string_view value) {
  std::vector<std::string_view> lines = splitLines(content);
  const std::string v = oneLine(value);
  const bool crlf = !lines.empty() && !lines.front().empty() && lines.front().back() == '\r';
  const std::string eol = crlf ? "\r" : "";

  std::vector<std::string> out(lines.begin(), lines.end());
  std::optional<std::size_t> sectionEnd;  // index after the first matching section's last line
  bool inSection = false;
  bool inFirst = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line l = classify(lines[i]);
    if (l.kind == Kind::Section) {
      inSection = sameName(l.name, section);
      inFirst = inSection && !sectionEnd;
      if (inFirst) sectionEnd = i + 1;
      continue;
    }
    if (!inSection) continue;
    if (l.kind == Kind::Key && sameName(l.name, key)) {
      const bool cr = !lines[i].empty() && lines[i].back() == '\r';
      out[i] = std::string(lines[i].substr(0, l.valueStart)) + v + (cr ? "\r" : "");
      std::string joined;
      for (std::size_t k = 0; k < out.size(); ++k) {
        if (k) joined += '\n';
        joined += out[k];
      }
      return joined;
    }
    if (inFirst && l.kind != Kind::Blank) sectionEnd = i + 1;
  }

  const std::string keyLine = std::string(key) + "=" + v + eol;
  if (sectionEnd) {
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), keyLine);
  } else {
    // A new section at the end, after one blank line.
    if (!out.empty() && out.back().empty()) out.pop_back();
    if (!out.empty() && !trim(out.back()).empty()) out.push_back(eol);
    out.push_back("[" + std::string(section) + "]" + eol);
    out.push_back(keyLine);
  }
  std::string joined;
  for (std::size_t k = 0; k < out.size(); ++k) {
    if (k) joined += '\n';
    joined += out[k];
  }
  if (!sectionEnd || *sectionEnd == out.size() - 1) {
    // The added line was last: end the file with a line break.
    if (!joined.ends_with('\n')) joined += '\n';
  }
  return joined;
}

bool isValidName(std::string_view name) {
  if (name.empty() || trim(name).size() != name.size()) return false;
  if (name.front() == ';' || name.front() == '#') return false;
  return name.find_first_of("[]\r\n") == std::string_view::npos;
}

std::string cutToLength(std::string_view utf8, std::size_t maxChars) {
  std::size_t i = 0;
  std::size_t chars = 0;
  while (i < utf8.size() && chars < maxChars) {
    ++i;
    while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
    ++chars;
  }
  return std::string(utf8.substr(0, i));
}

}  // namespace ini
