// The session over a target, and the script run line by line. The lines are
// split by script_commands.cpp, carried out by script_verbs.cpp.
#include "cli/script_driver.h"

#include <exception>
#include <string>

#include "app/main_window.h"
#include "cli/script_commands.h"
#include "cli/script_verbs.h"
#include "cli/script_words.h"

namespace vb::cli {

using toolkit::Form;

Result<> ScriptSession::Run(std::string_view line) {
  std::optional<script::Command> command;
  if (Result<> r = script::ParseLine(line, &command); !r) return r;
  if (!command) return {};
  try {
    Result<> done = script::Perform(*command, target_, ui_, out_);
    target_.AfterEvent();
    return done;
  } catch (const std::exception& e) {
    return Fail(std::string("the program failed: ") + e.what());
  }
}

bool ScriptSession::FormLoaded(const std::string& name) {
  if (!target_.Running()) return false;
  Form* form = target_.App()->FindForm(name);
  return form && form->Loaded();
}

void ScriptSession::CloseProgram() {
  if (!target_.Running()) return;
  target_.MainForm()->Unload();
  if (target_.Running()) target_.App()->End();
}

void ProgramTarget::Start(const std::string& commandLine) {
  started_ = true;
  program_.Start(commandLine);
}

bool ProgramTarget::Running() { return program_.Running(); }

toolkit::Application* ProgramTarget::App() {
  return started_ || program_.Running() ? &program_.app() : nullptr;
}

void ProgramTarget::AfterEvent() { program_.AfterEvent(); }

toolkit::Form* ProgramTarget::MainForm() {
  return program_.Running() ? &program_.Main().form() : nullptr;
}

int RunScript(app::Program& program, platform::ScriptedUi* ui, std::istream& script, VerbIo io) {
  ProgramTarget target(program);
  return RunScript(target, ui, script, io);
}

int RunScript(ScriptTarget& target, platform::ScriptedUi* ui, std::istream& script, VerbIo io) {
  ScriptSession session(target, ui, io.out);
  std::string line;
  int number = 0;
  for (;;) {
    script::LineRead read = script::ReadScriptLine(script, &line);
    if (read == script::LineRead::kEnd) break;
    ++number;
    Result<> done;
    if (read == script::LineRead::kTooLong) {
      done = Fail("longer than " + std::to_string(script::kMaxLineLength) + " characters");
    } else if (read == script::LineRead::kFailed) {
      done = Fail("the script could not be read");
    } else {
      if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      done = session.Run(line);
    }
    if (!done) {
      io.out.flush();
      io.err << "line " << number << ": " << script::Shortened(done.message()) << "\n";
      return kExitFailed;
    }
  }
  if (ui && ui->PendingAnswers() > 0)
    io.err << "note: " << ui->PendingAnswers()
           << (ui->PendingAnswers() == 1 ? " queued answer was" : " queued answers were")
           << " not asked for\n";
  return kExitOk;
}

}  // namespace vb::cli
