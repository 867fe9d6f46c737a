#include "cli/run_verbs.h"

#include <fstream>
#include <sstream>

#include "app/main_window.h"
#include "cli/run_progress.h"
#include "cli/run_selection.h"
#include "cli/run_facts.h"
#include "cli/run_totals.h"
#include "cli/script_driver.h"
#include "cli/script_file.h"
#include "cli/stored_marks.h"
#include "cli/verb_help.h"
#include "cli/verb_run.h"
#include "platform/ascii_case.h"
#include "registry/error_text.h"
#include "registry/settings_store.h"

namespace vb::cli {

namespace {

bool NoArgs(const char* verb, const std::vector<std::string>& args, VerbIo io) {
  if (args.empty()) return true;
  io.err << verb << " takes no arguments\n" << UsageLines(verb);
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
  return kExitFailed;
}

struct RunArgs {
  bool yes = false;
  bool json = false;
  bool results = false;
  bool selects = false;
  std::vector<std::string> select;
};

// The arguments of analyze, clean or plan; --verbose and --quiet go to io.
std::optional<RunArgs> ParseRunArgs(const std::string& verb, const std::vector<std::string>& args,
                                    VerbIo& io) {
  bool clean = verb == "clean";
  RunArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (clean && arg == "--yes") {
      parsed.yes = true;
    } else if (arg == "--json") {
      parsed.json = true;
    } else if (arg == "--results") {
      parsed.results = true;
    } else if (arg == "--verbose" || arg == "--quiet") {
      (arg == "--verbose" ? io.verbose : io.quiet) = true;
    } else if (arg == "--select" && i + 1 < args.size() && !args[i + 1].empty()) {
      parsed.selects = true;
      parsed.select.push_back(args[++i]);
    } else {
      io.err << (arg == "--select" ? "--select needs a name\n" : "unknown argument " + arg + "\n")
             << UsageLines(verb);
      return std::nullopt;
    }
  }
  if (io.verbose && io.quiet) {
    io.err << verb << ": --verbose and --quiet exclude each other\n" << UsageLines(verb);
    return std::nullopt;
  }
  return parsed;
}

// The text of a box with the host's line ends.
std::string HostLines(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

// Why a clean stopped with nothing deleted, as its summary and its message say.
constexpr const char* kWarningPending = "the first-clean warning was not accepted";
constexpr const char* kAnsweredNo = "the confirmation was answered No";

// Analyze or Run Cleaner over the program, with the run's own selection and
// totals; the program is closed, and the stored marks as they were, when it
// returns.
enum class Mode { kAnalyze, kClean, kPlan };

class CleanerVerb {
 public:
  CleanerVerb(Mode mode, app::Program& program, platform::ScriptedUi* ui, VerbIo io)
      : mode_(mode),
        clean_(mode != Mode::kAnalyze),
        verb_(mode == Mode::kAnalyze ? "analyze" : mode == Mode::kClean ? "clean" : "plan"),
        program_(program),
        ui_(ui),
        io_(io) {}

  int Run(const std::vector<std::string>& args) {
    std::optional<RunArgs> parsed = ParseRunArgs(verb_, args, io_);
    if (!parsed) return kExitUsage;
    args_ = *parsed;
    // A plan is Run Cleaner over a platform that records every change
    // instead of making it: the warning and the confirmation are accepted,
    // and nothing of the machine changes, not the program's settings either.
    bool plan = mode_ == Mode::kPlan;
    if (plan) args_.yes = true;
    std::optional<RunProgress> progress;
    if (io_.errIsTerminal && !io_.quiet) progress.emplace(io_.err);
    bool eachAction = !io_.quiet && (args_.json || plan);
    tally_.onAction = [this, &progress, eachAction](const engine::Action& action) {
      // The line of progress goes before anything else is written.
      if (progress && eachAction) progress->Erase();
      if (eachAction) io_.out << (args_.json ? ActionJson(action, program_.platform().System().GetACP()) : PlanLine(action)) << "\n";
      if (progress) progress->Update(tally_, action);
    };
    std::optional<StoredMarks> marks;
    bool cleanWhenOpening = program_.cleanWhenOpening;
    if (args_.selects && !plan) marks.emplace(program_.platform());
    // The run does what the command names, and nothing before it: an
    // analysis is never preceded by a clean.
    if (args_.selects || mode_ != Mode::kClean) program_.cleanWhenOpening = false;
    if (plan) program_.Recorder().StartRecording();
    int code;
    RunFacts facts = ReadRunFacts(program_.platform());
    facts.started = IsoUtc(std::chrono::system_clock::now());
    {
      VerbRun run(verb_, program_, ui_, io_);
      code = run.Finish(Drive(run, progress));
      if (attached_) program_.Main().SetRunTally(nullptr);
    }
    if (progress) progress->Erase();
    if (plan) program_.Recorder().StopRecording();
    program_.cleanWhenOpening = cleanWhenOpening;
    if (marks) marks->Restore();
    if (code != kExitOk && code != kExitStopped) return code;
    if (args_.json) {
      end_.withResults = args_.results;
      facts.ended = IsoUtc(std::chrono::system_clock::now());
      end_.facts = RunFactsJson(facts, program_.platform().System().GetACP());
      io_.out << SummaryJson(verb_, tally_, program_.platform().System().GetACP(), end_) << "\n";
    } else if (code == kExitOk) {
      io_.out << TotalsText(tally_);
    }
    if (code == kExitOk && tally_.failed > 0) {
      io_.out.flush();
      io_.err << verb_ << ": " << tally_.failed
              << (tally_.failed == 1 ? " registry deletion" : " registry deletions")
              << " failed; the results name " << (tally_.failed == 1 ? "it" : "them") << "\n";
      return kExitFailed;
    }
    return code;
  }

 private:
  int Drive(VerbRun& run, std::optional<RunProgress>& progress) {
    if (!run.Do("start")) return kExitFailed;
    app::Form1& form = program_.Main().form();
    if (args_.selects) {
      Result<Selection> selection = ResolveSelection(form, args_.select);
      Result<> allowed =
          selection ? CheckSelectionAgainstPolicy(program_.Main(), *selection) : selection.failure();
      if (!allowed) {
        io_.err << verb_ << ": " << allowed.message() << "\n";
        return kExitUsage;
      }
      ApplySelection(program_.Main(), *selection);
    }
    program_.Main().SetRunTally(&tally_);
    attached_ = true;
    if (!clean_) {
      if (!run.Do("click AnalyCom")) return kExitFailed;
      return Results(run, progress);
    }
    // The answer to "Confirm Before Deletion", which comes after the warning
    // when there is one, and at once when there is none.
    if (args_.yes && ui_) ui_->QueueAnswer("yes");
    if (!run.Do("click CleanCom")) return kExitFailed;
    if (run.session().FormLoaded("Warning")) {
      if (!args_.yes) {
        run.Do("click Warning.Command1");
        return Stopped(kWarningPending,
                       "The first-clean warning stopped the run; nothing was deleted. "
                       "Run 'clean --yes' to accept it.");
      }
      if (!run.Do("click Warning.OKButton")) return kExitFailed;
      if (run.session().FormLoaded("Warning")) return AcceptanceNotStored(run, program_, io_);
    }
    // "Close After Cleaning" ends the program, and its results box with it.
    if (!run.target().Running()) return kExitOk;
    // A finished run always fills the results box; one stopped at the
    // confirmation leaves it empty.
    if (form.resultsText->Text().empty())
      return Stopped(kAnsweredNo,
                     "The confirmation was answered No; nothing was deleted. "
                     "Run 'clean --yes' to answer Yes.");
    return Results(run, progress);
  }

  int Stopped(const char* reason, const char* message) {
    end_.stopped = true;
    end_.reason = reason;
    io_.err << message << "\n";
    return kExitStopped;
  }

  int Results(VerbRun& run, std::optional<RunProgress>& progress) {
    if (progress) progress->Erase();
    // A plan's results are its actions; the box of a run that deleted
    // nothing would only mislead.
    if (mode_ == Mode::kPlan) return kExitOk;
    if (args_.json) {
      end_.results = HostLines(program_.Main().form().resultsText->Text());
      return kExitOk;
    }
    if (io_.quiet && !args_.results) return kExitOk;
    return run.Do("print Text1") ? kExitOk : kExitFailed;
  }

public:
  const engine::RunTally& tally() const { return tally_; }

 private:
  Mode mode_;
  bool clean_;
  const char* verb_;
  app::Program& program_;
  platform::ScriptedUi* ui_;
  VerbIo io_;
  RunArgs args_;
  engine::RunTally tally_;
  bool attached_ = false;
  RunEnd end_;
};

}  // namespace

int RunAnalyzeVerb(app::Program& program, platform::ScriptedUi* ui,
                   const std::vector<std::string>& args, VerbIo io) {
  return CleanerVerb(Mode::kAnalyze, program, ui, io).Run(args);
}

int RunCleanVerb(app::Program& program, platform::ScriptedUi* ui,
                 const std::vector<std::string>& args, VerbIo io) {
  return CleanerVerb(Mode::kClean, program, ui, io).Run(args);
}

int RunPlanVerb(app::Program& program, platform::ScriptedUi* ui,
                const std::vector<std::string>& args, VerbIo io) {
  return CleanerVerb(Mode::kPlan, program, ui, io).Run(args);
}

int PlanTotals(app::Program& program, platform::ScriptedUi* ui, VerbIo io,
               engine::RunTally* totals) {
  std::ostringstream discarded;
  VerbIo quiet{io.in, discarded, io.err, false, true, false};
  CleanerVerb plan(Mode::kPlan, program, ui, quiet);
  int code = plan.Run({});
  *totals = plan.tally();
  totals->onAction = nullptr;  // it speaks of the plan, which has ended
  return code;
}

int RunAutoVerb(app::Program& program, platform::ScriptedUi* ui,
                const std::vector<std::string>& args, VerbIo io) {
  if (!NoArgs("/AUTO", args, io)) return kExitUsage;
  VerbRun run("/AUTO", program, ui, io);
  // Quiet mode shows no results: each failed deletion is told here.
  engine::RunTally tally;
  std::string failures;
  tally.onAction = [&failures](const engine::Action& action) {
    if (action.kind == engine::ActionKind::kFailed)
      failures += "/AUTO: could not delete " +
                  (action.value.empty() ? "the key " : "the value " + action.value + " of ") +
                  action.path + ": " + action.name + "\n";
  };
  program.runTally = &tally;
  bool started = run.Do("start /AUTO");
  program.runTally = nullptr;
  if (!started) return run.Finish(kExitFailed);
  // Quiet mode ends the program by itself. A finished run has filled the
  // results box; one stopped at the warning's gate left even the log empty,
  // and one stopped at the confirmation left the log's heading alone.
  app::Form1& form = program.Main().form();
  if (form.resultsText->Text().empty()) {
    io.err << "quiet mode stopped: "
           << (form.resultsLog->ListCount() == 0
                   ? std::string(kWarningPending) +
                         " (run 'clean --yes' once, or accept it in the window)"
                   : std::string(kAnsweredNo))
           << "; nothing was deleted\n";
    return run.Finish(kExitStopped);
  }
  if (tally.failed > 0) {
    io.err << failures;
    return run.Finish(kExitFailed);
  }
  return run.Finish(kExitOk);
}

int RunRunVerb(app::Program& program, platform::ScriptedUi* ui,
               const std::vector<std::string>& given, VerbIo io) {
  std::vector<std::string> args = given;
  if (!args.empty() && args[0] == "--verbose") {
    io.verbose = true;
    args.erase(args.begin());
  }
  if (args.size() != 1) {
    io.err << UsageLines("run");
    return kExitUsage;
  }
  std::ifstream file;
  if (args[0] != "-") {
    if (Result<> opened = OpenScriptFile(args[0], &file); !opened) {
      io.err << "run: " << opened.message() << "\n";
      return kExitFailed;
    }
  }
  std::istream& script = args[0] == "-" ? io.in : file;
  VerbRun run("run", program, ui, io);
  return run.Finish(RunScript(run.target(), ui, script, io));
}

Result<> CheckQuietModeSpelling(const std::string& verb) {
  if (verb == "/AUTO" || !platform::EqualsIgnoringCase(verb, "/AUTO")) return {};
  return Fail("quiet mode is exactly /AUTO; the program opens its window for " + verb +
              ", and vanbrisk-cli runs nothing\n");
}

bool IsProgramVerb(const std::string& verb) {
  return verb == "analyze" || verb == "clean" || verb == "plan" || verb == "run" ||
         verb == "/AUTO";
}

int RunProgramVerb(const std::string& verb, app::Program& program, platform::ScriptedUi* ui,
                   const std::vector<std::string>& args, VerbIo io) {
  if (verb == "analyze") return RunAnalyzeVerb(program, ui, args, io);
  if (verb == "clean") return RunCleanVerb(program, ui, args, io);
  if (verb == "plan") return RunPlanVerb(program, ui, args, io);
  if (verb == "run") return RunRunVerb(program, ui, args, io);
  if (verb == "/AUTO") return RunAutoVerb(program, ui, args, io);
  Result<> spelt = CheckQuietModeSpelling(verb);
  io.err << (spelt ? "unknown verb " + verb + "\n" : spelt.message());
  return kExitUsage;
}

}  // namespace vb::cli
