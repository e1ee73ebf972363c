#include "platform/dbase/error.h"

namespace dbase {

std::string codeText(int code) {
  switch (code) {
    case Code::Ok: return {};
    case Code::FileMissing: return "File Not Found";
    case Code::AccessDenied: return "Access Denied";
    case Code::Locked: return "File Is Locked by Another Process";
    case Code::NoMoreRecords: return "Record Not Available";
    case Code::NotFound: return "Record Not Found";
    case Code::InvalidFile: return "Invalid Data File";
    case Code::NotOpen: return "File Not Open";
    case Code::KeysMustBeRebuilt: return "Key File Must Be Rebuilt";
    case Code::BadKey: return "Invalid Key Expression";
    case Code::AlreadyOpen: return "File Already Open";
    default: return "File System Error";
  }
}

Error makeError(int code, const std::string& detail) {
  Error e{code, codeText(code)};
  if (!detail.empty()) e.text.append(": ").append(detail);
  return e;
}

}  // namespace dbase
