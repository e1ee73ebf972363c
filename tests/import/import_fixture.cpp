#include "import_fixture.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "data/file_names.h"
#include "data/use_counters.h"
#include "import/run_import.h"
#include "platform/store/paths.h"
#include "platform/text/number.h"
#include "ui_message_double.h"

namespace testing_import {

namespace fs = std::filesystem;
using data::FileId;

namespace {
constexpr FileId kFiles[] = {FileId::MapLab, FileId::MapLever,         FileId::MapParam,    FileId::MapSted,
                             FileId::Anlegg, FileId::Utslippskontroll, FileId::Slamkontroll};
}

void ImportFixture::SetUp() {
  dir = fs::temp_directory_path() / ("l2s_import_" + std::to_string(::getpid()) + "_" +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(dir);
  fs::create_directories(dir);
  data::setDataDirectory(dir.string());
  data::SetFileNames();
  for (FileId id : kFiles) ASSERT_EQ(data::useFile(id), 0) << data::fileLabel(id);
  // 5 September 2008, 9.05 (TZ is UTC in these tests).
  clock.at = std::chrono::sys_days{std::chrono::year{2008} / 9 / 5} + std::chrono::hours{9} + std::chrono::minutes{5};
  text::setClock(&clock);
  testing_ui::boxes().clear();
  data::thr().LAB = "KL";
}

void ImportFixture::TearDown() {
  for (FileId id : kFiles) data::dropFile(id);
  text::setClock(nullptr);
  fs::remove_all(dir);
}

void ImportFixture::addLab(const std::string& lab, const std::string& stedkilde, const std::string& datovalg) {
  auto& f = data::thr().MapLab;
  f.clear();
  f.rec.LAB = lab;
  f.rec.LABNAVN = "Testlab";
  f.rec.STEDKILDE = stedkilde;
  f.rec.DATOVALG = datovalg;
  ASSERT_EQ(f.add(), 0) << f.errorText();
}

void ImportFixture::addLever(const std::string& lab, const std::string& leverand, const std::string& anleggsnr) {
  auto& f = data::thr().MapLever;
  f.clear();
  f.rec.LAB = lab;
  f.rec.LEVERAND = leverand;
  f.rec.ANLEGGSNR = anleggsnr;
  ASSERT_EQ(f.add(), 0) << f.errorText();
}

void ImportFixture::addParam(const std::string& prtype, const std::string& code, const std::string& target,
                             double factor) {
  auto& f = data::thr().MapParam;
  f.clear();
  f.rec.LAB = "KL";
  f.rec.PRTYPE = prtype;
  f.rec.PARAMLAB = code;
  f.rec.PARAMSIV = target;
  f.rec.FAKTOR = factor;
  ASSERT_EQ(f.add(), 0) << f.errorText();
}

void ImportFixture::addSted(const std::string& leverand, const std::string& stedlab, const std::string& stedsiv) {
  auto& f = data::thr().MapSted;
  f.clear();
  f.rec.LAB = "KL";
  f.rec.LEVERAND = leverand;
  f.rec.STEDLAB = stedlab;
  f.rec.STEDSIV = stedsiv;
  ASSERT_EQ(f.add(), 0) << f.errorText();
}

void ImportFixture::addPlant(const Plant& p) {
  auto& f = data::thr().Anlegg;
  f.clear();
  f.rec.ANLEGGSNR.setWhole(text::Str<6>(p.nr));
  f.rec.ANLEGGSNAVN = p.name;
  f.rec.ANTALLPARAMETRE = std::uint8_t(p.parameters.size());
  for (std::size_t i = 0; i < p.parameters.size(); ++i) f.rec.PARAMETER[i] = p.parameters[i];
  f.rec.TUNGMETALLANTALLPARAMETRE = std::uint8_t(p.metals.size());
  for (std::size_t i = 0; i < p.metals.size(); ++i) f.rec.TUNGMETALLPARAMETER[i] = p.metals[i];
  f.rec.ANTALLPRSTEDER = std::uint8_t(p.places.size());
  for (std::size_t i = 0; i < p.places.size(); ++i) f.rec.PRSTED[i] = p.places[i];
  ASSERT_EQ(f.add(), 0) << f.errorText();
}

void ImportFixture::run(const import::ImportChoices& choices, import::LabSource& lab) {
  import::RunImport(choices, state, progress, lab);
}

std::string ImportFixture::logPath() const { return store::resolvePath(data::fileName(FileId::ImportLog)); }

std::string ImportFixture::logText() const {
  std::ifstream in(logPath(), std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

import::ImportChoices ImportFixture::allOn(){import::ImportChoices c;
c.UTSLKTR = true;
c.SLAMKTR = true;
c.LOGSLETT = true;
return c;
}  // namespace testing_import

std::string dumpRecord(const store::FileDef& def, const void* buffer) {
  std::string out;
  const char* base = static_cast<const char*>(buffer);
  for (const auto& col : def.columns) {
    const auto& f = def.fields[std::size_t(col.field)];
    const char* at = base + col.offset;
    std::string v;
    switch (f.type) {
      case store::FieldType::String: {
        v = text::fromCp1252(text::trimRight(std::string_view(at, f.size)));
        break;
      }
      case store::FieldType::Byte:
        if (*reinterpret_cast<const std::uint8_t*>(at)) v = std::to_string(*reinterpret_cast<const std::uint8_t*>(at));
        break;
      case store::FieldType::Short: {
        std::int16_t n;
        std::memcpy(&n, at, sizeof n);
        if (n) v = std::to_string(n);
        break;
      }
      case store::FieldType::Long: {
        std::int32_t n;
        std::memcpy(&n, at, sizeof n);
        if (n && col.name.find("DATO") != std::string::npos) {
          const text::Ymd d = text::toYmd(n);
          char buf[16];
          std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
          v = buf;
        } else if (n) {
          v = std::to_string(n);
        }
        break;
      }
      case store::FieldType::Real: {
        double d;
        std::memcpy(&d, at, sizeof d);
        if (d != 0) v = text::numberToText(d);
        break;
      }
      case store::FieldType::Memo: v = *reinterpret_cast<const std::string*>(at); break;
    }
    if (v.empty()) continue;
    if (!out.empty()) out += ' ';
    out += col.name + "=" + v;
  }
  return out;
}

std::vector<std::string> ImportFixture::dumpUtslippskontroll() {
  std::vector<std::string> out;
  auto& f = data::thr().Utslippskontroll;
  f.set(data::Utslippskontroll::UTSLIPPSKONTROLL_KEY1);
  while (f.next() == 0) out.push_back(dumpRecord(f.def(), f.buffer()));
  return out;
}

std::vector<std::string> ImportFixture::dumpSlamkontroll() {
  std::vector<std::string> out;
  auto& f = data::thr().Slamkontroll;
  f.set(data::Slamkontroll::SLAMKONTROLL_KEY1);
  while (f.next() == 0) out.push_back(dumpRecord(f.def(), f.buffer()));
  return out;
}

}  // namespace testing_import
