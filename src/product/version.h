// The product's identity: its name, maker, version and web site, each spelled
// once. The build reads the names and the version from this file too, for the
// executables' version resources, the installer and the Uninstall key it writes.
#pragma once

namespace vb::product {

inline constexpr char kProductName[] = "Vanbrisk";
inline constexpr char kCompanyName[] = "Vanbrisk";
inline constexpr char kLegalCopyright[] = "Copyright (C) 2006 Vanbrisk";
inline constexpr char kVersion[] = "1.05.168";

// The product web site. A name under the reserved ".example" top-level domain
// can never belong to someone else, so a link can never lead a user to a
// stranger's site; it is changed here, once, when the product has its own.
inline constexpr char kSiteHost[] = "www.vanbrisk.example";
inline constexpr char kSiteAddress[] = "http://www.vanbrisk.example";

}  // namespace vb::product
