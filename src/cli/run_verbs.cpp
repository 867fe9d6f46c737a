#include "cli/run_verbs.h"

#include <fstream>

#include "cli/script_driver.h"
#include "platform/ascii_case.h"
#include "registry/error_text.h"
#include "registry/settings_store.h"

namespace vb::cli {

namespace {

// Message boxes go to the error stream while the verb runs.
class BoxLog {
 public:
  BoxLog(platform::ScriptedUi* ui, std::ostream& log) : ui_(ui) {
    if (ui_) ui_->SetLog(&log);
  }
  BoxLog(const BoxLog&) = delete;
  BoxLog& operator=(const BoxLog&) = delete;
  ~BoxLog() {
    if (ui_) ui_->SetLog(nullptr);
  }

 private:
  platform::ScriptedUi* ui_;
};

// One run of the program, driven by script lines that the verb writes. The
// log outlives the target, whose end may still show boxes.
class VerbRun {
 public:
  VerbRun(const char* verb, app::Program& program, platform::ScriptedUi* ui, VerbIo io)
      : verb_(verb), log_(ui, io.err), target_(program), session_(target_, ui, io.out), io_(io) {}

  // Runs one line; false, with the reason on io.err, when it is refused.
  bool Do(const std::string& line) {
    std::optional<std::string> refusal = session_.Run(line);
    if (!refusal) return true;
    io_.out.flush();
    io_.err << verb_ << ": " << *refusal << "\n";
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

bool NoArgs(const char* verb, const std::vector<std::string>& args, VerbIo io) {
  if (args.empty()) return true;
  io.err << verb << " takes no arguments\nusage: vanbrisk-cli " << verb << "\n";
  return false;
}

// The warning came back after Ok: its acceptance, a setting, could not be
// stored. Cancels it and tells why, asking the registry once more for the reason.
int AcceptanceNotStored(VerbRun& run, app::Program& program, VerbIo io) {
  run.Do("click Warning.Command1");
  win::LONG rc = registry::settings::SaveSetting(program.platform().Registry(),
                                                 registry::settings::kAppName,
                                                 registry::settings::kSettings, "MSG_CONFIRM_TMP",
                                                 "True");
  io.err << "clean: the acceptance of the first-clean warning could not be stored in the "
            "registry"
         << (rc == win::kErrorSuccess ? "." : ": " + registry::RegistryErrorText(rc))
         << " Nothing was deleted.\n";
  return run.Finish(kExitFailed);
}

}  // namespace

int RunAnalyzeVerb(app::Program& program, platform::ScriptedUi* ui,
                   const std::vector<std::string>& args, VerbIo io) {
  if (!NoArgs("analyze", args, io)) return kExitUsage;
  VerbRun run("analyze", program, ui, io);
  bool done = run.Do("start") && run.Do("click AnalyCom") && run.Do("print Text1");
  return run.Finish(done ? kExitOk : kExitFailed);
}

int RunCleanVerb(app::Program& program, platform::ScriptedUi* ui,
                 const std::vector<std::string>& args, VerbIo io) {
  bool yes = args.size() == 1 && args[0] == "--yes";
  if (!args.empty() && !yes) {
    io.err << "usage: vanbrisk-cli clean [--yes]\n";
    return kExitUsage;
  }
  VerbRun run("clean", program, ui, io);
  if (!run.Do("start")) return run.Finish(kExitFailed);
  // The answer to "Confirm Before Deletion", which comes after the warning
  // when there is one, and at once when there is none.
  if (yes && ui) ui->QueueAnswer("yes");
  if (!run.Do("click CleanCom")) return run.Finish(kExitFailed);
  if (run.session().FormLoaded("Warning")) {
    if (!yes) {
      run.Do("click Warning.Command1");
      io.err << "The first-clean warning stopped the run; nothing was deleted. "
                "Run 'clean --yes' to accept it.\n";
      return run.Finish(kExitFailed);
    }
    if (!run.Do("click Warning.OKButton")) return run.Finish(kExitFailed);
    if (run.session().FormLoaded("Warning")) return AcceptanceNotStored(run, program, io);
  }
  // "Close After Cleaning" ends the program, and its results box with it.
  if (run.target().Running() && !run.Do("print Text1")) return run.Finish(kExitFailed);
  return run.Finish(kExitOk);
}

int RunAutoVerb(app::Program& program, platform::ScriptedUi* ui,
                const std::vector<std::string>& args, VerbIo io) {
  if (!NoArgs("/AUTO", args, io)) return kExitUsage;
  VerbRun run("/AUTO", program, ui, io);
  if (!run.Do("start /AUTO")) return run.Finish(kExitFailed);
  return run.Finish(kExitOk);
}

int RunRunVerb(app::Program& program, platform::ScriptedUi* ui,
               const std::vector<std::string>& args, VerbIo io) {
  if (args.size() != 1) {
    io.err << "usage: vanbrisk-cli run SCRIPT|-\n";
    return kExitUsage;
  }
  std::ifstream file;
  if (args[0] != "-") {
    file.open(args[0], std::ios::binary);
    if (!file) {
      io.err << "run: cannot read the script " << args[0] << "\n";
      return kExitFailed;
    }
  }
  std::istream& script = args[0] == "-" ? io.in : file;
  VerbRun run("run", program, ui, io);
  return run.Finish(RunScript(run.target(), ui, script, io));
}

bool IsProgramVerb(const std::string& verb) {
  return verb == "analyze" || verb == "clean" || verb == "run" ||
         platform::EqualsIgnoringCase(verb, "/AUTO");
}

int RunProgramVerb(const std::string& verb, app::Program& program, platform::ScriptedUi* ui,
                   const std::vector<std::string>& args, VerbIo io) {
  if (verb == "analyze") return RunAnalyzeVerb(program, ui, args, io);
  if (verb == "clean") return RunCleanVerb(program, ui, args, io);
  if (verb == "run") return RunRunVerb(program, ui, args, io);
  if (platform::EqualsIgnoringCase(verb, "/AUTO")) return RunAutoVerb(program, ui, args, io);
  io.err << "unknown verb " << verb << "\n";
  return kExitUsage;
}

}  // namespace vb::cli
