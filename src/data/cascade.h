#pragma once
// The mapping tree kept whole: a laboratory owns its supplier, parameter and place mappings,
// a supplier mapping owns the place mappings of its laboratory and supplier. Deleting an owner
// deletes what it owns; changing an owner's linking fields carries them over to what it owns.
// Each operation is one transaction over the files (begun with a 2 s wait): all or nothing.
//
// Every operation acts on the calling thread's current record of its file (the record last
// read, whose buffer the form edited); that file is open, the owned files are taken through
// the use counters and given back on every path. Failures save the error (rolling back) and
// show a standard warning before they return.
#include <string_view>

namespace data {

// Linking fields match as the mapping keys compare them: upper-cased, trailing blanks ignored.
// Windows-1252 bytes.
bool sameLink(std::string_view a, std::string_view b);

// Delete operations: 0 the record and everything it owns are gone, 1 nothing was deleted
// (also when the record itself had gone since it was read: kind 17, nothing else touched).
int DeleteMapLab();
int DeleteMapLever();
int DeleteMapParam();
int DeleteMapSted();

// The linking fields of the record being edited as they were before the edit (thread state
// SavedMapLabLab, SavedMapLeverLab, SavedMapLeverLeverand). A form calls its file's operation
// once, before the user edits; the last two keep nothing (those files own nothing).
void SaveMapLabLinks();
void SaveMapLeverLinks();
void SaveMapParamLinks();
void SaveMapStedLinks();

// Update operations: 0 rewritten with every owned record following, 1 failed and nothing
// changed (the buffer keeps the user's changes; a record gone since it was read is such a
// failure, kind 15), 2 another station changed the record since it was read: nothing changed,
// kind 38 shown, the buffer holds the stored version read with change detection armed, so a
// second attempt rewrites it, and the saved links are taken again from that version.
int UpdateMapLab();
int UpdateMapLever();
int UpdateMapParam();
int UpdateMapSted();

}  // namespace data
