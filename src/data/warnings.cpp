#include "data/warnings.h"

#include <iterator>
#include <string>

#include "platform/store/error.h"
#include "platform/store/transaction.h"
#include "platform/text/codepage.h"
#include "platform/text/str.h"
#include "platform/ui/api/dialogs.h"

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
  const std::string out = driver ? trimmed(e.driverText) + " (" + std::to_string(e.driverCode) + ")"
                                 : trimmed(e.text) + " (" + std::to_string(e.code) + ")";
  return firstChars(out, kErrorWidth);
}

namespace {

// One wording of a kind. In `text`, {1} and {2} stand for the caller's texts, {l1} for the first
// in lower case, {e} for the error text.
struct Wording {
  const char* caption;
  const char* text;
  ui::Icon icon;
  int buttons;
  int defaultButton;
  const char* endMessage = "";
};

constexpr const char* kEndApp = ".  Press OK to end this application.";

// Kinds 1..38 in order; the second wordings of kinds 15, 29 and 31 follow in kAlternates.
const Wording kWordings[] = {
    {"Invalid File", "Error: ({e}) accessing {1}{end}", kInfo, B::Ok, B::Ok, "Invalid File!"},
    {"Invalid Key", "{1} key file is invalid.  Do you want to rebuild the key?", kExcl, B::Yes | B::No, B::Yes,
     "Invalid Key!"},
    {"Key Rebuild Error", "Error: ({e}) repairing key for {1}{end}", kInfo, B::Ok, B::Ok, "Error Rebuilding Key!"},
    {"File Creation Error", "Error: ({e}) creating {1}{end}", kInfo, B::Ok, B::Ok, "File Creation Error!"},
    {"File Creation Error", "Error: ({e}) opening created file:{1}{end}", kInfo, B::Ok, B::Ok, "File Creation Error!"},
    {"Procedure not defined", "The Procedure {1} has not been defined.", kInfo, B::Ok, B::Ok},
    {"", "Unable to read keyed record.  Error: {e}.  Insert Aborted", kInfo, B::Ok, 0},
    {"Range Error", "The value of {1} must be lower than {2}.", kInfo, B::Ok, B::Ok},
    {"Range Error", "The value of {1} must be higher than {2}.", kInfo, B::Ok, B::Ok},
    {"Range Error", "The value of {1} must be between {2}.", kInfo, B::Ok, B::Ok},
    {"Field Contents Error", "The value for {1} must be found in the {2} file.", kInfo, B::Ok, B::Ok},
    {"Referential Integrity Update Error",
     "This record is referenced from the file {1}.  Linking field(s) have been restricted from change "
     "and have been reset to original values.",
     kInfo, B::Ok, B::Ok},
    {"Referential Integrity Delete Error",
     "This record is referenced from the file {1}.  This record cannot be deleted while these "
     "references exist.",
     kInfo, B::Ok, B::Ok},
    {"Record Insert Error", "An error was experienced during the update of record.  Error: {e}.", kInfo, B::Ok, B::Ok},
    {"Update Operation Error",
     "An error ({e}) was experienced when attempting to update a record from the file.  Probable "
     "Cause: {1}.",
     kInfo, B::Ok, B::Ok},
    {"Record Update Error", "An error was experienced changing this record.  Do you want to try to save again?", kInfo,
     B::Yes | B::No | B::Cancel, B::Cancel},
    {"Delete Operation Error", "An error ({e}) was experienced when attempting to delete a record from the file {1}.",
     kInfo, B::Ok, B::Ok},
    {"Record Update Error", "An error was experienced deleting this record.  Do you want to try to save again?", kInfo,
     B::Yes | B::No | B::Cancel, B::Cancel},
    {"Invalid Request",
     "This procedure was called to insert a record, however inserts are not allowed for this "
     "procedure.  Press OK to return to the calling procedure",
     kInfo, B::Ok, B::Ok},
    {"Invalid Request",
     "This procedure was called to change a record, however changes are not allowed for this "
     "procedure.  Press OK to return to the calling procedure",
     kInfo, B::Ok, B::Ok},
    {"Invalid Request",
     "This procedure was called to delete a record, however deletions are not allowed for this "
     "procedure.  Press OK to return to the calling procedure",
     kInfo, B::Ok, B::Ok},
    {"File Creation Not Allowed",
     "The File {1}was not found, and creation of the file is not allowed.  Press OK to end this "
     "application.",
     kInfo, B::Ok, B::Ok, "File Creation Error!"},
    {"Update Cancelled", "Are you sure you want to cancel?", kExcl, B::Yes | B::No, B::No},
    {"Duplicate Key Error", "Adding this record creates a duplicate entry for the key:{1}", kInfo, B::Ok, B::Ok},
    {"Auto Increment Error", "Attempts to automatically number this record have failed.  Error: {e}.", kInfo,
     B::Retry | B::Cancel, B::Cancel},
    {"File Load Error", "{1} File Load Error.  Error: {e}.", kInfo, B::Ok, B::Ok},
    {"Cancel Request", "Are you certain you want to stop loading {1}?", kExcl, B::Ok | B::Cancel, B::Cancel},
    {"File Load Error", "{1} File Load Error.  The file you've requested contains no text.", kInfo, B::Ok, B::Ok},
    {"Beginning of File Error",
     "The beginning of the viewed file was encountered.  Do you want to start again from the end of "
     "the file?",
     kExcl, B::Yes | B::No, B::Yes},
    {"File Access Error", "File ({1}) could not be opened.  Error: {e}.", kInfo, B::Ok, B::Ok},
    {"Process DELETE Error", "An error was experienced when deleting a record from the {2} file.  Error: {e}", kInfo,
     B::Ok, B::Ok},
    {"Confirm Delete",
     "You've selected to delete the highlighted record.  Press OK to confirm deletion of this record.", kExcl,
     B::Ok | B::Cancel, B::Cancel},
    {"Update Cancelled", "Do you want to save the changes to this record?", kExcl, B::Yes | B::No | B::Cancel, B::No},
    {"Transaction Framing Error",
     "Error: ({e}) attempting to frame the {l1} transaction on {2}.  {1} transaction cancelled.", kInfo, B::Ok, B::Ok},
    {"Record Retrieval Error",
     "Error: ({e}) attempting to access a record from the {1} file.  Returning to previous window.", kInfo, B::Ok,
     B::Ok},
    {"View Open Error", "Error: ({e}) attempting to open the current VIEW. Filter and Range Limits ignored.", kInfo,
     B::Ok, B::Ok},
    {"Record Added", "This record has been added to the file. Do you want to add another record?", kExcl,
     B::Yes | B::No, B::Yes},
    {"Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the Ditto "
     "Button or Ctrl+' to recall your changes.",
     kInfo, B::Ok, B::Ok},
};
static_assert(std::size(kWordings) == kLastWarningKind);

const Wording kChangedByAnother{"Update Operation Error", "This record was changed by another station.", kInfo, B::Ok,
                                B::Ok};
const Wording kEndOfFile{"End of File Error",
                         "The end of the viewed file was encountered.  Do you want to start again from "
                         "the beginning?",
                         kExcl, B::Yes | B::No, B::Yes};
const Wording kPutError{"Process PUT Error",
                        "An error was experienced when making changes to the {2} file.  Error: {e}", kInfo, B::Ok,
                        B::Ok};

// Kinds 15, 29 and 31 have a second wording, chosen by the error code or the first text.
const Wording& wordingOf(int kind, std::string_view t1, int code) {
  if (kind == kUpdateOperationError && (code == 0 || code == 89)) return kChangedByAnother;
  if (kind == kEndOfViewedFile && t1 == "Down") return kEndOfFile;
  if (kind == kProcessError && t1 == "Put") return kPutError;
  return kWordings[kind - 1];
}

std::string expand(std::string_view pattern, const std::string& t1, const std::string& t2, const std::string& e) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const auto take = [&](std::string_view mark, const std::string& with) {
      if (pattern.substr(i, mark.size()) != mark) return false;
      out += with;
      i += mark.size();
      return true;
    };
    if (pattern[i] == '{' &&
        (take("{1}", t1) || take("{2}", t2) || take("{e}", e) || take("{l1}", lower(t1)) || take("{end}", kEndApp)))
      continue;
    out += pattern[i++];
  }
  return out;
}

}  // namespace

bool warningBox(int kind, std::string_view text1, std::string_view text2, std::string_view error, int code,
                WarningBox& out) {
  if (kind < 1 || kind > kLastWarningKind) return false;
  const std::string t1 = trimmed(text1);
  const Wording& w = wordingOf(kind, t1, code);
  out = WarningBox{w.caption,   expand(w.text, t1, trimmed(text2), trimmed(error)), w.icon, w.buttons, w.defaultButton,
                   w.endMessage};
  return true;
}

int ShowWarning(int kind, std::string_view text1, std::string_view text2) {
  const ErrorInfo err = tSaved.code != 0 ? tSaved : currentError();
  tSaved = ErrorInfo{};
  WarningBox box;
  if (!warningBox(kind, text1, text2, warningErrorText(err), err.code, box)) return 0;
  const int pressed = ui::message(box.text, box.caption, box.icon, box.buttons, box.defaultButton);
  if (kind == kInvalidKey) {
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
