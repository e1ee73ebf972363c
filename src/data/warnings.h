#pragma once
// The standard warnings: one box per kind (file errors, fixed confirmations of lists and forms),
// with up to two caller texts and the text of the error behind it. Some kinds end the program.
#include <string>
#include <string_view>

#include "platform/ui/api/message.h"

namespace data {

// The kinds of standard warning, by what each says. Plain numbers on purpose: the kinds are
// the numbers the warnings were always known by, and callers may pass one on as an int.
enum Warning : int {
  kInvalidFile = 1,
  kInvalidKey = 2,  // Yes rebuilds the key, No ends the program
  kKeyRebuildError = 3,
  kFileCreationError = 4,
  kCreatedFileOpenError = 5,
  kProcedureNotDefined = 6,
  kKeyedRecordReadError = 7,
  kValueTooHigh = 8,
  kValueTooLow = 9,
  kValueOutOfRange = 10,
  kValueNotInFile = 11,
  kReferencedOnUpdate = 12,
  kReferencedOnDelete = 13,
  kRecordInsertError = 14,
  kUpdateOperationError = 15,  // "changed by another station" for error codes 0 and 89
  kChangeRetry = 16,
  kDeleteOperationError = 17,
  kDeleteRetry = 18,
  kInsertNotAllowed = 19,
  kChangeNotAllowed = 20,
  kDeleteNotAllowed = 21,
  kFileCreationNotAllowed = 22,
  kConfirmCancel = 23,
  kDuplicateKey = 24,
  kAutoIncrementError = 25,
  kFileLoadError = 26,
  kConfirmStopLoading = 27,
  kFileHasNoText = 28,
  kEndOfViewedFile = 29,  // text "Down": the end, else the beginning
  kFileAccessError = 30,
  kProcessError = 31,  // text "Put": a change, else a delete
  kConfirmDelete = 32,
  kSaveChanges = 33,
  kTransactionFramingError = 34,
  kRecordRetrievalError = 35,
  kViewOpenError = 36,
  kRecordAdded = 37,
  kRecordChangedElsewhere = 38,
  kLastWarningKind = 38,
};

// An error as the warnings report it: the store's code and text, and for codes 90 and 100 the
// driver's own code and text.
struct ErrorInfo {
  int code = 0;
  std::string text;
  int driverCode = 0;
  std::string driverText;
};

// What one kind shows. `endMessage` is empty for kinds that return; kind 2 ends only on No.
struct WarningBox {
  std::string caption;
  std::string text;
  ui::Icon icon = ui::Icon::None;
  int buttons = 0;
  int defaultButton = 0;
  std::string endMessage;
};

// The box of `kind` for the given texts and error text (already formed, see warningErrorText).
// `code` is the error code kind 15 tests. False for a kind outside 1..38 (nothing is shown).
bool warningBox(int kind, std::string_view text1, std::string_view text2, std::string_view error, int code,
                WarningBox& out);

// The error text a warning places: "text (code)", or for 90/100 "driver text (driver code)",
// trailing blanks removed from the texts, cut to 150 characters.
std::string warningErrorText(const ErrorInfo& e);

// Shows the box of `kind` and returns the button pressed (kind 2: 2 after Yes). The error shown is
// the one this thread saved with SaveLastError, else the thread's current store error; the saved
// error is emptied either way. Kinds 1, 3, 4, 5, 22, and 2 answered No, end the program after
// their box with a "Halt" box and never return. A kind outside 1..38 shows nothing, returns 0.
int ShowWarning(int kind, std::string_view text1, std::string_view text2);
int ShowWarningText(int kind, std::string_view text1);
int ShowWarningKind(int kind);

// Keeps the thread's current store error for its next warning and rolls back the thread's
// current transaction. Kept per thread, so a warning on another thread cannot take it.
void SaveLastError();

// The thread's current store error: the code and texts of its last store operation.
ErrorInfo currentError();

// The error SaveLastError kept on this thread (code 0 when none); for tests and diagnostics.
ErrorInfo savedError();

}  // namespace data
