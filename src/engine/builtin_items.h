// The routines of the built-in Windows items: temporary folders, Internet
// Explorer's files, history and cookies, index.dat files, prefetch, recent
// documents, Explorer MRU lists, memory dumps, log files, the tray and
// Windows caches.
#pragma once

#include <functional>
#include <string>

#include "engine/clean_run.h"
#include "engine/removal.h"
#include "toolkit/form.h"

namespace vb::engine {

// What the item routines use of the main window.
struct BuiltinContext {
  platform::Platform& platform;
  RemovalContext& removal;
  toolkit::Form& form;  // ListView1, ListView2, LV1, LV2, List2, Frame3, Frame4, Frame5
  // Deletes one URL-cache entry by its URL; true when it went.
  std::function<bool(const std::string& url)> deleteCacheEntry;
};

// Adds every item routine to the table, under the names the stages call.
void AddBuiltinRoutines(BuiltinContext& context, RoutineTable& routines);

// The two routines the Internet page's commands call too.
void CleanIETemp(BuiltinContext& context);
void Cookies(BuiltinContext& context);
void History(BuiltinContext& context);

}  // namespace vb::engine
