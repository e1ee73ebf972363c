#include "data/lab/lab_tables.h"

#include <cstring>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/text/codepage.h"
#include "platform/ui/api/message.h"

namespace data::lab {

namespace {

// Guards the owner, the tables and their row buffers. Recursive: a reader holding
// HeldLabTables calls the tables' reads, which take it again.
std::recursive_mutex& tablesMutex() {
  static std::recursive_mutex m;
  return m;
}
const LabTablesHolder* owner = nullptr;  // guarded by tablesMutex
std::thread::id ownerThread;             // guarded by tablesMutex

// Call with tablesMutex held.
bool heldHere() { return owner != nullptr && ownerThread == std::this_thread::get_id(); }

LabTableFactory& factory() {
  static LabTableFactory f;
  return f;
}

std::string trimmed(std::string_view s) { return std::string(text::trimRight(s)); }

void warn(const char* what, const std::string& diskName, const dbase::Error& e) {
  ui::message(std::string(what) + trimmed(diskName) + "|" + e.text, "Advarsel", ui::Icon::Information, ui::Button::Ok);
}

}  // namespace

// What OpenLabTables and CloseLabTables do to one table, kept out of the callers' view.
class LabTablesAccess {
 public:
  static void prepare(LabTableBase& t, const std::string& diskName) {
    if (!t.file_ || !t.file_->isOpen()) {
      t.file_ = factory() ? factory()(t.id_) : std::make_unique<dbase::Table>();
      for (const auto& k : labKeys())
        if (k.table == t.id_) t.file_->declareIndex(k.external, k.noCase);
    }
    if (!t.file_->isOpen()) t.file_->setName(diskName);
  }
  static dbase::Error open(LabTableBase& t) {
    dbase::Error e = t.file_->open(dbase::kReadWriteDenyAll);
    if (e.ok()) resolveColumns(t);
    return e;
  }
  static dbase::Error build(LabTableBase& t, LabKey key) { return t.file_->buildIndex(t.indexOf(key)); }
  static dbase::Error rebuild(LabTableBase& t) { return t.file_->rebuildKeys(); }
  static void close(LabTableBase& t) {
    if (t.file_) t.file_->close();
  }

