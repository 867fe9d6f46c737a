// The built-in items a user ticks on the Cleaner page. Each is one row of
// ItemRows(): its box (name, caption, language key, place, design value), the
// setting that stores the box, and the stage of the run it guards (the
// progress values it shows, and its steps: its own, or routines it shares
// with the Internet page). Adding an item is
// adding its row here, its language key to the language files and its traces
// to the demonstration machine.
#pragma once

#include <bitset>
#include <cstddef>
#include <optional>
#include <vector>

#include "engine/routines.h"
#include "engine/steps.h"

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

// One step of a stage: a progress value to set, a routine to run, steps of
// the item's own to run, or the run's own Recycle Bin step.
struct StageStep {
  enum Kind { kProgress, kRoutine, kSteps, kRecycleBin } kind;
  int progress = -1;
  Routine routine = Routine::kCount;
  bool cleanerOnly = false;  // skipped by Analyze
  std::vector<Step> steps = {};
};

// A stage of the run, guarded by its item (none: always runs).
struct Stage {
  std::optional<Item> item;
  bool cleanerOnly;  // the whole stage is skipped by Analyze
  std::vector<StageStep> steps;
  std::vector<int> after;  // progress values set after the stage, whether it ran or not
};

// What an item's stage does: the progress values it shows and the routines it
// runs, and the values set after it.
struct ItemStage {
  bool cleanerOnly;  // the whole stage is skipped by Analyze
  std::vector<StageStep> steps;
  std::vector<int> after;
};

// The Cleaner page shows its item boxes in two sets of this many rows, one
// set at a time.
inline constexpr int kItemRowsPerSet = 7;

struct ItemRow {
  Item item;
  // The box.
  const char* control;  // its name, which scripts and language files use
  const char* caption;  // before a language file replaces it
  int languageKey;
  int place;    // 0 to 6 in the first set, 7 to 13 in the second
  bool ticked;  // its design value
  // The value of the program's settings that stores it, and the warning shown
  // the first time it is ticked (none when null).
  const char* setting;
  const char* warning = nullptr;
  // The stage it guards.
  ItemStage stage;
};

// Every item, in the order of the enumeration, which is the order the run
// visits them.
const std::vector<ItemRow>& ItemRows();
inline const ItemRow& RowOf(Item item) { return ItemRows()[static_cast<std::size_t>(item)]; }
// The source of the personalized items' actions, as an item's is its caption.
inline constexpr char kPersonalizedSource[] = "Personalized";

// The stages in the order the run visits them: each item's, and the
// personalized items' stage (which reads its own check box) before the
// applications.
const std::vector<Stage>& StageTable();

}  // namespace vb::engine
