#include "shell/global_settings.h"

#include <array>
#include <mutex>
#include <string>

#include "platform/ini/ini.h"
#include "platform/text/number.h"
#include "platform/ui/api/message.h"

namespace shell {
namespace {

std::mutex gMutex;
GlobalSettings gValues;

constexpr std::size_t kMaxValue = 1023;

std::string trimmed(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

// One settings key: where it lives, its default, and the global it fills.
struct SettingDef {
  const char* key;
  const char* def;
  void (*read)(GlobalSettings&, std::string_view);
  std::string (*write)(const GlobalSettings&);
  // Copies the global from `from` to `to` when it differs between `from` and `before`.
  void (*takeChanged)(const GlobalSettings& from, const GlobalSettings& before, GlobalSettings& to);
};

template <auto Member>
void takeChanged(const GlobalSettings& from, const GlobalSettings& before, GlobalSettings& to) {
  if (!(from.*Member == before.*Member)) to.*Member = from.*Member;
}

template <auto Member>
constexpr SettingDef text(const char* key, const char* def) {
  return {
      key, def,
      [](GlobalSettings& g, std::string_view v) { g.*Member = trimmed(v.substr(0, std::min(v.size(), kMaxValue))); },
      [](const GlobalSettings& g) { return (g.*Member).str(); }, takeChanged<Member>};
}

// A switch is the value read as a number and kept in one byte; an empty value reads as 0.
std::uint8_t toByte(std::string_view v) {
  const double d = text::toNumber(v);
  const long long n = (d > -1e15 && d < 1e15) ? static_cast<long long>(d) : 0;
  return static_cast<std::uint8_t>(n & 0xFF);
}

template <auto Member>
constexpr SettingDef byte(const char* key) {
  return {key, "1", [](GlobalSettings& g, std::string_view v) { g.*Member = toByte(v); },
          [](const GlobalSettings& g) { return std::to_string(unsigned{g.*Member}); }, takeChanged<Member>};
}

// Section "PROVEX", in the order the frame reads them.
const std::array<SettingDef, 14> kSettings = {{
    text<&GlobalSettings::IMPORTFILE>("Importfile", data::kDefaultImportFile),
    text<&GlobalSettings::LAB>("Lab", ""),
    text<&GlobalSettings::LEVERAND1>("Leverand1", ""),
    text<&GlobalSettings::LEVERAND2>("Leverand2", ""),
    byte<&GlobalSettings::UTSLKTR>("UtslKtr"),
    byte<&GlobalSettings::TUNGMETIUTSL>("TungmetiUtsl"),
    byte<&GlobalSettings::SLAMKTR>("SlamKtr"),
    byte<&GlobalSettings::OVERSKRIVES>("Overskrives"),
    byte<&GlobalSettings::LOGSLETT>("Logslett"),
    text<&GlobalSettings::PRTYPE>("PrType", data::kDefaultDischargeSampleType),
    text<&GlobalSettings::PR_METODE>("Pr_metode", data::kDefaultSamplingMethod),
    text<&GlobalSettings::PR_TYPE_TUNGMETALL>("Pr_type_tungmetall", data::kDefaultSludgeSampleType),
    text<&GlobalSettings::PR_TYPE_NAERINGSSTOFF>("Pr_type_naeringsstoff", data::kDefaultSludgeSampleType),
    text<&GlobalSettings::PR_TAKINGSTED>("Pr_takingsted", ""),
}};

const SettingDef kDatasetName = text<&GlobalSettings::DATASETT_NAVN>("Datasett", "");

// The order "Avslutt" writes them in: "Importfile" after the switches, "Datasett" after it.
const std::array<const SettingDef*, 15> kWriteOrder = {&kSettings[1],  &kSettings[2],  &kSettings[3], &kSettings[4],
                                                       &kSettings[5],  &kSettings[6],  &kSettings[7], &kSettings[8],
                                                       &kSettings[0],  &kDatasetName,  &kSettings[9], &kSettings[10],
                                                       &kSettings[11], &kSettings[12], &kSettings[13]};

}  // namespace

GlobalSettings globals() {
  std::lock_guard lock(gMutex);
  return gValues;
}

void setGlobals(const GlobalSettings& values) {
  std::lock_guard lock(gMutex);
  gValues = values;
}

void editGlobals(const std::function<void(GlobalSettings&)>& change) {
  std::lock_guard lock(gMutex);
  change(gValues);
}

void copyChangedSettings(const GlobalSettings& mine, const GlobalSettings& before, GlobalSettings& to) {
  for (const SettingDef& s : kSettings) s.takeChanged(mine, before, to);
}

void loadGlobalSettings() {
  if (const std::string why = ini::readProblem(kSettingsFile); !why.empty())
    ui::message("Kan ikke lese innstillingsfila: " + ini::resolve(kSettingsFile).string() + "|" + why +
                    "|Innstillingene blir ikke lagret når programmet avsluttes.",
                "Advarsel", ui::Icon::Information);
  GlobalSettings g = globals();
  for (const SettingDef& s : kSettings) {
    s.read(g, ini::getValue(kSettingsFile, kSettingsSection, s.key, s.def));
  }
  editGlobals([&g](GlobalSettings& cur) {
    g.DATASETT_NAVN = cur.DATASETT_NAVN;
    cur = g;
  });
}

bool storeGlobalSettings(std::vector<ini::Entry> also) {
  const GlobalSettings g = globals();
  // One replacement of the shared file for all keys, not one per key.
  std::vector<ini::Entry> entries;
  for (const SettingDef* s : kWriteOrder) entries.push_back({kSettingsSection, s->key, s->write(g)});
  for (auto& e : also) entries.push_back(std::move(e));
  if (!ini::putValues(kSettingsFile, entries)) {
    const std::string why = ini::readProblem(kSettingsFile);
    ui::message("Kan ikke lagre innstillingene i fila: " + ini::resolve(kSettingsFile).string() + "|" +
                    (why.empty() ? std::string("Fila kan ikke skrives.") : why),
                "Advarsel", ui::Icon::Information);
    return false;
  }
  return true;
}

}  // namespace shell
