#include "cli/winapp2_verb.h"

#include "catalogue/rule_catalogue.h"
#include "cli/host_file.h"

namespace vb::cli {

int RunWinapp2Verb(platform::Platform& platform, const std::vector<std::string>& args, VerbIo io) {
  if (args.size() != 2 || args[0] != "check") {
    io.err << "usage: vanbrisk-cli winapp2 check FILE\n";
    return kExitUsage;
  }
  const std::string& file = args[1];
  Result<std::string> text = ReadHostFile(file, catalogue::kRuleFileLimit);
  if (!text) {
    io.err << "winapp2 check: " << file << " was not read: " << text.message()
           << "; the program would start without it\n";
    return kExitFailed;
  }
  catalogue::RulePlaces places(platform);
  auto rules = catalogue::RuleCatalogue::Load(places, *text, file);
  for (const auto& [line, problem] : rules->Problems()) io.out << problem.message << "\n";
  for (int l = 0; l < catalogue::kAppListCount; ++l) {
    auto list = static_cast<catalogue::AppList>(l);
    io.out << catalogue::ListCaption(list) << ": " << rules->Entries(list).size() << "\n";
  }
  return rules->Problems().empty() ? kExitOk : kExitFailed;
}

}  // namespace vb::cli
