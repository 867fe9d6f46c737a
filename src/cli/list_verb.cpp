#include "cli/list_verb.h"

#include "app/main_window.h"
#include "cli/json_text.h"
#include "cli/stored_marks.h"
#include "cli/verb_help.h"
#include "cli/verb_run.h"
#include "cli/window_choices.h"

namespace vb::cli {

namespace {

void Print(app::Form1& form, bool json, win::DWORD codePage, std::ostream& out) {
  for (const BoxChoice& choice : MainWindowBoxes(form)) {
    const char* kind = choice.item ? "item" : "option";
    std::string caption = ShownCaption(choice.box->Caption());
    int value = choice.box->Value();
    if (json)
      out << "{\"kind\": \"" << kind << "\", \"name\": " << JsonString(choice.box->name(), codePage)
          << ", \"caption\": " << JsonString(caption, codePage)
          << ", \"checked\": " << (value == 1 ? "true" : "false")
          << (choice.source ? ", \"source\": " + JsonString(choice.source, codePage) : "") << "}\n";
    else
      out << kind << "\t" << choice.box->name() << "\t" << value << "\t" << caption << "\n";
  }
  for (const EntryChoice& entry : CatalogueEntries(form)) {
    const std::string& text = entry.list->List(entry.index);
    bool checked = entry.list->Checked(entry.index);
    if (json)
      out << "{\"kind\": \"entry\", \"list\": \"" << entry.listName
          << "\", \"caption\": " << JsonString(text, codePage)
          << ", \"checked\": " << (checked ? "true" : "false")
          << ", \"source\": " << JsonString(text, codePage) << "}\n";
    else
      out << "entry\t" << entry.listName << "\t" << (checked ? 1 : 0) << "\t" << text << "\n";
  }
}

}  // namespace

int RunListVerb(app::Program& program, platform::ScriptedUi* ui,
                const std::vector<std::string>& args, VerbIo io) {
  bool json = false;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      json = true;
    } else if (arg == "--verbose") {
      io.verbose = true;
    } else {
      io.err << UsageLines("list");
      return kExitUsage;
    }
  }
  StoredMarks marks(program.platform());
  bool cleanWhenOpening = program.cleanWhenOpening;
  program.cleanWhenOpening = false;
  int code = kExitFailed;
  {
    VerbRun run("list", program, ui, io);
    if (run.Do("start") && run.target().Running()) {
      Print(program.Main().form(), json, program.platform().System().GetACP(), io.out);
      code = kExitOk;
    }
    run.Finish(code);
  }
  program.cleanWhenOpening = cleanWhenOpening;
  marks.Restore();
  return code;
}

}  // namespace vb::cli
