// The built-in Windows items: their step lists, and the two routines written
// as code, which work on the cache and cookie views as well (the Internet
// Explorer temporary files, and the cookies).
#pragma once

#include <functional>
#include <string>

#include "engine/cache_view_port.h"
#include "engine/clean_run.h"
#include "engine/removal.h"
#include "engine/routines.h"
#include "engine/steps.h"
#include "toolkit/controls.h"

namespace vb::engine {

// What the item routines use of the main window.
struct BuiltinContext {
  platform::Platform& platform;
  RemovalContext& removal;
  CacheViewPort& views;
  toolkit::Frame& resultsLogFrame;  // "Results Log:" of the Internet page
  const RunOptions& options;        // of the run in progress
  // Told after each URL-cache entry the program deleted.
  std::function<void()> cacheEntryDeleted;
};

// Adds the built-in items' routines to the table: every step list, and the
// routines written as code.
void AddBuiltinRoutines(BuiltinContext& context, RoutineTable& routines);

// The routines the Internet page's commands call too.
void CleanIETemp(BuiltinContext& context);
void Cookies(BuiltinContext& context);

// Deletes the URL-cache entry of a view's row, its file as the view found
// it, through the safety policy; false when the policy refused it (its line
// is in the results log).
bool DeleteViewEntry(BuiltinContext& context, const std::string& url);

}  // namespace vb::engine
