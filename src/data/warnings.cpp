#include "data/warnings.h"

#include <string>

#include "platform/store/error.h"
#include "platform/store/transaction.h"
#include "platform/text/codepage.h"
#include "platform/ui/api/dialogs.h"
#include "platform/text/str.h"

namespace data {
namespace {

namespace B = ui::Button;
constexpr auto kInfo = ui::Icon::Information;
constexpr auto kExcl = ui::Icon::Exclamation;
constexpr std::size_t kErrorWidth = 150;

// The saved error belongs to the thread that saved it: an operation saves and shows its warning on
// its own thread, and a warning on another thread in between must not take it.
thread_local ErrorInfo tSaved;

std::string trimmed(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

// The first n characters (code points) of UTF-8 text.
std::string firstChars(std::string_view utf8, std::size_t n) {
  std::size_t i = 0;
  for (std::size_t chars = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && chars++ == n) break;
  }
  return std::string(utf8.substr(0, i));
}

std::string lower(std::string_view utf8) {
  std::string cp = text::toCp1252(utf8);
  for (char& ch : cp) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
      ch = static_cast<char>(c + 0x20);
    } else if (c == 0x8A || c == 0x8C || c == 0x8E) {
      ch = static_cast<char>(c + 0x10);
    } else if (c == 0x9F) {
      ch = static_cast<char>(0xFF);
    }
  }
  return text::fromCp1252(cp);
}

// The end-of-program box ("Halt", stop icon), then the program ends with exit code 0.
[[noreturn]] void endProgram(const std::string& message) { ui::halt(message, 0); }

}  // namespace

std::string warningErrorText(const ErrorInfo& e) {
  const bool driver = e.code == 90 || e.code == 100;
  const std::string out = driver
                              ? trimmed(e.driverText) + " (" + std::to_string(e.driverCode) + ")"
                              : trimmed(e.text) + " (" + std::to_string(e.code) + ")";
  return firstChars(out, kErrorWidth);
}

