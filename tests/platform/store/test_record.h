#pragma once
// A small record file covering every field kind and key attribute the store serves.
#include <cstdint>
#include <string>

#include "platform/store/file.h"
#include "platform/text/str.h"

namespace testing_util {

struct TestRecord {
  text::Str<4> CODE;
  text::Str<10> NAME;
  std::int32_t N;
  double X;
  text::Str<3> TAG[2];
  std::uint8_t FLAG;
  std::string NOTE;
};

inline const store::FileDef& testDef() {
  static const store::FileDef d = [] {
    store::DefBuilder<TestRecord> b("Test", "TST", store::Attr::Create | store::Attr::PerThread);
    auto& r = b.probe();
    b.field("CODE", r.CODE).field("NAME", r.NAME).field("N", r.N).field("X", r.X);
    b.field("TAG", r.TAG).field("FLAG", r.FLAG).memo("NOTE", r.NOTE, 20);
    // 0: unique, case-insensitive, optional; 1: duplicates, case-insensitive; 2: case-sensitive
    // duplicates over text and number.
    b.key({"TST:CODEKEY", {"CODE"}, true, true, true, true});
    b.key({"TST:NAMEKEY", {"NAME"}, false, true, false, false});
    b.key({"TST:NAMENKEY", {"NAME", "N"}, false, false, true, false});
    return b.build();
  }();
  return d;
}

inline constexpr store::KeyId CODEKEY{0};
inline constexpr store::KeyId NAMEKEY{1};
inline constexpr store::KeyId NAMENKEY{2};

class TestFile : public store::File<TestRecord> {
 public:
  TestFile() : File(testDef()) {}
  explicit TestFile(const std::string& path) : File(testDef()) { setName(path); }
};

}  // namespace testing_util
