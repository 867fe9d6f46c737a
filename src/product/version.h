// The product's identity: its version and its web site, each spelled once.
// The build reads the version from this file too, for the installer and the
// Uninstall key it writes.
#pragma once

namespace vb::product {

inline constexpr char kVersion[] = "1.05.168";

// The product web site. A name under the reserved ".example" top-level domain
// can never belong to someone else, so a link can never lead a user to a
// stranger's site; it is changed here, once, when the product has its own.
inline constexpr char kSiteHost[] = "www.vanbrisk.example";
inline constexpr char kSiteAddress[] = "http://www.vanbrisk.example";

}  // namespace vb::product
