#include "platform/dbase/table.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "platform/dbase/file_io.h"
#include "platform/dbase/key_expression.h"
#include "platform/dbase/open_files.h"
#include "platform/dbase/table_image.h"
#include "platform/text/codepage.h"

namespace dbase {

struct Table::IndexDef {
  std::string external;
  bool noCase = false;
  KeyExpression expr;
  // Built at open:
  std::vector<int> fields;
  std::vector<std::uint32_t> widths;
  std::vector<std::array<unsigned char, 256>> maps;  // per component: stored byte -> key byte
  std::size_t keyLength = 0;
  std::string keys;                    // one key per live row, keyLength bytes each
  std::vector<std::uint32_t> entries;  // live-row positions in key order
};

struct Table::Cursor {
  int index = -1;  // -1: the file's row order
  std::int64_t nextPos = 0;
  std::int64_t prevPos = 0;
  bool haveRow = false;
  std::uint32_t row = 0;
};

namespace {
constexpr std::size_t kHeaderReadLimit = 65536 + 32;
}

Table::Table() : cursor_(std::make_unique<Cursor>()) {}
Table::~Table() { close(); }

Error Table::fail(Error e) const {
  lastError_ = e;
  return e;
}

void Table::setName(std::string path) { name_ = std::move(path); }

int Table::declareIndex(std::string_view externalName, bool noCase) {
  IndexDef def;
  def.external = std::string(externalName);
  def.noCase = noCase;
  if (Error e = parseKeyExpression(externalName, def.expr); !e.ok()) {
    fail(e);
    return -1;
  }
  indexes_.push_back(std::move(def));
  return static_cast<int>(indexes_.size()) - 1;
}

Error Table::buildIndex(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= indexes_.size())
    return fail(makeError(Code::BadKey, "no such index"));
  if (image_) return fail(buildEntries(indexes_[static_cast<std::size_t>(index)]));
  std::string bytes;
  if (Error e = readFile(resolveName(name_), bytes, kHeaderReadLimit); !e.ok()) return fail(e);
  TableImage header;
  if (Error e = TableImage::parse(std::move(bytes), header, true); !e.ok())
    return fail(makeError(e.code, name_ + ": " + e.text));
  for (const auto& c : indexes_[static_cast<std::size_t>(index)].expr.components)
    if (header.fieldIndex(c.field) < 0)
      return fail(
          makeError(Code::BadKey, indexes_[static_cast<std::size_t>(index)].external + ": no field " + c.field));
  return fail({});
}

Error Table::rebuildKeys() {
  if (image_) {
    for (auto& def : indexes_)
      if (Error e = buildEntries(def); !e.ok()) return fail(e);
    return fail({});
  }
  std::string bytes;
  if (Error e = readFile(resolveName(name_), bytes, kHeaderReadLimit); !e.ok()) return fail(e);
  TableImage header;
  return fail(TableImage::parse(std::move(bytes), header, true));
}

Error Table::open(std::uint8_t mode) {
  if (image_) return fail(makeError(Code::AlreadyOpen, name_));
  const std::string path = resolveName(name_);
  // Non-blocking: a named pipe in the table's place must be refused, not waited on.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return fail(openError(errno, name_));
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    return fail(openError(err, name_));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return fail(makeError(Code::InvalidFile, name_ + " is not a regular file"));
  }
  const auto dev = static_cast<std::uint64_t>(st.st_dev);
  const auto ino = static_cast<std::uint64_t>(st.st_ino);
  if (!registerOpenFile(dev, ino)) {
    ::close(fd);
    return fail(makeError(Code::AlreadyOpen, name_));
  }
  auto undo = [&](Error e) {
    unregisterOpenFile(dev, ino);
    ::close(fd);
    return fail(e);
  };
  const int share = mode & 0xF0;
  const int lockOp = share == 0x10 || share == 0x30 ? LOCK_EX : share == 0x20 ? LOCK_SH : 0;
  if (lockOp != 0 && flock(fd, lockOp | LOCK_NB) != 0) {
    const int err = errno;
    return undo(err == EWOULDBLOCK ? makeError(Code::Locked, name_) : openError(err, name_));
  }
  std::string bytes;
  if (Error e = readAll(fd, bytes, static_cast<std::size_t>(-1), name_); !e.ok()) return undo(e);
  auto image = std::make_unique<TableImage>();
  if (Error e = TableImage::parse(std::move(bytes), *image); !e.ok())
    return undo(makeError(e.code, name_ + ": " + e.text));

  memoError_ = {};
  if (image->hasMemoFields()) {
    const std::string memoPath = findMemoFile(path);
    if (!memoPath.empty()) {
      std::string memoBytes;
      MemoFile memo;
      const bool fpt = text::upper1252(memoPath).ends_with(".FPT");
      const auto kind = fpt                                                      ? MemoFile::Kind::Fpt
                        : (image->version() == 0x83 || image->version() == 0x03) ? MemoFile::Kind::Dbt3
                                                                                 : MemoFile::Kind::Dbt4;
      memoError_ = readFile(memoPath, memoBytes, static_cast<std::size_t>(-1));
      if (memoError_.ok()) memoError_ = MemoFile::parse(std::move(memoBytes), kind, memo);
      if (memoError_.ok()) image->attachMemo(std::move(memo));
    }
  }

  liveRows_.clear();
  liveRows_.reserve(image->recordCount());
  for (std::uint32_t r = 0; r < image->recordCount(); ++r)
    if (!image->deleted(r)) liveRows_.push_back(r);

  image_ = std::move(image);
  for (auto& def : indexes_) {
    if (Error e = buildEntries(def); !e.ok()) {
      image_.reset();
      liveRows_.clear();
      return undo(e);
    }
  }
  lockFd_ = fd;
  fileId_[0] = dev;
  fileId_[1] = ino;
  *cursor_ = Cursor{};
  return fail({});
}

