#include "shared/transcript.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace vb::test {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool LineMatches(const std::string& pattern, const std::string& line) {
  const std::string star = "{*}";
  std::size_t at = pattern.find(star);
  if (at == std::string::npos) return pattern == line;
  if (line.compare(0, at, pattern, 0, at) != 0) return false;
  std::size_t pos = at;
  std::size_t from = at + star.size();
  for (;;) {
    std::size_t next = pattern.find(star, from);
    std::string piece =
        pattern.substr(from, next == std::string::npos ? std::string::npos : next - from);
    if (next == std::string::npos)
      return line.size() >= pos + piece.size() &&
             line.compare(line.size() - piece.size(), piece.size(), piece) == 0;
    std::size_t found = line.find(piece, pos);
    if (found == std::string::npos) return false;
    pos = found + piece.size();
    from = next + star.size();
  }
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool WantsDemoMachine(const std::filesystem::path& script) {
  std::vector<std::string> lines = Lines(ReadText(script));
  return !lines.empty() && lines[0] == "# machine: demo";
}

std::vector<std::string> ScriptNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.path().extension() == ".vbs") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace vb::test
