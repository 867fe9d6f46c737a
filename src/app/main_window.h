// The main window, Form1: its controls, form-level state and event handlers.
// The subsystems' routines run over contexts the window builds from its state.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/form1_controls.h"
#include "app/form1_pages.h"
#include "browser/cache_cursor.h"
#include "browser/cache_views.h"
#include "engine/builtin_items.h"
#include "engine/clean_run.h"
#include "engine/file_lists.h"
#include "engine/removal.h"
#include "engine/stopwatch.h"
#include "toolkit/form.h"

namespace vb::app {

class Program;
class WarningWindow;

class MainWindow {
 public:
  explicit MainWindow(Program& program);
  ~MainWindow();

  toolkit::Form& form() { return form_; }
  // Quiet mode: the command line was "/AUTO"; the window is never shown.
  bool Quiet() const { return quiet_; }
  // Whether the file lists take read-only files ("Enable Deletion for
  // Read-Only Files").
  bool ReadOnlyFilesListed() const { return readOnlyFiles_; }

  void Form_Initialize();
  void Form_Load();
  void Form_Unload();
  void CleanCom_Click();
  void AnalyCom_Click();
  // Deletes one URL-cache entry; true when it went.
  bool DeleteCacheEntry(const std::string& url);
  void LoadHistroy();
  void LoadCookies();

 private:
  toolkit::CheckBox& Box(const char* name) { return form_.Get<toolkit::CheckBox>(name); }
  bool Checked(const std::string& name) { return form_.Get<toolkit::CheckBox>(name).Value() == 1; }
  void Wire();
  void StoreBox(const char* box);
  void ShowPage(Page page);
  void SwitchItemSets(bool second);
  void TabStrip3_Click();
  void TabStrip2_Click();
  void ShowWarning();
  engine::CleanRunWindow RunWindow();

  Program& program_;
  Form1 form_;
  engine::Stopwatch stopwatch_;
  bool analyzeOnly_ = false;
  bool shallowAnalyze_ = false;
  // The invisible file and folder lists the removal routines enumerate with.
  engine::FileList file_, file1_, file2_, file4_;
  engine::FolderList dir1_, dir3_;
  browser::CacheCursor cache_;
  engine::RemovalContext removal_;
  engine::BuiltinContext builtin_;
  browser::CacheViews views_;
  engine::RoutineTable routines_;
  bool quiet_ = false;
  bool readOnlyFiles_ = false;
  // Every warning window shown; one that unloaded stays until the program
  // ends, since its own handler may still be running when the next one opens.
  std::vector<std::unique_ptr<WarningWindow>> warnings_;
};

}  // namespace vb::app
