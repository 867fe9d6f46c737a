// The terminal of vanbrisk-cli on Linux: the locale says what it speaks.
#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <cstring>
#include <string>

#include "cli/platform_choice.h"

namespace vb::cli {

Console HostConsole() {
  // The user's character set is read, then the C locale put back, so that
  // nothing in the program classifies or folds bytes by the user's locale.
  std::string before = std::setlocale(LC_CTYPE, nullptr);
  std::setlocale(LC_CTYPE, "");
  bool utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
  std::setlocale(LC_CTYPE, before.c_str());
  return {utf8, isatty(STDERR_FILENO) == 1};
}

}  // namespace vb::cli
