// The main window, Form1: form-level state and event handlers. The
// subsystems' routines run over contexts the window builds from its state.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/form1_pages.h"
#include "app/group_policy.h"
#include "browser/cache_cursor.h"
#include "browser/cache_views.h"
#include "browser/cookie_keep_list.h"
#include "browser/internet_page.h"
#include "catalogue/app_lists.h"
#include "catalogue/application_stage.h"
#include "engine/builtin_items.h"
#include "engine/clean_run.h"
#include "engine/file_lists.h"
#include "engine/removal.h"
#include "engine/routines.h"
#include "engine/steps.h"
#include "engine/stopwatch.h"
#include "language/language_table.h"
#include "personal/personalized_items.h"
#include "personal/personalized_stage.h"
#include "shell/shell_integration.h"
#include "toolkit/window.h"

namespace vb::app {

class Program;

class MainWindow : private engine::RunHost {
 public:
  explicit MainWindow(Program& program);
  ~MainWindow() override;

  Form1& form() { return form_; }
  // Quiet mode: the command line was "/AUTO"; the window is never shown.
  bool Quiet() const { return quiet_; }
  // Whether the file lists take read-only files ("Enable Deletion for
  // Read-Only Files").
  bool ReadOnlyFilesListed() const { return readOnlyFiles_; }
  // Every cleaning routine, each with its implementation.
  const engine::RoutineTable& Routines() const { return routines_; }

  void Form_Initialize();
  void Form_Load();
  void Form_Unload();
  void RunCleaner_Click();
  void Analyze_Click();
  // The actions that the runs from now on report to; null counts nothing.
  void SetRunTally(engine::RunTally* tally) { removal_.tally = tally; }
  // The Group Policy in force, read when the window was made.
  const GroupPolicy& Policy() const { return groupPolicy_; }
  // Whether a policy sets the box, which the user then cannot change.
  bool Locked(const toolkit::CheckBox& box) const;

 private:
  void Wire();
  // The Internet page and the Cookies tab (main_window_internet.cpp).
  void WireInternetPage();
  // The Personalized page, its menu and the save commands.
  void WirePersonalized();
  // The language box (main_window_language.cpp).
  void WireLanguage();
  // The shell-integration boxes (main_window_shell.cpp).
  void WireShell();
  // The Tools page, About, Online Help and the web links (main_window_tools.cpp).
  void WireTools();
  void DisableMissingTools();
  // Shows a secondary window over this one, which stays disabled until it
  // unloads, then applies the chosen language: the one routine that shows a
  // window (main_window_language.cpp).
  void Show(toolkit::Window& window);
  // Reads the chosen language's file again and applies it to this window
  // and to the window just shown, if any.
  void ApplyLanguage(toolkit::Form* shown = nullptr);
  void StoreBox(toolkit::CheckBox& box);
  // Sets the boxes, entries and language that policy sets, and locks them.
  void ApplyPolicyToBoxes();
  void ApplyPolicyToEntries();
  // Disables what policy locks, with the tooltip in the window's language.
  void ShowLocks();
  void ShowPage(Page page);
  void SwitchItemSets(bool second);
  void OptionTabs_Click();
  void ApplicationTabs_Click();
  engine::RunRequest Request() const;

  // What the run asks of the window.
  void ShowWarning() override;
  void HideWindow() override;
  void ShowWindow() override;
  void CloseWindow() override;
  void MakeExitDefault() override;
  void BeginPreview() override;
  void EndPreview() override;

  Program& program_;
  GroupPolicy groupPolicy_;
  Form1 form_;
  Form1Pages pages_;
  engine::Stopwatch stopwatch_;
  bool analyzeOnly_ = false;
  bool readOnlyFiles_ = false;
  engine::RunOptions options_;  // of the run in progress
  // The file list the Internet page reads again after deleting the Opera cache.
  engine::FileList fileList_;
  browser::CacheCursor cache_;
  engine::Places places_;
  engine::SafetyPolicy policy_;
  engine::RemovalContext removal_;
  browser::CacheViews views_;
  engine::BuiltinContext builtin_;
  engine::RoutineTable routines_;
  engine::StepContext steps_;
  catalogue::AppListsContext apps_;
  bool operaCookies_ = false;  // which part of the Opera cleaner runs
  catalogue::ApplicationStageContext stage_;
  personal::PersonalizedContext personal_;
  personal::PersonalizedStageContext personalStage_;
  engine::CleanRun run_;
  browser::InternetPage internet_;
  browser::CookieKeepList keepList_;
  language::LanguageTable language_;  // the texts of the language files loaded this run
  shell::ShellContext shell_;
  bool quiet_ = false;
  bool previewing_ = false;  // Analyze's stages record instead of changing
};

}  // namespace vb::app