void Table::close() {
  if (!image_) return;
  image_.reset();
  liveRows_.clear();
  for (auto& def : indexes_) {
    def.keys.clear();
    def.keys.shrink_to_fit();
    def.entries.clear();
    def.entries.shrink_to_fit();
  }
  unregisterOpenFile(fileId_[0], fileId_[1]);
  ::close(lockFd_);  // releases the lock
  lockFd_ = -1;
  *cursor_ = Cursor{};
}

Error Table::buildEntries(IndexDef& def) const {
  const TableImage& img = *image_;
  def.fields.clear();
  def.widths.clear();
  def.maps.clear();
  def.keyLength = 0;
  for (const auto& c : def.expr.components) {
    const int f = img.fieldIndex(c.field);
    if (f < 0) return makeError(Code::BadKey, def.external + ": no field " + c.field + " in " + name_);
    def.fields.push_back(f);
    def.widths.push_back(img.fields()[static_cast<std::size_t>(f)].length);
    def.keyLength += img.fields()[static_cast<std::size_t>(f)].length;
    std::array<unsigned char, 256> map{};
    for (int b = 0; b < 256; ++b) {
      unsigned char k = b == 0 ? ' ' : img.codePage().cp1252[static_cast<std::size_t>(b)];
      if (def.noCase || c.upper) k = text::upper1252(k);
      map[static_cast<std::size_t>(b)] = k;
    }
    def.maps.push_back(map);
  }
  const std::size_t n = liveRows_.size();
  def.keys.assign(n * def.keyLength, ' ');
  char* out = def.keys.data();
  for (std::uint32_t row : liveRows_) {
    for (std::size_t c = 0; c < def.fields.size(); ++c) {
      const std::string_view v = img.raw(row, def.fields[c]);
      const auto& map = def.maps[c];
      for (char ch : v) *out++ = static_cast<char>(map[static_cast<unsigned char>(ch)]);
    }
  }
  def.entries.resize(n);
  for (std::uint32_t i = 0; i < n; ++i) def.entries[i] = i;
  const char* keys = def.keys.data();
  const std::size_t len = def.keyLength;
  // Stable, so equal keys keep the file's row order.
  std::stable_sort(def.entries.begin(), def.entries.end(), [keys, len](std::uint32_t a, std::uint32_t b) {
    return std::memcmp(keys + std::size_t{a} * len, keys + std::size_t{b} * len, len) < 0;
  });
  return {};
}

const std::vector<Field>& Table::fields() const {
  static const std::vector<Field> none;
  return image_ ? image_->fields() : none;
}

int Table::fieldIndex(std::string_view name) const { return image_ ? image_->fieldIndex(name) : -1; }
std::uint32_t Table::liveRecords() const { return static_cast<std::uint32_t>(liveRows_.size()); }
int Table::codePage() const { return image_ ? image_->codePage().codePage : 0; }

namespace {

std::string makeKey(const std::vector<std::uint32_t>& widths, bool upper, const std::vector<std::string>& values) {
  std::string key;
  for (std::size_t c = 0; c < widths.size(); ++c) {
    std::string v = c < values.size() ? values[c] : std::string();
    v.resize(widths[c], ' ');
    key += upper ? text::upper1252(v) : v;
  }
  return key;
}

}  // namespace

