#include "registry/error_text.h"

namespace vb::registry {

std::string RegistryErrorText(win::LONG code) {
  switch (code) {
    case win::kErrorSuccess:
      return "The operation completed successfully.";
    case win::kErrorFileNotFound:
    case win::kErrorPathNotFound:
      return "The system was unable to find the specified registry key or value.";
    case win::kErrorAccessDenied:
      return "Access is denied.";
    case win::kErrorInvalidHandle:
      return "The handle is invalid.";
    case win::kErrorInvalidParameter:
      return "The parameter is incorrect.";
    case win::kErrorBadPathname:
      return "The path is not valid.";
    case win::kErrorDiskFull:
      return "The disk is full: there is not enough space on the disk.";
    case win::kErrorBusy:
      return "The registry is busy: another program is changing it.";
    case win::kErrorKeyDeleted:
      return "The registry key has been deleted.";
    default:
      return "The registry reported error " + std::to_string(code) + ".";
  }
}

}  // namespace vb::registry
