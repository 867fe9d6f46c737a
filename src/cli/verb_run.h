// One run of the program for a verb of vanbrisk-cli, driven by script lines
// that the verb writes, with every message box the program shows printed to
// the error stream while it runs when the verb is verbose.
#pragma once

#include <optional>
#include <string>

#include "app/group_policy.h"
#include "app/program.h"
#include "cli/script_driver.h"
#include "cli/verb_io.h"
#include "platform/scripted_ui.h"

namespace vb::cli {

// With --verbose, message boxes go to the error stream while the verb runs,
// one readable line each; else the run is silent about them.
class BoxLog {
 public:
  BoxLog(platform::ScriptedUi* ui, std::ostream& log, bool verbose) : ui_(ui) {
    if (ui_) ui_->SetLog(verbose ? &log : nullptr, platform::LogStyle::kReadable);
  }
  BoxLog(const BoxLog&) = delete;
  BoxLog& operator=(const BoxLog&) = delete;
  ~BoxLog() {
    if (ui_) ui_->SetLog(nullptr);
  }

 private:
  platform::ScriptedUi* ui_;
};

// The log outlives the target, whose end may still show boxes.
class VerbRun {
 public:
  VerbRun(const char* verb, app::Program& program, platform::ScriptedUi* ui, VerbIo io)
      : verb_(verb), log_(ui, io.err, io.verbose), target_(program), session_(target_, ui, io.out), io_(io) {
    // The program goes on without a malformed policy value; the user is told.
    for (const std::string& problem : app::ReadGroupPolicy(program.platform().Registry()).problems)
      io.err << verb << ": " << problem << "\n";
  }

  // Runs one line; false, with the reason on io.err, when it is refused.
  bool Do(const std::string& line) {
    Result<> done = session_.Run(line);
    if (done) return true;
    io_.out.flush();
    io_.err << verb_ << ": " << done.message() << "\n";
    return false;
  }
  // Closes the program if it still runs; the exit code given.
  int Finish(int code) {
    session_.CloseProgram();
    return code;
  }
  ScriptTarget& target() { return target_; }
  ScriptSession& session() { return session_; }

 private:
  const char* verb_;
  BoxLog log_;
  ProgramTarget target_;
  ScriptSession session_;
  VerbIo io_;
};

}  // namespace vb::cli