Error Table::set(int index, const std::vector<std::string>& keyCp1252) {
  if (!image_) return fail(makeError(Code::NotOpen, name_));
  if (index < 0 || static_cast<std::size_t>(index) >= indexes_.size())
    return fail(makeError(Code::BadKey, "no such index"));
  const IndexDef& def = indexes_[static_cast<std::size_t>(index)];
  std::string key = makeKey(def.widths, false, keyCp1252);
  // Components compare as the index holds them.
  std::size_t at = 0;
  for (std::size_t c = 0; c < def.widths.size(); ++c) {
    for (std::size_t i = 0; i < def.widths[c]; ++i)
      if (def.noCase || def.expr.components[c].upper)
        key[at + i] = static_cast<char>(text::upper1252(static_cast<unsigned char>(key[at + i])));
    at += def.widths[c];
  }
  const char* keys = def.keys.data();
  const std::size_t len = def.keyLength;
  auto less = [&](std::uint32_t e, const std::string& k) {
    return std::memcmp(keys + std::size_t{e} * len, k.data(), len) < 0;
  };
  auto greater = [&](const std::string& k, std::uint32_t e) {
    return std::memcmp(k.data(), keys + std::size_t{e} * len, len) < 0;
  };
  const auto lb = std::lower_bound(def.entries.begin(), def.entries.end(), key, less);
  const auto ub = std::upper_bound(lb, def.entries.end(), key, greater);
  cursor_->index = index;
  cursor_->nextPos = lb - def.entries.begin();
  cursor_->prevPos = ub - def.entries.begin();
  cursor_->haveRow = false;
  return fail({});
}

Error Table::setStart(int index) {
  if (!image_) return fail(makeError(Code::NotOpen, name_));
  if (index < -1 || index >= static_cast<int>(indexes_.size())) return fail(makeError(Code::BadKey, "no such index"));
  cursor_->index = index;
  cursor_->nextPos = 0;
  cursor_->prevPos = static_cast<std::int64_t>(liveRows_.size());
  cursor_->haveRow = false;
  return fail({});
}

Error Table::get(int index, const std::vector<std::string>& keyCp1252) {
  if (Error e = set(index, keyCp1252); !e.ok()) return e;
  if (cursor_->nextPos >= cursor_->prevPos) return fail(makeError(Code::NotFound, name_));
  return readEntry(cursor_->nextPos);
}

Error Table::readEntry(std::int64_t pos) {
  const std::uint32_t live =
      cursor_->index < 0 ? static_cast<std::uint32_t>(pos)
                         : indexes_[static_cast<std::size_t>(cursor_->index)].entries[static_cast<std::size_t>(pos)];
  cursor_->row = liveRows_[live];
  cursor_->haveRow = true;
  cursor_->nextPos = pos + 1;
  cursor_->prevPos = pos;
  return fail({});
}

Error Table::next() {
  if (!image_) return fail(makeError(Code::NotOpen, name_));
  if (cursor_->nextPos >= static_cast<std::int64_t>(liveRows_.size())) return fail(makeError(Code::NoMoreRecords));
  return readEntry(cursor_->nextPos);
}

Error Table::previous() {
  if (!image_) return fail(makeError(Code::NotOpen, name_));
  if (cursor_->prevPos <= 0) return fail(makeError(Code::NoMoreRecords));
  return readEntry(cursor_->prevPos - 1);
}

std::uint32_t Table::recordNumber() const { return cursor_->haveRow ? cursor_->row + 1 : 0; }

namespace {
bool validField(const TableImage* img, int field) {
  return img && field >= 0 && static_cast<std::size_t>(field) < img->fields().size();
}
}  // namespace

std::string_view Table::raw(int field) const {
  return validField(image_.get(), field) && cursor_->haveRow ? image_->raw(cursor_->row, field) : std::string_view();
}
std::string Table::cp1252(int field) const {
  return validField(image_.get(), field) && cursor_->haveRow ? image_->cp1252(cursor_->row, field) : std::string();
}
std::string Table::text(int field) const {
  return validField(image_.get(), field) && cursor_->haveRow ? image_->text(cursor_->row, field) : std::string();
}
double Table::number(int field) const {
  return validField(image_.get(), field) && cursor_->haveRow ? image_->number(cursor_->row, field) : 0.0;
}
std::int32_t Table::date(int field) const {
  return validField(image_.get(), field) && cursor_->haveRow ? image_->date(cursor_->row, field) : 0;
}
bool Table::logical(int field) const {
  return validField(image_.get(), field) && cursor_->haveRow && image_->logical(cursor_->row, field);
}
std::uint32_t Table::memoBlock(int field) const {
  return validField(image_.get(), field) && cursor_->haveRow ? image_->memoBlock(cursor_->row, field) : 0;
}
Error Table::memo(int field, std::string& utf8) const {
  utf8.clear();
  if (!validField(image_.get(), field) || !cursor_->haveRow) return fail(makeError(Code::NotOpen, name_));
  if (!memoError_.ok() && memoBlock(field) != 0) return fail(memoError_);
  return fail(image_->memo(cursor_->row, field, utf8));
}

}  // namespace dbase
