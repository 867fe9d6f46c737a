// The rows a step deletes from an SQLite database that also holds what the
// user keeps (a browser's history beside its bookmarks, its form data beside
// its passwords): the file itself never goes. Under Analyze the statements
// run over a copy in memory, which tells the rows and the bytes a clean would
// free and changes nothing.
#pragma once

#include <string>
#include <vector>

#include "engine/removal.h"

namespace vb::engine {

struct Step;

// The hosts of the cookies the user keeps, from the keep-list of the
// Internet page ("Cookie:user@example.com/" keeps example.com).
[[nodiscard]] std::vector<std::string> KeptCookieHosts(platform::Platform& platform);

// Runs a database step in every folder its folder names: a database that a
// running program holds is skipped with the line "Close <owner> to clean
// <contents>", and counted as refused.
void CleanDatabaseRows(RemovalContext& context, const Step& step);

}  // namespace vb::engine
