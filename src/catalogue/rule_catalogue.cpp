#include "catalogue/rule_catalogue.h"

#include <map>

#include "engine/items.h"
#include "platform/ascii_case.h"

#include "catalogue/rule_steps.h"

namespace vb::catalogue {

using namespace vb::win;

namespace {

// What a rule entry's text would be taken for, when it names a built-in
// entry or item in any letter case: a user's choices, a script's --select
// and the stored marks (registry values, whose names ignore case) would not
// tell the two apart.
const char* BuiltInName(const std::string& text) {
  static const std::map<std::string, const char*> names = [] {
    std::map<std::string, const char*> all;
    for (int l = 0; l < kAppListCount; ++l)
      for (const Entry& e : catalogue::Entries(static_cast<AppList>(l)))
        all.emplace(platform::FoldAscii(e.text), "a built-in entry");
    for (const engine::ItemRow& item : engine::ItemRows())
      for (const char* name : {item.control, item.caption})
        all.emplace(platform::FoldAscii(name), "the name of a built-in item");
    return all;
  }();
  auto found = names.find(platform::FoldAscii(text));
  return found == names.end() ? nullptr : found->second;
}

}  // namespace

const Entry* RuleCatalogue::Find(AppList list, const std::string& text) const {
  for (const Entry& e : Entries(list))
    if (text == e.text) return &e;
  return nullptr;
}

std::unique_ptr<RuleCatalogue> RuleCatalogue::Load(RulePlaces& places, std::string_view text,
                                                   std::string_view fileName) {
  auto catalogue = std::make_unique<RuleCatalogue>();
  RuleFile file = ParseRules(text, fileName);
  catalogue->problems_ = std::move(file.problems);
  auto problem = [&](int line, std::string message) {
    catalogue->problems_.emplace(line, LineProblem(fileName, line, message));
  };
  for (RuleEntry& rule : file.entries) {
    if (const char* builtIn = BuiltInName(rule.text)) {
      problem(rule.line, "\"" + rule.text + "\" is " + builtIn + ": skipped");
      continue;
    }
    std::vector<RuleFiles> kept;
    for (RuleFiles& files : rule.files) {
      if (RefusedFolder(places, files.folder))
        problem(files.line, "refused: \"" + files.folder +
                                "\" is a drive, the Windows or Program Files folder, a profile "
                                "or a Desktop, Documents, Music, Pictures or Video folder");
      else
        kept.push_back(std::move(files));
    }
    rule.files = std::move(kept);
    // Ticking it would do nothing: every line that said what to clean was refused.
    if (rule.cleaningLines > 0 && rule.files.empty() && rule.registry.empty()) {
      problem(rule.line, "\"" + rule.text + "\" has nothing left to clean: skipped");
      continue;
    }
    catalogue->rules_.push_back(std::move(rule));
  }
  // The rules are in place: the entries may point into them.
  for (const RuleEntry& rule : catalogue->rules_)
    catalogue->entries_[static_cast<int>(rule.list)].push_back(
        Entry{rule.text.c_str(), rule.list, Always(), UnderAnalyze::kRuns, RuleSteps(rule), &rule});
  return catalogue;
}

std::unique_ptr<RuleCatalogue> RuleCatalogue::Unreadable(std::string why) {
  auto catalogue = std::make_unique<RuleCatalogue>();
  catalogue->unread_ = std::move(why);
  return catalogue;
}

Result<std::string> ReadRuleFile(platform::FileSystemApi& files, const std::string& path) {
  platform::FindData found;
  LONG rc = files.GetFileAttributesExA(path, &found);
  if (rc == kErrorFileNotFound || rc == kErrorPathNotFound) return Fail("there is no such file", rc);
  if (rc != kErrorSuccess) return Fail("it cannot be read (error " + std::to_string(rc) + ")", rc);
  if (found.attributes & kFileAttributeDirectory) return Fail("it is a folder", kErrorAccessDenied);
  std::string tooLarge = "it is larger than " + std::to_string(kRuleFileLimit >> 20) + " MB";
  if (found.size > kRuleFileLimit) return Fail(tooLarge, kErrorNotEnoughMemory);
  std::string text;
  // Devices, FIFOs and sockets are not read as files (access denied).
  rc = files.ReadFileBytes(path, &text);
  if (rc == kErrorAccessDenied) return Fail("it is not a file that can be read", rc);
  if (rc != kErrorSuccess) return Fail("it cannot be read (error " + std::to_string(rc) + ")", rc);
  // It grew while it was read.
  if (text.size() > kRuleFileLimit) return Fail(tooLarge, kErrorNotEnoughMemory);
  return text;
}

std::shared_ptr<const RuleCatalogue> LoadProgramRules(RulePlaces& places) {
  platform::Platform& p = places.platform();
  std::string path = p.System().ProgramFolder() + "\\" + kRuleFileName;
  Result<std::string> text = ReadRuleFile(p.Files(), path);
  if (text) return RuleCatalogue::Load(places, *text, kRuleFileName);
  if (text.code() == kErrorFileNotFound || text.code() == kErrorPathNotFound)
    return RuleCatalogue::Load(places, "", kRuleFileName);
  return RuleCatalogue::Unreadable(text.message());
}

bool RuleDetected(RulePlaces& places, const RuleEntry& rule) {
  if (rule.os) {
    OsVersion v = places.Version();
    if ((rule.os->min && v < *rule.os->min) || (rule.os->max && v > *rule.os->max)) return false;
  }
  if (rule.detects.empty()) return true;
  for (const RuleDetect& d : rule.detects) {
    bool holds = d.file ? places.places().RuleEntryExists(d.path) : places.KeyExists(d.key);
    if (holds) return true;
  }
  return false;
}

bool RefusedFolder(RulePlaces& places, const std::string& folder) {
  bool refused = false;
  places.places().ForEach(engine::RuleFolder(folder), [&](const engine::OpenedFolder& found) {
    refused = refused || places.policy().Protected(found.handle, found.driveRoot);
  });
  return refused;
}

}  // namespace vb::catalogue
