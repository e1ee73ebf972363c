// The catalogue of standard warnings: every kind's caption, text, icon, buttons and ending.
#include <gtest/gtest.h>

#include <string>

#include "data/warnings.h"

namespace {

namespace B = ui::Button;
using ui::Icon;

struct Case {
  int kind;
  const char* t1;
  const char* t2;
  int code;  // the error code kind 15 tests
  const char* caption;
  const char* text;
  Icon icon;
  int buttons;
  int def;
  const char* end;
};

constexpr const char* kErr = "Access Denied (5)";
constexpr const char* kEnd = ".  Press OK to end this application.";

const Case kCases[] = {
    {1, "MapFile.tps", "", 5, "Invalid File",
     "Error: (Access Denied (5)) accessing MapFile.tps.  Press OK to end this application.", Icon::Information, B::Ok,
     B::Ok, "Invalid File!"},
    {2, "MapFile.tps", "", 5, "Invalid Key", "MapFile.tps key file is invalid.  Do you want to rebuild the key?",
     Icon::Exclamation, B::Yes | B::No, B::Yes, "Invalid Key!"},
    {3, "MapFile.tps", "", 5, "Key Rebuild Error",
     "Error: (Access Denied (5)) repairing key for MapFile.tps.  Press OK to end this "
     "application.",
     Icon::Information, B::Ok, B::Ok, "Error Rebuilding Key!"},
    {4, "MapFile.tps", "", 5, "File Creation Error",
     "Error: (Access Denied (5)) creating MapFile.tps.  Press OK to end this application.", Icon::Information, B::Ok,
     B::Ok, "File Creation Error!"},
    {5, "MapFile.tps", "", 5, "File Creation Error",
     "Error: (Access Denied (5)) opening created file:MapFile.tps.  Press OK to end this "
     "application.",
     Icon::Information, B::Ok, B::Ok, "File Creation Error!"},
    {6, "LabBrowse", "", 5, "Procedure not defined", "The Procedure LabBrowse has not been defined.", Icon::Information,
     B::Ok, B::Ok, ""},
    {7, "", "", 5, "", "Unable to read keyed record.  Error: Access Denied (5).  Insert Aborted", Icon::Information,
     B::Ok, 0, ""},
    {8, "Dato", "10", 5, "Range Error", "The value of Dato must be lower than 10.", Icon::Information, B::Ok, B::Ok,
     ""},
    {9, "Dato", "10", 5, "Range Error", "The value of Dato must be higher than 10.", Icon::Information, B::Ok, B::Ok,
     ""},
    {10, "Dato", "1 and 9", 5, "Range Error", "The value of Dato must be between 1 and 9.", Icon::Information, B::Ok,
     B::Ok, ""},
    {11, "Lab", "MapLab", 5, "Field Contents Error", "The value for Lab must be found in the MapLab file.",
     Icon::Information, B::Ok, B::Ok, ""},
    {12, "MapLever", "", 5, "Referential Integrity Update Error",
     "This record is referenced from the file MapLever.  Linking field(s) have been restricted "
     "from change and have been reset to original values.",
     Icon::Information, B::Ok, B::Ok, ""},
    {13, "MapLever", "", 5, "Referential Integrity Delete Error",
     "This record is referenced from the file MapLever.  This record cannot be deleted while "
     "these references exist.",
     Icon::Information, B::Ok, B::Ok, ""},
    {14, "", "", 5, "Record Insert Error",
     "An error was experienced during the update of record.  Error: Access Denied (5).", Icon::Information, B::Ok,
     B::Ok, ""},
    {15, "MapSted", "", 89, "Update Operation Error", "This record was changed by another station.", Icon::Information,
     B::Ok, B::Ok, ""},
    {15, "MapSted", "", 0, "Update Operation Error", "This record was changed by another station.", Icon::Information,
     B::Ok, B::Ok, ""},
    {15, "MapSted", "", 5, "Update Operation Error",
     "An error (Access Denied (5)) was experienced when attempting to update a record from the "
     "file.  Probable Cause: MapSted.",
     Icon::Information, B::Ok, B::Ok, ""},
    {16, "", "", 5, "Record Update Error",
     "An error was experienced changing this record.  Do you want to try to save again?", Icon::Information,
     B::Yes | B::No | B::Cancel, B::Cancel, ""},
    {17, "MapParam", "", 5, "Delete Operation Error",
     "An error (Access Denied (5)) was experienced when attempting to delete a record from the "
     "file MapParam.",
     Icon::Information, B::Ok, B::Ok, ""},
    {18, "", "", 5, "Record Update Error",
     "An error was experienced deleting this record.  Do you want to try to save again?", Icon::Information,
     B::Yes | B::No | B::Cancel, B::Cancel, ""},
    {19, "", "", 5, "Invalid Request",
     "This procedure was called to insert a record, however inserts are not allowed for this "
     "procedure.  Press OK to return to the calling procedure",
     Icon::Information, B::Ok, B::Ok, ""},
    {20, "", "", 5, "Invalid Request",
     "This procedure was called to change a record, however changes are not allowed for this "
     "procedure.  Press OK to return to the calling procedure",
     Icon::Information, B::Ok, B::Ok, ""},
    {21, "", "", 5, "Invalid Request",
     "This procedure was called to delete a record, however deletions are not allowed for this "
     "procedure.  Press OK to return to the calling procedure",
     Icon::Information, B::Ok, B::Ok, ""},
    {22, "Anlegg.tps", "", 5, "File Creation Not Allowed",
     "The File Anlegg.tpswas not found, and creation of the file is not allowed.  Press OK to "
     "end this application.",
     Icon::Information, B::Ok, B::Ok, "File Creation Error!"},
    {23, "", "", 5, "Update Cancelled", "Are you sure you want to cancel?", Icon::Exclamation, B::Yes | B::No, B::No,
     ""},
    {24, "MAP:MAPLABKEY", "", 5, "Duplicate Key Error",
     "Adding this record creates a duplicate entry for the key:MAP:MAPLABKEY", Icon::Information, B::Ok, B::Ok, ""},
    {25, "", "", 5, "Auto Increment Error",
     "Attempts to automatically number this record have failed.  Error: Access Denied (5).", Icon::Information,
     B::Retry | B::Cancel, B::Cancel, ""},
    {26, "Import.Txt", "", 5, "File Load Error", "Import.Txt File Load Error.  Error: Access Denied (5).",
     Icon::Information, B::Ok, B::Ok, ""},
    {27, "Import.Txt", "", 5, "Cancel Request", "Are you certain you want to stop loading Import.Txt?",
     Icon::Exclamation, B::Ok | B::Cancel, B::Cancel, ""},
    {28, "Import.Txt", "", 5, "File Load Error",
     "Import.Txt File Load Error.  The file you've requested contains no text.", Icon::Information, B::Ok, B::Ok, ""},
    {29, "Down   ", "", 5, "End of File Error",
     "The end of the viewed file was encountered.  Do you want to start again from the "
     "beginning?",
     Icon::Exclamation, B::Yes | B::No, B::Yes, ""},
    {29, "down", "", 5, "Beginning of File Error",
     "The beginning of the viewed file was encountered.  Do you want to start again from the end "
     "of the file?",
     Icon::Exclamation, B::Yes | B::No, B::Yes, ""},
    {30, "/data/MapFile.tps", "", 5, "File Access Error",
     "File (/data/MapFile.tps) could not be opened.  Error: Access Denied (5).", Icon::Information, B::Ok, B::Ok, ""},
    {31, "Put", "MapLab", 5, "Process PUT Error",
     "An error was experienced when making changes to the MapLab file.  Error: Access Denied (5)", Icon::Information,
     B::Ok, B::Ok, ""},
    {31, "PUT", "MapLab", 5, "Process DELETE Error",
     "An error was experienced when deleting a record from the MapLab file.  Error: Access "
     "Denied (5)",
     Icon::Information, B::Ok, B::Ok, ""},
    {32, "", "", 5, "Confirm Delete",
     "You've selected to delete the highlighted record.  Press OK to confirm deletion of this "
     "record.",
     Icon::Exclamation, B::Ok | B::Cancel, B::Cancel, ""},
    {33, "", "", 5, "Update Cancelled", "Do you want to save the changes to this record?", Icon::Exclamation,
     B::Yes | B::No | B::Cancel, B::No, ""},
    {34, "Update", "MapSted", 5, "Transaction Framing Error",
     "Error: (Access Denied (5)) attempting to frame the update transaction on MapSted.  Update "
     "transaction cancelled.",
     Icon::Information, B::Ok, B::Ok, ""},
    {34, "SLETT ÆRE", "MapSted", 5, "Transaction Framing Error",
     "Error: (Access Denied (5)) attempting to frame the slett ære transaction on MapSted.  "
     "SLETT ÆRE transaction cancelled.",
     Icon::Information, B::Ok, B::Ok, ""},
    {35, "Datasett", "", 5, "Record Retrieval Error",
     "Error: (Access Denied (5)) attempting to access a record from the Datasett file.  "
     "Returning to previous window.",
     Icon::Information, B::Ok, B::Ok, ""},
    {36, "", "", 5, "View Open Error",
     "Error: (Access Denied (5)) attempting to open the current VIEW. Filter and Range Limits "
     "ignored.",
     Icon::Information, B::Ok, B::Ok, ""},
    {37, "", "", 5, "Record Added", "This record has been added to the file. Do you want to add another record?",
     Icon::Exclamation, B::Yes | B::No, B::Yes, ""},
    {38, "", "", 5, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the "
     "Ditto Button or Ctrl+' to recall your changes.",
     Icon::Information, B::Ok, B::Ok, ""},
};

TEST(WarningBox, EveryKindShowsItsBox) {
  for (const Case& c : kCases) {
    SCOPED_TRACE("kind " + std::to_string(c.kind) + " text1 '" + c.t1 + "'");
    data::WarningBox box;
    ASSERT_TRUE(data::warningBox(c.kind, c.t1, c.t2, kErr, c.code, box));
    EXPECT_EQ(box.caption, c.caption);
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.icon, c.icon);
    EXPECT_EQ(box.buttons, c.buttons);
    EXPECT_EQ(box.defaultButton, c.def);
    EXPECT_EQ(box.endMessage, c.end);
  }
}

