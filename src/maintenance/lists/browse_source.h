#pragma once
// What a list needs of the list file: a view in key order with an optional filter, the record
// buffer the rows are built from and copied back into, and the list's own hooks (locator field,
// reset values, record test, priming, form). One implementation per list; tests use fakes.
#include <string>
#include <string_view>
#include <vector>

#include "platform/store/error.h"

namespace maintenance {

class BrowseSource {
 public:
  virtual ~BrowseSource() = default;

  // Starts the view in key order from the beginning of the key: the next read forward returns
  // the first record, the next read backward the last. 0 or an error code.
  virtual int start() = 0;
  // Starts the view at the key value in the record buffer (first record equal or greater).
  virtual int startAtValue() = 0;
  // Starts the view at the buffer's record within the list's key (the record a form wrote).
  virtual int startAtKeyPosition() = 0;
  virtual void close() = 0;

  // Reads the next or previous record of the view into the record buffer.
  // 0, store::Err::NoRecord at either end, or another error code.
  virtual int next() = 0;
  virtual int previous() = 0;
  // The view's position of the record last read (at most 512 characters).
  virtual std::string position() const = 0;
  // Places the view so that the next read in either direction returns that record first; a
  // record that has gone continues from its old place.
  virtual void resetTo(std::string_view position) = 0;
  // Re-reads the record at a position into the buffer, arming change detection. 0, or an
  // error code (the record is gone) with no current record left, so a form finds none.
  virtual int reread(std::string_view position) = 0;
  // A hint of how many records the view is about to read; 0 when none has been given.
  virtual int readAhead() const { return 0; }
  virtual void setReadAhead(int) {}

  // Record buffer.
  virtual void clearBuffer() = 0;                                  // forgets the current record too
  virtual std::vector<std::string> makeRow() = 0;                  // the columns, with their look-ups
  virtual void copyBack(const std::vector<std::string>& row) = 0;  // the reverse copy
  // First character of the locator field (Windows-1252 byte); ' ' when blank.
  virtual char locatorChar() const = 0;
  // Locator field := c, the rest blank.
  virtual void setLocator(char c) = 0;

  // Reset values: the values the filter depends on, as one comparable text ("" without any).
  virtual std::string resetValues() const { return {}; }
  // Puts the reset values into their key fields before a start at a value.
  virtual void putResetValues() {}
  // The list noted its reset values as its saved copy (a filter may compare with the copy).
  virtual void resetSaved(std::string_view /*saved*/) {}
  // A record failing the test is passed over by the fill step.
  virtual bool recordTest() const { return true; }
  // Fields primed before an insert (the owner's key).
  virtual void primeInsert(std::string_view /*savedReset*/) {}

  // The update form, called with ThreadRequest set; returns ThreadResponse.
  virtual int callForm(int request) = 0;
  // Label shown with warning kind 35.
  virtual std::string label() const = 0;
};

}  // namespace maintenance
