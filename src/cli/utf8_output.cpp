#include "cli/utf8_output.h"

#include <string>

#include "registry/reg_file_text.h"

namespace vb::cli {

Utf8Output::int_type Utf8Output::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  char byte = traits_type::to_char_type(c);
  return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize Utf8Output::xsputn(const char* text, std::streamsize count) {
  std::string converted = registry::Cp1252ToUtf8(std::string_view(text, count));
  auto size = static_cast<std::streamsize>(converted.size());
  // All or nothing: a short write below fails the whole text.
  return below_->sputn(converted.data(), size) == size ? count : 0;
}

int Utf8Output::sync() { return below_->pubsync(); }

}  // namespace vb::cli
