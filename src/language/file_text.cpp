#include "language/file_text.h"

#include "base/utf8.h"
#include "platform/system_api.h"
#include "registry/reg_file_text.h"

namespace vb::language {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::string FileText(std::string bytes, win::DWORD codePage) {
  if (codePage != platform::kCodePageUtf8) return bytes;
  if (!IsUtf8(bytes)) return registry::Cp1252ToUtf8(bytes);
  if (std::string_view(bytes).substr(0, kByteOrderMark.size()) == kByteOrderMark)
    bytes.erase(0, kByteOrderMark.size());
  return bytes;
}

}  // namespace vb::language
