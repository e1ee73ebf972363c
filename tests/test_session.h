#pragma once
// The headless run for tests: the same as the program's, with a robot that waits as long as a
// loaded machine needs (scripts that test a timeout set their own).
#include "platform/ui/headless/session.h"
#include "wait_limit.h"

namespace l2stest {

class Session : public ui::headless::Session {
 public:
  Session() { robot().setTimeout(kWaitLimit); }
};

}  // namespace l2stest