 private:
  static void resolveColumns(LabTableBase& t) {
    t.columns_.clear();
    for (const auto& f : t.layout_) t.columns_.push_back(t.file_->fieldIndex(f.column));
  }
};

LabTablesHolder::~LabTablesHolder() { CloseLabTables(*this); }

LabTableBase::LabTableBase(LabTableId id, void* buffer, const std::vector<LabField>& layout)
    : id_(id), buffer_(buffer), layout_(layout) {}
LabTableBase::~LabTableBase() = default;

const std::string& LabTableBase::diskName() const {
  static const std::string none;
  return file_ ? file_->name() : none;
}

bool LabTableBase::isOpen() const {
  std::lock_guard lock(tablesMutex());
  return heldHere() && file_ && file_->isOpen();
}

int LabTableBase::indexOf(LabKey key) const {
  // Keys are declared in the order of labKeys(), so a key's index counts its table's earlier keys.
  int n = 0;
  for (const auto& k : labKeys()) {
    if (k.key == key) return k.table == id_ ? n : -1;
    if (k.table == id_) ++n;
  }
  return -1;
}

dbase::Error LabTableBase::fillBuffer(dbase::Error e) {
  if (!e.ok()) return e;
  for (std::size_t i = 0; i < layout_.size(); ++i) {
    const LabField& f = layout_[i];
    const int c = i < columns_.size() ? columns_[i] : -1;
    char* p = static_cast<char*>(buffer_) + f.offset;
    switch (f.kind) {
      case LabField::Kind::Text: {
        const std::string v = c >= 0 ? file_->cp1252(c) : std::string();
        const std::size_t n = std::min(v.size(), f.size);
        std::memcpy(p, v.data(), n);
        std::memset(p + n, ' ', f.size - n);
        break;
      }
      case LabField::Kind::Number: {
        const double v = c >= 0 ? file_->number(c) : 0.0;
        std::memcpy(p, &v, sizeof v);
        break;
      }
      case LabField::Kind::Date: {
        const std::int32_t v = c >= 0 ? file_->date(c) : 0;
        std::memcpy(p, &v, sizeof v);
        break;
      }
      case LabField::Kind::MemoPtr: {
        const auto v = static_cast<std::int32_t>(c >= 0 ? file_->memoBlock(c) : 0);
        std::memcpy(p, &v, sizeof v);
        break;
      }
    }
  }
  return e;
}

namespace {

// The buffer's values of a key's components, in Windows-1252 as the buffer holds them.
std::vector<std::string> keyValues(const void* buffer, const std::vector<LabField>& layout, LabKey key) {
  std::vector<std::string> values;
  for (const char* component : labKey(key).components) {
    std::string v;
    for (const auto& f : layout)
      if (f.kind == LabField::Kind::Text && std::strcmp(f.column, component) == 0)
        v.assign(static_cast<const char*>(buffer) + f.offset, f.size);
    values.push_back(std::move(v));
  }
  return values;
}

dbase::Error notOpen() { return dbase::makeError(dbase::Code::NotOpen); }
dbase::Error wrongKey(LabKey key) {
  return dbase::makeError(dbase::Code::BadKey, std::string(labKey(key).name) + " is not a key of this table");
}

}  // namespace

dbase::Error LabTableBase::set(LabKey key) {
  std::lock_guard lock(tablesMutex());
  if (!isOpen()) return notOpen();
  const int index = indexOf(key);
  if (index < 0) return wrongKey(key);
  return file_->set(index, keyValues(buffer_, layout_, key));
}

dbase::Error LabTableBase::setStart(LabKey key) {
  std::lock_guard lock(tablesMutex());
  if (!isOpen()) return notOpen();
  const int index = indexOf(key);
  if (index < 0) return wrongKey(key);
  return file_->setStart(index);
}

dbase::Error LabTableBase::get(LabKey key) {
  std::lock_guard lock(tablesMutex());
  if (!isOpen()) return notOpen();
  const int index = indexOf(key);
  if (index < 0) return wrongKey(key);
  return fillBuffer(file_->get(index, keyValues(buffer_, layout_, key)));
}

dbase::Error LabTableBase::next() {
  std::lock_guard lock(tablesMutex());
  if (!isOpen()) return notOpen();
  return fillBuffer(file_->next());
}

dbase::Error LabTableBase::previous() {
  std::lock_guard lock(tablesMutex());
  if (!isOpen()) return notOpen();
  return fillBuffer(file_->previous());
}

LabTables& labTables() {
  static LabTables tables;
  return tables;
}

HeldLabTables::HeldLabTables() : lock_(tablesMutex()) { held_ = heldHere(); }

void setLabTableFactory(LabTableFactory f) { factory() = std::move(f); }

namespace {

// A failed step of the opening: the box's first words, the table's disk name, the error.
struct OpenFailure {
  const char* what;
  std::string diskName;
  dbase::Error error;
};

// The opening steps, under the tables' lock; the box is shown after the lock is released,
// so a reader on another thread is never kept waiting for the user.
std::optional<OpenFailure> openAll(LabTablesHolder& holder, const std::string& dir, const std::string& name20) {
  using A = LabTablesAccess;
  const std::string name50 = dir + "/RNX50.dbf";
  const std::string name51 = dir + "/RNX51.dbf";
  const std::string name60 = dir + "/RNX60.dbf";
  const std::string nameJR = dir + "/RNXJR.dbf";
  std::lock_guard lock(tablesMutex());
  if (owner != nullptr && owner != &holder) {
    // Another window holds the tables: refuse at the first table without touching them.
    return OpenFailure{"Kan ikke åpne: ", name51, dbase::makeError(dbase::Code::AlreadyOpen, name51)};
  }
  owner = &holder;
  ownerThread = std::this_thread::get_id();
  LabTables& t = labTables();
  A::prepare(t.RNX50, name50);
  A::prepare(t.RNX51, name51);
  A::prepare(t.RNX60, name60);
  A::prepare(t.RNXJR, nameJR);
  A::prepare(t.RNX20, name20);

  auto openFailed = [](LabTableBase& table, const dbase::Error& e) {
    return OpenFailure{"Kan ikke åpne: ", table.diskName(), e};
  };
  auto buildFailed = [](LabTableBase& table, const dbase::Error& e) {
    return OpenFailure{"Kan ikke indeksere: ", table.diskName(), e};
  };

  dbase::Error e = A::open(t.RNX51);
  if (e.code == dbase::Code::KeysMustBeRebuilt) {
    A::close(t.RNX51);
    A::rebuild(t.RNX51);
    e = A::open(t.RNX51);
  }
  if (!e.ok()) return openFailed(t.RNX51, e);

  if (e = A::build(t.RNX60, LabKey::I_RNX60); !e.ok()) return buildFailed(t.RNX60, e);
  e = A::open(t.RNX60);
  if (e.code == dbase::Code::KeysMustBeRebuilt) {
    A::close(t.RNX60);
    A::rebuild(t.RNX60);
    e = A::open(t.RNX60);
  }
  if (!e.ok()) return openFailed(t.RNX60, e);

  if (e = A::build(t.RNXJR, LabKey::I_RNXJR); !e.ok()) return buildFailed(t.RNXJR, e);
  if (e = A::open(t.RNXJR); !e.ok()) return openFailed(t.RNXJR, e);

  if (e = A::build(t.RNX50, LabKey::I_RNX50); !e.ok()) return buildFailed(t.RNX50, e);
  e = A::open(t.RNX50);
  if (e.code == dbase::Code::KeysMustBeRebuilt) {
    A::rebuild(t.RNX50);
    A::close(t.RNX50);
    e = A::open(t.RNX50);
  }
  if (!e.ok()) return openFailed(t.RNX50, e);

  if (e = A::build(t.RNX20, LabKey::I_RNX20); !e.ok()) return buildFailed(t.RNX20, e);
  if (e = A::open(t.RNX20); !e.ok()) return openFailed(t.RNX20, e);
  return std::nullopt;
}

}  // namespace

std::uint8_t OpenLabTables(LabTablesHolder& holder, std::string_view dataDirLab, std::string_view importFile) {
  const auto failure = openAll(holder, trimmed(dataDirLab), trimmed(importFile));
  if (!failure) return 1;
  warn(failure->what, failure->diskName, failure->error);
  return 0;
}

void CloseLabTables(LabTablesHolder& holder) {
  std::lock_guard lock(tablesMutex());
  if (owner != &holder) return;
  LabTables& t = labTables();
  LabTablesAccess::close(t.RNX50);
  LabTablesAccess::close(t.RNX51);
  LabTablesAccess::close(t.RNX60);
  LabTablesAccess::close(t.RNXJR);
  LabTablesAccess::close(t.RNX20);
  owner = nullptr;
}

std::string GetAnalysisResult(std::string_view code) {
  R20Record& r = labTables().RNX20.rec;
  const std::string wanted = text::toCp1252(code);
  for (int i = 0; i < 15; ++i) {
    if (text::compareBlankPadded(r.an(i).raw(), wanted) != 0) continue;
    text::Str<5>& sv = r.sv(i);
    if (sv[0] == '<') {
      std::memmove(sv.data(), sv.data() + 1, sv.size() - 1);
      sv[sv.size() - 1] = ' ';
    }
    return text::fromCp1252(sv.raw());
  }
  return "0";
}

}  // namespace data::lab
