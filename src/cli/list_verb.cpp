#include "cli/list_verb.h"

#include "app/main_window.h"
#include "cli/json_text.h"
#include "cli/verb_help.h"
#include "cli/window_peek.h"
#include "cli/window_choices.h"

namespace vb::cli {

namespace {

// What Group Policy locks is marked: a last field "policy", or "policy": true.
void Print(app::MainWindow& window, bool json, win::DWORD codePage, std::ostream& out) {
  app::Form1& form = window.form();
  auto mark = [json](bool locked) {
    return !locked ? "" : json ? ", \"policy\": true" : "\tpolicy";
  };
  for (const BoxChoice& choice : MainWindowBoxes(form)) {
    const char* kind = choice.item ? "item" : "option";
    std::string caption = ShownCaption(choice.box->Caption());
    int value = choice.box->Value();
    bool locked = window.Locked(*choice.box);
    if (json)
      out << "{\"kind\": \"" << kind << "\", \"name\": " << JsonString(choice.box->name(), codePage)
          << ", \"caption\": " << JsonString(caption, codePage)
          << ", \"checked\": " << (value == 1 ? "true" : "false")
          << (choice.source ? ", \"source\": " + JsonString(choice.source, codePage) : "")
          << mark(locked) << "}\n";
    else
      out << kind << "\t" << choice.box->name() << "\t" << value << "\t" << caption
          << mark(locked) << "\n";
  }
  const bool entriesLocked = window.Policy().entries.has_value();
  for (const EntryChoice& entry : CatalogueEntries(form)) {
    const std::string& text = entry.list->List(entry.index);
    bool checked = entry.list->Checked(entry.index);
    if (json)
      out << "{\"kind\": \"entry\", \"list\": \"" << entry.listName
          << "\", \"caption\": " << JsonString(text, codePage)
          << ", \"checked\": " << (checked ? "true" : "false")
          << ", \"source\": " << JsonString(text, codePage) << mark(entriesLocked) << "}\n";
    else
      out << "entry\t" << entry.listName << "\t" << (checked ? 1 : 0) << "\t" << text
          << mark(entriesLocked) << "\n";
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
  return PeekAtMainWindow("list", program, ui, io, [&](app::MainWindow& window) {
    Print(window, json, program.platform().System().GetACP(), io.out);
    return kExitOk;
  });
}

}  // namespace vb::cli
