#pragma once
// The process-wide settings (the GLO: values): loaded from "Siv2000.ini" when the frame starts,
// bound to the import window's controls, written back only by the frame's "Avslutt".
// Every thread reads and writes the same values; access goes through a lock.
#include <cstdint>
#include <functional>
#include <vector>

#include "data/default_texts.h"
#include "platform/ini/ini.h"
#include "platform/text/str.h"

namespace shell {

struct GlobalSettings {
  text::Str<200> IMPORTFILE{data::kDefaultImportFile};
  text::Str<6> LAB;
  text::Str<6> LEVERAND1;
  text::Str<6> LEVERAND2;
  std::uint8_t UTSLKTR = 1;
  std::uint8_t TUNGMETIUTSL = 1;
  std::uint8_t SLAMKTR = 1;
  std::uint8_t OVERSKRIVES = 1;
  std::uint8_t LOGSLETT = 1;
  text::Str<25> PRTYPE{data::kDefaultDischargeSampleType};
  text::Str<25> PR_METODE{data::kDefaultSamplingMethod};
  text::Str<20> PR_TYPE_TUNGMETALL{data::kDefaultSludgeSampleType};
  text::Str<20> PR_TYPE_NAERINGSSTOFF{data::kDefaultSludgeSampleType};
  text::Str<20> PR_TAKINGSTED;
  // The chosen dataset's name, shown in the frame's title; written to the settings file, never read.
  text::Str<50> DATASETT_NAVN;
};

// A copy of the current values.
GlobalSettings globals();
// Replaces every value.
void setGlobals(const GlobalSettings& values);
// Reads and changes the values in one step under the lock (e.g. `editGlobals([](auto& g) {
// g.LEVERAND1 = "100"; })`). `change` must not call back into these functions.
void editGlobals(const std::function<void(GlobalSettings&)>& change);

// Copies into `to` every "PROVEX" value that differs between `mine` and `before`: what one window
// changed, so that a value another window wrote meanwhile is not overwritten with a stale one.
void copyChangedSettings(const GlobalSettings& mine, const GlobalSettings& before, GlobalSettings& to);

// The shared settings file and its sections.
inline constexpr const char* kSettingsFile = "Siv2000.ini";
inline constexpr const char* kSettingsSection = "PROVEX";
inline constexpr const char* kDatasetSection = "Datasett";
inline constexpr const char* kDatasetKey = "Datasett_navn";

// Reads the fourteen keys of section "PROVEX" in their fixed order, each missing key taking its
// default, into the globals. DATASETT_NAVN is left as it stands. A settings file that is there
// but cannot be read is said in a message box (the defaults then apply, and "Avslutt" will not
// write the file).
void loadGlobalSettings();
// Writes the keys back to "PROVEX" in the frame's order, "Datasett" included, and after them
// `also` (the dataset list's name in section "Datasett"), with one write of the file. False,
// after a message box, when the file could not be written (nothing is written to a file that
// could not be read).
bool storeGlobalSettings(std::vector<ini::Entry> also = {});

}  // namespace shell