TEST(WarningBox, CallerTextsLoseTrailingBlanks) {
  data::WarningBox box;
  ASSERT_TRUE(data::warningBox(8, "Dato   ", "10  ", "x (1)  ", 1, box));
  EXPECT_EQ(box.text, "The value of Dato must be lower than 10.");
  ASSERT_TRUE(data::warningBox(30, "f.tps ", "", "x (1)  ", 1, box));
  EXPECT_EQ(box.text, std::string("File (f.tps) could not be opened.  Error: x (1)."));
}

TEST(WarningBox, KindsOutsideTheCatalogueShowNothing) {
  data::WarningBox box;
  for (int kind : {0, -1, 39, 1000}) EXPECT_FALSE(data::warningBox(kind, "a", "b", kErr, 5, box));
}

TEST(WarningErrorText, FormsTheErrorAsTheWarningsPlaceIt) {
  struct {
    data::ErrorInfo e;
    const char* want;
  } const cases[] = {
      {{5, "Access Denied   ", 0, ""}, "Access Denied (5)"},
      {{90, "Driver error", 19, "UNIQUE constraint failed  "}, "UNIQUE constraint failed (19)"},
      {{100, "ignored", 7, "out of memory"}, "out of memory (7)"},
      {{2, "", 0, ""}, " (2)"},
  };
  for (const auto& c : cases) EXPECT_EQ(data::warningErrorText(c.e), c.want);
}

TEST(WarningErrorText, CutsTheErrorAt150Characters) {
  const std::string longText(148, 'x');
  EXPECT_EQ(data::warningErrorText({46, longText, 0, ""}), longText + " (");
  // Characters, not bytes: a text of æ's is cut at the same place.
  std::string ae;
  for (int i = 0; i < 160; ++i) ae += "æ";
  std::string want;
  for (int i = 0; i < 150; ++i) want += "æ";
  EXPECT_EQ(data::warningErrorText({1, ae, 0, ""}), want);
}

}  // namespace
