#include "tools/web_links.h"

#include "product/version.h"
#include "registry/reg32.h"

namespace vb::tools {

void OpenWebPage(platform::Platform& platform, const std::string& page) {
  std::string browser = registry::ReadRegString(platform.Registry(), win::kHkeyClassesRoot,
                                                "HTTP\\shell\\open\\command", "", "");
  if (browser.empty()) return;
  (void)platform.System().Launch(browser + " " + product::kSiteAddress + page, 3);
}

}  // namespace vb::tools
