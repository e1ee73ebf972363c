#pragma once
// Texts the program uses in more than one place: the defaults of the import choices (what the
// settings start with, and what a blank choice becomes in the stored records) and the message
// shown when the laboratory's tables cannot be opened.

namespace data {

inline constexpr const char* kDefaultImportFile = "Velg importfile";
inline constexpr const char* kDefaultSamplingMethod = "Mengdeprop.blandprøve";
inline constexpr const char* kDefaultDischargeSampleType = "Rutinekontroll";
inline constexpr const char* kDefaultSludgeSampleType = "Blandprøve";

inline constexpr const char* kLabTablesOpenFailed =
    "Feil ved åpning av importfiler!|Sjekk at importkatalog er korrekt angitt!|Sjekk at importfiler er "
    "overført til katalogen!";

}  // namespace data
