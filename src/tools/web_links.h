// The product's web pages, opened in the user's default browser.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vb::tools {

// The pages of the product web site.
inline constexpr char kHomePage[] = "";
inline constexpr char kDownloadPage[] = "/Download.htm";
inline constexpr char kHelpPage[] = "/help.htm";

// Starts the default browser's registered open command, a blank and the
// page's address, maximized. The command is used as registered (a placeholder
// for the address in it stays). With no browser registered, or one that
// cannot start, nothing happens.
void OpenWebPage(platform::Platform& platform, const std::string& page);

}  // namespace vb::tools
