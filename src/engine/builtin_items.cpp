#include "engine/builtin_items.h"

#include "engine/builtin_targets.h"
#include "registry/settings_store.h"

namespace vb::engine {

namespace {

void Log(toolkit::ListBox& list, const std::string& line) {
  list.SetListIndex(list.AddItem(line));
}

std::string CountCaption(const char* prefix, int count) {
  return prefix + std::to_string(count) + " Files";
}

// The Internet Temporary stage: its lines, then the files and entries.
void IETemp(BuiltinContext& c) {
  auto& list = c.views.cacheUrls;
  if (list.ListCount() == 0) return;
  if (c.options.showAllIeFiles) {
    for (int i = 0; i < list.ListCount(); ++i) c.removal.resultsLog.AddItem(list.List(i));
  } else {
    c.removal.resultsLog.AddItem("Temporary Internet Files (" +
                                 std::to_string(c.views.cacheView.Count()) + " Files)");
  }
  CleanIETemp(c);
  list.Clear();
}

}  // namespace

bool DeleteViewEntry(BuiltinContext& c, const std::string& url) {
  CacheEntryResult result = DeleteCacheEntry(c.removal, url, c.views.LocalFile(url));
  if (result == CacheEntryResult::kGone && c.cacheEntryDeleted) c.cacheEntryDeleted();
  return result != CacheEntryResult::kRefused;
}

void CleanIETemp(BuiltinContext& c) {
  auto& view = c.views.cacheView;
  ClearD(c.removal, UserFolder("Cache"));
  c.views.cacheFrame.SetCaption(CountCaption("Removed: ", view.Count()));
  // Under Analyze each entry is counted, or refused as Run Cleaner would
  // refuse it; the view stays as it is.
  if (c.removal.analyzeOnly)
    for (int i = 0; i < view.Count(); ++i) (void)DeleteViewEntry(c, view.ItemAt(i).text);
  if (!c.removal.analyzeOnly) {
    while (view.Count() > 0) {
      std::string url = view.ItemAt(0).text;
      if (DeleteViewEntry(c, url)) Log(c.removal.internetLog, url);
      view.Remove(0);
    }
    c.views.cacheUrls.Clear();
    view.Clear();
    c.resultsLogFrame.SetCaption(CountCaption("Results Log: ", c.removal.internetLog.ListCount()));
  }
  ClearDirTree(c.removal, UserFolder("Cache", "\\Content.IE5"));
}

void Cookies(BuiltinContext& c) {
  auto& toDelete = c.views.cookiesToDelete;
  auto& kept = c.views.cookiesToKeep;
  bool analyze = c.removal.analyzeOnly;
  if (analyze)
    for (int i = 0; i < toDelete.Count(); ++i) (void)DeleteViewEntry(c, toDelete.ItemAt(i).text);
  if (!analyze) {
    c.views.cookiesFrame.SetCaption(CountCaption("Removed: ", toDelete.Count()));
    while (toDelete.Count() > 0) {
      std::string url = toDelete.ItemAt(0).text;
      if (DeleteViewEntry(c, url)) {
        Log(c.removal.internetLog, url);
        Log(c.removal.resultsLog, url);
      }
      toDelete.Remove(0);
    }
  }
  // The whole folder goes only while nothing is kept; it is always measured.
  if (analyze || kept.Count() == 0) ClearD(c.removal, UserFolder("Cookies"));
  if (!analyze) {
    c.views.cookieView.Clear();
    c.resultsLogFrame.SetCaption(CountCaption("Results Log: ", c.removal.internetLog.ListCount()));
  }
  kept.Clear();
  for (const std::string& name :
       registry::settings::ListEntries(c.platform, registry::settings::kCookies))
    kept.Add(name);
}

void AddBuiltinRoutines(BuiltinContext& c, RoutineTable& routines) {
  for (const RoutineSteps& target : BuiltinTargets())
    routines.Set(target.routine, [&c, &routines, &steps = target.steps] {
      StepContext context{c.platform, c.removal, routines};
      RunSteps(context, steps);
    });
  routines.Set(Routine::kCookies, [&c] { Cookies(c); });
  routines.Set(Routine::kIETemp, [&c] { IETemp(c); });
}

}  // namespace vb::engine
