// The entries of a rule file as catalogue entries: read, checked against the
// built-in texts and this machine's protected folders, and detected.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/rule_file.h"
#include "catalogue/rule_places.h"
#include "platform/platform.h"

namespace vb::catalogue {

// The rule file's name, in the program's folder.
inline constexpr const char* kRuleFileName = "winapp2.ini";
// The largest rule file read: several times the community's whole file. A
// larger one is no rule file, and reading it would only hold up the start.
inline constexpr std::uint64_t kRuleFileLimit = 16u << 20;

class RuleCatalogue {
 public:
  RuleCatalogue() = default;
  // The entries point into the rules: neither is copied.
  RuleCatalogue(const RuleCatalogue&) = delete;
  RuleCatalogue& operator=(const RuleCatalogue&) = delete;

  // The entries of one list, in the order of the file.
  const std::vector<Entry>& Entries(AppList list) const { return entries_[static_cast<int>(list)]; }
  // In the order of their lines.
  const RuleProblems& Problems() const { return problems_; }
  // The rule entry of a listed text, or nullptr.
  const Entry* Find(AppList list, const std::string& text) const;
  // Why the program's rule file was there but not read; "" when it was read
  // or there is none.
  const std::string& Unread() const { return unread_; }

  // Reads text as the rule file fileName. An entry whose text is a built-in
  // entry's text or a built-in item's control name or caption, in any letter
  // case, is skipped; a FileKey whose folder is one no rule may empty is
  // refused; an entry that had FileKey or RegKey lines and kept none of them
  // would clean nothing and is skipped; all are reported with their line.
  static std::unique_ptr<RuleCatalogue> Load(RulePlaces& places, std::string_view text,
                                             std::string_view fileName);
  // No entries: the file was there, but not read, for the reason given.
  static std::unique_ptr<RuleCatalogue> Unreadable(std::string why);

 private:
  std::vector<RuleEntry> rules_;
  std::array<std::vector<Entry>, kAppListCount> entries_;
  RuleProblems problems_;
  std::string unread_;
};

// The whole text of a rule file: only a regular file of at most
// kRuleFileLimit bytes is read; a folder, a device, a FIFO or a larger file
// is refused, saying why ("it is a folder").
[[nodiscard]] Result<std::string> ReadRuleFile(platform::FileSystemApi& files,
                                               const std::string& path);

// The rule file in the program's folder; an empty catalogue when there is
// none, or when it was refused (Unread says why).
[[nodiscard]] std::shared_ptr<const RuleCatalogue> LoadProgramRules(RulePlaces& places);

// Whether the entry is listed on this machine: its Windows version range
// holds, and one of its detections does (or it has none).
[[nodiscard]] bool RuleDetected(RulePlaces& places, const RuleEntry& rule);

// Whether a FileKey's folder, as it resolves now, is one no rule may empty.
[[nodiscard]] bool RefusedFolder(RulePlaces& places, const std::string& folder);

}  // namespace vb::catalogue
