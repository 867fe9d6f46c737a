// The built-in Windows items: their step lists, and the routines written as
// code (the user's temporary folder, the Open With lists, cookies, and the
// Internet Explorer temporary files).
#pragma once

#include <functional>
#include <string>

#include "browser/cache_views.h"
#include "engine/clean_run.h"
#include "engine/removal.h"
#include "engine/routines.h"
#include "toolkit/controls.h"

namespace vb::engine {

// What the item routines use of the main window.
struct BuiltinContext {
  platform::Platform& platform;
  RemovalContext& removal;
  browser::CacheViews& views;
  toolkit::Frame& resultsLogFrame;  // "Results Log:" of the Internet page
  const RunOptions& options;        // of the run in progress
  // Deletes one URL-cache entry by its URL; true when it went.
  std::function<bool(const std::string& url)> deleteCacheEntry;
};

// Adds the built-in items' routines to the table: every step list, and the
// routines written as code.
void AddBuiltinRoutines(BuiltinContext& context, RoutineTable& routines);

// The routines the Internet page's commands call too.
void CleanIETemp(BuiltinContext& context);
void Cookies(BuiltinContext& context);

}  // namespace vb::engine
