// Comparing a script's transcript with its expected file, line by line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vb::test {

// The lines of a text, CR LF or LF.
std::vector<std::string> Lines(const std::string& text);
// "{*}" in an expected line stands for any text, such as a run time.
bool LineMatches(const std::string& pattern, const std::string& line);
std::string ReadText(const std::filesystem::path& path);
// Whether a script asks for a demonstration machine (first line
// "# machine: demo"): one with traces for every built-in item.
bool WantsDemoMachine(const std::filesystem::path& script);
// The names of the NAME.vbs scripts of a folder, sorted.
std::vector<std::string> ScriptNames(const std::filesystem::path& folder);

}  // namespace vb::test