bool warningBox(int kind, std::string_view text1, std::string_view text2, std::string_view error,
                int code, WarningBox& out) {
  const std::string t1 = trimmed(text1);
  const std::string t2 = trimmed(text2);
  const std::string e = trimmed(error);
  const std::string endApp = ".  Press OK to end this application.";
  const auto box = [&out](std::string caption, std::string txt, ui::Icon icon, int buttons,
                          int def, std::string end = {}) {
    out = WarningBox{std::move(caption), std::move(txt), icon, buttons, def, std::move(end)};
    return true;
  };
  const auto info = [&box](std::string caption, std::string txt) {
    return box(std::move(caption), std::move(txt), kInfo, B::Ok, B::Ok);
  };
  switch (kind) {
    case 1:
      return box("Invalid File", "Error: (" + e + ") accessing " + t1 + endApp, kInfo, B::Ok,
                 B::Ok, "Invalid File!");
    case 2:
      return box("Invalid Key", t1 + " key file is invalid.  Do you " + "want to rebuild the key?",
                 kExcl, B::Yes | B::No, B::Yes, "Invalid Key!");
    case 3:
      return box("Key Rebuild Error", "Error: (" + e + ") repairing key for " + t1 + endApp, kInfo,
                 B::Ok, B::Ok, "Error Rebuilding Key!");
    case 4:
      return box("File Creation Error", "Error: (" + e + ") creating " + t1 + endApp, kInfo, B::Ok,
                 B::Ok, "File Creation Error!");
    case 5:
      return box("File Creation Error",
                 "Error: (" + e + ") opening created " + "file:" + t1 + endApp, kInfo, B::Ok,
                 B::Ok, "File Creation Error!");
    case 6:
      return info("Procedure not defined", "The Procedure " + t1 + " has not " + "been defined.");
    case 7:
      return box("", "Unable to read keyed record.  Error: " + e + ".  Insert Aborted", kInfo,
                 B::Ok, 0);
    case 8:
      return info("Range Error", "The value of " + t1 + " must" + " be lower than " + t2 + ".");
    case 9:
      return info("Range Error", "The value of " + t1 + " must be" + " higher than " + t2 + ".");
    case 10:
      return info("Range Error", "The value of " + t1 + " must be " + "between " + t2 + ".");
    case 11:
      return info("Field Contents Error",
                  "The value for " + t1 + " must be " + "found in the " + t2 + " file.");
    case 12:
      return info("Referential Integrity Update Error",
                  "This record is referenced from the file " + t1 +
                      ".  Linking field(s) have been restricted" +
                      " from change and have been reset to original values.");
    case 13:
      return info("Referential Integrity Delete Error",
                  "This record is referenced from the file " + t1 +
                      ".  This record cannot be deleted while" + " these references exist.");
    case 14:
      return info("Record Insert Error",
                  "An error was experienced during the update of record.  Error: " + e + ".");
    case 15:
      if (code == 0 || code == 89) {
        return info("Update Operation Error", "This record was changed by another station.");
      }
      return info("Update Operation Error",
                  "An error (" + e + ") was experienced" +
                      " when attempting to update a record from the file.  Probable Cause: " +
                      t1 + ".");
    case 16:
      return box("Record Update Error",
                 "An error was experienced changing this record.  Do you want to try to save "
                 "again?",
                 kInfo, B::Yes | B::No | B::Cancel, B::Cancel);
    case 17:
      return info("Delete Operation Error",
                  "An error (" + e + ") was experienced" +
                      " when attempting to delete a record from the file " + t1 + ".");
    case 18:
      return box("Record Update Error",
                 "An error was experienced deleting this record.  Do you want to try to save "
                 "again?",
                 kInfo, B::Yes | B::No | B::Cancel, B::Cancel);
    case 19:
      return info("Invalid Request",
                  "This procedure was called to insert a record, however inserts are not allowed "
                  "for this procedure.  Press OK to return to the calling procedure");
    case 20:
      return info("Invalid Request",
                  "This procedure was called to change a record, however changes are not allowed "
                  "for this procedure.  Press OK to return to the calling procedure");
    case 21:
      return info("Invalid Request",
                  "This procedure was called to delete a record, however deletions are not "
                  "allowed for this procedure.  Press OK to return to the calling procedure");
    case 22:
      return box("File Creation Not Allowed",
                 "The File " + t1 + "was not found, " +
                     "and creation of the file is not allowed.  Press OK to end " +
                     "this application.",
                 kInfo, B::Ok, B::Ok, "File Creation Error!");
    case 23:
      return box("Update Cancelled", "Are you sure you want to cancel?", kExcl, B::Yes | B::No,
                 B::No);
    case 24:
      return info("Duplicate Key Error",
                  "Adding this record creates a duplicate entry for the key:" + t1);
    case 25:
      return box("Auto Increment Error",
                 "Attempts to automatically number this record have failed.  Error: " + e + ".",
                 kInfo, B::Retry | B::Cancel, B::Cancel);
    case 26:
      return info("File Load Error", t1 + " File Load Error.  " + "Error: " + e + ".");
    case 27:
      return box("Cancel Request", "Are you certain you want to stop loading " + t1 + "?", kExcl,
                 B::Ok | B::Cancel, B::Cancel);
    case 28:
      return info("File Load Error",
                  t1 + " File Load Error.  " + "The file you've requested contains no text.");
    case 29:
      if (t1 == "Down") {
        return box("End of File Error",
                   "The end of the viewed file was encountered.  Do you want to start again from "
                   "the beginning?",
                   kExcl, B::Yes | B::No, B::Yes);
      }
      return box("Beginning of File Error",
                 "The beginning of the viewed file was encountered.  Do you want to start again "
                 "from the end of the file?",
                 kExcl, B::Yes | B::No, B::Yes);
    case 30:
      return info("File Access Error",
                  "File (" + t1 + ") could not be " + "opened.  Error: " + e + ".");
    case 31:
      if (t1 == "Put") {
        return info("Process PUT Error",
                    "An error was experienced when making changes to the " + t2 +
                        " file.  Error: " + e);
      }
      return info("Process DELETE Error",
                  "An error was experienced when deleting a record from the " + t2 +
                      " file.  Error: " + e);
    case 32:
      return box("Confirm Delete",
                 "You've selected to delete the highlighted record.  Press OK to confirm "
                 "deletion of this record.",
                 kExcl, B::Ok | B::Cancel, B::Cancel);
    case 33:
      return box("Update Cancelled", "Do you want to save the changes to this record?", kExcl,
                 B::Yes | B::No | B::Cancel, B::No);
    case 34:
      return info("Transaction Framing Error", "Error: (" + e + ") attempting to frame the " +
                                                   lower(t1) + " transaction on " + t2 + ".  " +
                                                   t1 + " transaction cancelled.");
    case 35:
      return info("Record Retrieval Error", "Error: (" + e + ") attempting to access a " +
                                                "record from the " + t1 +
                                                " file.  Returning to " + "previous window.");
    case 36:
      return info("View Open Error", "Error: (" + e + ") attempting to open the " +
                                         "current VIEW. Filter and Range Limits ignored.");
    case 37:
      return box("Record Added",
                 "This record has been added to the file. Do you want to add another record?",
                 kExcl, B::Yes | B::No, B::Yes);
    case 38:
      return info("Record Was Not Updated",
                  "This record was changed by another station. Those changes will now be "
                  "displayed. Use the Ditto Button or Ctrl+' to recall your changes.");
    default:
      return false;
  }
}

int ShowWarning(int kind, std::string_view text1, std::string_view text2) {
  const ErrorInfo err = tSaved.code != 0 ? tSaved : currentError();
  tSaved = ErrorInfo{};
  WarningBox box;
  if (!warningBox(kind, text1, text2, warningErrorText(err), err.code, box)) return 0;
  const int pressed = ui::message(box.text, box.caption, box.icon, box.buttons, box.defaultButton);
  if (kind == 2) {
    if (pressed == ui::Button::Yes) return 2;
    endProgram(box.endMessage);
  }
  if (!box.endMessage.empty()) endProgram(box.endMessage);
  return pressed;
}

int ShowWarningText(int kind, std::string_view text1) { return ShowWarning(kind, text1, {}); }

int ShowWarningKind(int kind) { return ShowWarning(kind, {}, {}); }

ErrorInfo currentError() {
  const store::Error& e = store::lastError();
  return {e.code, e.text, e.driverCode, e.driverText};
}

void SaveLastError() {
  tSaved = currentError();
  store::rollbackCurrentTransaction();
}

ErrorInfo savedError() { return tSaved; }

}  // namespace data
