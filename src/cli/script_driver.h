// vanbrisk-cli run: drives the program's windows from a script, one user
// action per line, for people and for end-to-end tests.
//
//   # a comment                      blank lines and comment lines are skipped
//   start [ARGS]                     start the program with that command line
//   unload [FORM]                    close a window (default the main window)
//   click NAME | rightclick NAME     click, or press the right mouse button on
//   key NAME CODE                    key down, CODE in decimal
//   tick NAME | untick NAME          a check box becomes 1 / 0
//   type NAME TEXT                   the text of a text box or combo box
//   tab NAME CAPTION                 choose a tab of a tab strip
//   check LIST TEXT | uncheck ...    the check mark of a row of a list
//   choose NAME TEXT                 select a row of a list box, list view or
//                                    combo box; click an item of a popup menu
//   answer yes|no|ok|cancel|TEXT     the answer to the next message box or dialog
//   print NAME[.PROPERTY]            PROPERTY: visible enabled value caption
//                                    tooltip count checked index
//
// NAME is a control of the main window ("CleanCom"), a control of another
// window ("Warning.OKButton") or a window ("Warning"), letter case ignored.
// Words are separated by blanks; "double quotes" group a word ("" inside them
// is one quote). The last argument of type, tab, check, uncheck, choose and
// answer runs to the end of the line, its quotes removed when it is one
// quoted word; start passes the rest of the line as it is.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/program.h"
#include "base/result.h"
#include "cli/verb_io.h"
#include "platform/scripted_ui.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace vb::cli {

// What a script drives: a program that starts (and, once it has ended, starts
// again as a new instance over the same machine), its application and its
// main window.
class ScriptTarget {
 public:
  virtual ~ScriptTarget() = default;
  // Starts an instance with that command line; called only while none runs.
  virtual void Start(const std::string& commandLine) = 0;
  // Started and not ended.
  virtual bool Running() = 0;
  // The application of the latest instance; null before the first start.
  virtual toolkit::Application* App() = 0;
  // The main window of the running instance; null while none runs.
  virtual toolkit::Form* MainForm() = 0;
  // Called after each line has been carried out, as a front end does after
  // each event it hands to the windows.
  virtual void AfterEvent() {}
};

// Runs script lines against a target, one at a time, printing to out. Holds
// no pointer to a form or control between lines: a window shown again is a
// new instance, and a restarted program a new application.
class ScriptSession {
 public:
  // ui null: the platform takes no queued answers, and "answer" is refused.
  ScriptSession(ScriptTarget& target, platform::ScriptedUi* ui, std::ostream& out)
      : target_(target), ui_(ui), out_(out) {}

  // Runs one line; a line that is refused fails with the reason.
  Result<> Run(std::string_view line);

  // Whether a window of that name is loaded in the running program.
  bool FormLoaded(const std::string& name);
  // Unloads the main window, as closing it does, without the checks that a
  // user's "unload" gets; ends the program. Nothing happens when none runs.
  void CloseProgram();

 private:
  ScriptTarget& target_;
  platform::ScriptedUi* ui_;
  std::ostream& out_;
};

// Runs a whole script: stops at the first refused line with "line N: reason"
// on io.err and kExitFailed; kExitOk after the last line. A program still
// running then is left as it is.
int RunScript(ScriptTarget& target, platform::ScriptedUi* ui, std::istream& script, VerbIo io);

// The program as a script target. A start after the program ended starts it
// again: fresh windows over the same machine, as a user restarting it gets.
class ProgramTarget final : public ScriptTarget {
 public:
  explicit ProgramTarget(app::Program& program) : program_(program) {}

  void Start(const std::string& commandLine) override;
  bool Running() override;
  toolkit::Application* App() override;
  toolkit::Form* MainForm() override;
  void AfterEvent() override;

 private:
  app::Program& program_;
  bool started_ = false;
};

// RunScript over the program, as vanbrisk-cli run drives it.
int RunScript(app::Program& program, platform::ScriptedUi* ui, std::istream& script, VerbIo io);

}  // namespace vb::cli
