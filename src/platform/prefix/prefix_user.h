// Who the user of a prefix is, and the environment Wine gives its programs.
//
// A prefix has one user: the profile folder drive_c/users/NAME that Wine
// made for whoever ran it first ("steamuser" in Proton's prefixes). The
// user's shell folders in user.reg name that folder; a prefix without them
// has one profile folder besides Public.
//
// Wine's registry holds the system's and the user's Environment keys, but
// not the variables that Windows and Wine set for each process (SystemRoot,
// USERPROFILE, APPDATA, ProgramFiles...): those are made here from the
// registry and the user, as Wine makes them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/result.h"
#include "platform/registry_api.h"

namespace vb::prefix {

// The user's name; fails, saying why, when the prefix has no single user.
[[nodiscard]] Result<std::string> PrefixUser(const std::string& prefixFolder,
                                             platform::RegistryApi& registry);

// The variables each process of the prefix starts with, besides those of the
// registry's Environment keys.
std::vector<std::pair<std::string, std::string>> ProcessVariables(platform::RegistryApi& registry,
                                                                  const std::string& user);

}  // namespace vb::prefix
