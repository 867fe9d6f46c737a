// The main window, Form1: its controls, form-level state and event handlers.
// The subsystems' routines run over contexts the window builds from its state.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/form1_pages.h"
#include "engine/clean_run.h"
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
  toolkit::Form form_;
  engine::Stopwatch stopwatch_;
  engine::RoutineTable routines_;
  bool analyzeOnly_ = false;
  bool quiet_ = false;
  bool readOnlyFiles_ = false;
  // Every warning window shown; one that unloaded stays until the program
  // ends, since its own handler may still be running when the next one opens.
  std::vector<std::unique_ptr<WarningWindow>> warnings_;
};

}  // namespace vb::app
