#include "cli/winapp2_verb.h"

#include <fstream>
#include <sstream>

#include "catalogue/rule_catalogue.h"

namespace vb::cli {

int RunWinapp2Verb(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io) {
  if (args.size() != 2 || args[0] != "check") {
    io.err << "usage: vanbrisk-cli winapp2 check FILE\n";
    return kExitUsage;
  }
  const std::string& file = args[1];
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    io.err << "cannot read " << file << "\n";
    return kExitFailed;
  }
  std::ostringstream text;
  text << in.rdbuf();
  catalogue::RulePlaces places(platform);
  auto rules = catalogue::RuleCatalogue::Load(places, text.str(), file);
  for (const auto& [line, problem] : rules->Problems()) io.out << problem.message << "\n";
  for (int l = 0; l < catalogue::kAppListCount; ++l) {
    auto list = static_cast<catalogue::AppList>(l);
    io.out << catalogue::ListCaption(list) << ": " << rules->Entries(list).size() << "\n";
  }
  return rules->Problems().empty() ? kExitOk : kExitFailed;
}

}  // namespace vb::cli
