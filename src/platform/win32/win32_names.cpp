#include <windows.h>

#include "platform/win32/win32_names.h"

namespace vb::win32 {

bool NarrowName(std::wstring_view wide, std::string* out, UINT codePage) {
  if (codePage == 0) codePage = GetACP();
  out->clear();
  if (wide.empty()) return true;
  const int length = static_cast<int>(wide.size());
  // UTF-8 carries every character: the only failure is a broken UTF-16
  // sequence, and the call takes neither the no-best-fit flag nor the report
  // of a default character. Any other code page reports whether it had to
  // put its default character in place of one it cannot carry.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL lost = FALSE;
  BOOL* lostReport = utf8 ? nullptr : &lost;
  int size = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr,
                                 lostReport);
  if (size <= 0 || lost) return false;
  out->assign(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(codePage, flags, wide.data(), length, out->data(), size, nullptr,
                          lostReport) != size ||
      lost) {
    out->clear();
    return false;
  }
  return true;
}

bool WideName(const std::string& narrow, std::wstring* out) {
  out->clear();
  if (narrow.empty()) return true;
  const int length = static_cast<int>(narrow.size());
  int size = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow.data(), length, nullptr, 0);
  if (size <= 0) return false;
  out->assign(static_cast<std::size_t>(size), L'\0');
  return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow.data(), length, out->data(),
                             size) == size;
}

}  // namespace vb::win32
