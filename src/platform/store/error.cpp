#include "platform/store/error.h"

#include "platform/store/internal.h"

namespace store {

std::string_view errorText(int code) {
  switch (code) {
    case Err::None: return "";
    case Err::FileNotFound: return "File Not Found";
    case Err::AccessDenied: return "Access Denied";
    case Err::Locked: return "File Is Locked";
    case Err::NoRecord: return "Record Not Available";
    case Err::RecordNotFound: return "Record Not Found";
    case Err::NotOpen: return "File Not Open";
    case Err::DuplicateKey: return "Creates Duplicate Key";
    case Err::KeysMustBeRebuilt: return "Key File Must Be Rebuilt";
    case Err::LayoutMismatch: return "Invalid Record Declaration";
    case Err::AlreadyOpen: return "File Already Open";
    case Err::TransactionActive: return "Transaction Already Active";
    case Err::ChangedByOther: return "Record Changed By Another Station";
    case Err::Driver: return "File System Error";
    default: return "Unknown Error";
  }
}

namespace {
thread_local Error t_last;
}

const Error& lastError() { return t_last; }
void setLastError(const Error& e) { t_last = e; }

}  // namespace store
