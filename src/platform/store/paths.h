#pragma once
// How the program's file names become Linux paths. "\" is a separator like "/"; a name
// that begins with "\" (a blank data directory in front of "\File.tps") is taken from the
// drive root; a name beginning with "/" is absolute; a bare name is relative to the current
// directory.
#include <string>
#include <string_view>

namespace store {

std::string resolvePath(std::string_view name);

// The drive root: $LAB2SIV_DRIVE_ROOT when set, else "/"; tests may move it.
std::string driveRoot();
void setDriveRoot(std::string root);

// Wait for locks of ordinary operations (not transactions), in milliseconds. Default 1000.
void setDefaultWaitMs(int ms);
int defaultWaitMs();

// Wait for locks of reads outside a transaction, as long as an open after "Recover" waits (a
// list that reads a file another station holds should not give up sooner). Default 10000; an
// instance that was sent "Recover=n" waits n seconds.
void setRecoverWaitMs(int ms);
int recoverWaitMs();

}  // namespace store
