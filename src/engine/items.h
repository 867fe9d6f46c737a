// The built-in items a user ticks on the Cleaner page, each guarding one stage
// of the run, with the names a user or a script knows them by.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>

namespace vb::engine {

enum class Item {
  kSysTemp,
  kRecycleBin,
  kIETemp,
  kIEUrlHistory,
  kCookies,
  kIndexDat,
  kPrefetch,
  kExplorerMRUs,
  kMemoryDumps,
  kRecentDocuments,
  kTrayNotifications,
  kApplications,
  kWindowsLogs,
  kWindowsCache,
  kCount
};
inline constexpr std::size_t kItemCount = static_cast<std::size_t>(Item::kCount);
using ItemSet = std::bitset<kItemCount>;

inline bool Has(const ItemSet& items, Item item) {
  return items.test(static_cast<std::size_t>(item));
}

// An item's box: its control name, which scripts and language files use, and
// its caption before any language file replaces it.
struct ItemName {
  Item item;
  const char* control;
  const char* caption;
};

// Every item, in the order of the enumeration.
inline constexpr std::array<ItemName, kItemCount> kItemNames = {{
    {Item::kSysTemp, "SysTemp", "System Temporary"},
    {Item::kRecycleBin, "RBin", "Empty Recycle Bin"},
    {Item::kIETemp, "ietemp", "Internet Temporary"},
    {Item::kIEUrlHistory, "ieurlhist", "Internet Urls\\History"},
    {Item::kCookies, "Cook", "Cookies"},
    {Item::kIndexDat, "idat", "Index.dat Files"},
    {Item::kPrefetch, "Pref", "XP Prefetch"},
    {Item::kExplorerMRUs, "ExMRUs", "Explorer MRUs"},
    {Item::kMemoryDumps, "memdumps", "Memory Dumps"},
    {Item::kRecentDocuments, "rdocs", "Recent Documents"},
    {Item::kTrayNotifications, "tnotif", "Tray Notifications"},
    {Item::kApplications, "TAP", "Third Party Applications"},
    {Item::kWindowsLogs, "winlog", "Windows Log Files"},
    {Item::kWindowsCache, "wcache", "Windows Cache"},
}};

}  // namespace vb::engine
