// profiles.ini, as the Firefox profile locator reads it: any text gives a
// profile path or none without a fault, and a path that is taken stays inside
// the Firefox folder however Windows reads its components (trailing dots and
// blanks dropped, "." the folder itself, ".." its parent).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "browser/firefox.h"
#include "platform/ini_text.h"

namespace {

// The depth below the start that the path reaches at its lowest; -1 when it
// climbs above it, or names a drive or the root.
// A C string ends at its first NUL, as Windows reads the path.
int LowestDepth(std::string_view path) {
  path = path.substr(0, path.find('\0'));
  if (path.find(':') != std::string_view::npos) return -1;
  if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return -1;
  int depth = 0;
  int lowest = 0;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = path.size();
    std::string_view part = path.substr(start, end - start);
    std::string name(part);
    bool dotsOnly = !name.empty() && name.find_first_not_of('.') == std::string::npos;
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    if (dotsOnly && part.size() == 1) {
      // "." : the folder itself
    } else if (!part.empty() && name.empty()) {
      --depth;  // "..", "...", ". .": Windows climbs to the parent
    } else if (!part.empty()) {
      ++depth;
    }
    if (depth < lowest) lowest = depth;
    start = end + 1;
  }
  return lowest < 0 ? -1 : lowest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  // As GetFromINI reads it: a 255-character buffer, the NUL included.
  std::string relative = vb::platform::FindIniValue(text, "Profile0", "Path").value_or("");
  if (relative.size() > 254) relative.resize(254);
  if (vb::browser::StaysInsideFirefoxFolder(relative) && LowestDepth(relative) < 0)
    std::abort();
  return 0;
}
